#include "quorvane/geometry/projection.h"

#include <numbers>

#include "quorvane/geometry/line_intersection.h"

namespace quorvane::geometry {

std::optional<SegmentFoot> ProjectPointOnSegment(Vec2 a, Vec2 b, Vec2 p) {
  const Vec2 d = b - a;
  const double lengthSquared = d.x * d.x + d.y * d.y;
  if (lengthSquared == 0.0) return std::nullopt;
  const double t = Dot(p - a, d) / lengthSquared;
  if (t < 0.0 || t > 1.0) return std::nullopt;
  return SegmentFoot{{a.x + t * d.x, a.y + t * d.y}, t};
}

bool IsPointNearSegment(Vec2 a, Vec2 b, Vec2 p, double tolerance) {
  const std::optional<SegmentFoot> foot = ProjectPointOnSegment(a, b, p);
  return foot && tolerance > Distance(p, foot->point);
}

Vec2 ReflectPointAcrossLine(Vec2 p, Vec2 q, Vec2 r) {
  const Vec2 d = q - r;
  // The foot is where the perpendicular through p meets the line; without a
  // line the foot stays at the origin, as the generators expect.
  Vec2 foot;
  if (const auto crossing = IntersectLines(p, RotateVector(d, std::numbers::pi / 2.0), q, d)) {
    foot = crossing->point;
  }
  return foot + (foot - p);
}

}  // namespace quorvane::geometry
