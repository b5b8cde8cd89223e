#include "support/distance_field.h"

#include <algorithm>
#include <cmath>

#include "workbench/geometry/bezier.h"
#include "workbench/geometry/flatten.h"

namespace quorvane::testing {

namespace {

double SegmentDistance(wg::Point p, wg::Point a, wg::Point b) {
  const wg::Point ab = b - a;
  const double len2 = wg::Dot(ab, ab);
  const double t = len2 > 0.0 ? std::clamp(wg::Dot(p - a, ab) / len2, 0.0, 1.0) : 0.0;
  return wg::Distance(p, a + t * ab);
}

}  // namespace

std::vector<wg::Point> Sample(const wg::PathData& path, int perCurve) {
  std::vector<wg::Point> out;
  const std::size_t curves = wg::CurveCount(path.segments, path.closed);
  for (std::size_t i = 0; i < curves; ++i) {
    const wg::CubicBezier c = wg::CurveAt(path.segments, i);
    for (int j = 0; j < perCurve; ++j) out.push_back(c.At(double(j) / perCurve));
  }
  return out;
}

DistanceField::DistanceField(const wg::PathData& path, double cellSize, double flatness) : cell_(cellSize) {
  wg::PathData closed = path;
  closed.closed = true;
  const auto flat = wg::FlattenPath(closed, flatness, 0.0);
  double x1 = flat[0].point.x, y1 = flat[0].point.y;
  x0_ = x1;
  y0_ = y1;
  for (const auto& f : flat) {
    x0_ = std::min(x0_, f.point.x);
    y0_ = std::min(y0_, f.point.y);
    x1 = std::max(x1, f.point.x);
    y1 = std::max(y1, f.point.y);
  }
  nx_ = static_cast<int>((x1 - x0_) / cell_) + 1;
  ny_ = static_cast<int>((y1 - y0_) / cell_) + 1;
  cells_.resize(static_cast<std::size_t>(nx_ * ny_));
  for (std::size_t i = 0; i < flat.size(); ++i) {
    const wg::Point a = flat[i].point;
    const wg::Point b = flat[(i + 1) % flat.size()].point;
    const std::size_t e = edges_.size();
    edges_.emplace_back(a, b);
    const int ix0 = static_cast<int>((std::min(a.x, b.x) - x0_) / cell_);
    const int ix1 = static_cast<int>((std::max(a.x, b.x) - x0_) / cell_);
    const int iy0 = static_cast<int>((std::min(a.y, b.y) - y0_) / cell_);
    const int iy1 = static_cast<int>((std::max(a.y, b.y) - y0_) / cell_);
    for (int ix = ix0; ix <= ix1; ++ix) {
      for (int iy = iy0; iy <= iy1; ++iy) cells_[static_cast<std::size_t>(iy * nx_ + ix)].push_back(e);
    }
  }
}

double DistanceField::operator()(wg::Point p) const {
  // Rings of cells around p until no closer edge can be left.
  const int cx = static_cast<int>(std::floor((p.x - x0_) / cell_));
  const int cy = static_cast<int>(std::floor((p.y - y0_) / cell_));
  double best = 1e300;
  for (int ring = 0;; ++ring) {
    for (int ix = cx - ring; ix <= cx + ring; ++ix) {
      for (int iy = cy - ring; iy <= cy + ring; ++iy) {
        if (std::max(std::abs(ix - cx), std::abs(iy - cy)) != ring) continue;
        if (ix < 0 || iy < 0 || ix >= nx_ || iy >= ny_) continue;
        for (std::size_t e : cells_[static_cast<std::size_t>(iy * nx_ + ix)]) {
          best = std::min(best, SegmentDistance(p, edges_[e].first, edges_[e].second));
        }
      }
    }
    const bool outside = cx + ring < 0 || cy + ring < 0 || cx - ring >= nx_ || cy - ring >= ny_;
    if (best <= ring * cell_ || (outside && ring > nx_ + ny_ + std::abs(cx) + std::abs(cy))) {
      return best;
    }
  }
}

bool DistanceField::Inside(wg::Point p) const {
  int winding = 0;
  for (const auto& [a, b] : edges_) {
    const double side = wg::Cross(b - a, p - a);
    if (a.y <= p.y && b.y > p.y && side > 0) ++winding;
    if (a.y > p.y && b.y <= p.y && side < 0) --winding;
  }
  return winding != 0;
}

}  // namespace quorvane::testing
