#include "bezier.h"

namespace workbench::geometry {

Point CubicBezier::At(double t) const {
  const double u = 1.0 - t;
  const double b0 = u * u * u;
  const double b1 = 3.0 * u * u * t;
  const double b2 = 3.0 * u * t * t;
  const double b3 = t * t * t;
  return {b0 * p0.x + b1 * p1.x + b2 * p2.x + b3 * p3.x,
          b0 * p0.y + b1 * p1.y + b2 * p2.y + b3 * p3.y};
}

Point CubicBezier::DerivativeAt(double t) const {
  const double u = 1.0 - t;
  const Point d0 = p1 - p0;
  const Point d1 = p2 - p1;
  const Point d2 = p3 - p2;
  return 3.0 * (u * u * d0 + 2.0 * u * t * d1 + t * t * d2);
}

std::size_t CurveCount(const std::vector<PathSegment>& segments, bool closed) {
  if (segments.empty()) return 0;
  return closed ? segments.size() : segments.size() - 1;
}

CubicBezier CurveAt(const std::vector<PathSegment>& segments, std::size_t index) {
  const PathSegment& from = segments[index];
  const PathSegment& to = segments[(index + 1) % segments.size()];
  return {from.anchor, from.out, to.in, to.anchor};
}

}  // namespace workbench::geometry
