#include "quorvane/generation/forty_five_degree_corner.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <span>

#include "quorvane/generation/outline_reader.h"
#include "quorvane/generation/result_outline.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/geometry/direction.h"
#include "quorvane/geometry/line_intersection.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/outline_intersection.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::generation {

namespace {

using geometry::OutlinePoint;
using geometry::Vec2;
using Points = std::span<const OutlinePoint>;

// How far the normals at the corner and at the second point are followed
// to the margin, in points.
constexpr double kNormalReach = 500.0;
// How much farther than the new width the slope's top looks for the finish
// line, in points.
constexpr double kDropSlack = 10.0;
// Corner edges closer than this to parallel get a plain offset, not a
// mitre, in radians.
constexpr double kCornerParallelAngle = 0.5;
// The slope's diagonal per unit of rise: the square root of 2 as the
// commands' single-precision widths carry it.
const double kSlopeDiagonal = static_cast<double>(std::sqrt(2.0f));

Vec2 Outward(Vec2 d) { return geometry::RotateVector(d, std::numbers::pi / 2.0); }
int Wrap(int i, int n) { return ((i % n) + n) % n; }

// What both directions share: the finish line and the old margin, the
// corner c (at P) and the second point b (at B), and the new width.
struct Corner {
  Points f;
  Points m;
  int c = 0;
  int b = 0;
  double rise = 0.0;
  double width = 0.0;  // ext + rise, in points
};

// The new outline's pieces at the ends of the widened stretch.
struct Ends {
  Vec2 k;          // the new allowance corner at P
  Vec2 s;          // the top of the slope
  Vec2 slopeFoot;  // the finish-line vertex under S
};

// Finish-line vertex j offset outward by the new width: the mitre of its
// two edges where the line turns right, the offset along the edge before
// it where it turns left (or the edges are near parallel). An offset whose
// line back to its vertex crosses the line from the corner to K, or from
// the slope's foot to S, gives way to K or S.
Vec2 OffsetVertex(const Corner& in, int j, const Ends& ends, Vec2 p) {
  const Vec2 v = in.f[static_cast<std::size_t>(j)].p;
  const auto around = geometry::OutlineNeighbours(in.f, j);
  const Vec2 dp = v - around->prev;
  const Vec2 dn = around->next - v;
  const Vec2 np = geometry::UnitVector(Outward(dp));
  const Vec2 nn = geometry::UnitVector(Outward(dn));
  Vec2 x = v + in.width * np;
  if (!geometry::TurnsLeft(around->prev, v, around->next)) {
    if (auto mitre = geometry::IntersectLines(around->prev + in.width * np, dp, around->next + in.width * nn, dn)) {
      x = mitre->point;
    }
  }
  if (geometry::IntersectSegments(x, v, ends.k, p)) x = ends.k;
  if (geometry::IntersectSegments(x, v, ends.s, ends.slopeFoot)) x = ends.s;
  return x;
}

// The slope's top, S = M[s] + √2·rise along d2 turned by `turn`, dropped
// back to the new width from the finish line along the normal N2. None
// when the drop misses the finish line.
struct Slope {
  Vec2 s;
  Vec2 foot;
  int e = 0;  // the finish-line vertex just after the foot
};
std::optional<Slope> SlopeTop(const Corner& in, Vec2 marginVertex, Vec2 d2, double turn) {
  Slope out;
  out.s = marginVertex + (kSlopeDiagonal * in.rise) * geometry::UnitVector(geometry::RotateVector(d2, turn));
  const Vec2 n2 = geometry::UnitVector(Outward(d2));
  const auto drop = geometry::IntersectSegmentWithOutline(out.s, out.s - (in.width + kDropSlack) * n2, in.f, false);
  if (!drop) return std::nullopt;
  out.foot = drop->point;
  out.e = drop->index;
  // Exactly the new width out, along the normal at the second point.
  if (geometry::Distance(out.s, out.foot) != in.width) out.s = out.foot + in.width * n2;
  return out;
}

// K where one edge at the corner, offset by the new width, meets the line
// through the old margin vertex `marginVertex` parallel to the other edge;
// `fallback` where the corner turns left, its edges are near parallel, or
// the lines do not meet.
Vec2 CornerPoint(Vec2 prev, Vec2 p, Vec2 next, Vec2 offsetPoint, Vec2 offsetDirection, Vec2 marginVertex,
                 Vec2 marginDirection, Vec2 fallback, bool offsetFirst) {
  const Vec2 dPrev = p - prev;
  const Vec2 dNext = next - p;
  if (geometry::TurnsLeft(prev, p, next) || geometry::IsParallel(dPrev, dNext, kCornerParallelAngle)) {
    return fallback;
  }
  const auto k = offsetFirst ? geometry::IntersectLines(offsetPoint, offsetDirection, marginVertex, marginDirection)
                             : geometry::IntersectLines(marginVertex, marginDirection, offsetPoint, offsetDirection);
  return k ? k->point : fallback;
}

using NewOutline = host::ScratchArray<OutlinePoint>;

// "45. backward": the stretch from the second point forward to the corner.
std::optional<NewOutline> BackwardTwin(host::HostDocument& doc, const Corner& in) {
  const Vec2 p = in.f[static_cast<std::size_t>(in.c)].p;
  const auto around = geometry::OutlineNeighbours(in.f, in.c);
  const Vec2 dPrev = p - around->prev;
  const Vec2 dNext = around->next - p;
  const Vec2 nPrev = geometry::UnitVector(Outward(dPrev));
  const Vec2 nNext = geometry::UnitVector(Outward(dNext));
  const int nM = static_cast<int>(in.m.size());
  const int nF = static_cast<int>(in.f.size());

  const auto atCorner = geometry::IntersectSegmentWithOutline(p, p + kNormalReach * nNext, in.m, true);
  if (!atCorner) return std::nullopt;
  const int a = atCorner->index;
  const Vec2 m1 = in.m[static_cast<std::size_t>(Wrap(a + 1, nM))].p;
  Ends ends;
  ends.k = CornerPoint(around->prev, p, around->next, around->prev + in.width * nPrev, dPrev, m1, dNext,
                       p + in.width * nPrev, true);

  const Vec2 bp = in.f[static_cast<std::size_t>(in.b)].p;
  const Vec2 d2 = geometry::OutlineNeighbours(in.f, in.b)->next - bp;
  const auto atSecond = geometry::IntersectSegmentWithOutline(bp, bp + kNormalReach * geometry::UnitVector(Outward(d2)), in.m, true);
  if (!atSecond || atSecond->index == a) return std::nullopt;
  const int s = atSecond->index;
  const Vec2 hb = atSecond->point;

  const auto slope = SlopeTop(in, in.m[static_cast<std::size_t>(s)].p, d2, std::numbers::pi / 4.0);
  if (!slope) return std::nullopt;
  ends.s = slope->s;
  ends.slopeFoot = in.f[static_cast<std::size_t>(slope->e)].p;
  const int e = slope->e;

  const int k = Wrap(in.c - e, nF) + 3;
  const int count = a < s ? (s - a + 1) + k : (s + nM - a + 1) + k;
  auto out = doc.AllocateArray<OutlinePoint>(static_cast<std::size_t>(count));
  if (!out) return std::nullopt;
  std::size_t n = 0;
  auto keep = [&](int from, int to) {
    for (int i = from; i <= to; ++i) (*out)[n++] = in.m[static_cast<std::size_t>(i)];
  };
  auto insert = [&] {
    (*out)[n++] = OutlinePoint{hb};
    (*out)[n++] = OutlinePoint{geometry::Midpoint(hb, ends.s)};
    for (int j = e;; j = Wrap(j + 1, nF)) {
      const Vec2 x = j == in.c ? ends.k : j == e ? ends.s : OffsetVertex(in, j, ends, p);
      (*out)[n++] = OutlinePoint{x};
      if (j == in.c) break;
    }
  };
  if (a < s) {
    keep(a, s);
    insert();
  } else {
    keep(0, s);
    insert();
    keep(a, nM - 1);
  }
  return out;
}

// "45. forward": the stretch from the corner forward to the second point,
// the mirror image of the backward construction.
std::optional<NewOutline> ForwardTwin(host::HostDocument& doc, const Corner& in) {
  const Vec2 p = in.f[static_cast<std::size_t>(in.c)].p;
  const auto around = geometry::OutlineNeighbours(in.f, in.c);
  const Vec2 dPrev = p - around->prev;
  const Vec2 dNext = around->next - p;
  const Vec2 nPrev = geometry::UnitVector(Outward(dPrev));
  const Vec2 nNext = geometry::UnitVector(Outward(dNext));
  const int nM = static_cast<int>(in.m.size());
  const int nF = static_cast<int>(in.f.size());

  const auto atCorner = geometry::IntersectSegmentWithOutline(p, p + kNormalReach * nPrev, in.m, true);
  if (!atCorner) return std::nullopt;
  const int a = atCorner->index;
  const Vec2 m0 = in.m[static_cast<std::size_t>(Wrap(a - 1, nM))].p;
  Ends ends;
  ends.k = CornerPoint(around->prev, p, around->next, around->next + in.width * nNext, dNext, m0, dPrev,
                       p + in.width * nNext, false);

  const Vec2 bp = in.f[static_cast<std::size_t>(in.b)].p;
  const Vec2 d2 = bp - geometry::OutlineNeighbours(in.f, in.b)->prev;
  const auto atSecond = geometry::IntersectSegmentWithOutline(bp, bp + kNormalReach * geometry::UnitVector(Outward(d2)), in.m, true);
  if (!atSecond || atSecond->index == a) return std::nullopt;
  const int s = atSecond->index;
  const Vec2 hb = atSecond->point;

  const auto slope = SlopeTop(in, in.m[static_cast<std::size_t>(s)].p, d2, 3.0 * std::numbers::pi / 4.0);
  if (!slope) return std::nullopt;
  ends.s = slope->s;
  ends.slopeFoot = in.f[static_cast<std::size_t>(slope->e)].p;
  const int e = slope->e;

  const int k = Wrap(e - in.c, nF) + 3;
  const int count = s < a ? (a - s + 1) + k : (a + nM - s + 1) + k;
  auto out = doc.AllocateArray<OutlinePoint>(static_cast<std::size_t>(count));
  if (!out) return std::nullopt;
  std::size_t n = 0;
  auto keep = [&](int from, int to) {
    for (int i = from; i <= to; ++i) (*out)[n++] = in.m[static_cast<std::size_t>(i)];
  };
  auto insert = [&] {
    for (int j = in.c;; j = Wrap(j + 1, nF)) {
      const Vec2 x = j == in.c ? ends.k : j == e ? ends.s : OffsetVertex(in, j, ends, p);
      (*out)[n++] = OutlinePoint{x};
      if (j == e) break;
    }
    (*out)[n++] = OutlinePoint{geometry::Midpoint(hb, ends.s)};
    (*out)[n++] = OutlinePoint{hb};
  };
  if (s < a) {
    keep(s, a);
    insert();
  } else {
    keep(0, a);
    insert();
    keep(s, nM - 1);
  }
  return out;
}

}  // namespace

