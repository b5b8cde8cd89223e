// Shapes and measurements shared by the geometry service tests.
#pragma once

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

#include "workbench/geometry/bezier.h"
#include "workbench/geometry/path_data.h"
#include "support/distance_field.h"

namespace workbench::geometry::testing {

/// An axis-aligned square with corners (x, y) and (x + size, y + size),
/// clockwise (positive area) unless `ccw`.
PathData Square(double x, double y, double size, bool ccw = false);

/// A closed polygon through the points, each a corner, in the order given.
PathData Polygon(std::initializer_list<Point> points);

/// A circle of `arcs` cubic arcs (radial error about 4e-6 r for 8 arcs),
/// clockwise unless `ccw`.
PathData Circle(Point centre, double radius, bool ccw = false, int arcs = 8);

/// Total number of segments of all subpaths of the shapes.
std::size_t SegmentCount(const std::vector<CompoundPath>& shapes);

/// The signed area of several shapes together (holes subtract).
double TotalArea(const std::vector<CompoundPath>& shapes);

using quorvane::testing::Sample;

}  // namespace workbench::geometry::testing
