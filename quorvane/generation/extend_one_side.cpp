#include "quorvane/generation/extend_one_side.h"

#include <optional>

#include "quorvane/geometry/construction.h"
#include "quorvane/geometry/direction.h"
#include "quorvane/geometry/line_intersection.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/outline_intersection.h"

namespace quorvane::generation {

namespace {

using geometry::OutlinePoint;
using geometry::Vec2;

// Edges closer than this to parallel at an end make it neither convex nor
// concave, in radians.
constexpr double kStraightEndAngle = 0.25;

using geometry::LeftNormal;

// How the finish line turns at one vertex, with the edges around it.
struct VertexTurn {
  Vec2 prev;
  Vec2 v;
  Vec2 next;
  Vec2 dIn;   // v − prev
  Vec2 dOut;  // next − v
  bool straight = false;  // the edges within kStraightEndAngle of parallel
  bool concave = false;   // a left turn that is not straight
};

VertexTurn TurnAt(std::span<const OutlinePoint> outline, int i) {
  const auto around = *geometry::OutlineNeighbours(outline, i);
  VertexTurn c{around.prev, outline[i].p, around.next, outline[i].p - around.prev, around.next - outline[i].p};
  c.straight = geometry::IsParallel(c.dIn, c.dOut, kStraightEndAngle);
  c.concave = !c.straight && geometry::TurnsLeft(c.prev, c.v, c.next);
  return c;
}

// Where the new allowance leaves the margin at one end of the run
// (`atStart` for the first anchor): at a convex or straight end along the
// line of the run's edge, carried on beyond the corner (or along its normal
// when straight); at a concave end, the nearest margin vertex, recorded in
// `records` for the follow-up to straighten. None when the cast misses.
struct Join {
  int index = 0;
  Vec2 point;
};
std::optional<Join> JoinAtEnd(const VertexTurn& end, bool atStart, std::span<const OutlinePoint> margin,
                              OneSideEndRecords& records) {
  if (end.concave) {
    const auto nearest = geometry::NearestOutlinePoint(end.v, margin);
    if (!nearest) return std::nullopt;
    const int index = *nearest;
    const Vec2 point = margin[static_cast<std::size_t>(index)].p;
    const int slot = atStart ? 0 : 5;
    records.points[slot] = end.v;
    records.points[slot + 1] = point;
    records.points[slot + 4] = atStart ? end.dOut : end.dIn;
    records.pending = true;
    // A start sets the mask afresh; an end adds its bit.
    records.mask = atStart ? kOneSideStartRecorded : records.mask + kOneSideEndRecorded;
    return Join{index, point};
  }
  const Vec2 runEdge = atStart ? end.dOut : end.dIn;
  const Vec2 dir = end.straight ? LeftNormal(runEdge) : (atStart ? -runEdge : runEdge);
  const auto hit = geometry::CastOntoOutline(end.v, end.v + geometry::kCastReach * geometry::UnitVector(dir), margin,
                                             atStart);
  if (!hit) return std::nullopt;
  return Join{hit->index, hit->point};
}

// The outer corner of the new allowance at one end of the run (`atStart`
// for the first anchor), `reach` out. Beside a concave end it lies toward
// the nearest margin vertex; beside a straight one along the normal of the
// run's edge; otherwise it is where the oversized line beside the run's
// edge meets the margin's line beside the edge off the run, through the
// margin vertex next to where the run joins (`joined`) on that side.
Vec2 OuterCorner(const VertexTurn& end, bool atStart, std::span<const OutlinePoint> margin, int joined,
                 double reach) {
  const Vec2 normal = geometry::UnitVector(LeftNormal(atStart ? end.dOut : end.dIn));
  if (end.concave) {
    // The join at this end found a nearest vertex on much the same margin.
    const Vec2 nearest = margin[static_cast<std::size_t>(geometry::NearestOutlinePoint(end.v, margin).value_or(joined))].p;
    return end.v + reach * geometry::UnitVector(nearest - end.v);
  }
  if (end.straight) return end.v + reach * normal;
  const Vec2 oversized = (atStart ? end.next : end.prev) + reach * normal;
  const int n = static_cast<int>(margin.size());
  const Vec2 beside = margin[static_cast<std::size_t>(geometry::CyclicIndex(joined + (atStart ? -1 : 1), n))].p;
  const auto x = atStart ? geometry::IntersectLines(beside, end.dIn, oversized, end.dOut)
                         : geometry::IntersectLines(oversized, end.dIn, beside, end.dOut);
  return x ? x->point : end.v + reach * normal;
}

}  // namespace

OneSideRun OneSideRunOutline(const OneSideRunInput& in) {
  OneSideRun out{in.ends, std::nullopt};
  const std::span<const OutlinePoint> f = in.base;
  geometry::Outline m(in.margin.begin(), in.margin.end());
  const std::span<const OutlinePoint> mView(m);
  const int n = static_cast<int>(f.size());
  const double reach = in.reach;
  const Vec2 anchorA = in.firstAnchor;
  const Vec2 anchorB = in.secondAnchor;

  auto ia = geometry::NearestOutlinePoint(anchorA, f);
  auto ib = geometry::NearestOutlinePoint(anchorB, f);
  if (!ia || !ib) return out;
  const VertexTurn start = TurnAt(f, *ia);
  const VertexTurn end = TurnAt(f, *ib);
  OneSideEndRecords& records = out.ends;

  const auto joinA = JoinAtEnd(start, true, mView, records);
  if (!joinA) return out;
  const int idxA = joinA->index;
  m[static_cast<std::size_t>(idxA)].p = joinA->point;
  const auto joinB = JoinAtEnd(end, false, mView, records);
  if (!joinB) return out;
  const int idxB = joinB->index;
  if (idxA == idxB) return out;
  m[static_cast<std::size_t>(idxB)].p = joinB->point;

  const Vec2 xa = OuterCorner(start, true, mView, idxA, reach);
  const Vec2 xb = OuterCorner(end, false, mView, idxB, reach);

  const int runCount = *ia <= *ib ? *ib - *ia + 1 : *ib + n - *ia + 1;
  geometry::Outline run;
  run.reserve(static_cast<std::size_t>(runCount));
  for (int k = 0; k < runCount; ++k) {
    const int j = (*ia + k) % n;
    const VertexTurn c = TurnAt(f, j);
    Vec2 p;
    if (k == 0) {
      p = xa;
    } else if (k == runCount - 1) {
      p = xb;
    } else {
      p = geometry::MitredOffsetVertex(c.prev, c.v, c.next, reach);
      // Points of a run that folds back over its own ends are held on
      // the end lines.
      if (geometry::IntersectSegments(p, c.v, start.v, xa)) p = xa;
      if (geometry::IntersectSegments(p, c.v, end.v, xb)) p = xb;
    }
    run.push_back(OutlinePoint{p, f[j].corner});
  }
  out.margin = geometry::SpliceRun(mView, idxB, idxA, run);
  return out;
}

}  // namespace quorvane::generation
