// Cubic Bezier curves between consecutive anchors of a host path.
#pragma once

#include <cstddef>
#include <vector>

#include "path_segment.h"

namespace workbench::geometry {

/// A cubic Bezier from p0 to p3 with control points p1 and p2, in points.
struct CubicBezier {
  Point p0;
  Point p1;
  Point p2;
  Point p3;

  friend bool operator==(const CubicBezier&, const CubicBezier&) = default;

  /// The point at parameter t (0 at p0, 1 at p3).
  Point At(double t) const;
  /// The first derivative at parameter t.
  Point DerivativeAt(double t) const;
  /// True when both control points sit on the chord's ends (a straight line).
  bool IsStraight() const { return p1 == p0 && p2 == p3; }
};

/// The number of curves of a path: one between each pair of consecutive
/// anchors, plus the closing one when the path is closed.
std::size_t CurveCount(const std::vector<PathSegment>& segments, bool closed);

/// The curve that leaves anchor `index` and arrives at the next anchor
/// (anchor 0 after the last one, for the closing curve of a closed path).
CubicBezier CurveAt(const std::vector<PathSegment>& segments, std::size_t index);

}  // namespace workbench::geometry
