// Pattern outlines as fine polylines, and the few queries cutting output
// needs: nearest point, a ray's first crossing, containment. Points are
// document points with y up.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "workbench/geometry/path_data.h"
#include "workbench/geometry/point.h"

namespace workbench::fabric {

using geometry::Point;

/// Document points per millimetre.
inline constexpr double kPointsPerMm = 72.0 / 25.4;
/// How far a flattened curve may stray from the true curve: 0.002 mm, well
/// inside the 0.01 mm cutting systems resolve.
inline constexpr double kFlatness = 0.002 * kPointsPerMm;

/// A closed outline: its vertices, the first not repeated at the end.
using Polygon = std::vector<Point>;

/// The path flattened within kFlatness; every anchor is a vertex.
Polygon Flatten(const geometry::PathData& path);

/// The nearest point of a closed polygon's edges to p.
struct Nearest {
  Point point;
  /// Edge index: the edge runs from vertex `edge` to the next.
  std::size_t edge = 0;
  /// Position along the edge, 0 to 1.
  double t = 0.0;
  double distance = 0.0;
};
/// None for a polygon of fewer than two vertices.
std::optional<Nearest> NearestOn(const Polygon& polygon, Point p);

/// The distance along the ray origin + s * direction (s > `from`) to its
/// first crossing of the polygon's edges, in units of |direction|; none when
/// it crosses nothing.
std::optional<double> FirstCrossing(const Polygon& polygon, Point origin, Point direction, double from);

/// Whether p lies inside the polygon (nonzero winding).
bool Contains(const Polygon& polygon, Point p);

/// Twice the signed area, positive when the polygon runs clockwise (y up),
/// as the document counts it.
double TwiceSignedArea(const Polygon& polygon);

/// The unit tangent of the polygon at `nearest`, in its direction: the
/// edge's direction, or the mean of both edges' directions at a vertex.
Point TangentAt(const Polygon& polygon, const Nearest& nearest);

/// The unit normal at `nearest` pointing out of the polygon.
Point OutwardNormal(const Polygon& polygon, const Nearest& nearest);

/// a scaled to length 1; a itself when it has no length.
Point Unit(Point a);

}  // namespace workbench::fabric
