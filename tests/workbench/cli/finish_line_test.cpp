// `quorvane finish-line`: the inward offset of a cut line by the margin in
// the unit the settings name, and the preferences folder it leaves behind.
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "workbench/cli/pieces.h"
#include "workbench/svg/svg_io.h"

namespace workbench::cli::testing {
namespace {

namespace fs = std::filesystem;
using geometry::PathSegment;

TEST(FinishLineCli, InsetsTheCutLineByTheMarginInTheSettingsUnit) {
  TempDir dir;
  document::Document doc = document::Document::Empty();
  const auto group = doc.LayerGroup(doc.InsertLayer("Cut"));
  doc.SetArtForeign(doc.NewPath(group,
                                {PathSegment::Corner({100, 100}), PathSegment::Corner({100, 400}),
                                 PathSegment::Corner({400, 400}), PathSegment::Corner({400, 100})},
                                true),
                    {"cut", {}, {}});
  const fs::path in = dir / "cut.svg";
  ASSERT_TRUE(svg::WriteSvgFile(doc, in));

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
    auto out = svg::ReadSvgFile(dir / "cut-finish.svg");
    ASSERT_TRUE(out) << out.error().ToString();
    const auto lines = ClosedPathsOnLayer(out.value(), "Cut(Basic finish line)");
    ASSERT_EQ(lines.size(), 1u) << c.inset;
    const std::vector<geometry::Point> square = {{100, 100}, {100, 400}, {400, 400}, {400, 100}};
    for (geometry::Point p : Flat(out.value(), lines[0])) {
      EXPECT_TRUE(Inside(square, p));
      EXPECT_NEAR(DistanceTo(square, p), c.inset, 0.01) << c.inset;
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

}  // namespace
}  // namespace workbench::cli::testing
