// Runs along a closed path between two of its anchors.
#pragma once

#include <span>

#include "quorvane/geometry/path_segment.h"

namespace quorvane::geometry {

/// Whether going forward along the closed path from anchor a to anchor b is
/// not longer than going the other way. Lengths are the straight distances
/// between consecutive anchors (handles are ignored), the closing distance
/// from the last anchor to the first included. False when a equals b; equal
/// runs give true in both directions. Anchors are zero-based; one outside the
/// path gives false.
bool IsForwardRunShorter(int a, int b, std::span<const PathSegment> segments);

}  // namespace quorvane::geometry
