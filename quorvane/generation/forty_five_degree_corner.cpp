#include "quorvane/generation/forty_five_degree_corner.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <span>

#include "quorvane/geometry/construction.h"
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

// How much farther than the new width the slope's top looks for the finish
// line, in points.
constexpr double kDropSlack = 10.0;
// Corner edges closer than this to parallel get a plain offset, not a
// mitre, in radians.
constexpr double kCornerParallelAngle = 0.5;
// The slope's diagonal per unit of rise: the square root of 2 as the
// commands' single-precision widths carry it.
const double kSlopeDiagonal = static_cast<double>(std::sqrt(2.0f));

using geometry::CyclicIndex;
using geometry::LeftNormal;

// What both directions share: the finish line and the old margin, the
// finish-line vertices of the corner (at P) and of the second point (at B),
// and the new width.
struct StretchInput {
  Points finish;
  Points margin;
  int corner = 0;
  int second = 0;
  double rise = 0.0;
  double width = 0.0;  // ext + rise, in points
};

// The new outline's pieces at the ends of the widened stretch.
struct Ends {
  Vec2 cornerPoint;  // K, the new allowance corner at P
  Vec2 slopeTop;     // S, the top of the slope
  Vec2 slopeFoot;    // the finish-line vertex under S
};

// Finish-line vertex j offset outward by the new width: the mitre of its
// two edges where the line turns right, the offset along the edge before
// it where it turns left (or the edges are near parallel). An offset whose
// line back to its vertex crosses the line from the corner to K, or from
// the slope's foot to S, gives way to K or S.
Vec2 OffsetVertex(const StretchInput& in, int j, const Ends& ends, Vec2 p) {
  const Vec2 v = in.finish[static_cast<std::size_t>(j)].p;
  const auto around = geometry::OutlineNeighbours(in.finish, j);
  Vec2 x = geometry::MitredOffsetVertex(around->prev, v, around->next, in.width);
  if (geometry::IntersectSegments(x, v, ends.cornerPoint, p)) x = ends.cornerPoint;
  if (geometry::IntersectSegments(x, v, ends.slopeTop, ends.slopeFoot)) x = ends.slopeTop;
  return x;
}

