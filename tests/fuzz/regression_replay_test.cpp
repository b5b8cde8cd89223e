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

// Every saved finding and every seed, each through its target's check; each
// target has seeds.
TEST(FuzzRegressions, EveryFoundInputAndEverySeedPassesItsTargetsCheck) {
  const fs::path corpus = QUORVANE_FUZZ_CORPUS_DIR;
  for (const fs::path& root : {quorvane::testing::TestDataDir() / "regressions", corpus}) {
    int replayed = 0;
    for (const fs::directory_entry& folder : fs::directory_iterator(root)) {
      if (!folder.is_directory()) continue;
      const Check check = CheckByName(folder.path().filename().string());
      ASSERT_NE(check, nullptr) << "no fuzz target named after " << folder.path();
      for (const fs::path& file : FilesIn(folder.path())) {
        const auto start = std::chrono::steady_clock::now();
        std::ifstream in(file, std::ios::binary);
        EXPECT_EQ(check(std::string(std::istreambuf_iterator<char>(in), {})), "") << file;
        // Only a hang exceeds this; the fuzzers' own limit is 10 s.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << file;
        ++replayed;
      }
    }
    EXPECT_GT(replayed, 0) << root;
  }
  for (const char* target : {"list_file_reader", "tag_text", "settings_reader", "svg_reader", "module_run"}) {
    EXPECT_FALSE(FilesIn(corpus / target).empty()) << "no seeds for " << target;
  }
}

}  // namespace
}  // namespace quorvane::fuzz
