// `quorvane finish-line`: the inward offset of a cut line by the margin in
// the unit the settings name, and the preferences folder it leaves behind.
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "workbench/cli/pieces.h"

namespace workbench::cli::testing {
namespace {

namespace fs = std::filesystem;

TEST(FinishLineCli, InsetsTheCutLineByTheMarginInTheSettingsUnit) {
  TempDir dir;
  // A square from (100, 100) to (400, 400), clockwise with y up.
  const fs::path in = SpillLayer(dir / "cut.svg", "Cut", R"(<path id="cut" d="M 100 500 L 100 200 L 400 200 L 400 500 Z"/>)");

  struct Case {
    std::vector<std::string> args;
    double inset;
  };
  const fs::path prefs = dir / "prefs";
  const Case cases[] = {{{"--margin", "10"}, 10 * kPointsPerMm},
                        {{"--margin", "1", "--unit", "in", "--prefs", prefs.string()}, 72.0},
                        {{"--margin", "2.5", "--unit", "cm", "--path", "cut"}, 25 * kPointsPerMm}};
  for (const Case& c : cases) {
    std::vector<std::string> args = {"finish-line", in.string()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Ran ran = RunQuorvane(args);
    ASSERT_EQ(ran.status, 0) << ran.err;
    const document::Document out = Read(dir / "cut-finish.svg");
    const auto lines = ClosedPathsOnLayer(out, "Cut(Basic finish line)");
    ASSERT_EQ(lines.size(), 1u) << c.inset;
    const quorvane::testing::DistanceField square = Field({{100, 100}, {100, 400}, {400, 400}, {400, 100}});
    for (geometry::Point p : Flat(out, lines[0])) {
      EXPECT_TRUE(square.Inside(p));
      EXPECT_NEAR(square(p), c.inset, 0.01) << c.inset;
    }
  }
  // The module kept the unit it was given in the named preferences folder.
  EXPECT_NE(Slurp(prefs / "Quorvane.ini").find("trevask_unit = 2"), std::string::npos);

  for (const std::string margin : {"0", "-5", "ten"}) {
    const Ran ran = RunQuorvane({"finish-line", in.string(), "--margin", margin, "-o", (dir / "x.svg").string()});
    EXPECT_EQ(ran.status, 2) << margin;
    EXPECT_NE(ran.err.find("\"" + margin + "\""), std::string::npos) << ran.err;
    EXPECT_FALSE(fs::exists(dir / "x.svg"));
  }
}

TEST(FinishLineCli, AMarginThePieceHasNoRoomForIsSaidToBeTooLarge) {
  TempDir dir;
  const fs::path in = SpillLayer(dir / "strip.svg", "Cut", R"(<path id="strip" d="M 0 600 L 0 500 L 300 500 L 300 600 Z"/>)");
  // 100 pt across is 35.3 mm: 20 mm from both sides leaves nothing, and
  // 1e7 mm is billions of points beyond the document.
  for (const std::string margin : {"20", "100", "1e7"}) {
    const Ran ran = RunQuorvane({"finish-line", in.string(), "--margin", margin});
    EXPECT_EQ(ran.status, 1) << margin << ": " << ran.err;
    EXPECT_NE(ran.err.find("path \"strip\": the margin of " + margin + " mm is too large for this piece"),
              std::string::npos)
        << ran.err;
    EXPECT_EQ(ran.err.find("made no result"), std::string::npos) << ran.err;
    EXPECT_TRUE(ClosedPathsOnLayer(Read(dir / "strip-finish.svg"), "Cut(Basic finish line)").empty()) << margin;
  }
  // 17 mm leaves a sliver under 4 pt high.
  const Ran fits = RunQuorvane({"finish-line", in.string(), "--margin", "17"});
  EXPECT_EQ(fits.status, 0) << fits.err;
}

}  // namespace
}  // namespace workbench::cli::testing
