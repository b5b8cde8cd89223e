// Speed of the geometry services on the largest real pattern piece.
#include <benchmark/benchmark.h>

#include <2geom/bezier-curve.h>
#include <2geom/path.h>
#include <2geom/svg-path-parser.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "workbench/geometry/curve_fit.h"
#include "workbench/geometry/flatten.h"
#include "workbench/geometry/offset_path.h"
#include "workbench/geometry/pathfinder.h"

namespace {

using namespace workbench::geometry;

PathData ToPath(const Geom::Path& gp) {
  PathData p;
  p.closed = gp.closed();
  auto flip = [](Geom::Point q) { return Point{q[Geom::X], -q[Geom::Y]}; };
  for (const Geom::Curve& c : gp) {
    if (c.isDegenerate()) continue;
    Point out = flip(c.initialPoint()), in = flip(c.finalPoint());
    if (const auto* cubic = dynamic_cast<const Geom::CubicBezier*>(&c)) {
      out = flip((*cubic)[1]);
      in = flip((*cubic)[2]);
    }
    if (p.segments.empty()) p.segments.push_back(PathSegment::Corner(flip(c.initialPoint())));
    p.segments.back().out = out;
    p.segments.push_back({flip(c.finalPoint()), in, flip(c.finalPoint()), true});
  }
  if (p.closed && p.segments.size() > 1 && p.segments.back().anchor == p.segments.front().anchor) {
    p.segments.front().in = p.segments.back().in;
    p.segments.pop_back();
  }
  return p;
}

// The corpus piece with the most segments, or none without the shared folder.
const PathData* LargestPiece() {
  static const std::optional<PathData> piece = []() -> std::optional<PathData> {
    const std::filesystem::path dir = std::filesystem::path(QUORVANE_SHARED_DIR) / "corpus" / "freesewing";
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) return std::nullopt;
    static const std::regex kD(R"re(<path id="[A-Za-z0-9_]+-seam"[^>]*?\sd="([^"]*)")re");
    std::optional<PathData> best;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      if (entry.path().filename().string().find("-freesewing-sa") != std::string::npos) continue;
      std::ifstream in(entry.path());
      std::stringstream text;
      text << in.rdbuf();
      const std::string svg = text.str();
      for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kD); it != std::sregex_iterator(); ++it) {
        for (const Geom::Path& gp : Geom::parse_svg_path((*it)[1].str().c_str())) {
          PathData p = ToPath(gp);
          if (!best || p.segments.size() > best->segments.size()) best = std::move(p);
        }
      }
    }
    return best;
  }();
  return piece ? &*piece : nullptr;
}

#define REQUIRE_PIECE(state)                                            \
  const PathData* piece = LargestPiece();                               \
  if (!piece) {                                                         \
    (state).SkipWithError("the shared folder with the corpus is absent"); \
    return;                                                             \
  }

void BM_Flatten(benchmark::State& state) {
  REQUIRE_PIECE(state);
  for (auto _ : state) benchmark::DoNotOptimize(FlattenPath(*piece, 0.1, 0.5));
}
BENCHMARK(BM_Flatten);

void BM_Offset10mm(benchmark::State& state) {
  REQUIRE_PIECE(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(OffsetPath(*piece, 10.0 * 72.0 / 25.4, 10000.0, JoinType::kMiter));
  }
}
BENCHMARK(BM_Offset10mm)->Unit(benchmark::kMillisecond);

void BM_FitDenseOutline(benchmark::State& state) {
  REQUIRE_PIECE(state);
  std::vector<Point> points;
  for (const FlatPoint& f : FlattenPath(*piece, 0.002, 0.0)) points.push_back(f.point);
  for (auto _ : state) benchmark::DoNotOptimize(FitCurves(points, true, 0.005));
  state.counters["points"] = double(points.size());
}
BENCHMARK(BM_FitDenseOutline)->Unit(benchmark::kMillisecond);

void BM_UniteWithOffset(benchmark::State& state) {
  REQUIRE_PIECE(state);
  const auto grown = OffsetPath(*piece, 10.0 * 72.0 / 25.4, 10000.0, JoinType::kMiter);
  std::vector<CompoundPath> shapes{{*piece}};
  shapes.insert(shapes.end(), grown.begin(), grown.end());
  for (auto _ : state) benchmark::DoNotOptimize(Unite(shapes));
}
BENCHMARK(BM_UniteWithOffset)->Unit(benchmark::kMillisecond);

}  // namespace
