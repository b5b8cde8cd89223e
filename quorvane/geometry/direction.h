// Tests and maps on directions: parallelism, turn sense and mirroring.
// Angles in radians, counter-clockwise positive, y up.
#pragma once

#include "quorvane/geometry/tolerances.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::geometry {

/// Whether the directions of a and b are equal or opposite within
/// `tolerance` radians. With m = |atan2(b) − atan2(a)|, true when
/// m < tolerance, m > 2π − tolerance, or π − tolerance < m < π + tolerance
/// (all strict). A zero vector has direction 0.
bool IsParallel(Vec2 a, Vec2 b, double tolerance);

/// Whether the turn a → b → c is counter-clockwise or straight: the turn
/// angle lies in [0, π]. Collinear points in order and an exact reversal count
/// as left.
bool TurnsLeft(Vec2 a, Vec2 b, Vec2 c);

/// v mirrored about the direction of `axis` (v rotated by twice the angle from
/// v to axis); the length of v is kept.
Vec2 ReflectVector(Vec2 v, Vec2 axis);

}  // namespace quorvane::geometry
