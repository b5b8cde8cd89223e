// Feet of perpendiculars on segments and lines, and mirror images of points.
// In points, y up.
#pragma once

#include <optional>

#include "quorvane/geometry/vec2.h"

namespace quorvane::geometry {

/// The foot of the perpendicular from a point on a segment a–b.
struct SegmentFoot {
  Vec2 point;        ///< a + t·(b − a)
  double t = 0.0;    ///< in [0, 1]
};

/// The foot of the perpendicular from p on the segment a–b. None when a equals
/// b or the foot lies outside the segment (t < 0 or t > 1; both ends count).
std::optional<SegmentFoot> ProjectPointOnSegment(Vec2 a, Vec2 b, Vec2 p);

/// Whether p projects onto a–b and lies strictly closer than `tolerance`
/// (points) to its foot.
bool IsPointNearSegment(Vec2 a, Vec2 b, Vec2 p, double tolerance);

/// The mirror image of p in the line through q and r. When q equals r there is
/// no line; the result is then −p (the mirror image in the origin).
Vec2 ReflectPointAcrossLine(Vec2 p, Vec2 q, Vec2 r);

}  // namespace quorvane::geometry
