#include "geometry_test_support.h"

#include <algorithm>

#include "workbench/geometry/signed_area.h"

namespace workbench::geometry::testing {

PathData Square(double x, double y, double size, bool ccw) {
  PathData p{{PathSegment::Corner({x, y}), PathSegment::Corner({x, y + size}),
              PathSegment::Corner({x + size, y + size}), PathSegment::Corner({x + size, y})},
             true};
  if (ccw) std::reverse(p.segments.begin(), p.segments.end());
  return p;
}

PathData Polygon(std::initializer_list<Point> points) {
  PathData path{{}, true};
  for (Point p : points) path.segments.push_back(PathSegment::Corner(p));
  return path;
}

PathData Circle(Point c, double r, bool ccw, int arcs) {
  const double step = 2.0 * std::numbers::pi / arcs;
  const double k = 4.0 / 3.0 * std::tan(step / 4.0) * r;
  PathData p;
  p.closed = true;
  for (int i = 0; i < arcs; ++i) {
    // Clockwise with y up: the angle decreases.
    const double a = (ccw ? 1.0 : -1.0) * i * step;
    const double s = ccw ? 1.0 : -1.0;
    const Point on{c.x + r * std::cos(a), c.y + r * std::sin(a)};
    const Point tangent{-std::sin(a) * s, std::cos(a) * s};
    p.segments.push_back({on, on - k * tangent, on + k * tangent, false});
  }
  return p;
}

std::size_t SegmentCount(const std::vector<CompoundPath>& shapes) {
  std::size_t n = 0;
  for (const auto& s : shapes) {
    for (const auto& p : s) n += p.segments.size();
  }
  return n;
}

double TotalArea(const std::vector<CompoundPath>& shapes) {
  double a = 0.0;
  for (const auto& s : shapes) {
    for (const auto& p : s) a += SignedArea(p.segments, true);
  }
  return a;
}

}  // namespace workbench::geometry::testing
