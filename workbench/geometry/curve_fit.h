// Fitting cubic Bezier paths through dense polygons.
#pragma once

#include <vector>

#include "bezier.h"
#include "path_data.h"

namespace workbench::geometry {

/// Fits a path of cubic Beziers through a polygon or polyline in points.
/// Every fitted curve stays within `tolerance` points of the vertices it
/// replaces and of the edges between them. Vertices where the polygon turns
/// sharply, and those flagged in `corners` (same length as `points`, or
/// empty), become corner anchors; curves meeting elsewhere share their
/// tangent and their anchor is smooth (corner flag false). Long straight
/// edges and runs that stay within the tolerance of their chord become single
/// straight segments (handles on their anchors). Repeated points are dropped.
/// A closed polygon gives a closed path (the first point need not be
/// repeated at the end); an open one keeps both end points as anchors.
PathData FitCurves(const std::vector<Point>& points, bool closed, double tolerance,
                   const std::vector<bool>& corners = {});

/// The unit directions in which a curve leaves p0 and arrives at p3, taken
/// from the first handle not sitting on its anchor; none (zero vector) for a
/// curve collapsed to a point.
Point StartTangent(const CubicBezier& c);
Point EndTangent(const CubicBezier& c);

}  // namespace workbench::geometry
