// The path construction, transform art, real math, real Bezier, hit test
// and pathfinder suites, and the host's own geometry actions.
#include <cmath>
#include <vector>

#include "sdk/runtime_suite.h"
#include "workbench/geometry/bezier.h"
#include "workbench/plugin/geometry_actions.h"
#include "workbench/plugin/suite_support.h"
#include "workbench/plugin/suites.h"

namespace workbench::plugin {

void TransformArtTree(document::Document& doc, document::ArtId art, const document::AffineMatrix& m, double lineScale,
                      std::int32_t flags) {
  const document::Art* a = doc.FindArt(art);
  if (a == nullptr) return;
  if (flags & kQvTransformObjects) {
    if (a->type == document::ArtType::kPath) {
      std::vector<geometry::PathSegment> segments = a->segments;
      for (auto& s : segments) {
        s.anchor = m.Apply(s.anchor);
        s.in = m.Apply(s.in);
        s.out = m.Apply(s.out);
      }
      doc.SetSegments(art, std::move(segments));
    } else if (a->type == document::ArtType::kText || a->type == document::ArtType::kPlacedImage) {
      document::PlacedData placed = a->placed;
      placed.placement = m * placed.placement;
      doc.SetPlaced(art, std::move(placed));
    }
  }
  if ((flags & kQvTransformStrokeWidths) && a->type == document::ArtType::kPath) {
    document::PathStyle style = a->style;
    style.stroke.width *= lineScale;
    doc.SetPathStyle(art, style);
  }
  for (document::ArtId child : doc.ChildrenOf(art)) TransformArtTree(doc, child, m, lineScale, flags);
}

namespace {

using detail::ArtOf;
using detail::CurrentDocument;
using detail::FromQv;
using detail::Guard;
using detail::ToQv;
using document::ArtId;
using document::ArtType;
using document::Document;

document::AffineMatrix FromQv(const QvRealMatrix& m) { return {m.a, m.b, m.c, m.d, m.tx, m.ty}; }
QvRealMatrix ToQv(const document::AffineMatrix& m) { return {m.a, m.b, m.c, m.d, m.tx, m.ty}; }

// ---- Transform art suite -----------------------------------------------------

QvErr TransformArt(QvArtHandle art, const QvRealMatrix* matrix, double lineScale, std::int32_t flags) {
  return Guard([&]() -> QvErr {
    Document* doc = CurrentDocument();
    if (doc == nullptr) return kQvErrNoDocument;
    ArtId id = ArtOf(art);
    if (!doc->IsValid(id)) return kQvErrNoSuchArt;
    if (matrix == nullptr || !std::isfinite(lineScale)) return kQvErrBadParameter;
    TransformArtTree(*doc, id, FromQv(*matrix), lineScale, flags);
    return kQvNoErr;
  });
}

// ---- Real math suite ---------------------------------------------------------

QvErr MatrixSetIdentity(QvRealMatrix* m) {
  if (m == nullptr) return kQvErrBadParameter;
  *m = ToQv(document::AffineMatrix{});
  return kQvNoErr;
}
QvErr MatrixSetTranslate(QvRealMatrix* m, double tx, double ty) {
  if (m == nullptr) return kQvErrBadParameter;
  *m = ToQv(document::AffineMatrix::Translate(tx, ty));
  return kQvNoErr;
}
QvErr MatrixSetScale(QvRealMatrix* m, double sx, double sy) {
  if (m == nullptr) return kQvErrBadParameter;
  *m = ToQv(document::AffineMatrix::Scale(sx, sy));
  return kQvNoErr;
}
QvErr MatrixConcatTranslate(QvRealMatrix* m, double tx, double ty) {
  if (m == nullptr) return kQvErrBadParameter;
  *m = ToQv(document::AffineMatrix::Translate(tx, ty) * FromQv(*m));
  return kQvNoErr;
}
QvErr MatrixConcatScale(QvRealMatrix* m, double sx, double sy) {
  if (m == nullptr) return kQvErrBadParameter;
  *m = ToQv(document::AffineMatrix::Scale(sx, sy) * FromQv(*m));
  return kQvNoErr;
}
QvErr MatrixConcat(const QvRealMatrix* first, const QvRealMatrix* second, QvRealMatrix* result) {
  if (first == nullptr || second == nullptr || result == nullptr) return kQvErrBadParameter;
  *result = ToQv(FromQv(*second) * FromQv(*first));
  return kQvNoErr;
}
QvErr TransformPoint(const QvRealMatrix* m, const QvRealPoint* p, QvRealPoint* result) {
  if (m == nullptr || p == nullptr || result == nullptr) return kQvErrBadParameter;
  *result = ToQv(FromQv(*m).Apply(FromQv(*p)));
  return kQvNoErr;
}
QvErr PointLength(const QvRealPoint* a, const QvRealPoint* b, double* distance) {
  if (a == nullptr || b == nullptr || distance == nullptr) return kQvErrBadParameter;
  *distance = geometry::Distance(FromQv(*a), FromQv(*b));
  return kQvNoErr;
}
QvErr RealSqrt(double a, double* root) {
  if (root == nullptr || !(a >= 0.0)) return kQvErrBadParameter;
  *root = std::sqrt(a);
  return kQvNoErr;
}

// ---- Real Bezier suite -------------------------------------------------------

geometry::CubicBezier CurveOf(const QvRealBezier& b) {
  return {FromQv(b.p0), FromQv(b.p1), FromQv(b.p2), FromQv(b.p3)};
}
QvErr BezierEvaluate(const QvRealBezier* b, double t, QvRealPoint* p) {
  if (b == nullptr || p == nullptr) return kQvErrBadParameter;
  *p = ToQv(CurveOf(*b).At(t));
  return kQvNoErr;
}
QvErr BezierTangent(const QvRealBezier* b, double t, QvRealPoint* d) {
  if (b == nullptr || d == nullptr) return kQvErrBadParameter;
  *d = ToQv(CurveOf(*b).DerivativeAt(t));
  return kQvNoErr;
}

QvErr DoDivide(const QvPathfinderData* data) { return PathfinderImpl(kQvPathfinderDivide, data); }
QvErr DoIntersect(const QvPathfinderData* data) { return PathfinderImpl(kQvPathfinderIntersect, data); }
QvErr DoUnite(const QvPathfinderData* data) { return PathfinderImpl(kQvPathfinderUnite, data); }

}  // namespace

const QvPathConstructionSuite& PathConstructionSuiteImpl() {
  static const QvPathConstructionSuite suite{SegmentsToPointsImpl, OptimizePathImpl};
  return suite;
}

const QvTransformArtSuite& TransformArtSuiteImpl() {
  static const QvTransformArtSuite suite{TransformArt};
  return suite;
}

const QvRealMathSuite& RealMathSuiteImpl() {
  static const QvRealMathSuite suite{MatrixSetIdentity, MatrixSetTranslate, MatrixSetScale,
                                     MatrixConcatTranslate, MatrixConcatScale, MatrixConcat,
                                     TransformPoint, PointLength, RealSqrt};
  return suite;
}

const QvRealBezierSuite& RealBezierSuiteImpl() {
  static const QvRealBezierSuite suite{BezierEvaluate, BezierTangent};
  return suite;
}

const QvHitTestSuite& HitTestSuiteImpl() {
  static const QvHitTestSuite suite{HitTestImpl};
  return suite;
}

const QvPathfinderSuite& PathfinderSuiteImpl() {
  static const QvPathfinderSuite suite{DoDivide, DoIntersect, DoUnite};
  return suite;
}

void RegisterHostActions(Host& host) {
  host.Actions().Register(kQvOffsetAction, "Offset Path", OffsetAction);
  host.Actions().Register(kQvPathfinderAction, "Pathfinder", PathfinderAction);
  // The workbench has no image tracing; say so rather than pretend.
  host.Actions().Register(kQvTracingAction, "Image Trace", [](const ActionPlay&) -> QvErr { return kQvErrNotAvailable; });
}

}  // namespace workbench::plugin
