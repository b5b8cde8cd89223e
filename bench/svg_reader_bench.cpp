// Reading time of every SVG the fuzzers ever found (tests/data/regressions/
// svg_reader/) and of the seed files, one benchmark a file, so that the
// slowest shows: any file under 1 MB must read within a second. Then
// generated documents of 1,000 to 200,000 elements, flat and in groups, and
// the worst files under 1 MB the limits allow, with the time per element
// ("per_element"), which stays flat when reading is linear.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "workbench/svg/svg_io.h"
#include "workbench/svg/svg_limits.h"

namespace {

using workbench::svg::kMaxAnchorsPerPath;
using workbench::svg::kMaxElements;
using workbench::svg::kMaxNestingDepth;
using workbench::svg::kMaxPathDataLength;

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void ReadOne(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    auto read = workbench::svg::ReadSvgString(text, "bench.svg");
    benchmark::DoNotOptimize(read);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

constexpr const char* kOpen = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"600\" height=\"600\">\n";

// `paths` short paths, side by side in the root, or ten to a group.
std::string Generated(std::size_t paths, bool grouped) {
  std::string text = kOpen;
  for (std::size_t i = 0; i < paths; ++i) {
    if (grouped && i % 10 == 0) text += i == 0 ? "<g>\n" : "</g>\n<g>\n";
    text += "<path d=\"M" + std::to_string(i % 500) + " " + std::to_string(i / 500 % 500) + "h5v5\"/>\n";
  }
  if (grouped && paths > 0) text += "</g>\n";
  return text + "</svg>\n";
}

constexpr std::size_t kOneMegabyte = 1000000;

// The root holding `element` over and over, as many times as stay under
// 1 MB and within the element limit (each repeat holding `elements`).
std::string Filled(const std::string& element, std::size_t elements = 1) {
  std::string text = kOpen;
  for (std::size_t n = 1; text.size() + element.size() + 8 < kOneMegabyte && n + elements <= kMaxElements;
       n += elements) {
    text += element;
  }
  return text + "</svg>";
}

// Files just under 1 MB that the limits accept and that cost the reader the
// most: the most elements of the smallest kinds, elements the reader keeps
// as markup or builds path data for, arcs it converts to curves, groups
// nested to the depth limit over and over, custom colours looked up by name
// and one path with the longest data.
std::vector<std::pair<std::string, std::string>> WorstUnderOneMegabyte() {
  std::vector<std::pair<std::string, std::string>> files;
  files.emplace_back("tiny-groups", Filled("<g/>"));
  files.emplace_back("tiny-unknown-elements", Filled("<x/>"));
  files.emplace_back("tiny-texts", Filled("<text/>"));
  files.emplace_back("tiny-paths", Filled("<path d=\"M0 0h1\"/>"));
  files.emplace_back("tiny-circles", Filled("<circle r=\"1\"/>"));
  files.emplace_back("tiny-arcs", Filled("<path d=\"M0 0A1 1 0 0 0 1 1\"/>"));
  std::string arcs = "<path d=\"M0 0";
  for (std::size_t i = 0; i < kMaxAnchorsPerPath / 8; ++i) arcs += i % 2 ? "a5 5 0 0 0 9 9" : "a5 5 0 0 0-9-9";
  files.emplace_back("arc-paths", Filled(arcs + "\"/>"));
  std::string bigArcs = "<path d=\"M0 0";
  for (std::size_t i = 0; i < 100; ++i) bigArcs += i % 2 ? "A4e8 4e8 0 1 0 0 0" : "A4e8 4e8 0 1 0 1 0";
  files.emplace_back("arcs-of-large-radius", Filled(bigArcs + "\"/>"));
  std::string chain;
  for (int d = 0; d < kMaxNestingDepth - 2; ++d) chain += "<g>";
  chain += "<path d=\"M0 0h1\"/>";
  for (int d = 0; d < kMaxNestingDepth - 2; ++d) chain += "</g>";
  files.emplace_back("nested-at-depth-limit", Filled(chain, static_cast<std::size_t>(kMaxNestingDepth) - 1));
  // Custom colours and a swatch of each (looked up by name).
  std::string colors = std::string(kOpen) + "<workbench:colors>";
  std::string swatches;
  for (std::size_t i = 0; colors.size() + swatches.size() + 150 < kOneMegabyte && 2 * i + 4 < kMaxElements; ++i) {
    const std::string name = "colour-" + std::to_string(1000000 + i);
    colors += "<workbench:custom-color name=\"" + name + "\" color=\"gray(0.5)\"/>";
    swatches += "<workbench:swatch name=\"s\" color=\"custom(1)\" custom=\"" + name + "\"/>";
  }
  files.emplace_back("custom-colours-and-swatches", colors + swatches + "</workbench:colors></svg>");
  std::string longPath = std::string(kOpen) + "<path d=\"M0 0";
  for (std::size_t i = 0; longPath.size() + 16 < kOneMegabyte && longPath.size() + 16 < kMaxPathDataLength &&
                          i < kMaxAnchorsPerPath - 1;
       ++i) {
    longPath += " L" + std::to_string(i % 997) + " " + std::to_string(i % 991);
  }
  files.emplace_back("longest-path-data", longPath + "\"/></svg>");
  return files;
}

void ReadGenerated(benchmark::State& state, const std::string& text, std::size_t elements) {
  // A file beyond a limit is timed up to its refusal.
  if (auto read = workbench::svg::ReadSvgString(text, "generated.svg"); !read) {
    state.SetLabel("refused: " + read.error().message);
  }
  ReadOne(state, text);
  state.counters["elements"] = static_cast<double>(elements);
  state.counters["per_element"] = benchmark::Counter(static_cast<double>(elements),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (const char* dir : {QUORVANE_SOURCE_DIR "/tests/data/regressions/svg_reader",
                          QUORVANE_SOURCE_DIR "/tests/fuzz/corpus/svg_reader"}) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      files.push_back(it->path());
    }
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    benchmark::RegisterBenchmark(file.filename().string().c_str(), ReadOne, ReadBytes(file))
        ->Unit(benchmark::kMillisecond);
  }
  for (const bool grouped : {false, true}) {
    for (const std::size_t paths : {1000, 10000, 100000, 180000}) {
      const std::size_t elements = paths + (grouped ? (paths + 9) / 10 : 0) + 1;
      if (elements > workbench::svg::kMaxElements) continue;
      const std::string name = std::string(grouped ? "generated-grouped/" : "generated-flat/") + std::to_string(paths);
      benchmark::RegisterBenchmark(name.c_str(), ReadGenerated, Generated(paths, grouped), elements)
          ->Unit(benchmark::kMillisecond);
    }
  }
  for (const auto& [name, text] : WorstUnderOneMegabyte()) {
    // Start tags: every '<' but those of end tags.
    std::size_t elements = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) elements += text[i] == '<' && text[i + 1] != '/';
    benchmark::RegisterBenchmark(("worst-under-1MB/" + name).c_str(), ReadGenerated, text, elements)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
