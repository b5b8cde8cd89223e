// Where a straight segment first crosses a closed outline, seen from the
// segment's start. In points, y up.
#pragma once

#include <optional>
#include <span>

#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::geometry {

/// The crossing of a segment a–b with an outline nearest to a.
struct OutlineCrossing {
  Vec2 point;  ///< the crossing, computed on the outline edge
  /// The outline vertex just before the crossing (takeStart) or just after it:
  /// the edge number, or the edge number + 1 wrapping to 0 after the closing
  /// edge.
  int index = -1;
  /// The edge crossed, from vertex `edge` to vertex `edge` + 1 (the closing
  /// edge is n − 1); for a snapped vertex, the vertex's own number.
  int edge = -1;
  double edgeParameter = 0.0;     ///< along the edge from its start; 0 when snapped
  double segmentParameter = 0.0;  ///< along a–b from a (projection when snapped)
  bool snapped = false;           ///< a vertex stood in for a crossing
};

/// Where a–b first crosses the outline, seen from a. Every edge is tested
/// with IntersectSegments (exact bounds), the closing edge first and then
/// edges 0 to n − 2; the crossing nearest to a wins, the first tested on
/// equal distances. None when nothing is crossed.
std::optional<OutlineCrossing> IntersectSegmentWithOutline(
    Vec2 a, Vec2 b, std::span<const OutlinePoint> outline, bool takeStart);

/// As IntersectSegmentWithOutline, with IntersectSegmentsTolerant for the
/// edges. When no edge is crossed one vertex may stand in:
/// - reach ≤ 0: of the vertices closer than kVertexOnSegmentDistance to a–b,
///   the one nearest to b (first on ties);
/// - reach > 0: the vertex nearest to the point `reach` points from a toward b
///   (first on ties), if strictly closer to it than kVertexSnapDistance.
std::optional<OutlineCrossing> IntersectSegmentWithOutlineTolerant(
    Vec2 a, Vec2 b, double reach, std::span<const OutlinePoint> outline, bool takeStart);

}  // namespace quorvane::geometry
