#include "bounds.h"

#include <algorithm>
#include <cmath>

namespace workbench::geometry {
namespace {

// Parameters in (0, 1) where one coordinate of the curve has a zero
// derivative: the roots of a t^2 + b t + c, the derivative's Bernstein form
// divided by 3.
int CoordinateExtrema(double p0, double p1, double p2, double p3, double out[2]) {
  const double a = -p0 + 3.0 * p1 - 3.0 * p2 + p3;
  const double b = 2.0 * (p0 - 2.0 * p1 + p2);
  const double c = p1 - p0;
  int n = 0;
  auto keep = [&](double t) {
    if (t > 0.0 && t < 1.0) out[n++] = t;
  };
  const double scale = std::max({std::fabs(a), std::fabs(b), std::fabs(c)});
  if (scale == 0.0) return 0;
  if (std::fabs(a) <= 1e-12 * scale) {
    if (std::fabs(b) > 1e-12 * scale) keep(-c / b);
    return n;
  }
  const double disc = b * b - 4.0 * a * c;
  if (disc < 0.0) return 0;
  const double root = std::sqrt(disc);
  // The numerically stable pair of roots.
  const double q = -0.5 * (b + std::copysign(root, b));
  keep(q / a);
  if (q != 0.0) keep(c / q);
  return n;
}

}  // namespace

void Bounds::Include(Point p) {
  left = std::min(left, p.x);
  right = std::max(right, p.x);
  bottom = std::min(bottom, p.y);
  top = std::max(top, p.y);
}

Bounds CurveBounds(const CubicBezier& curve) {
  Bounds b{curve.p0.x, curve.p0.y, curve.p0.x, curve.p0.y};
  b.Include(curve.p3);
  double ts[2];
  int n = CoordinateExtrema(curve.p0.x, curve.p1.x, curve.p2.x, curve.p3.x, ts);
  for (int i = 0; i < n; ++i) b.Include(curve.At(ts[i]));
  n = CoordinateExtrema(curve.p0.y, curve.p1.y, curve.p2.y, curve.p3.y, ts);
  for (int i = 0; i < n; ++i) b.Include(curve.At(ts[i]));
  return b;
}

std::optional<Bounds> PathBounds(const PathData& path) {
  const auto& segs = path.segments;
  if (segs.empty()) return std::nullopt;
  const Point a = segs[0].anchor;
  Bounds b{a.x, a.y, a.x, a.y};
  const std::size_t curves = CurveCount(segs, path.closed);
  for (std::size_t i = 0; i < curves; ++i) {
    const Bounds c = CurveBounds(CurveAt(segs, i));
    b.Include({c.left, c.bottom});
    b.Include({c.right, c.top});
  }
  return b;
}

}  // namespace workbench::geometry
