// Path geometry the document needs itself: bounds and reversal of Bezier
// paths made of host path segments.
#pragma once

#include <optional>
#include <vector>

#include "workbench/document/rect.h"
#include "workbench/geometry/path_segment.h"

namespace workbench::document {

/// The exact bounds of a path's curves (curve extrema, not handles), in
/// document points; none for a path without anchors. The closing curve of a
/// closed path counts.
std::optional<Rect> PathBounds(const std::vector<geometry::PathSegment>& segments, bool closed);

/// The same curves run the other way: the segments in reverse order, each
/// with its in- and out-handles swapped. Reversing a closed path flips the
/// sign of its signed area.
std::vector<geometry::PathSegment> ReversedSegments(std::vector<geometry::PathSegment> segments);

}  // namespace workbench::document
