#include "hit_test.h"

#include <algorithm>
#include <cmath>

namespace workbench::geometry {
namespace {

constexpr int kCoarseSamples = 64;
constexpr int kNewtonSteps = 8;

double Refine(const CubicBezier& c, Point p, double t) {
  const CubicBezier d2{6.0 * (c.p2 - 2.0 * c.p1 + c.p0), {}, {}, 6.0 * (c.p3 - 2.0 * c.p2 + c.p1)};
  for (int i = 0; i < kNewtonSteps; ++i) {
    const Point diff = c.At(t) - p;
    const Point d1 = c.DerivativeAt(t);
    const Point dd = (1.0 - t) * d2.p0 + t * d2.p3;
    const double den = Dot(d1, d1) + Dot(diff, dd);
    if (den <= 0.0) break;
    const double next = std::clamp(t - Dot(diff, d1) / den, 0.0, 1.0);
    if (std::fabs(next - t) < 1e-14) break;
    t = next;
  }
  return t;
}

}  // namespace

double NearestParameter(const CubicBezier& curve, Point p) {
  // Coarse samples find the basin; Newton refines the best few of them.
  double best = 0.0;
  double bestDist = Distance(curve.p0, p);
  for (int i = 0; i <= kCoarseSamples; ++i) {
    const double t0 = double(i) / kCoarseSamples;
    const double t = Refine(curve, p, t0);
    const double d = Distance(curve.At(t), p);
    if (d < bestDist) {
      bestDist = d;
      best = t;
    }
  }
  return best;
}

std::optional<Hit> HitTest(const PathData& path, Point p, double tolerance) {
  const auto& segs = path.segments;
  std::optional<Hit> hit;
  for (std::size_t i = 0; i < segs.size(); ++i) {
    const double d = Distance(segs[i].anchor, p);
    if (d <= tolerance && (!hit || d < hit->distance)) hit = Hit{HitKind::kAnchor, i, 0.0, d};
  }
  if (hit) return hit;
  const std::size_t curves = CurveCount(segs, path.closed);
  for (std::size_t i = 0; i < curves; ++i) {
    const CubicBezier c = CurveAt(segs, i);
    const double t = NearestParameter(c, p);
    const double d = Distance(c.At(t), p);
    if (d <= tolerance && (!hit || d < hit->distance)) {
      hit = Hit{HitKind::kSegment, (i + 1) % segs.size(), t, d};
    }
  }
  return hit;
}

}  // namespace workbench::geometry
