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
