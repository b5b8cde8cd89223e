// The basic seam margin of the largest real pattern piece (most anchors),
// through the module's generation code and the workbench host.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>
#include <string>

#include "quorvane/generation/basic_seam_margin.h"
#include "quorvane/facade/host_document.h"
#include "support/bound_host.h"
#include "workbench/document/document.h"
#include "workbench/plugin/host.h"
#include "workbench/svg/svg_io.h"

namespace {

namespace fs = std::filesystem;
using quorvane::generation::RunState;
using quorvane::host::HostDocument;

struct LargestPiece {
  fs::path file;
  std::size_t segments = 0;
  // Where it lies: the layer (from the top) and its place among the layer's art.
  std::size_t layer = 0;
  std::size_t index = 0;
  std::string layerTitle;
};

// The piece with the most anchors among the finish lines of the corpus.
std::optional<LargestPiece> FindLargestPiece() {
  const fs::path dir = fs::path(QUORVANE_SHARED_DIR) / "corpus" / "freesewing";
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return std::nullopt;
  std::optional<LargestPiece> best;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string file = entry.path().filename().string();
    if (entry.path().extension() != ".svg" || file.find("-freesewing-sa") != std::string::npos) continue;
    auto read = workbench::svg::ReadSvgFile(entry.path());
    if (!read) continue;
    const auto& doc = read.value();
    for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
      const auto arts = doc.AllArtOfLayer(doc.LayerAt(i));
      for (std::size_t k = 0; k < arts.size(); ++k) {
        const auto* art = doc.FindArt(arts[k]);
        if (art == nullptr || art->type != workbench::document::ArtType::kPath) continue;
        if (!best || art->segments.size() > best->segments) {
          best = LargestPiece{entry.path(), art->segments.size(), i, k, doc.FindLayer(doc.LayerAt(i))->title};
        }
      }
    }
  }
  return best;
}

void BasicMarginOfLargestPiece(benchmark::State& bench) {
  static const std::optional<LargestPiece> piece = FindLargestPiece();
  if (!piece) {
    bench.SkipWithError("the shared folder with the real pattern pieces is not beside this checkout");
    return;
  }
  auto read = workbench::svg::ReadSvgFile(piece->file);
  if (!read) {
    bench.SkipWithError(read.error().ToString().c_str());
    return;
  }
  workbench::document::Document doc = std::move(read.value());
  workbench::plugin::Host host(workbench::plugin::HostOptions{fs::temp_directory_path() / "quorvane-margin-bench"});
  host.SetDocument(&doc);
  const auto s = quorvane::testing::AcquireDocumentSuites(host.BasicSuite());
  if (!s) {
    bench.SkipWithError("the host offers not every suite the margin needs");
    return;
  }
  HostDocument hd(*s);
  RunState state;
  // The piece, found again through the module's own view of the document.
  auto layer = hd.NthLayer(static_cast<int>(piece->layer));
  auto arts = layer ? hd.AllArtOfLayer(*layer) : std::nullopt;
  if (arts && piece->index < arts->size()) state.sourcePath = (*arts)[piece->index];
  if (!state.sourcePath) {
    bench.SkipWithError("the largest piece was not found again");
    return;
  }
  for (auto _ : bench) {
    const bool ok = quorvane::generation::BuildBasicSeamMargin(hd, state, 10.0f);
    if (!ok) {
      bench.SkipWithError("the basic margin failed");
      return;
    }
    benchmark::DoNotOptimize(state.resultArt);
  }
  bench.SetLabel(piece->file.filename().string() + " " + piece->layerTitle + ", " + std::to_string(piece->segments) +
                 " anchors, 10 mm");
}

BENCHMARK(BasicMarginOfLargestPiece)->Unit(benchmark::kMillisecond);

}  // namespace
