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

}  // namespace workbench::geometry
