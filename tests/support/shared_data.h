// Where the tests find their data: our own files under tests/data/, and the
// real pattern pieces of the shared folder beside the repository, which a
// fresh clone does not have.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::testing {

/// A path in the temporary folder that no other fixture, in this process or
/// another that ctest runs at once, is given; nothing is made there.
inline std::filesystem::path FreshTempPath(const std::string& prefix) {
  static std::atomic<int> counter{0};
  return std::filesystem::temp_directory_path() /
         (prefix + std::to_string(::getpid()) + "-" + std::to_string(counter++));
}

/// tests/data/ of this repository.
inline std::filesystem::path TestDataDir() { return QUORVANE_TEST_DATA_DIR; }

/// The shared folder (real pattern pieces, peers' regression cases), or none
/// when it is absent. Tests that need it skip, saying so.
inline std::optional<std::filesystem::path> SharedDir() {
  std::filesystem::path dir = QUORVANE_SHARED_DIR;
  std::error_code ec;
  if (std::filesystem::is_directory(dir / "corpus", ec)) return dir;
  return std::nullopt;
}

inline constexpr const char* kNoSharedDir =
    "the shared folder with the real pattern pieces is not beside this checkout";

/// The real pattern pieces of the shared folder (its finish-line files, not
/// the ones with the other program's seam allowances), sorted; none when the
/// folder is absent.
inline std::vector<std::filesystem::path> CorpusFiles() {
  std::vector<std::filesystem::path> out;
  const auto shared = SharedDir();
  if (!shared) return out;
  for (const auto& entry : std::filesystem::directory_iterator(*shared / "corpus" / "freesewing")) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".svg" && name.find("-freesewing-sa") == std::string::npos) {
      out.push_back(entry.path());
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace quorvane::testing
