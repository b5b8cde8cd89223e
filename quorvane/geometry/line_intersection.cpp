#include "quorvane/geometry/line_intersection.h"

#include <algorithm>
#include <cmath>

#include "quorvane/geometry/direction.h"
#include "quorvane/geometry/tolerances.h"

namespace quorvane::geometry {

namespace {

bool InRange(double value, double a, double b) {
  return value >= std::min(a, b) && value <= std::max(a, b);
}

}  // namespace

std::optional<LineCrossing> IntersectLines(Vec2 p, Vec2 d1, Vec2 q, Vec2 d2) {
  if (VectorLength(d1) == 0.0 || VectorLength(d2) == 0.0) return std::nullopt;
  if (IsParallel(d1, d2, kParallelAngleTolerance)) return std::nullopt;
  const double cross = d1.x * d2.y - d2.x * d1.y;
  const Vec2 w = q - p;
  const double s = (d2.y * w.x - d2.x * w.y) / cross;
  const double u = (d1.y * w.x - d1.x * w.y) / cross;
  return LineCrossing{{p.x + s * d1.x, p.y + s * d1.y}, s, u};
}

std::optional<LineCrossing> IntersectSegments(Vec2 a, Vec2 b, Vec2 c, Vec2 d) {
  const Vec2 d1 = b - a;
  const Vec2 d2 = d - c;
  if (VectorLength(d1) == 0.0 && VectorLength(d2) == 0.0) {
    if (a.x == c.x && a.y == c.y) return LineCrossing{a, 0.0, 0.0};
    return std::nullopt;
  }
  std::optional<LineCrossing> crossing = IntersectLines(a, d1, c, d2);
  if (!crossing) return std::nullopt;
  // The point is computed along a-b, so it lies exactly on a-b's axis when
  // a-b is vertical or horizontal, but rounding can put it a hair off c-d's
  // axis. A crossing with a vertical (horizontal) c-d has exactly c-d's x
  // (y): take it, or the exact bounds test below would miss the crossing.
  if (c.x == d.x) crossing->point.x = c.x;
  if (c.y == d.y) crossing->point.y = c.y;
  const Vec2 o = crossing->point;
  if (!InRange(o.x, a.x, b.x) || !InRange(o.y, a.y, b.y)) return std::nullopt;
  if (!InRange(o.x, c.x, d.x) || !InRange(o.y, c.y, d.y)) return std::nullopt;
  return crossing;
}

std::optional<LineCrossing> IntersectSegmentsTolerant(Vec2 a, Vec2 b, Vec2 c, Vec2 d) {
  const Vec2 d1 = b - a;
  const Vec2 d2 = d - c;
  const double cross = d1.x * d2.y - d1.y * d2.x;
  if (std::fabs(cross) < kTolerantCrossingSlack) return std::nullopt;
  const Vec2 w = c - a;
  const double s = (w.x * d2.y - w.y * d2.x) / cross;
  const double u = (w.x * d1.y - w.y * d1.x) / cross;
  constexpr double kLow = -kTolerantCrossingSlack;
  constexpr double kHigh = 1.0 + kTolerantCrossingSlack;
  if (s < kLow || s > kHigh || u < kLow || u > kHigh) return std::nullopt;
  return LineCrossing{{a.x + s * d1.x, a.y + s * d1.y}, s, u};
}

}  // namespace quorvane::geometry
