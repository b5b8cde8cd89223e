#include "quorvane/geometry/vec2.h"

namespace quorvane::geometry {

Vec2 RotateVector(Vec2 v, double angle) {
  // Without the shortcut a zero rotation would still round through cos and
  // sin and turn −0 into +0; callers rely on getting v back exactly.
  if (angle == 0.0) return v;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  return {v.x * c - v.y * s, v.x * s + v.y * c};
}

}  // namespace quorvane::geometry
