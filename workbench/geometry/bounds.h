// Exact bounding boxes of host paths.
#pragma once

#include <optional>

#include "bezier.h"
#include "path_data.h"

namespace workbench::geometry {

/// An axis-aligned box in points, y up: bottom <= top.
struct Bounds {
  double left = 0.0;
  double bottom = 0.0;
  double right = 0.0;
  double top = 0.0;

  friend bool operator==(const Bounds&, const Bounds&) = default;

  double Width() const { return right - left; }
  double Height() const { return top - bottom; }
  Point Center() const { return {0.5 * (left + right), 0.5 * (bottom + top)}; }
  /// Grows the box to hold p.
  void Include(Point p);
};

/// The smallest box holding the curve itself (its extrema, not its handles).
Bounds CurveBounds(const CubicBezier& curve);

/// The smallest box holding the path's curves; none for a path without
/// segments.
std::optional<Bounds> PathBounds(const PathData& path);

}  // namespace workbench::geometry
