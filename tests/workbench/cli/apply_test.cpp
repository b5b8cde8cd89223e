// `quorvane apply` run as a program on our own pieces and the bundled
// bodice: exit statuses, where the output goes, and the
// geometry of the results measured on the saved file.
#include <gtest/gtest.h>

#include <tuple>

#include "cli_test_support.h"
#include "support/shared_data.h"
#include "workbench/cli/pieces.h"
#include "workbench/svg/svg_io.h"

namespace workbench::cli::testing {
namespace {

namespace fs = std::filesystem;
using document::ArtId;
using document::Document;
using geometry::PathSegment;

constexpr double kTolerance = 0.02;  // points

const std::string kEveryKindList = EveryKindList();

std::vector<PathSegment> Polygon(std::initializer_list<geometry::Point> points) {
  std::vector<PathSegment> segments;
  for (geometry::Point p : points) segments.push_back(PathSegment::Corner(p));
  return segments;
}

// Pieces on one layer "Pieces": a square drawn counter-clockwise (y up), an
// L drawn clockwise, an open path and a locked triangle.
fs::path WritePieces(const fs::path& file) {
  return SpillLayer(file, "Pieces", R"(<path id="sq" d="M 100 500 L 300 500 L 300 300 L 100 300 Z"/>
<path id="ell" d="M 400 500 L 400 200 L 500 200 L 500 400 L 600 400 L 600 500 Z"/>
<path id="open" d="M 100 100 L 300 50"/>
<path id="locked" sodipodi:insensitive="true" d="M 700 500 L 700 400 L 800 400 Z"/>)");
}

TEST(ApplyCli, BasicSetGoesBesideTheInputAtItsWidthAndLeavesTheInputAlone) {
  TempDir dir;
  const fs::path in = WritePieces(dir / "pieces.svg");
  const std::string before = Slurp(in);
  for (int run = 0; run < 2; ++run) {  // the second replaces the first output
    const Ran ran = RunQuorvane(ApplyBasic({in.string()}));
    ASSERT_EQ(ran.status, 0) << ran.err;
    EXPECT_NE(ran.out.find("sq: seam allowance on layer \"Pieces(Auto seam-margin generate)\""), std::string::npos)
        << ran.out;
  }
  EXPECT_EQ(Slurp(in), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2) << "no temporary left";

  const Document out = Read(dir / "pieces-seam.svg");
  const std::string layer = "Pieces(Auto seam-margin generate)";
  EXPECT_EQ(ClosedPathsOnLayer(out, layer).size(), 2u);
  for (std::string_view work : kWorkLayerTitles) EXPECT_FALSE(out.FindLayerByTitle(work));
  const double width = 10 * kPointsPerMm;
  EXPECT_NEAR(Margin(out, "sq-seam", "sq"), width, kTolerance);
  EXPECT_NEAR(Margin(out, "ell-seam", "ell"), width, kTolerance);
  // The square was turned clockwise before the module took it.
  EXPECT_GT(*out.SignedArea(FindById(out, "sq")), 0.0);
}

TEST(ApplyCli, PathsCarryingTheirOwnSetsGetThemAndAPathWithoutOneIsBadInput) {
  TempDir dir;
  Document doc = Document::Empty();
  const ArtId group = doc.LayerGroup(doc.InsertLayer("Tagged"));
  const auto setText = [](const std::string& name, const std::string& width) {
    return "#" + name + "\n" + width + "\n%LinePoint-Num,t,index\n*Commands-type,point,haba,num\n";
  };
  using Tagged = std::tuple<const char*, const char*, double>;
  for (const auto& [id, width, x] : {Tagged{"wide", "12.000000", 100.0}, Tagged{"narrow", "4.000000", 400.0}}) {
    const ArtId path = doc.NewPath(group, Polygon({{x, 100}, {x, 300}, {x + 200, 300}, {x + 200, 100}}), true);
    doc.SetArtForeign(path, {id, {}, {}});
    doc.SetTag(path, "TREVASK_001", setText(id, width));
  }
  ASSERT_TRUE(svg::WriteSvgFile(doc, dir / "tagged.svg"));

  Ran ran = RunQuorvane({"apply", (dir / "tagged.svg").string(), "--prefs", (dir / "prefs").string()});
  ASSERT_EQ(ran.status, 0) << ran.err;
  const Document out = Read(dir / "tagged-seam.svg");
  EXPECT_EQ(ClosedPathsOnLayer(out, "Tagged(Auto seam-margin generate)").size(), 2u);
  EXPECT_NEAR(Margin(out, "wide-seam", "wide"), 12 * kPointsPerMm, kTolerance);
  EXPECT_NEAR(Margin(out, "narrow-seam", "narrow"), 4 * kPointsPerMm, kTolerance);

  doc.SetArtForeign(doc.NewPath(group, Polygon({{100, 400}, {100, 500}, {200, 500}}), true), {"plain", {}, {}});
  ASSERT_TRUE(svg::WriteSvgFile(doc, dir / "mixed.svg"));
  ran = RunQuorvane({"apply", (dir / "mixed.svg").string()});
  EXPECT_EQ(ran.status, 2);
  EXPECT_NE(ran.err.find("\"plain\" carries no command set"), std::string::npos) << ran.err;
  EXPECT_FALSE(fs::exists(dir / "mixed-seam.svg"));
}

// Bad input and mistakes of the command line exit 2 saying, in the user's
// terms, what is wrong, and write nothing.
TEST(Cli, BadInputExitsTwoNamingWhatIsWrongAndWritesNothing) {
  TempDir dir;
  const std::string in = WritePieces(dir / "pieces.svg").string();
  const std::string out = (dir / "out.svg").string();
  const std::string missing = (dir / "missing.svg").string();
  const std::string badSvg = (quorvane::testing::TestDataDir() / "svg" / "bad_path_data.svg").string();
  Spill(dir / "photo.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  Spill(dir / "notes.txt", "Front bodice: 10 mm all round\n");
  fs::create_directories(dir / "folder");
  struct Case {
    std::vector<std::string> args;
    std::string said;
  };
  const Case cases[] = {
      {ApplyBasic({missing}, {"-o", out}), missing},
      {{"apply", in, "--set", "No such set", "--list", kEveryKindList, "-o", out}, "\"No such set\""},
      {ApplyBasic({in}, {"--path", "nope", "-o", out}), "\"nope\""},
      {ApplyBasic({in}, {"--path", "open", "-o", out}), "\"open\" is not a closed path"},
      {ApplyBasic({in}, {"--path", "locked", "-o", out}), "\"locked\" is locked"},
      {{"apply", in, "--set", "Basic 10 mm", "--list", (dir / "no-list.txt").string(), "-o", out}, "no-list.txt"},
      {ApplyBasic({in}, {"-o", in}), "would replace the input"},
      {{"apply", in, "--set", "Basic 10 mm", "--module", "/nonexistent/quorvane.so", "-o", out}, "/nonexistent/quorvane.so"},
      {{"frob"}, "unknown subcommand \"frob\"; the subcommands are info, apply, finish-line, sets, demo"},
      {{}, "name a subcommand: info, apply, finish-line, sets, demo"},
      {ApplyBasic({in}, {"-o", (dir / "folder").string()}), (dir / "folder").string() + ": is a folder"},
      {{"finish-line", in, "--margin", "5", "-o", (dir / "folder").string()}, "is a folder"},
      {ApplyBasic({(dir / "photo.png").string()}, {"-o", out}), "photo.png: this is a PNG image, not an SVG document"},
      {{"info", (dir / "notes.txt").string()}, "notes.txt: this is not an SVG document: it has no <svg> element"},
      {{"info", badSvg}, badSvg + ":4:"},
      {{"apply", in, "--set", "Sleeve", "--list", kEveryKindList, "-o", out},
       "no command set \"Sleeve\" in " + kEveryKindList + "; its sets are \"Every kind\", \"Basic 10 mm\""},
  };
  for (const Case& c : cases) {
    const Ran ran = RunQuorvane(c.args);
    EXPECT_EQ(ran.status, 2) << c.said;
    EXPECT_NE(ran.err.find(c.said), std::string::npos) << ran.err;
    EXPECT_FALSE(fs::exists(out)) << c.said;
  }
  EXPECT_TRUE(fs::is_empty(dir / "folder"));

  const Ran version = RunQuorvane({"--version"});
  EXPECT_EQ(version.status, 0) << version.err;
  EXPECT_EQ(version.out.rfind("quorvane ", 0), 0u) << version.out;
  EXPECT_NE(version.out.find_first_of("0123456789"), std::string::npos) << version.out;
}

TEST(ApplyCli, APathThatFailsIsNamedWithTheModulesMessageAndTheOthersStillGetTheirs) {
  TempDir dir;
  // Anchor 8 does not exist on a square: the command fails there, not on
  // the fourteen-anchor bodice.
  Spill(dir / "list.txt",
        "#Far corner\n10.000000\n%LinePoint-Num,t,index\n*Commands-type,point,haba,num\n6,8,1,20.000000,2\n");
  Document doc = Read(Samples() / "front-bodice.svg");
  doc.SetArtForeign(doc.NewPath(doc.LayerGroup(doc.LayerAt(0)), Polygon({{10, 10}, {10, 60}, {60, 60}, {60, 10}}), true),
                    {"small", {}, {}});
  ASSERT_TRUE(svg::WriteSvgFile(doc, dir / "two.svg"));
  const Ran ran = RunQuorvane(
      {"apply", (dir / "two.svg").string(), "--set", "Far corner", "--list", (dir / "list.txt").string()});
  EXPECT_EQ(ran.status, 1) << ran.err;
  // Said by number besides the module's alert, which comes once.
  EXPECT_NE(ran.err.find("path \"small\": command no. 2 (Extended one-side): anchor 8, but the path has 4 anchors"),
            std::string::npos)
      << ran.err;
  const std::string alert = "Could not generate seam-margin of command no. 2";
  const std::size_t first = ran.err.find(alert);
  ASSERT_NE(first, std::string::npos) << ran.err;
  EXPECT_EQ(ran.err.find(alert, first + 1), std::string::npos) << ran.err;
  EXPECT_EQ(ran.err.find("front-seam"), std::string::npos) << ran.err;
  const Document out = Read(dir / "two-seam.svg");
  // The curves of a reshaped allowance are fitted again; here only
  // containment is asked for.
  EXPECT_GE(Margin(out, "front-seam-seam", "front-seam"), 0.0);
  EXPECT_EQ(ClosedPathsOnLayer(out, "Front bodice(Auto seam-margin generate)").size(), 1u);
  for (std::string_view work : kWorkLayerTitles) EXPECT_FALSE(out.FindLayerByTitle(work));
}

}  // namespace
}  // namespace workbench::cli::testing
