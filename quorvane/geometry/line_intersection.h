// Crossings of infinite lines and of straight segments, in points (y up).
#pragma once

#include <optional>

#include "quorvane/geometry/vec2.h"

namespace quorvane::geometry {

/// Where two lines or segments meet. The first shape is p + s·d1 (for a
/// segment a–b, d1 = b − a), the second q + u·d2; `point` is computed on the
/// first shape, p + s·d1.
struct LineCrossing {
  Vec2 point;
  double s = 0.0;  ///< parameter on the first line or segment
  double u = 0.0;  ///< parameter on the second line or segment
};

/// The meeting point of the infinite lines p + s·d1 and q + u·d2. None when a
/// direction has length exactly 0 or the lines are within
/// kParallelAngleTolerance of parallel.
std::optional<LineCrossing> IntersectLines(Vec2 p, Vec2 d1, Vec2 q, Vec2 d2);

/// The meeting point of the closed segments a–b and c–d. The line crossing
/// must lie inside both segments' bounding boxes, bounds included, without
/// tolerance. A zero-length segment meets nothing, except that two
/// zero-length segments at exactly the same point meet there (s = u = 0).
std::optional<LineCrossing> IntersectSegments(Vec2 a, Vec2 b, Vec2 c, Vec2 d);

/// The meeting point of segments a–b and c–d with slack: none when
/// |cross(b − a, d − c)| < kTolerantCrossingSlack; otherwise both parameters
/// must lie in [−kTolerantCrossingSlack, 1 + kTolerantCrossingSlack].
std::optional<LineCrossing> IntersectSegmentsTolerant(Vec2 a, Vec2 b, Vec2 c, Vec2 d);

}  // namespace quorvane::geometry
