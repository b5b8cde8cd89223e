#include "workbench/fabric/outline.h"

#include <cmath>
#include <limits>

#include "workbench/geometry/flatten.h"

namespace workbench::fabric {

namespace {

// Positions along an edge closer than this to its ends count as the vertex
// there (a fraction of the edge).
constexpr double kAtVertex = 1e-6;

}  // namespace

Point Unit(Point a) {
  const double length = geometry::Length(a);
  return length > 0.0 ? a * (1.0 / length) : a;
}

Polygon Flatten(const geometry::PathData& path) {
  Polygon polygon;
  for (const geometry::FlatPoint& p : geometry::FlattenPath(path, kFlatness, 0.0)) {
    if (polygon.empty() || geometry::Distance(polygon.back(), p.point) > 0.0) polygon.push_back(p.point);
  }
  while (polygon.size() > 1 && polygon.back() == polygon.front()) polygon.pop_back();
  return polygon;
}

std::optional<Nearest> NearestOn(const Polygon& polygon, Point p) {
  if (polygon.size() < 2) return std::nullopt;
  Nearest best;
  best.distance = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Point a = polygon[i];
    const Point b = polygon[(i + 1) % polygon.size()];
    const Point ab = b - a;
    const double length2 = geometry::Dot(ab, ab);
    double t = length2 > 0.0 ? geometry::Dot(p - a, ab) / length2 : 0.0;
    t = t < 0.0 ? 0.0 : t > 1.0 ? 1.0 : t;
    const Point q = a + ab * t;
    const double d = geometry::Distance(p, q);
    if (d < best.distance) best = {q, i, t, d};
  }
  return best;
}

std::optional<double> FirstCrossing(const Polygon& polygon, Point origin, Point direction, double from) {
  std::optional<double> first;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Point a = polygon[i];
    const Point b = polygon[(i + 1) % polygon.size()];
    const Point ab = b - a;
    const double denominator = geometry::Cross(direction, ab);
    if (denominator == 0.0) continue;
    const Point ao = a - origin;
    const double s = geometry::Cross(ao, ab) / denominator;
    const double u = geometry::Cross(ao, direction) / denominator;
    if (u < 0.0 || u > 1.0 || s <= from) continue;
    if (!first || s < *first) first = s;
  }
  return first;
}

bool Contains(const Polygon& polygon, Point p) {
  int winding = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Point a = polygon[i];
    const Point b = polygon[(i + 1) % polygon.size()];
    const double side = geometry::Cross(b - a, p - a);
    if (a.y <= p.y && b.y > p.y && side > 0.0) ++winding;
    if (a.y > p.y && b.y <= p.y && side < 0.0) --winding;
  }
  return winding != 0;
}

double TwiceSignedArea(const Polygon& polygon) {
  double sum = 0.0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    sum += geometry::Cross(polygon[(i + 1) % polygon.size()], polygon[i]);
  }
  return sum;
}

Point TangentAt(const Polygon& polygon, const Nearest& nearest) {
  const std::size_t n = polygon.size();
  const std::size_t i = nearest.edge;
  const Point here = Unit(polygon[(i + 1) % n] - polygon[i]);
  if (nearest.t <= kAtVertex) return Unit(here + Unit(polygon[i] - polygon[(i + n - 1) % n]));
  if (nearest.t >= 1.0 - kAtVertex) return Unit(here + Unit(polygon[(i + 2) % n] - polygon[(i + 1) % n]));
  return here;
}

Point OutwardNormal(const Polygon& polygon, const Nearest& nearest) {
  const Point d = TangentAt(polygon, nearest);
  // Clockwise (y up): the inside lies to the right, so the left is out.
  return TwiceSignedArea(polygon) > 0.0 ? Point{-d.y, d.x} : Point{d.y, -d.x};
}

}  // namespace workbench::fabric