// The slope's top, S = M[s] + √2·rise along d2 turned by `turn`, dropped
// back to the new width from the finish line along the normal N2. None
// when the drop misses the finish line.
struct Slope {
  Vec2 top;
  Vec2 foot;
  int footVertex = 0;  // the finish-line vertex just after the foot
};
std::optional<Slope> SlopeTop(const StretchInput& in, Vec2 marginVertex, Vec2 d2, double turn) {
  Slope out;
  out.top = marginVertex + (kSlopeDiagonal * in.rise) * geometry::UnitVector(geometry::RotateVector(d2, turn));
  const Vec2 n2 = geometry::UnitVector(LeftNormal(d2));
  const auto drop = geometry::IntersectSegmentWithOutline(out.top, out.top - (in.width + kDropSlack) * n2, in.finish, false);
  if (!drop) return std::nullopt;
  out.foot = drop->point;
  out.footVertex = drop->index;
  // Exactly the new width out, along the normal at the second point.
  if (geometry::Distance(out.top, out.foot) != in.width) out.top = out.foot + in.width * n2;
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

// The widened stretch: "45. backward" from the second point forward to the
// corner, "45. forward" from the corner forward to the second point, each
// the other's mirror image. The corner's normal cast (along the edge on the
// stretch's side) finds A on the margin, the second point's normal finds
// H_B; the margin is kept from A round to H_B and the new run put between.
std::optional<geometry::Outline> WidenedStretch(const StretchInput& in, bool backward) {
  const Vec2 p = in.finish[static_cast<std::size_t>(in.corner)].p;
  const auto around = geometry::OutlineNeighbours(in.finish, in.corner);
  const Vec2 dPrev = p - around->prev;
  const Vec2 dNext = around->next - p;
  const Vec2 nPrev = geometry::UnitVector(LeftNormal(dPrev));
  const Vec2 nNext = geometry::UnitVector(LeftNormal(dNext));
  const int nM = static_cast<int>(in.margin.size());
  const int nF = static_cast<int>(in.finish.size());

  // The edge on the stretch's side, and the one the new width leaves along.
  const Vec2 nStretch = backward ? nNext : nPrev;
  const Vec2 offsetFrom = backward ? around->prev : around->next;
  const Vec2 offsetDirection = backward ? dPrev : dNext;
  const Vec2 nOffset = backward ? nPrev : nNext;
  const Vec2 marginDirection = backward ? dNext : dPrev;

  const auto atCorner = geometry::IntersectSegmentWithOutline(p, p + geometry::kCastReach * nStretch, in.margin, true);
  if (!atCorner) return std::nullopt;
  const int a = atCorner->index;
  const Vec2 marginVertex = in.margin[static_cast<std::size_t>(CyclicIndex(backward ? a + 1 : a - 1, nM))].p;
  Ends ends;
  ends.cornerPoint = CornerPoint(around->prev, p, around->next, offsetFrom + in.width * nOffset, offsetDirection, marginVertex,
                       marginDirection, p + in.width * nOffset, backward);

  const Vec2 bp = in.finish[static_cast<std::size_t>(in.second)].p;
  const auto aroundB = geometry::OutlineNeighbours(in.finish, in.second);
  const Vec2 d2 = backward ? aroundB->next - bp : bp - aroundB->prev;
  const auto atSecond =
      geometry::IntersectSegmentWithOutline(bp, bp + geometry::kCastReach * geometry::UnitVector(LeftNormal(d2)), in.margin, true);
  if (!atSecond || atSecond->index == a) return std::nullopt;
  const int s = atSecond->index;
  const Vec2 hb = atSecond->point;

  const double turn = backward ? std::numbers::pi / 4.0 : 3.0 * std::numbers::pi / 4.0;
  const auto slope = SlopeTop(in, in.margin[static_cast<std::size_t>(s)].p, d2, turn);
  if (!slope) return std::nullopt;
  ends.slopeTop = slope->top;
  ends.slopeFoot = in.finish[static_cast<std::size_t>(slope->footVertex)].p;
  const int e = slope->footVertex;

  // The finish line offset from E to the corner (backward) or from the
  // corner to E (forward), with the corner's point K and the slope's S at
  // its ends, joined to H_B through the midpoint of H_B and S.
  geometry::Outline run;
  if (backward) {
    run.push_back(OutlinePoint{hb});
    run.push_back(OutlinePoint{geometry::Midpoint(hb, ends.slopeTop)});
  }
  const int first = backward ? e : in.corner;
  const int last = backward ? in.corner : e;
  for (int j = first;; j = CyclicIndex(j + 1, nF)) {
    const Vec2 x = j == in.corner ? ends.cornerPoint : j == e ? ends.slopeTop : OffsetVertex(in, j, ends, p);
    run.push_back(OutlinePoint{x});
    if (j == last) break;
  }
  if (!backward) {
    run.push_back(OutlinePoint{geometry::Midpoint(hb, ends.slopeTop)});
    run.push_back(OutlinePoint{hb});
  }
  return backward ? geometry::SpliceRun(in.margin, a, s, run) : geometry::SpliceRun(in.margin, s, a, run);
}

}  // namespace

std::optional<geometry::Outline> FortyFiveDegreeOutline(const CommandInput& in, std::int32_t anchorNumber,
                                                        Vec2 secondPoint, double extensionWidth, double widthDelta,
                                                        bool backward) {
  if (!in.HasAnchor(anchorNumber)) return std::nullopt;
  StretchInput stretch;
  stretch.finish = in.finish;
  stretch.margin = in.margin;
  stretch.rise = widthDelta;
  stretch.width = extensionWidth + widthDelta;
  const auto corner = geometry::NearestOutlinePoint(in.anchors[static_cast<std::size_t>(anchorNumber - 1)].p, stretch.finish);
  if (!corner) return std::nullopt;
  stretch.corner = *corner;
  const auto secondVertex = geometry::NearestOutlinePoint(secondPoint, stretch.finish);
  if (!secondVertex) return std::nullopt;
  stretch.second = *secondVertex;
  return WidenedStretch(stretch, backward);
}

}  // namespace quorvane::generation
