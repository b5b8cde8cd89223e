#include "geometry_test_support.h"

#include <2geom/path.h>
#include <2geom/bezier-curve.h>
#include <2geom/svg-path-parser.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

#include "support/shared_data.h"
#include "workbench/geometry/flatten.h"
#include "workbench/geometry/signed_area.h"

namespace workbench::geometry::testing {

PathData Square(double x, double y, double size, bool ccw) {
  PathData p{{PathSegment::Corner({x, y}), PathSegment::Corner({x, y + size}),
              PathSegment::Corner({x + size, y + size}), PathSegment::Corner({x + size, y})},
             true};
  if (ccw) std::reverse(p.segments.begin(), p.segments.end());
  return p;
}

PathData Circle(Point c, double r, bool ccw, int arcs) {
  const double step = 2.0 * std::numbers::pi / arcs;
  const double k = 4.0 / 3.0 * std::tan(step / 4.0) * r;
  PathData p;
  p.closed = true;
  for (int i = 0; i < arcs; ++i) {
    // Clockwise with y up: the angle decreases.
    const double a = (ccw ? 1.0 : -1.0) * i * step;
    const double s = ccw ? 1.0 : -1.0;
    const Point on{c.x + r * std::cos(a), c.y + r * std::sin(a)};
    const Point tangent{-std::sin(a) * s, std::cos(a) * s};
    p.segments.push_back({on, on - k * tangent, on + k * tangent, false});
  }
  return p;
}

std::vector<Point> Sample(const PathData& path, int perCurve) {
  std::vector<Point> out;
  const std::size_t curves = CurveCount(path.segments, path.closed);
  for (std::size_t i = 0; i < curves; ++i) {
    const CubicBezier c = CurveAt(path.segments, i);
    for (int j = 0; j < perCurve; ++j) out.push_back(c.At(double(j) / perCurve));
  }
  return out;
}

int Winding(const PathData& path, Point p) {
  PathData closed = path;
  closed.closed = true;
  const auto flat = FlattenPath(closed, 0.001, 0.0);
  int w = 0;
  for (std::size_t i = 0; i < flat.size(); ++i) {
    const Point a = flat[i].point;
    const Point b = flat[(i + 1) % flat.size()].point;
    if (a.y <= p.y) {
      if (b.y > p.y && Cross(b - a, p - a) > 0) ++w;
    } else if (b.y <= p.y && Cross(b - a, p - a) < 0) {
      --w;
    }
  }
  return w;
}

std::size_t SegmentCount(const std::vector<CompoundPath>& shapes) {
  std::size_t n = 0;
  for (const auto& s : shapes) {
    for (const auto& p : s) n += p.segments.size();
  }
  return n;
}

double TotalArea(const std::vector<CompoundPath>& shapes) {
  double a = 0.0;
  for (const auto& s : shapes) {
    for (const auto& p : s) a += SignedArea(p.segments, true);
  }
  return a;
}

namespace {

double SegmentDistance(Point p, Point a, Point b) {
  const Point ab = b - a;
  const double len2 = Dot(ab, ab);
  const double t = len2 > 0.0 ? std::clamp(Dot(p - a, ab) / len2, 0.0, 1.0) : 0.0;
  return Distance(p, a + t * ab);
}

}  // namespace

DistanceField::DistanceField(const PathData& path, double cellSize) : cell_(cellSize) {
  PathData closed = path;
  closed.closed = true;
  const auto flat = FlattenPath(closed, 0.0005, 0.0);
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
    const Point a = flat[i].point;
    const Point b = flat[(i + 1) % flat.size()].point;
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

double DistanceField::operator()(Point p) const {
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

std::vector<CorpusPiece> ReadCorpusFile(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  const std::string svg = text.str();
  static const std::regex kPath(R"re(<path id="([A-Za-z0-9_]+)-seam"[^>]*?\sd="([^"]*)")re");
  std::vector<CorpusPiece> out;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kPath); it != std::sregex_iterator(); ++it) {
    const Geom::PathVector pv = Geom::parse_svg_path((*it)[2].str().c_str());
    for (const Geom::Path& gp : pv) {
      CorpusPiece piece{(*it)[1].str(), {}};
      piece.path.closed = gp.closed();
      auto flip = [](Geom::Point q) { return Point{q[Geom::X], -q[Geom::Y]}; };
      std::vector<PathSegment>& segs = piece.path.segments;
      for (const Geom::Curve& c : gp) {
        if (c.isDegenerate()) continue;
        const Point start = flip(c.initialPoint());
        Point out = start, in = flip(c.finalPoint());
        if (const auto* cubic = dynamic_cast<const Geom::CubicBezier*>(&c)) {
          out = flip((*cubic)[1]);
          in = flip((*cubic)[2]);
        }
        if (segs.empty()) segs.push_back(PathSegment::Corner(start));
        segs.back().out = out;
        segs.push_back({flip(c.finalPoint()), in, flip(c.finalPoint()), true});
      }
      // The last anchor is the first one again: fold it into the first.
      if (piece.path.closed && segs.size() > 1 && Distance(segs.back().anchor, segs.front().anchor) < 1e-9) {
        segs.front().in = segs.back().in;
        segs.pop_back();
      }
      out.push_back(std::move(piece));
    }
  }
  return out;
}

}  // namespace workbench::geometry::testing
