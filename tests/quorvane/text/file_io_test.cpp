#include "quorvane/text/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace quorvane::text {
namespace {

namespace fs = std::filesystem;

class FileIo : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    dir_ = fs::temp_directory_path() / ("quorvane-file-io-" + std::to_string(rd()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::size_t FilesInDir() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  fs::path dir_;
};

TEST_F(FileIo, SaveReplacesContentAndLeavesNoTemporaryFile) {
  const fs::path file = dir_ / "list.txt";
  ASSERT_FALSE(SaveFileAtomically(file, "first version, longer than the second").has_value());
  ASSERT_FALSE(SaveFileAtomically(file, std::string("second\0\xff", 8)).has_value());
  EXPECT_EQ(ReadFileBytes(file), std::string("second\0\xff", 8));
  EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(FileIo, FailedSaveNamesTheFileAndKeepsTheOldOne) {
  const fs::path file = dir_ / "Quorvane.ini";
  ASSERT_FALSE(SaveFileAtomically(file, "old").has_value());
  // A directory where the file should be renamed to makes the final step fail.
  const fs::path blocked = dir_ / "blocked";
  fs::create_directories(blocked / "inside");
  const auto error = SaveFileAtomically(blocked, "new");
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->find(blocked.string()), std::string::npos) << *error;
  EXPECT_EQ(ReadFileBytes(file), "old");
  EXPECT_EQ(FilesInDir(), 2u);  // the old file and the directory, no leftovers
}

TEST_F(FileIo, SavingIntoAMissingFolderFails) {
  const auto error = SaveFileAtomically(dir_ / "missing" / "x.txt", "data");
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->find("missing"), std::string::npos);
}

TEST_F(FileIo, ReadingAMissingFileGivesNone) {
  EXPECT_FALSE(ReadFileBytes(dir_ / "absent.txt").has_value());
}

}  // namespace
}  // namespace quorvane::text
