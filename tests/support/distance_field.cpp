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
  // Distances are exact whatever the cell size; a path far larger than its
  // cells gets larger cells rather than an enormous grid.
  constexpr double kMaxCells = 1 << 20;
  cell_ = std::max(cell_, std::sqrt((x1 - x0_) * (y1 - y0_) / kMaxCells));
  cell_ = std::max({cell_, (x1 - x0_) / kMaxCells, (y1 - y0_) / kMaxCells});
  nx_ = static_cast<int>((x1 - x0_) / cell_) + 1;
  ny_ = static_cast<int>((y1 - y0_) / cell_) + 1;
  cells_.resize(static_cast<std::size_t>(nx_ * ny_));
  for (std::size_t i = 0; i < flat.size(); ++i) {
    const wg::Point a = flat[i].point;
    const wg::Point b = flat[(i + 1) % flat.size()].point;
    const std::size_t e = edges_.size();
    edges_.emplace_back(a, b);
    // The cells the edge passes through, column by column (one cell more
    // either side against rounding), not the whole box of a long diagonal.
    const int ix0 = static_cast<int>((std::min(a.x, b.x) - x0_) / cell_);
    const int ix1 = static_cast<int>((std::max(a.x, b.x) - x0_) / cell_);
    for (int ix = ix0; ix <= ix1; ++ix) {
      double ya = a.y, yb = b.y;
      if (a.x != b.x) {
        const double left = std::max(x0_ + ix * cell_, std::min(a.x, b.x));
        const double right = std::min(x0_ + (ix + 1) * cell_, std::max(a.x, b.x));
        ya = a.y + (b.y - a.y) * (left - a.x) / (b.x - a.x);
        yb = a.y + (b.y - a.y) * (right - a.x) / (b.x - a.x);
      }
      const int iy0 = std::max(static_cast<int>((std::min(ya, yb) - y0_) / cell_) - 1, 0);
      const int iy1 = std::min(static_cast<int>((std::max(ya, yb) - y0_) / cell_) + 1, ny_ - 1);
      for (int iy = iy0; iy <= iy1; ++iy) cells_[static_cast<std::size_t>(iy * nx_ + ix)].push_back(e);
    }
  }
}

double DistanceField::operator()(wg::Point p) const {
  // Rings of cells around p, each clipped to the grid, until no closer edge
  // can be left: an edge in ring r + 1 is at least r cells away. Rings that
  // miss the grid altogether (p far outside it) are skipped.
  const int cx = static_cast<int>(std::floor((p.x - x0_) / cell_));
  const int cy = static_cast<int>(std::floor((p.y - y0_) / cell_));
  const int firstRing = std::max({0, -cx, cx - (nx_ - 1), -cy, cy - (ny_ - 1)});
  const int lastRing = std::max({std::abs(cx), std::abs(cx - (nx_ - 1)), std::abs(cy), std::abs(cy - (ny_ - 1))});
  double best = 1e300;
  auto visit = [&](int ix, int iy) {
    if (ix < 0 || iy < 0 || ix >= nx_ || iy >= ny_) return;
    for (std::size_t e : cells_[static_cast<std::size_t>(iy * nx_ + ix)]) {
      best = std::min(best, SegmentDistance(p, edges_[e].first, edges_[e].second));
    }
  };
  for (int ring = firstRing; ring <= lastRing; ++ring) {
    const int left = std::max(cx - ring, 0), right = std::min(cx + ring, nx_ - 1);
    for (int ix = left; ix <= right; ++ix) {
      visit(ix, cy - ring);
      if (ring > 0) visit(ix, cy + ring);
    }
    const int bottom = std::max(cy - ring + 1, 0), top = std::min(cy + ring - 1, ny_ - 1);
    for (int iy = bottom; iy <= top; ++iy) {
      visit(cx - ring, iy);
      if (ring > 0) visit(cx + ring, iy);
    }
    if (best <= ring * cell_) return best;
  }
  return best;
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
