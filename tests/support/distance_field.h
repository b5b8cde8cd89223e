// The geometry oracle the module's and the host's tests share: points along
// a path, and the distance from points to a closed path and whether they lie
// inside it, measured on an independent fine flattening of the path by the
// workbench's geometry, through a grid of its edges.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "workbench/geometry/path_data.h"

namespace quorvane::testing {

namespace wg = workbench::geometry;

/// Points sampled along every curve of a path, `perCurve` per curve.
std::vector<wg::Point> Sample(const wg::PathData& path, int perCurve);

class DistanceField {
 public:
  /// The path flattened within `flatness`, its edges in a grid of
  /// `cellSize` cells (larger for a path too large for a million of them).
  DistanceField(const wg::PathData& path, double cellSize, double flatness = 0.0005);
  double operator()(wg::Point p) const;
  /// Whether p lies inside the path (nonzero winding of the flattening).
  bool Inside(wg::Point p) const;

 private:
  std::vector<std::pair<wg::Point, wg::Point>> edges_;
  std::vector<std::vector<std::size_t>> cells_;
  double cell_;
  double x0_ = 0.0, y0_ = 0.0;
  int nx_ = 0, ny_ = 0;
};

}  // namespace quorvane::testing