bool FortyFiveDegreeCorner(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber,
                           std::int32_t segmentNumber, double t, float extensionWidth, float widthDelta,
                           bool backward) {
  if (anchorNumber <= 0 || segmentNumber <= 0 || !state.sourcePath || !state.resultArt) return false;
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return false;
  state.workLayer2 = *layer;
  const double ext = static_cast<double>(extensionWidth) * state.pointsPerUnit;
  const double rise = static_cast<double>(widthDelta) * state.pointsPerUnit;

  auto finish = ReadOutline(doc, state.sourcePath);
  if (!finish || anchorNumber > finish->SegmentCount() || segmentNumber > finish->SegmentCount()) return false;
  auto margin = ReadOutline(doc, state.resultArt);
  if (!margin) return false;

  Corner in;
  in.f = finish->Outline();
  in.m = margin->Outline();
  in.rise = rise;
  in.width = ext + rise;
  const QvRealPoint anchor = finish->segments[static_cast<std::size_t>(anchorNumber - 1)].p;
  in.c = NearestOutlineVertex({anchor.h, anchor.v}, in.f);
  if (in.c < 0) return false;

  const auto bezier = doc.Bezier(state.sourcePath, segmentNumber - 1);
  if (!bezier) return false;
  const auto second = doc.BezierPoint(*bezier, t);
  if (!second) return false;
  const auto b = geometry::NearestOutlinePoint({second->h, second->v}, in.f);
  if (!b) return false;
  in.b = *b;

  auto outline = backward ? BackwardTwin(doc, in) : ForwardTwin(doc, in);
  if (!outline) return false;
  auto built = BuildResultOutline(doc, state, {outline->Data(), outline->Size()}, true);
  state.resultArt = built ? *built : host::ArtRef{};
  return built.has_value();
}

}  // namespace quorvane::generation
