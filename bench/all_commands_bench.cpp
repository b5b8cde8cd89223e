// The stretch commands ("Extended one-side" with its trimming, "Lapel",
// "Opening") on a curved real pattern piece, each on a fresh basic margin,
// through the module's generation code and the workbench host.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "quorvane/generation/command_steps.h"
#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/basic_seam_margin.h"
#include "quorvane/facade/host_document.h"
#include "support/bound_host.h"
#include "workbench/document/document.h"
#include "workbench/plugin/host.h"
#include "workbench/svg/svg_io.h"

namespace {

namespace fs = std::filesystem;
using quorvane::generation::RunState;
using quorvane::host::ArtRef;
using quorvane::host::HostDocument;
using quorvane::host::HostSuites;

constexpr float kBasicWidth = 10.0f;  // mm
constexpr float kWideWidth = 20.0f;   // mm
// The piece: the one of this file with an anchor here, where three curves
// begin; its curved side runs to the anchor at kCurvesEnd.
const char* const kFile = "aaron-cisFemaleAdult34.svg";
constexpr QvRealPoint kCurvesStart{1455.55, 995.686};
constexpr QvRealPoint kCurvesEnd{1067.23, 1698.75};

bool Near(QvRealPoint a, QvRealPoint b) { return std::hypot(a.h - b.h, a.v - b.v) < 0.01; }

// The piece in a host of its own, positively oriented, with the numbers of
// the anchors where its curves start and end.
struct Piece {
  std::unique_ptr<workbench::document::Document> doc;
  std::unique_ptr<workbench::plugin::Host> host;
  HostSuites suites;
  std::unique_ptr<HostDocument> hd;
  RunState state;
  int curvesStart = 0;  // 1-based
  int curvesEnd = 0;

  bool Load() {
    auto read = workbench::svg::ReadSvgFile(fs::path(QUORVANE_SHARED_DIR) / "corpus" / "freesewing" / kFile);
    if (!read) return false;
    doc = std::make_unique<workbench::document::Document>(std::move(read.value()));
    host = std::make_unique<workbench::plugin::Host>(
        workbench::plugin::HostOptions{fs::temp_directory_path() / "quorvane-all-commands-bench"});
    host->SetDocument(doc.get());
    const auto acquired = quorvane::testing::AcquireDocumentSuites(host->BasicSuite());
    if (!acquired) return false;
    suites = *acquired;
    hd = std::make_unique<HostDocument>(suites);
    const int layers = hd->LayerCount().value_or(0);
    for (int i = 0; i < layers && !state.sourcePath; ++i) {
      const auto arts = hd->AllArtOfLayer(*hd->NthLayer(i)).value_or(std::vector<ArtRef>{});
      for (ArtRef art : arts) {
        const auto segments = hd->Segments(art).value_or(std::vector<QvPathSegment>{});
        for (const QvPathSegment& seg : segments) {
          if (Near(seg.p, kCurvesStart)) state.sourcePath = art;
        }
      }
    }
    if (!state.sourcePath) return false;
    quorvane::generation::MakeOrientationPositive(*hd, state.sourcePath);
    const auto segments = *hd->Segments(state.sourcePath);
    for (std::size_t i = 0; i < segments.size(); ++i) {
      if (Near(segments[i].p, kCurvesStart)) curvesStart = static_cast<int>(i) + 1;
      if (Near(segments[i].p, kCurvesEnd)) curvesEnd = static_cast<int>(i) + 1;
    }
    state.basicWidth = kBasicWidth;
    return curvesStart > 0 && curvesEnd > 0;
  }
};

// Times `command` on a fresh basic margin of the piece in every iteration;
// the margin itself is built outside the timing.
void RunCommand(benchmark::State& bench, const std::function<bool(Piece&)>& command) {
  Piece piece;
  if (!piece.Load()) {
    bench.SkipWithError("the curved piece of the shared pattern pieces is not available");
    return;
  }
  for (auto _ : bench) {
    bench.PauseTiming();
    const bool basic = quorvane::generation::BuildBasicSeamMargin(*piece.hd, piece.state, kBasicWidth);
    bench.ResumeTiming();
    if (!basic || !command(piece)) {
      bench.SkipWithError("the command failed on the piece");
      return;
    }
    benchmark::DoNotOptimize(piece.state.resultArt);
  }
}

void ExtendedOneSideOnCurves(benchmark::State& bench) {
  RunCommand(bench, [](Piece& p) {
    return quorvane::generation::ApplyExtendedOneSide(*p.hd, p.state, 1, p.curvesEnd, p.curvesStart, kWideWidth);
  });
}

void LapelOnCurves(benchmark::State& bench) {
  // Corner at the curves' start; second point halfway along the first curve.
  RunCommand(bench, [](Piece& p) { return quorvane::generation::ApplyLapel(*p.hd, p.state, p.curvesStart, p.curvesEnd, 0.5); });
}

void OpeningOnCurves(benchmark::State& bench) {
  RunCommand(bench, [](Piece& p) {
    return quorvane::generation::ApplyOpening(*p.hd, p.state, p.curvesEnd, 0.25, p.curvesStart - 1, 0.75, kWideWidth);
  });
}

BENCHMARK(ExtendedOneSideOnCurves)->Unit(benchmark::kMillisecond);
BENCHMARK(LapelOnCurves)->Unit(benchmark::kMillisecond);
BENCHMARK(OpeningOnCurves)->Unit(benchmark::kMillisecond);

}  // namespace
