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

// An SVG file with one closed rectangle of id `id` on the layer "Cut".
void WriteCutLine(const fs::path& file, const std::string& id, double left, double bottom, double right, double top) {
  document::Document doc = document::Document::Empty();
  const auto group = doc.LayerGroup(doc.InsertLayer("Cut"));
  doc.SetArtForeign(doc.NewPath(group,
                                {PathSegment::Corner({left, bottom}), PathSegment::Corner({left, top}),
                                 PathSegment::Corner({right, top}), PathSegment::Corner({right, bottom})},
                                true),
                    {id, {}, {}});
  ASSERT_TRUE(svg::WriteSvgFile(doc, file));
}

TEST(FinishLineCli, InsetsTheCutLineByTheMarginInTheSettingsUnit) {
  TempDir dir;
  const fs::path in = dir / "cut.svg";
  WriteCutLine(in, "cut", 100, 100, 400, 400);

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
    const std::vector<geometry::Point> square = {{100, 100}, {100, 400}, {400, 400}, {400, 100}};
    for (geometry::Point p : Flat(out, lines[0])) {
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

TEST(FinishLineCli, AMarginThePieceHasNoRoomForIsSaidToBeTooLarge) {
  TempDir dir;
  const fs::path in = dir / "strip.svg";
  WriteCutLine(in, "strip", 0, 0, 300, 100);
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
