#include "generation_test_support.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "support/shared_data.h"
#include "workbench/svg/svg_io.h"
#include "workbench/geometry/bezier.h"
#include "workbench/geometry/flatten.h"

namespace quorvane::generation::testing {

namespace {

namespace wg = workbench::geometry;

wg::PathData ToPathData(const std::vector<host::PathSegment>& segments) {
  wg::PathData path;
  path.closed = true;
  for (const host::PathSegment& s : segments) {
    path.segments.push_back({{s.p.h, s.p.v}, {s.in.h, s.in.v}, {s.out.h, s.out.v}, s.corner != 0});
  }
  return path;
}

}  // namespace

host::PathSegment Corner(double x, double y) {
  host::PathSegment s{};
  s.p = s.in = s.out = QvRealPoint{x, y};
  s.corner = 1;
  return s;
}

std::vector<host::PathSegment> Square(double x, double y, double size, bool ccw) {
  std::vector<host::PathSegment> s = {Corner(x, y), Corner(x, y + size), Corner(x + size, y + size),
                                      Corner(x + size, y)};
  if (ccw) std::reverse(s.begin(), s.end());
  return s;
}

void HostFixture::UseDocument(workbench::document::Document doc) {
  Document() = std::move(doc);
  state_ = RunState{};
}

bool HostFixture::OpenSvg(const std::filesystem::path& file) {
  auto read = workbench::svg::ReadSvgFile(file);
  if (!read) {
    ADD_FAILURE() << read.error().ToString();
    return false;
  }
  UseDocument(std::move(read.value()));
  return true;
}

std::vector<host::ArtRef> HostFixture::ClosedPaths() {
  std::vector<host::ArtRef> paths;
  for (int i = 0; i < Doc().LayerCount().value_or(0); ++i) {
    const auto arts = Doc().AllArtOfLayer(*Doc().NthLayer(i));
    EXPECT_TRUE(arts);
    if (!arts) continue;
    for (host::ArtRef art : *arts) {
      if (Doc().ArtType(art) == kQvPathArt && Doc().IsClosed(art).value_or(false)) paths.push_back(art);
    }
  }
  return paths;
}

host::ArtRef HostFixture::AddPath(const std::vector<host::PathSegment>& segments, bool closed, host::LayerRef layer) {
  host::ArtRef prep;
  host::PaintOrder order = host::PaintOrder::kAbove;
  if (layer) {
    auto group = Doc().LayerGroup(layer);
    EXPECT_TRUE(group);
    if (group) prep = *group;
    order = host::PaintOrder::kInsideOnTop;
  }
  auto path = Doc().NewPath(order, prep);
  EXPECT_TRUE(path);
  if (!path) return {};
  EXPECT_EQ(Doc().SetSegments(*path, segments), kQvNoErr);
  EXPECT_EQ(Doc().SetClosed(*path, closed), kQvNoErr);
  QvPathStyle style{};
  style.strokePaint = 1;
  style.stroke.width = 0.75;
  style.stroke.color.kind = kQvColorGray;
  style.stroke.color.gray = 1.0;
  style.stroke.miterLimit = 4.0;
  EXPECT_EQ(Doc().SetStyle(*path, style), kQvNoErr);
  return *path;
}

constexpr double kCell = 8.0;

DistanceToPath::DistanceToPath(const std::vector<host::PathSegment>& segments) {
  for (const wg::FlatPoint& f : wg::FlattenPath(ToPathData(segments), 0.005, 0.0)) {
    points_.push_back({f.point.x, f.point.y});
  }
  double x1 = -1e300, y1 = -1e300;
  x0_ = y0_ = 1e300;
  for (const geometry::Vec2& p : points_) {
    x0_ = std::min(x0_, p.x);
    y0_ = std::min(y0_, p.y);
    x1 = std::max(x1, p.x);
    y1 = std::max(y1, p.y);
  }
  nx_ = static_cast<int>((x1 - x0_) / kCell) + 1;
  ny_ = static_cast<int>((y1 - y0_) / kCell) + 1;
  cells_.resize(static_cast<std::size_t>(nx_ * ny_));
  const std::size_t n = points_.size();
  for (std::size_t i = 0; i < n; ++i) {
    const geometry::Vec2 a = points_[i];
    const geometry::Vec2 b = points_[(i + 1) % n];
    const int cx0 = static_cast<int>((std::min(a.x, b.x) - x0_) / kCell);
    const int cx1 = static_cast<int>((std::max(a.x, b.x) - x0_) / kCell);
    const int cy0 = static_cast<int>((std::min(a.y, b.y) - y0_) / kCell);
    const int cy1 = static_cast<int>((std::max(a.y, b.y) - y0_) / kCell);
    for (int cx = cx0; cx <= cx1; ++cx) {
      for (int cy = cy0; cy <= cy1; ++cy) cells_[static_cast<std::size_t>(cy * nx_ + cx)].push_back(i);
    }
  }
}

double DistanceToPath::EdgeDistance(std::size_t i, geometry::Vec2 p) const {
  const geometry::Vec2 a = points_[i];
  const geometry::Vec2 d = points_[(i + 1) % points_.size()] - a;
  const double len2 = geometry::Dot(d, d);
  const double t = len2 > 0.0 ? std::clamp(geometry::Dot(p - a, d) / len2, 0.0, 1.0) : 0.0;
  return geometry::Distance(p, a + t * d);
}

double DistanceToPath::operator()(geometry::Vec2 p) const {
  // Rings of cells around p's cell, until the nearest edge found is nearer
  // than any cell outside the rings can be.
  const int px = static_cast<int>(std::floor((p.x - x0_) / kCell));
  const int py = static_cast<int>(std::floor((p.y - y0_) / kCell));
  double best = std::numeric_limits<double>::infinity();
  const int maxRing = std::max({nx_, ny_, std::abs(px), std::abs(py), std::abs(px - nx_), std::abs(py - ny_)}) + 1;
  for (int ring = 0; ring <= maxRing; ++ring) {
    for (int cx = px - ring; cx <= px + ring; ++cx) {
      for (int cy = py - ring; cy <= py + ring; ++cy) {
        if (std::max(std::abs(cx - px), std::abs(cy - py)) != ring) continue;
        if (cx < 0 || cy < 0 || cx >= nx_ || cy >= ny_) continue;
        for (std::size_t i : cells_[static_cast<std::size_t>(cy * nx_ + cx)]) best = std::min(best, EdgeDistance(i, p));
      }
    }
    if (best <= ring * kCell) break;
  }
  return best;
}

bool DistanceToPath::Inside(geometry::Vec2 p) const {
  int winding = 0;
  const std::size_t n = points_.size();
  for (std::size_t i = 0; i < n; ++i) {
    const geometry::Vec2 a = points_[i];
    const geometry::Vec2 b = points_[(i + 1) % n];
    const double side = geometry::Cross(b - a, p - a);
    if (a.y <= p.y && b.y > p.y && side > 0) ++winding;
    if (a.y > p.y && b.y <= p.y && side < 0) --winding;
  }
  return winding != 0;
}

std::vector<geometry::Vec2> SamplePath(const std::vector<host::PathSegment>& segments, int perCurve) {
  const wg::PathData path = ToPathData(segments);
  std::vector<geometry::Vec2> out;
  for (std::size_t i = 0; i < path.segments.size(); ++i) {
    const wg::CubicBezier curve = wg::CurveAt(path.segments, i);
    for (int j = 0; j < perCurve; ++j) {
      const wg::Point p = curve.At(static_cast<double>(j) / perCurve);
      out.push_back({p.x, p.y});
    }
  }
  return out;
}

}  // namespace quorvane::generation::testing
