// The geometry-heavy suite functions and host actions: flattening, path
// optimisation, hit testing, the pathfinder and Offset Path, over the
// workbench geometry services.
#include "workbench/plugin/geometry_actions.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "workbench/geometry/flatten.h"
#include "workbench/geometry/flatten_cache.h"
#include "workbench/geometry/hit_test.h"
#include "workbench/geometry/offset_path.h"
#include "workbench/geometry/optimize_path.h"
#include "workbench/geometry/pathfinder.h"
#include "workbench/plugin/suite_support.h"

namespace workbench::plugin {

namespace {

using detail::ArtOf;
using detail::CurrentDocument;
using detail::FromQv;
using detail::Guard;
using detail::ToQv;
using document::ArtId;
using document::ArtType;
using document::Document;
using geometry::CompoundPath;
using geometry::PathData;

// Art that an action or a pathfinder call may touch: live, unlocked, on an
// editable layer.
bool Touchable(const Document& doc, ArtId art) {
  for (ArtId a = art; a; a = doc.ParentOf(a)) {
    const document::Art* found = doc.FindArt(a);
    if (found == nullptr || found->locked) return false;
  }
  const document::Layer* layer = doc.FindLayer(doc.LayerOfArt(art));
  return layer != nullptr && layer->editable;
}

std::optional<CompoundPath> ShapeOf(const Document& doc, ArtId art) {
  const document::Art* a = doc.FindArt(art);
  if (a == nullptr) return std::nullopt;
  if (a->type == ArtType::kPath) return CompoundPath{PathData{a->segments, a->closed}};
  if (a->type != ArtType::kCompoundPath) return std::nullopt;
  CompoundPath shape;
  for (ArtId child : a->children) {
    const document::Art* c = doc.FindArt(child);
    if (c != nullptr && c->type == ArtType::kPath) shape.push_back(PathData{c->segments, c->closed});
  }
  return shape;
}

// Places one result shape by `order` relative to `reference`: a path for a
// single outline, a compound path for an outline with holes. Selected.
ArtId PlaceShape(Document& doc, const CompoundPath& shape, const document::PathStyle& style,
                 document::PaintOrder order, ArtId reference) {
  if (shape.empty()) return {};
  ArtId art;
  if (shape.size() == 1) {
    art = doc.NewArt(ArtType::kPath, order, reference);
    doc.SetSegments(art, shape[0].segments);
    doc.SetClosed(art, true);
  } else {
    art = doc.NewArt(ArtType::kCompoundPath, order, reference);
    for (const PathData& sub : shape) {
      ArtId member = doc.NewArt(ArtType::kPath, document::PaintOrder::kPlaceInsideOnBottom, art);
      doc.SetSegments(member, sub.segments);
      doc.SetClosed(member, true);
    }
  }
  doc.SetPathStyle(art, style);
  doc.SetSelected(art, true);
  return art;
}

// The selected paths and compound paths that are not inside a selected
// compound path, from the top.
std::vector<ArtId> SelectedShapes(const Document& doc) {
  std::vector<ArtId> shapes;
  for (ArtId art : doc.SelectedArt()) {
    auto type = doc.TypeOf(art);
    if (type != ArtType::kPath && type != ArtType::kCompoundPath) continue;
    ArtId parent = doc.ParentOf(art);
    if (type == ArtType::kPath && doc.TypeOf(parent) == ArtType::kCompoundPath) continue;
    shapes.push_back(art);
  }
  return shapes;
}

enum class BooleanOp { kDivide, kIntersect, kUnite };

QvErr RunPathfinder(Document& doc, BooleanOp op, std::vector<ArtId> inputs) {
  inputs.erase(std::remove_if(inputs.begin(), inputs.end(), [&](ArtId a) { return !Touchable(doc, a); }),
               inputs.end());
  std::vector<CompoundPath> shapes;
  for (ArtId art : inputs) {
    auto shape = ShapeOf(doc, art);
    if (!shape) return kQvErrWrongArtType;
    shapes.push_back(std::move(*shape));
  }
  if (shapes.empty()) return kQvErrBadParameter;
  std::vector<CompoundPath> results = op == BooleanOp::kDivide      ? geometry::Divide(shapes)
                                      : op == BooleanOp::kIntersect ? geometry::Intersect(shapes)
                                                                    : geometry::Unite(shapes);
  // Results go where the topmost input was, in its group, with its style.
  ArtId top = inputs.front();
  document::PathStyle style = doc.GetPathStyle(top).value_or(document::PathStyle{});
  for (const CompoundPath& result : results) {
    PlaceShape(doc, result, style, document::PaintOrder::kPlaceBelow, top);
  }
  for (ArtId art : inputs) doc.Dispose(art);
  return kQvNoErr;
}

}  // namespace

QvErr SegmentsToPointsImpl(const QvPathSegment* segments, std::int32_t segmentCount, double flatness,
                           double maxStep, const QvAllocatorPair* allocator, QvOutlinePoint** points,
                           std::int32_t* pointCount) {
  return Guard([&]() -> QvErr {
    if (points == nullptr || pointCount == nullptr) return kQvErrBadParameter;
    *points = nullptr;
    *pointCount = 0;
    if (segmentCount < 0 || (segmentCount > 0 && segments == nullptr) || !(flatness > 0.0) || allocator == nullptr ||
        allocator->allocate == nullptr) {
      return kQvErrBadParameter;
    }
    PathData path;
    for (std::int32_t i = 0; i < segmentCount; ++i) path.segments.push_back(FromQv(segments[i]));
    // A module reads the same outline many times between two edits.
    static thread_local geometry::FlattenCache cache;
    const std::vector<geometry::FlatPoint>& flat = cache.Flatten(path, flatness, maxStep);
    if (flat.empty()) return kQvNoErr;
    void* block = nullptr;
    if (QvErr err = allocator->allocate(static_cast<std::int64_t>(flat.size() * sizeof(QvOutlinePoint)), &block)) {
      return err;
    }
    auto* out = static_cast<QvOutlinePoint*>(block);
    for (std::size_t i = 0; i < flat.size(); ++i) {
      std::memset(&out[i], 0, sizeof out[i]);
      out[i].h = flat[i].point.x;
      out[i].v = flat[i].point.y;
      out[i].corner = flat[i].anchor ? 1 : 0;
    }
    *points = out;
    *pointCount = static_cast<std::int32_t>(flat.size());
    return kQvNoErr;
  });
}

QvErr OptimizePathImpl(QvArtHandle path, double tolerance) {
  return Guard([&]() -> QvErr {
    Document* doc = CurrentDocument();
    if (doc == nullptr) return kQvErrNoDocument;
    ArtId id = ArtOf(path);
    if (!doc->IsValid(id)) return kQvErrNoSuchArt;
    if (doc->TypeOf(id) != ArtType::kPath) return kQvErrWrongArtType;
    PathData optimised = geometry::OptimizePath(PathData{*doc->Segments(id), *doc->IsClosed(id)}, tolerance);
    doc->SetSegments(id, std::move(optimised.segments));
    return kQvNoErr;
  });
}

QvErr HitTestImpl(QvArtHandle art, const QvRealPoint* p, double tolerance, std::int32_t request,
                  QvHitResult* result) {
  return Guard([&]() -> QvErr {
    Document* doc = CurrentDocument();
    if (doc == nullptr) return kQvErrNoDocument;
    if (p == nullptr || result == nullptr || tolerance < 0.0) return kQvErrBadParameter;
    *result = QvHitResult{};
    std::vector<ArtId> candidates;
    if (art != nullptr) {
      if (!doc->IsValid(ArtOf(art))) return kQvErrNoSuchArt;
      candidates.push_back(ArtOf(art));
    } else {
      for (std::size_t i = 0; i < doc->LayerCount(); ++i) {
        const document::Layer* layer = doc->FindLayer(doc->LayerAt(i));
        if (!layer->visible) continue;
        for (ArtId a : doc->AllArtOfLayer(doc->LayerAt(i))) candidates.push_back(a);
      }
    }
    for (ArtId candidate : candidates) {
      const document::Art* a = doc->FindArt(candidate);
      if (a->type != ArtType::kPath || a->hidden || a->segments.empty()) continue;
      if (art == nullptr && !Touchable(*doc, candidate)) continue;
      auto hit = geometry::HitTest(PathData{a->segments, a->closed}, FromQv(*p), tolerance);
      if (!hit) continue;
      const std::size_t n = a->segments.size();
      bool anchor = hit->kind == geometry::HitKind::kAnchor;
      if (anchor && !(request & kQvHitAnchors) && !(request & kQvHitSegments)) continue;
      if (!anchor && !(request & kQvHitSegments)) continue;
      result->art = ToQv(candidate);
      if (anchor && (request & kQvHitAnchors)) {
        result->kind = kQvHitAnchor;
        result->segmentIndex = static_cast<std::int32_t>(hit->segment);
        result->point = ToQv(a->segments[hit->segment].anchor);
      } else {
        // A curve is named by the anchor it arrives at, so the closing curve
        // of a closed path is 0. An anchor asked for as a curve is the start
        // of the curve leaving it, or the end of the one arriving at the
        // last anchor of an open path.
        std::size_t end = hit->segment;
        double t = hit->t;
        if (anchor) {
          const bool leaves = a->closed || hit->segment + 1 < n;
          end = leaves ? (hit->segment + 1) % n : hit->segment;
          t = leaves ? 0.0 : 1.0;
        }
        result->kind = kQvHitSegment;
        result->segmentIndex = static_cast<std::int32_t>(end);
        result->t = t;
        geometry::CubicBezier curve = geometry::CurveAt(a->segments, (end + n - 1) % n);
        result->point = ToQv(curve.At(t));
      }
      return kQvNoErr;
    }
    return kQvNoErr;
  });
}

QvErr PathfinderImpl(int operation, const QvPathfinderData* data) {
  return Guard([&]() -> QvErr {
    Document* doc = CurrentDocument();
    if (doc == nullptr) return kQvErrNoDocument;
    if (data == nullptr || data->artCount < 0 || (data->artCount > 0 && data->art == nullptr)) {
      return kQvErrBadParameter;
    }
    std::vector<ArtId> inputs;
    for (std::int32_t i = 0; i < data->artCount; ++i) {
      if (!doc->IsValid(ArtOf(data->art[i]))) return kQvErrNoSuchArt;
      inputs.push_back(ArtOf(data->art[i]));
    }
    if (inputs.empty()) inputs = SelectedShapes(*doc);
    BooleanOp op = operation == kQvPathfinderDivide      ? BooleanOp::kDivide
                   : operation == kQvPathfinderIntersect ? BooleanOp::kIntersect
                                                         : BooleanOp::kUnite;
    return RunPathfinder(*doc, op, std::move(inputs));
  });
}

QvErr OffsetAction(const ActionPlay& play) {
  return Guard([&]() -> QvErr {
    Document* doc = CurrentDocument();
    if (doc == nullptr) return kQvErrNoDocument;
    const UnitReal* distance = play.parameters != nullptr ? play.parameters->Get<UnitReal>(kQvOffsetKey) : nullptr;
    if (distance == nullptr || distance->unit != kQvUnitPoints) return kQvErrBadParameter;
    const double* limit = play.parameters->Get<double>(kQvMiterLimitKey);
    const Enumerated* join = play.parameters->Get<Enumerated>(kQvJoinTypeKey);
    geometry::JoinType joinType = geometry::JoinType::kMiter;
    if (join != nullptr) {
      joinType = join->value == kQvOffsetRoundJoin   ? geometry::JoinType::kRound
                 : join->value == kQvOffsetBevelJoin ? geometry::JoinType::kBevel
                                                     : geometry::JoinType::kMiter;
    }
    for (ArtId art : doc->SelectedPaths()) {
      if (!Touchable(*doc, art)) continue;
      const document::Art* a = doc->FindArt(art);
      std::vector<CompoundPath> outlines = geometry::OffsetPath(PathData{a->segments, true}, distance->value,
                                                                limit != nullptr ? *limit : 4.0, joinType);
      document::PathStyle style = a->style;
      // Each outline goes directly above its input, in the same group.
      for (auto it = outlines.rbegin(); it != outlines.rend(); ++it) {
        PlaceShape(*doc, *it, style, document::PaintOrder::kPlaceAbove, art);
      }
    }
    return kQvNoErr;
  });
}

QvErr PathfinderAction(const ActionPlay& play) {
  const Enumerated* name =
      play.parameters != nullptr ? play.parameters->Get<Enumerated>(kQvPathfinderOperationKey) : nullptr;
  if (name == nullptr) return kQvErrBadParameter;
  if (name->value != kQvPathfinderUnite && name->value != kQvPathfinderIntersect &&
      name->value != kQvPathfinderDivide) {
    return kQvErrBadParameter;
  }
  QvPathfinderData data{};
  data.precision = 10.0;
  return PathfinderImpl(name->value, &data);
}

}  // namespace workbench::plugin
