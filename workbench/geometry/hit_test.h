// Hit testing a point against a host path.
#pragma once

#include <cstddef>
#include <optional>

#include "bezier.h"
#include "path_data.h"

namespace workbench::geometry {

enum class HitKind {
  kAnchor,   ///< the point is on an anchor
  kSegment,  ///< the point is on a curve between anchors
};

struct Hit {
  HitKind kind = HitKind::kAnchor;
  /// For an anchor its index. For a curve the index of the anchor it arrives
  /// at, so 0 for the closing curve of a closed path.
  std::size_t segment = 0;
  /// The curve parameter of the nearest point (0 for an anchor).
  double t = 0.0;
  /// The distance (points) from the tested point.
  double distance = 0.0;
};

/// The nearest parameter of a curve to p.
double NearestParameter(const CubicBezier& curve, Point p);

/// What of the path lies within `tolerance` points of p: the nearest anchor
/// in reach, otherwise the nearest curve in reach; none when nothing is.
/// Anchors win over curves whenever both are in reach.
std::optional<Hit> HitTest(const PathData& path, Point p, double tolerance);

}  // namespace workbench::geometry
