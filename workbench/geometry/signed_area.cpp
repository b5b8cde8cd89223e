#include "signed_area.h"

#include "bezier.h"

namespace workbench::geometry {
namespace {

// x y' - y x' is a polynomial of degree 5 along a cubic, so three
// Gauss-Legendre nodes integrate it exactly.
constexpr double kNodes[3] = {0.1127016653792583, 0.5, 0.8872983346207417};
constexpr double kWeights[3] = {5.0 / 18.0, 8.0 / 18.0, 5.0 / 18.0};

double CounterClockwiseArea(const CubicBezier& c) {
  double sum = 0.0;
  for (int i = 0; i < 3; ++i) {
    const Point p = c.At(kNodes[i]);
    const Point d = c.DerivativeAt(kNodes[i]);
    sum += kWeights[i] * Cross(p, d);
  }
  return 0.5 * sum;
}

}  // namespace

double SignedArea(const std::vector<PathSegment>& segments, bool closed) {
  if (segments.empty()) return 0.0;
  double ccw = 0.0;
  for (std::size_t i = 0; i + 1 < segments.size(); ++i) {
    ccw += CounterClockwiseArea(CurveAt(segments, i));
  }
  const std::size_t last = segments.size() - 1;
  if (closed) {
    ccw += CounterClockwiseArea(CurveAt(segments, last));
  } else {
    ccw += 0.5 * Cross(segments[last].anchor, segments[0].anchor);
  }
  return -ccw;
}

}  // namespace workbench::geometry
