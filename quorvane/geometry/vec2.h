// Points and vectors of the plane, in document points with y up; angles in
// radians, counter-clockwise positive.
#pragma once

#include <cmath>

namespace quorvane::geometry {

/// A point or a vector: x horizontal, y vertical (up), in points.
struct Vec2 {
  double x = 0.0;
  double y = 0.0;

  friend constexpr bool operator==(const Vec2&, const Vec2&) = default;
};

constexpr Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
constexpr Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
constexpr Vec2 operator-(Vec2 v) { return {-v.x, -v.y}; }
constexpr Vec2 operator*(double s, Vec2 v) { return {s * v.x, s * v.y}; }
constexpr Vec2 operator*(Vec2 v, double s) { return {v.x * s, v.y * s}; }

/// Dot product a.x·b.x + a.y·b.y.
constexpr double Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }

/// Cross product a.x·b.y − a.y·b.x: positive when b turns counter-clockwise
/// from a.
constexpr double Cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }

/// Length of v: the square root of x² + y².
inline double VectorLength(Vec2 v) { return std::sqrt(v.x * v.x + v.y * v.y); }

/// Distance between two points.
inline double Distance(Vec2 a, Vec2 b) { return VectorLength(a - b); }

/// v scaled to length 1: v·(1/|v|). Not a number for the zero vector.
inline Vec2 UnitVector(Vec2 v) { return (1.0 / VectorLength(v)) * v; }

/// (a + b) / 2.
constexpr Vec2 Midpoint(Vec2 a, Vec2 b) { return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0}; }

/// The point at distance `length` from a toward b: a + length·(b − a)/|b − a|.
/// When a equals b the result is not a number in both coordinates.
inline Vec2 PointToward(Vec2 a, Vec2 b, double length) {
  const Vec2 d = b - a;
  const double l = VectorLength(d);
  return {a.x + length * d.x / l, a.y + length * d.y / l};
}

/// The direction of v: atan2(y, x), in (−π, π].
inline double Angle(Vec2 v) { return std::atan2(v.y, v.x); }

/// v rotated counter-clockwise by `angle` radians. An angle of exactly 0
/// returns v unchanged, bit for bit.
Vec2 RotateVector(Vec2 v, double angle);

}  // namespace quorvane::geometry
