// `quorvane info` in the process: bad input and the text report. (Its JSON
// is read back by the program tests.)
#include "workbench/cli/info.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/shared_data.h"

namespace workbench::cli {
namespace {

TEST(Info, BadInputExitsTwoNamingFileAndLine) {
  const auto file = quorvane::testing::TestDataDir() / "svg" / "bad_path_data.svg";
  std::ostringstream out, err;
  EXPECT_EQ(RunInfo(file.string(), false, out, err), 2);
  EXPECT_NE(err.str().find(file.string() + ":4:"), std::string::npos) << err.str();
  EXPECT_TRUE(out.str().empty());
}

TEST(Info, TextReportListsLayersAndPaths) {
  const auto file = quorvane::testing::TestDataDir() / "svg" / "shapes.svg";
  std::ostringstream out, err;
  ASSERT_EQ(RunInfo(file.string(), false, out, err), 0) << err.str();
  const std::string text = out.str();
  EXPECT_NE(text.find("layer \"Locked hidden\" locked hidden"), std::string::npos) << text;
  EXPECT_NE(text.find("path box closed, 4 anchors"), std::string::npos) << text;
  EXPECT_NE(text.find("path holes closed, 8 anchors in 2 subpaths"), std::string::npos) << text;
}

}  // namespace
}  // namespace workbench::cli
