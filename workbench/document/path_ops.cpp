#include "workbench/document/path_ops.h"

#include <algorithm>
#include <cmath>

#include "workbench/geometry/bezier.h"

namespace workbench::document {
namespace {

using geometry::CubicBezier;
using geometry::Point;

// Parameters in (0, 1) where one coordinate of the cubic has a zero
// derivative: the roots of a quadratic a t^2 + b t + c.
void AddExtremaTimes(double p0, double p1, double p2, double p3, std::vector<double>& times) {
  const double a = 3.0 * (-p0 + 3.0 * p1 - 3.0 * p2 + p3);
  const double b = 6.0 * (p0 - 2.0 * p1 + p2);
  const double c = 3.0 * (p1 - p0);
  auto add = [&times](double t) {
    if (t > 0.0 && t < 1.0) times.push_back(t);
  };
  if (std::abs(a) < 1e-12) {
    if (std::abs(b) > 1e-12) add(-c / b);
    return;
  }
  const double disc = b * b - 4.0 * a * c;
  if (disc < 0.0) return;
  const double root = std::sqrt(disc);
  add((-b + root) / (2.0 * a));
  add((-b - root) / (2.0 * a));
}

Rect CurveBounds(const CubicBezier& c, Rect r) {
  r = r.Including(c.p3);
  if (c.IsStraight()) return r;
  std::vector<double> times;
  AddExtremaTimes(c.p0.x, c.p1.x, c.p2.x, c.p3.x, times);
  AddExtremaTimes(c.p0.y, c.p1.y, c.p2.y, c.p3.y, times);
  for (double t : times) r = r.Including(c.At(t));
  return r;
}

}  // namespace

std::optional<Rect> PathBounds(const std::vector<geometry::PathSegment>& segments, bool closed) {
  if (segments.empty()) return std::nullopt;
  const Point first = segments.front().anchor;
  Rect r{first.x, first.y, first.x, first.y};
  const std::size_t curves = geometry::CurveCount(segments, closed);
  for (std::size_t i = 0; i < curves; ++i) r = CurveBounds(geometry::CurveAt(segments, i), r);
  return r;
}

std::vector<geometry::PathSegment> ReversedSegments(std::vector<geometry::PathSegment> segments) {
  std::reverse(segments.begin(), segments.end());
  for (auto& s : segments) std::swap(s.in, s.out);
  return segments;
}

}  // namespace workbench::document
