// Signed area of closed host paths.
#pragma once

#include <vector>

#include "path_segment.h"

namespace workbench::geometry {

/// The exact area enclosed by a path's curves, in square points; an open path
/// counts as closed by a straight line from its last anchor to its first.
/// Positive when the enclosed area lies to the right of the path's direction
/// (clockwise with y up).
double SignedArea(const std::vector<PathSegment>& segments, bool closed);

}  // namespace workbench::geometry
