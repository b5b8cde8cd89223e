// One segment of a host path: an anchor with its two handles.
#pragma once

#include "point.h"

namespace workbench::geometry {

/// A path segment as the host stores it: the anchor, the handle of the curve
/// arriving at it (`in`), the handle of the curve leaving it (`out`), and
/// whether the anchor is a corner (handles move independently). A handle that
/// sits on its anchor makes that end of the curve straight.
struct PathSegment {
  Point anchor;
  Point in;
  Point out;
  bool corner = true;

  friend bool operator==(const PathSegment&, const PathSegment&) = default;

  /// A corner anchor with both handles on it.
  static PathSegment Corner(Point p) { return {p, p, p, true}; }
};

}  // namespace workbench::geometry
