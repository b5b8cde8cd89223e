#include "quorvane/geometry/direction.h"

#include <cmath>
#include <numbers>

namespace quorvane::geometry {

bool IsParallel(Vec2 a, Vec2 b, double tolerance) {
  const double m = std::fabs(Angle(b) - Angle(a));
  constexpr double kPi = std::numbers::pi;
  // Differences near 2π arise when one angle lies just below π and the other
  // just above −π: the directions are then nearly equal.
  return tolerance > m || m > 2.0 * kPi - tolerance || (kPi - tolerance < m && m < kPi + tolerance);
}

bool TurnsLeft(Vec2 a, Vec2 b, Vec2 c) {
  const Vec2 d1 = b - a;
  const Vec2 d2 = c - b;
  const Vec2 turned = RotateVector(d2, -Angle(d1));
  return Angle(turned) >= 0.0;
}

Vec2 ReflectVector(Vec2 v, Vec2 axis) {
  const double delta = Angle(v) - Angle(axis);
  return RotateVector(v, -2.0 * delta);
}

}  // namespace quorvane::geometry
