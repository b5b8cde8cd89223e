// Plain 2-D points of the host, in document points with y up.
#pragma once

#include <cmath>

namespace workbench::geometry {

/// A point or vector in document points; y grows upward.
struct Point {
  double x = 0.0;
  double y = 0.0;

  friend bool operator==(const Point&, const Point&) = default;
  friend Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
  friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
  friend Point operator*(Point a, double s) { return {a.x * s, a.y * s}; }
  friend Point operator*(double s, Point a) { return {a.x * s, a.y * s}; }
};

inline double Dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
inline double Cross(Point a, Point b) { return a.x * b.y - a.y * b.x; }
inline double Length(Point a) { return std::hypot(a.x, a.y); }
inline double Distance(Point a, Point b) { return Length(a - b); }

/// Whether a and b lie at most `limit` apart, decided exactly as
/// Distance(a, b) <= limit decides it: the squares settle every case but
/// those within a rounding error of the limit, which Distance settles.
inline bool WithinDistance(Point a, Point b, double limit) {
  const Point d = a - b;
  const double d2 = d.x * d.x + d.y * d.y;
  const double limit2 = limit * limit;
  // Below this the squares lose precision (or the limit is negative).
  constexpr double kSmallestSquare = 1e-280;
  if (limit >= 0.0 && limit2 > kSmallestSquare) {
    if (d2 < limit2 * (1.0 - 1e-9)) return true;
    if (d2 > limit2 * (1.0 + 1e-9)) return false;
  }
  return Distance(a, b) <= limit;
}

}  // namespace workbench::geometry
