// Where the tests find their data: our own files under tests/data/, and the
// real pattern pieces of the shared folder beside the repository, which a
// fresh clone does not have.
#pragma once

#include <filesystem>
#include <optional>

namespace quorvane::testing {

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

}  // namespace quorvane::testing
