// Simplifying host paths: fewer anchors, the same shape within a tolerance.
#pragma once

#include "path_data.h"

namespace workbench::geometry {

/// The path refitted with as few curves as keep it within `tolerance` points
/// of the original everywhere. Anchors where the original turns stay corner
/// anchors; the closed flag, the first anchor and the direction are kept. A
/// tolerance of 0 or less returns the path unchanged.
PathData OptimizePath(const PathData& path, double tolerance);

}  // namespace workbench::geometry
