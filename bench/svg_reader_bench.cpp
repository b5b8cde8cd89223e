// Reading time of every SVG the fuzzers ever found (tests/data/regressions/
// svg_reader/) and of the seed files, one benchmark a file, so that the
// slowest shows: any file under 1 MB must read within a second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "workbench/svg/svg_io.h"

namespace {

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
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
