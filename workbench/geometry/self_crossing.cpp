#include "self_crossing.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <numeric>
#include <vector>

#include "flatten.h"

namespace workbench::geometry {

namespace {

// The side of the line a->b that p lies on: 1 left, -1 right, 0 on it.
int Side(Point a, Point b, Point p) {
  const double c = Cross(b - a, p - a);
  return c > 0 ? 1 : c < 0 ? -1 : 0;
}

// Whether the segments pass through each other at one point inside both.
bool PassThrough(Point a, Point b, Point c, Point d) {
  return Side(a, b, c) * Side(a, b, d) < 0 && Side(c, d, a) * Side(c, d, b) < 0;
}

// Angle of d in [0, 2 pi).
double AngleOf(Point d) {
  const double a = std::atan2(d.y, d.x);
  return a < 0 ? a + 2 * std::numbers::pi : a;
}

// Whether the outline passing twice through one point, once from aIn to aOut
// and once from bIn to bOut (directions away from the point), crosses
// itself there: the second pass has one end on each side of the first.
bool PassesCross(Point aIn, Point aOut, Point bIn, Point bOut) {
  const double start = AngleOf(aOut);
  auto turn = [&](Point d) { return std::fmod(AngleOf(d) - start + 2 * std::numbers::pi, 2 * std::numbers::pi); };
  const double end = turn(aIn);
  const double in = turn(bIn), out = turn(bOut);
  if (in == 0 || out == 0 || in == end || out == end) return false;  // shared edges only touch
  return (in < end) != (out < end);
}

}  // namespace

std::optional<Point> FindSelfCrossing(const PathData& path, double flatness) {
  if (!path.closed) return std::nullopt;
  std::vector<Point> points;
  for (const FlatPoint& p : FlattenPath(path, flatness, 0.0)) points.push_back(p.point);
  const std::size_t n = points.size();
  if (n < 4) return std::nullopt;
  // A point the outline passes twice, as at an anchor drawn twice.
  std::vector<std::size_t> byPlace(n);
  std::iota(byPlace.begin(), byPlace.end(), 0);
  auto before = [&](std::size_t a, std::size_t b) {
    return points[a].x < points[b].x || (points[a].x == points[b].x && points[a].y < points[b].y);
  };
  std::sort(byPlace.begin(), byPlace.end(), before);
  for (std::size_t k = 0; k + 1 < n; ++k) {
    for (std::size_t m = k + 1; m < n && !before(byPlace[k], byPlace[m]); ++m) {
      const std::size_t i = byPlace[k], j = byPlace[m];
      const Point v = points[i];
      const Point directions[4] = {points[(i + n - 1) % n] - v, points[(i + 1) % n] - v, points[(j + n - 1) % n] - v,
                                   points[(j + 1) % n] - v};
      // A repeated vertex (an edge of no length) is no second pass.
      if (std::any_of(std::begin(directions), std::end(directions), [](Point d) { return d.x == 0 && d.y == 0; })) {
        continue;
      }
      if (PassesCross(directions[0], directions[1], directions[2], directions[3])) return v;
    }
  }
  // Edge i runs from point i to point i + 1 (the last back to the first);
  // a sweep along x compares only edges whose x ranges overlap.
  auto lowX = [&](std::size_t i) { return std::min(points[i].x, points[(i + 1) % n].x); };
  auto highX = [&](std::size_t i) { return std::max(points[i].x, points[(i + 1) % n].x); };
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return lowX(a) < lowX(b); });
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = order[k];
    for (std::size_t m = k + 1; m < n && lowX(order[m]) <= highX(i); ++m) {
      const std::size_t j = order[m];
      const Point a = points[i], b = points[(i + 1) % n], c = points[j], d = points[(j + 1) % n];
      if (!PassThrough(a, b, c, d)) continue;
      const double t = Cross(c - a, d - c) / Cross(b - a, d - c);
      return a + (b - a) * t;
    }
  }
  return std::nullopt;
}

}  // namespace workbench::geometry
