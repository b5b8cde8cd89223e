// The module's text services: code page 932 and whole-file saves.
#include <gtest/gtest.h>

#include <filesystem>

#include "quorvane/text/cp932.h"
#include "quorvane/text/file_io.h"
#include "support/shared_data.h"

namespace quorvane::text {
namespace {

namespace fs = std::filesystem;

TEST(Cp932, ConvertsBothWaysOrRefusesInsteadOfMangling) {
  const std::string cp932 = "\x93\xfa\x96\x7b\x8c\xea";  // 日本語
  EXPECT_EQ(Cp932ToUtf8(cp932), "日本語");
  EXPECT_EQ(Utf8ToCp932("日本語"), cp932);
  // The Windows code page maps wave dash and minus to bytes of its own.
  EXPECT_EQ(Utf8ToCp932("～−"), std::string("\x81\x60\x81\x7c"));
  EXPECT_EQ(Cp932ToUtf8(std::string("\x81\x60")), std::string("～"));
  const std::string ascii("a\\b~c\0d", 7);
  EXPECT_EQ(Cp932ToUtf8(ascii), ascii);
  EXPECT_EQ(Utf8ToCp932(ascii), ascii);
  EXPECT_FALSE(Utf8ToCp932("shirt \xF0\x9F\x91\x95").has_value());  // an emoji
  EXPECT_FALSE(Utf8ToCp932("bad \xC3").has_value());                 // truncated UTF-8
  EXPECT_FALSE(Cp932ToUtf8(std::string("name\x93")).has_value());   // lone lead byte
}

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
