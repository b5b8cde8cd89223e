#include "quorvane/geometry/outline_intersection.h"

#include <algorithm>

#include "quorvane/geometry/line_intersection.h"
#include "quorvane/geometry/projection.h"
#include "quorvane/geometry/tolerances.h"

namespace quorvane::geometry {

namespace {

using SegmentTest = std::optional<LineCrossing> (*)(Vec2, Vec2, Vec2, Vec2);

int IndexOfCrossing(int edge, int n, bool takeStart) {
  if (takeStart) return edge;
  return edge == n - 1 ? 0 : edge + 1;
}

// Tests the closing edge first, then edges 0 to n − 2, and keeps the crossing
// nearest to a; a later one replaces it only when strictly nearer, so the
// first tested wins a tie. The candidates are kept as a running best instead
// of a list: the choice is the same. With `boxesMustMeet` (for tests whose
// crossing lies within both segments' bounding boxes) an edge whose box is
// clear of a-b's box is passed over without testing.
std::optional<OutlineCrossing> NearestEdgeCrossing(Vec2 a, Vec2 b, std::span<const OutlinePoint> outline,
                                                   SegmentTest test, bool boxesMustMeet) {
  const int n = static_cast<int>(outline.size());
  const double left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  const double bottom = std::min(a.y, b.y), top = std::max(a.y, b.y);
  std::optional<OutlineCrossing> best;
  double bestDistance = 0.0;
  for (int k = 0; k < n; ++k) {
    const int edge = k == 0 ? n - 1 : k - 1;
    const Vec2 start = outline[static_cast<std::size_t>(edge)].p;
    const Vec2 end = outline[static_cast<std::size_t>(edge == n - 1 ? 0 : edge + 1)].p;
    if (boxesMustMeet && ((start.x < left && end.x < left) || (start.x > right && end.x > right) ||
                          (start.y < bottom && end.y < bottom) || (start.y > top && end.y > top))) {
      continue;
    }
    const std::optional<LineCrossing> crossing = test(start, end, a, b);
    if (!crossing) continue;
    const double distance = Distance(crossing->point, a);
    if (!best || distance < bestDistance) {
      best = OutlineCrossing{crossing->point, -1, edge, crossing->s, crossing->u, false};
      bestDistance = distance;
    }
  }
  return best;
}

// The vertex that stands in for a crossing when no edge is crossed.
std::optional<int> SnapVertex(Vec2 a, Vec2 b, double reach, std::span<const OutlinePoint> outline) {
  if (reach <= 0.0) {
    std::optional<int> best;
    double bestDistance = 0.0;
    for (std::size_t k = 0; k < outline.size(); ++k) {
      const Vec2 v = outline[k].p;
      if (!IsPointNearSegment(a, b, v, kVertexOnSegmentDistance)) continue;
      const double distance = Distance(v, b);
      if (!best || distance < bestDistance) {
        best = static_cast<int>(k);
        bestDistance = distance;
      }
    }
    return best;
  }
  if (VectorLength(b - a) == 0.0) return std::nullopt;  // no direction to reach along
  const Vec2 target = PointToward(a, b, reach);
  const std::optional<int> nearest = NearestOutlinePoint(target, outline);
  if (!nearest) return std::nullopt;
  if (!(Distance(outline[static_cast<std::size_t>(*nearest)].p, target) < kVertexSnapDistance)) {
    return std::nullopt;
  }
  return nearest;
}

}  // namespace

std::optional<OutlineCrossing> IntersectSegmentWithOutline(Vec2 a, Vec2 b, std::span<const OutlinePoint> outline,
                                                           bool takeStart) {
  std::optional<OutlineCrossing> crossing = NearestEdgeCrossing(a, b, outline, &IntersectSegments, true);
  if (crossing) crossing->index = IndexOfCrossing(crossing->edge, static_cast<int>(outline.size()), takeStart);
  return crossing;
}

std::optional<OutlineCrossing> IntersectSegmentWithOutlineTolerant(Vec2 a, Vec2 b, double reach,
                                                                   std::span<const OutlinePoint> outline,
                                                                   bool takeStart) {
  const int n = static_cast<int>(outline.size());
  std::optional<OutlineCrossing> crossing = NearestEdgeCrossing(a, b, outline, &IntersectSegmentsTolerant, false);
  if (!crossing) {
    const std::optional<int> vertex = SnapVertex(a, b, reach, outline);
    if (!vertex) return std::nullopt;
    const Vec2 v = outline[static_cast<std::size_t>(*vertex)].p;
    const Vec2 d = b - a;
    crossing = OutlineCrossing{v, -1, *vertex, 0.0, Dot(v - a, d) / Dot(d, d), true};
  }
  crossing->index = IndexOfCrossing(crossing->edge, n, takeStart);
  return crossing;
}

}  // namespace quorvane::geometry
