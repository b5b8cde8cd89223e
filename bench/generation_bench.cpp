// One preview run of the generation driver on a real pattern piece: the
// basic seam margin and five corner commands, and each command alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "quorvane/commands/command_set.h"
#include "quorvane/generation/command_steps.h"
#include "quorvane/generation/basic_seam_margin.h"
#include "quorvane/generation/seam_allowance_generator.h"
#include "quorvane/facade/host_document.h"
#include "support/bound_host.h"
#include "workbench/document/document.h"
#include "workbench/plugin/host.h"
#include "workbench/svg/svg_io.h"

namespace {

namespace fs = std::filesystem;
using quorvane::commands::CCommandSet;
using quorvane::commands::CommandType;
using quorvane::generation::RunState;
using quorvane::host::ArtRef;
using quorvane::host::HostDocument;
using quorvane::host::HostSuites;

constexpr float kBasicWidth = 10.0f;  // mm
constexpr CommandType kKinds[] = {CommandType::kRightAngleForward, CommandType::kRightAngleBackward,
                                  CommandType::kRevForward, CommandType::kRevBackward,
                                  CommandType::kRightAngleForward};

bool Apply(HostDocument& doc, RunState& state, CommandType kind, int anchor) {
  switch (kind) {
    case CommandType::kRightAngleForward:
    case CommandType::kRightAngleBackward:
      return quorvane::generation::ApplyRightAngleCorner(doc, state, anchor, kind == CommandType::kRightAngleForward);
    default:
      return quorvane::generation::ApplyReverseCorner(doc, state, anchor, kind == CommandType::kRevForward);
  }
}

// The turn at each anchor, in degrees, from the tangents of the curves that
// meet there.
std::vector<double> Turns(const std::vector<QvPathSegment>& s) {
  const std::size_t n = s.size();
  std::vector<double> turns(n, 0.0);
  const auto same = [](QvRealPoint a, QvRealPoint b) { return a.h == b.h && a.v == b.v; };
  for (std::size_t i = 0; i < n; ++i) {
    const QvPathSegment& prev = s[(i + n - 1) % n];
    const QvPathSegment& next = s[(i + 1) % n];
    QvRealPoint from = s[i].in;
    if (same(from, s[i].p)) from = prev.out;
    if (same(from, s[i].p)) from = prev.p;
    QvRealPoint to = s[i].out;
    if (same(to, s[i].p)) to = next.in;
    if (same(to, s[i].p)) to = next.p;
    const double a = std::atan2(s[i].p.v - from.v, s[i].p.h - from.h);
    const double b = std::atan2(to.v - s[i].p.v, to.h - s[i].p.h);
    double d = std::abs(b - a);
    if (d > std::numbers::pi) d = 2.0 * std::numbers::pi - d;
    turns[i] = d * 180.0 / std::numbers::pi;
  }
  return turns;
}

// A real piece in a host of its own, with five corners at which the
// corner commands work one after another.
struct Bench {
  fs::path file;
  std::string layerTitle;
  std::unique_ptr<workbench::document::Document> doc;
  std::unique_ptr<workbench::plugin::Host> host;
  HostSuites suites;
  std::unique_ptr<HostDocument> hd;
  RunState state;
  ArtRef piece;
  CCommandSet set{"bench"};

  bool Load(const fs::path& path, std::size_t layerIndex) {
    auto read = workbench::svg::ReadSvgFile(path);
    if (!read) return false;
    doc = std::make_unique<workbench::document::Document>(std::move(read.value()));
    host = std::make_unique<workbench::plugin::Host>(
        workbench::plugin::HostOptions{fs::temp_directory_path() / "quorvane-generation-bench"});
    host->SetDocument(doc.get());
    const auto acquired = quorvane::testing::AcquireDocumentSuites(host->BasicSuite());
    if (!acquired) return false;
    suites = *acquired;
    hd = std::make_unique<HostDocument>(suites);
    auto layer = hd->NthLayer(static_cast<int>(layerIndex));
    if (!layer) return false;
    layerTitle = hd->LayerTitle(*layer).value_or("");
    auto arts = hd->AllArtOfLayer(*layer);
    if (!arts || arts->empty()) return false;
    piece = arts->front();
    file = path;
    return true;
  }

  // Picks the corners: anchors turning between 60 and 120 degrees, each
  // kept when its command works on the margin the earlier ones left.
  bool PickCorners() {
    auto segments = hd->Segments(piece);
    if (!segments) return false;
    const std::vector<double> turns = Turns(*segments);
    state.sourcePath = piece;
    if (!quorvane::generation::BuildBasicSeamMargin(*hd, state, kBasicWidth)) return false;
    std::size_t kind = 0;
    for (std::size_t i = 0; i < turns.size() && kind < std::size(kKinds); ++i) {
      if (turns[i] < 60.0 || turns[i] > 120.0) continue;
      if (!Apply(*hd, state, kKinds[kind], static_cast<int>(i) + 1)) {
        if (!quorvane::generation::BuildBasicSeamMargin(*hd, state, kBasicWidth)) return false;
        continue;
      }
      const int c = set.AddCommand(kKinds[kind]) - 1;
      set.SetCommandPoint(c, 0, std::to_string(i + 1));
      ++kind;
    }
    set.SetBasicWidth(kBasicWidth);
    return kind == std::size(kKinds);
  }

