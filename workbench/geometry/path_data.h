// Plain host paths and compound paths as the geometry services take them.
#pragma once

#include <vector>

#include "path_segment.h"

namespace workbench::geometry {

/// One path: its segments (anchor and handles, in points, y up) and whether
/// it is closed. A closed path's last anchor joins its first by the closing
/// curve (the last segment's out-handle and the first one's in-handle).
struct PathData {
  std::vector<PathSegment> segments;
  bool closed = false;

  friend bool operator==(const PathData&, const PathData&) = default;
};

/// Subpaths filled together by the nonzero rule. In results the first subpath
/// is the outer outline and the others are its holes, which run the opposite
/// way round.
using CompoundPath = std::vector<PathData>;

}  // namespace workbench::geometry
