// Every seed of the fuzz corpora and every input a fuzzer ever found
// (tests/data/regressions/<target>/) goes through its target's check on
// every test run, with the normal compiler.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_checks.h"
#include "support/shared_data.h"

namespace quorvane::fuzz {
namespace {

namespace fs = std::filesystem;

// The files of `dir`, sorted; none when it does not exist.
std::vector<fs::path> FilesIn(const fs::path& dir) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file()) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Runs every file under `root`/<target>/ through the target's check and
// returns how many there were.
int ReplayAll(const fs::path& root) {
  int replayed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_directory()) continue;
    const std::string target = it->path().filename().string();
    const Check check = CheckByName(target);
    EXPECT_NE(check, nullptr) << "no fuzz target named " << target << " for " << it->path();
    if (check == nullptr) continue;
    for (const fs::path& file : FilesIn(it->path())) {
      const auto start = std::chrono::steady_clock::now();
      std::ifstream in(file, std::ios::binary);
      const std::string problem = check(std::string(std::istreambuf_iterator<char>(in), {}));
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      EXPECT_EQ(problem, "") << file;
      // Only a hang exceeds this; the fuzzers' own limit is 10 s.
      EXPECT_LT(seconds, 10.0) << file;
      ++replayed;
    }
  }
  return replayed;
}

TEST(FuzzRegressions, EveryFoundInputPassesItsTargetsCheck) {
  const int replayed = ReplayAll(quorvane::testing::TestDataDir() / "regressions");
  EXPECT_GT(replayed, 0);
}

TEST(FuzzRegressions, EverySeedPassesItsTargetsCheck) {
  const fs::path corpus = QUORVANE_FUZZ_CORPUS_DIR;
  EXPECT_GT(ReplayAll(corpus), 0);
  for (const char* target : {"list_file_reader", "tag_text", "settings_reader", "svg_reader", "module_run"}) {
    EXPECT_FALSE(FilesIn(corpus / target).empty()) << "no seeds for " << target;
  }
}

}  // namespace
}  // namespace quorvane::fuzz