  quorvane::generation::PanelValues Panel() const {
    return {true, set.GetCommandCount() + 1, quorvane::generation::OptimizeChoice::kNone};
  }
};

// The piece of the corpus with the most anchors that has five usable
// corners and whose whole run succeeds.
Bench* Prepared() {
  static std::unique_ptr<Bench> prepared = []() -> std::unique_ptr<Bench> {
    const fs::path dir = fs::path(QUORVANE_SHARED_DIR) / "corpus" / "freesewing";
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) return nullptr;
    struct Candidate {
      std::size_t anchors;
      fs::path file;
      std::size_t layer;
    };
    std::vector<Candidate> candidates;
    for (const auto& entry : fs::directory_iterator(dir)) {
      const std::string name = entry.path().filename().string();
      if (entry.path().extension() != ".svg" || name.find("-freesewing-sa") != std::string::npos) continue;
      auto read = workbench::svg::ReadSvgFile(entry.path());
      if (!read) continue;
      const auto& doc = read.value();
      for (std::size_t l = 0; l < doc.LayerCount(); ++l) {
        const auto arts = doc.AllArtOfLayer(doc.LayerAt(l));
        if (arts.empty()) continue;
        const auto* art = doc.FindArt(arts.front());
        if (art != nullptr && art->type == workbench::document::ArtType::kPath) {
          candidates.push_back({art->segments.size(), entry.path(), l});
        }
      }
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
      return a.anchors != b.anchors ? a.anchors > b.anchors : a.file < b.file;
    });
    for (const Candidate& c : candidates) {
      auto bench = std::make_unique<Bench>();
      if (!bench->Load(c.file, c.layer) || !bench->PickCorners()) continue;
      bench->state.sourcePath = bench->piece;
      quorvane::generation::SeamAllowanceGenerator(*bench->hd, bench->state, bench->set, bench->Panel(), false);
      if (bench->state.resultArt) return bench;
    }
    return nullptr;
  }();
  return prepared.get();
}

bool Ready(benchmark::State& bench, Bench*& b) {
  b = Prepared();
  if (b == nullptr) {
    bench.SkipWithError("the shared folder with the real pattern pieces is not beside this checkout");
    return false;
  }
  return true;
}

std::string Label(const Bench& b) {
  const auto anchors = b.hd->SegmentCount(b.piece).value_or(0);
  return b.file.filename().string() + " " + b.layerTitle + " (" + std::to_string(anchors) +
         " anchors), basic margin 10 mm and 5 corners";
}

void PreviewRun(benchmark::State& bench) {
  Bench* b = nullptr;
  if (!Ready(bench, b)) return;
  for (auto _ : bench) {
    b->state.sourcePath = b->piece;
    quorvane::generation::SeamAllowanceGenerator(*b->hd, b->state, b->set, b->Panel(), false);
    if (!b->state.resultArt) {
      bench.SkipWithError("the run failed");
      return;
    }
  }
  bench.SetLabel(Label(*b));
}

// One command of the run alone, on the margin the commands before it left.
void Command(benchmark::State& bench) {
  Bench* b = nullptr;
  if (!Ready(bench, b)) return;
  const int k = static_cast<int>(bench.range(0));
  std::string first, second;
  b->set.GetCommandPoints(k, first, second);
  const int anchor = std::stoi(first);
  for (auto _ : bench) {
    bench.PauseTiming();
    b->state.sourcePath = b->piece;
    bool ok = quorvane::generation::BuildBasicSeamMargin(*b->hd, b->state, kBasicWidth);
    for (int j = 0; j < k && ok; ++j) {
      std::string p, q;
      b->set.GetCommandPoints(j, p, q);
      ok = Apply(*b->hd, b->state, b->set.GetCommandType(j), std::stoi(p));
    }
    bench.ResumeTiming();
    if (!ok || !Apply(*b->hd, b->state, b->set.GetCommandType(k), anchor)) {
      bench.SkipWithError("the command failed");
      return;
    }
  }
  bench.SetLabel(std::string(b->set.GetCommandLabel(k, quorvane::text::Language::kEnglish)) + "at anchor " +
                 first);
}

void BasicMargin(benchmark::State& bench) {
  Bench* b = nullptr;
  if (!Ready(bench, b)) return;
  for (auto _ : bench) {
    b->state.sourcePath = b->piece;
    if (!quorvane::generation::BuildBasicSeamMargin(*b->hd, b->state, kBasicWidth)) {
      bench.SkipWithError("the basic margin failed");
      return;
    }
  }
  bench.SetLabel(Label(*b));
}

BENCHMARK(PreviewRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BasicMargin)->Unit(benchmark::kMillisecond);
BENCHMARK(Command)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
