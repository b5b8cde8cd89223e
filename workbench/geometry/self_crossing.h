// Whether a closed path crosses itself, as a bow tie or a figure eight does:
// such an outline has no single inside.
#pragma once

#include <optional>

#include "path_data.h"
#include "point.h"

namespace workbench::geometry {

/// Where a closed path crosses itself: a point where two parts of its
/// outline (flattened within `flatness` points) pass through each other, or
/// none when they never do. Parts that only touch, and anchors visited twice,
/// do not count. Open paths and paths of fewer than four anchors' worth of
/// edges never cross.
std::optional<Point> FindSelfCrossing(const PathData& path, double flatness);

}  // namespace workbench::geometry
