// The workbench's print settings: a round trip through the file, and errors
// that name the file and line. (The defaults show in the cutting outputs.)
#include <gtest/gtest.h>

#include <fstream>

#include "support/shared_data.h"
#include "workbench/fabric/line_conventions.h"

namespace workbench::fabric {
namespace {

namespace fs = std::filesystem;

class PrintSettingsFile : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path Write(const std::string& text) {
    std::ofstream(dir_ / "print.ini") << text;
    return dir_ / "print.ini";
  }
  const fs::path dir_ = quorvane::testing::FreshTempPath("quorvane-print-settings-");
};

TEST_F(PrintSettingsFile, WrittenSettingsReadBackTheSame) {
  LineConventions c;
  c.cutWidthMm = 0.9;
  c.finishDashMm = {5, 2, 1, 2};
  c.notch = NotchKind::kV;
  c.notchWidthMm = 4.5;
  const fs::path file = dir_ / "sub" / "print.ini";
  ASSERT_TRUE(WriteLineConventions(c, file));
  auto read = ReadLineConventions(file);
  ASSERT_TRUE(read) << read.error().ToString();
  EXPECT_EQ(read.value(), c);
  // Keys left out keep their defaults; comments and blank lines are fine.
  read = ReadLineConventions(Write("# mine\n\nnotch = t   # T notches\n"));
  ASSERT_TRUE(read) << read.error().ToString();
  EXPECT_EQ(read.value().notch, NotchKind::kT);
  EXPECT_EQ(read.value().cutWidthMm, LineConventions{}.cutWidthMm);
}

TEST_F(PrintSettingsFile, BadLinesAreNamedWithTheirFileAndLine) {
  struct Case {
    const char* text;
    int line;
    const char* says;
  };
  for (const Case& c : {Case{"notch = slit\ncut-line-width = -1\n", 2, "cut-line-width must be"},
                        Case{"\n\nnotch = u\n", 3, "slit, t or v"},
                        Case{"finish-line-dash = 3 1 2\n", 1, "pairs"},
                        Case{"colour = red\n", 1, "unknown setting \"colour\""},
                        Case{"notch-length\n", 1, "key = value"}}) {
    const fs::path file = Write(c.text);
    auto read = ReadLineConventions(file);
    ASSERT_FALSE(read) << c.text;
    EXPECT_EQ(read.error().file, file.string());
    EXPECT_EQ(read.error().line, c.line) << c.text;
    EXPECT_NE(read.error().message.find(c.says), std::string::npos) << read.error().message;
  }
}

}  // namespace
}  // namespace workbench::fabric
