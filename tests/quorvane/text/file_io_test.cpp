#include "quorvane/text/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/shared_data.h"

namespace quorvane::text {
namespace {

namespace fs = std::filesystem;

TEST(FileIo, SavesReplaceWholeOrFailNamingTheFileAndLeaveNoTemporaryFile) {
  const fs::path dir = testing::FreshTempPath("quorvane-file-io-");
  fs::create_directories(dir);
  const fs::path file = dir / "list.txt";
  ASSERT_FALSE(SaveFileAtomically(file, "first version, longer than the second").has_value());
  ASSERT_FALSE(SaveFileAtomically(file, std::string("second\0\xff", 8)).has_value());
  EXPECT_EQ(ReadFileBytes(file), std::string("second\0\xff", 8));

  // A directory where the file should be renamed to makes the final step fail.
  const fs::path blocked = dir / "blocked";
  fs::create_directories(blocked / "inside");
  const auto error = SaveFileAtomically(blocked, "new");
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->find(blocked.string()), std::string::npos) << *error;
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2) << "no leftovers";
  EXPECT_NE(SaveFileAtomically(dir / "missing" / "x.txt", "data").value_or("").find("missing"), std::string::npos);
  EXPECT_FALSE(ReadFileBytes(dir / "absent.txt").has_value());
  fs::remove_all(dir);
}

}  // namespace
}  // namespace quorvane::text
