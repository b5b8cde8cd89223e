// `quorvane apply` and `finish-line` over several files and chosen paths,
// run as a program: where the outputs go, exit statuses over files,
// progress lines on a terminal, the paths passed over, and the JSON
// reports of apply, finish-line and info read back by an independent parser.
#include <gtest/gtest.h>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <map>
#include <sstream>

#include "cli_test_support.h"
#include "support/shared_data.h"
#include "workbench/cli/pieces.h"

namespace workbench::cli::testing {
namespace {

namespace fs = std::filesystem;
namespace pt = boost::property_tree;

pt::ptree ParseJson(const std::string& text) {
  pt::ptree tree;
  std::istringstream in(text);
  pt::read_json(in, tree);
  return tree;
}

// Two layers of pieces and what is passed over: a drill hole inside the
// front, an open grain line, a piece in a group of class "pocket", a
// compound piece with a hole, a locked piece, a bow tie, and an old result
// on a layer the module made.
const std::string kPieces = std::string(kSvgHeader) + R"SVG(
<g inkscape:groupmode="layer" id="l1" inkscape:label="Front">
<path id="front-piece" d="M 50 50 L 250 50 L 250 250 L 50 250 Z"/>
<path id="drill" d="M 140 140 L 160 140 L 160 160 L 140 160 Z"/>
<path id="grain" d="M 100 60 L 100 240"/>
</g>
<g inkscape:groupmode="layer" id="l2" inkscape:label="Back">
<path id="back-piece" d="M 300 50 L 500 50 L 500 250 L 300 250 Z"/>
<g class="lining pocket"><path id="pocket" d="M 320 300 L 420 300 L 420 400 L 320 400 Z"/></g>
<path id="with-hole" d="M 550 50 L 750 50 L 750 250 L 550 250 Z M 600 100 L 600 200 L 700 200 L 700 100 Z"/>
<path id="held" sodipodi:insensitive="true" d="M 550 300 L 650 300 L 650 400 L 550 400 Z"/>
<path id="bow" d="M 50 450 L 250 550 L 250 450 L 50 550 Z"/>
</g>
<g inkscape:groupmode="layer" id="l3" inkscape:label="Back(Auto seam-margin generate)">
<path id="old-result" d="M 280 30 L 520 30 L 520 270 L 280 270 Z"/>
</g>
</svg>
)SVG";

fs::path WriteSquare(const fs::path& file) {
  return SpillLayer(file, "Cut", R"(<path id="square" d="M 100 100 L 400 100 L 400 400 L 100 400 Z"/>)");
}

TEST(BatchCli, SeveralFilesGoIntoOneFolderAsEachWouldAloneWithProgressOnATerminalAndExitWithTheWorst) {
  TempDir dir;
  const fs::path a = dir / "a.svg";
  fs::copy_file(Samples() / "front-bodice.svg", a);
  const fs::path b = WriteSquare(dir / "sub" / "b.svg");
  for (const fs::path& in : {a, b}) {
    const Ran alone = RunQuorvane(ApplyBasic({in.string()}, {"-o", (dir / ("alone-" + in.filename().string())).string()}));
    ASSERT_EQ(alone.status, 0) << alone.err;
  }
  RunOptions terminal;
  terminal.errorOnTerminal = true;
  const Ran both = RunQuorvane(ApplyBasic({a.string(), b.string()}, {"-o", (dir / "out/").string()}), terminal);
  ASSERT_EQ(both.status, 0) << both.err;
  EXPECT_NE(both.err.find("quorvane apply: [1/2] " + a.string()), std::string::npos) << both.err;
  EXPECT_NE(both.err.find("quorvane apply: [2/2] " + b.string()), std::string::npos) << both.err;
  EXPECT_NE(both.out.find("square: seam allowance"), std::string::npos) << both.out;
  EXPECT_EQ(Slurp(dir / "out" / "a-seam.svg"), Slurp(dir / "alone-a.svg"));
  EXPECT_EQ(Slurp(dir / "out" / "b-seam.svg"), Slurp(dir / "alone-b.svg"));

  // A bow tie gets nothing (1), a missing file is bad input (2); the other
  // files are still done.
  Spill(dir / "bow.svg", std::string(kSvgHeader) + R"(<path id="bow" d="M 50 450 L 250 550 L 250 450 L 50 550 Z"/></svg>)");
  const Ran failing = RunQuorvane(ApplyBasic({a.string(), (dir / "bow.svg").string()}, {"-o", (dir / "out2/").string()}));
  EXPECT_EQ(failing.status, 1) << failing.err;
  EXPECT_EQ(failing.err.find("[1/2]"), std::string::npos) << "no progress lines without a terminal: " << failing.err;
  const Ran missing = RunQuorvane(
      ApplyBasic({(dir / "none.svg").string(), (dir / "bow.svg").string(), a.string()}, {"-o", (dir / "out3/").string()}));
  EXPECT_EQ(missing.status, 2) << missing.err;
  EXPECT_NE(missing.err.find("none.svg"), std::string::npos) << missing.err;
  EXPECT_TRUE(fs::exists(dir / "out3" / "bow-seam.svg"));
  EXPECT_EQ(Slurp(dir / "out3" / "a-seam.svg"), Slurp(dir / "alone-a.svg"));

  // With several inputs -o names a folder: a file name, standard output and
  // two inputs of one name are refused before any work.
  fs::copy_file(a, dir / "sub" / "a.svg");
  for (const std::string& output : {(dir / "one.svg").string(), std::string("-"), (dir / "out4/").string()}) {
    const std::string second = output == (dir / "out4/").string() ? (dir / "sub" / "a.svg").string() : b.string();
    const Ran refused = RunQuorvane(ApplyBasic({a.string(), second}, {"-o", output}));
    EXPECT_EQ(refused.status, 2) << output;
    EXPECT_NE(refused.err.find("quorvane apply: "), std::string::npos) << refused.err;
    EXPECT_TRUE(refused.out.empty()) << refused.out;
  }
  EXPECT_FALSE(fs::exists(dir / "one.svg"));
  EXPECT_FALSE(fs::exists(dir / "out4"));
  EXPECT_FALSE(fs::exists(dir / "sub" / "b-seam.svg"));

  // Quiet: no progress lines on a terminal either, and no report.
  const Ran quiet = RunQuorvane({"finish-line", a.string(), b.string(), "--margin", "5", "--quiet"}, terminal);
  ASSERT_EQ(quiet.status, 0) << quiet.err;
  EXPECT_EQ(quiet.err.find("[1/2]"), std::string::npos) << quiet.err;
  EXPECT_TRUE(quiet.out.empty()) << quiet.out;
  EXPECT_EQ(ClosedPathsOnLayer(Read(dir / "sub" / "b-finish.svg"), "Cut(Basic finish line)").size(), 1u);
}

TEST(PickCli, LayersAndClassesPickThePiecesAndEveryOtherPathIsNamedWithWhy) {
  TempDir dir;
  const fs::path in = dir / "pieces.svg";
  Spill(in, kPieces);
  const Ran ran = RunQuorvane(ApplyBasic({in.string()}, {"--layer", "Front", "--class", "pocket", "-o",
                                                    (dir / "out.svg").string()}));
  ASSERT_EQ(ran.status, 0) << ran.err;
  for (const std::string line :
       {"grain: not taken (open)", "back-piece: not taken (not picked)", "bow: not taken (not picked)",
        "with-hole: not taken (a compound path with a hole)", "held: not taken (locked)",
        "old-result: not taken (on a layer the module made)",
        "drill: lies inside \"front-piece\" and gets a result of its own"}) {
    EXPECT_NE(ran.out.find(line + "\n"), std::string::npos) << line << "\n" << ran.out;
  }
  const document::Document out = Read(dir / "out.svg");
  const double width = 10 * kPointsPerMm;
  EXPECT_NEAR(Margin(out, "front-piece-seam", "front-piece"), width, 0.02);
  EXPECT_NEAR(Margin(out, "drill-seam", "drill"), width, 0.02);  // a ring around the hole
  EXPECT_NEAR(Margin(out, "pocket-seam", "pocket"), width, 0.02);
  EXPECT_EQ(ClosedPathsOnLayer(out, "Back(Auto seam-margin generate)").size(), 2u) << "the old result and the pocket's";

  for (const auto& [option, name] : std::map<std::string, std::string>{{"--layer", "Nope"}, {"--class", "nope"}}) {
    const Ran refused = RunQuorvane(ApplyBasic({in.string()}, {option, name, "-o", (dir / "x.svg").string()}));
    EXPECT_EQ(refused.status, 2) << option;
    EXPECT_NE(refused.err.find("\"" + name + "\""), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(dir / "x.svg"));
  }
}

TEST(JsonCli, OneDocumentWithEachPathsOutcomeAndTheSameStatus) {
  TempDir dir;
  const fs::path in = dir / "pieces.svg";
  Spill(in, kPieces);
  const Ran text = RunQuorvane(ApplyBasic({in.string()}, {"-o", (dir / "text.svg").string()}));
  const Ran ran = RunQuorvane(ApplyBasic({in.string()}, {"--json"}));
  EXPECT_EQ(text.status, 1) << text.err;
  ASSERT_EQ(ran.status, 1) << ran.err;
  EXPECT_NE(ran.err.find("path \"bow\": the path crosses itself"), std::string::npos) << ran.err;
  const pt::ptree json = ParseJson(ran.out);
  EXPECT_EQ(json.get<std::string>("command"), "apply");
  EXPECT_EQ(json.get<int>("status"), 1);
  const pt::ptree& file = json.get_child("files").front().second;
  EXPECT_EQ(file.get<std::string>("input"), in.string());
  EXPECT_EQ(file.get<int>("status"), 1);
  const document::Document out = Read(file.get<std::string>("output"));

  std::map<std::string, const pt::ptree*> paths;
  for (const auto& [unused, path] : file.get_child("paths")) paths[path.get<std::string>("id")] = &path;
  ASSERT_EQ(paths.size(), 5u) << ran.out;
  for (const std::string id : {"front-piece", "drill", "back-piece", "pocket"}) {
    EXPECT_TRUE(paths[id]->get<bool>("done")) << id;
    EXPECT_GE(paths[id]->get<double>("seconds"), 0.0);
    EXPECT_NEAR(Margin(out, paths[id]->get<std::string>("result"), id), 10 * kPointsPerMm, 0.02) << id;
  }
  EXPECT_EQ(paths["drill"]->get<std::string>("inside"), "front-piece");
  EXPECT_EQ(paths["pocket"]->get<std::string>("inside"), "null");
  const pt::ptree& bow = *paths["bow"];
  EXPECT_FALSE(bow.get<bool>("done"));
  EXPECT_EQ(bow.get<std::string>("result"), "null");
  ASSERT_EQ(bow.get_child("messages").size(), 1u);
  EXPECT_NE(bow.get_child("messages").front().second.data().find("crosses itself"), std::string::npos);
  EXPECT_NE(file.get_child("errors").front().second.data().find("crosses itself"), std::string::npos);

  std::map<std::string, std::string> skipped;
  for (const auto& [unused, s] : file.get_child("skipped")) skipped[s.get<std::string>("id")] = s.get<std::string>("why");
  const std::map<std::string, std::string> expected = {{"grain", "open"},
                                                       {"with-hole", "a compound path with a hole"},
                                                       {"held", "locked"},
                                                       {"old-result", "on a layer the module made"}};
  EXPECT_EQ(skipped, expected);

  // finish-line names the bow tie the same way and insets the other path.
  const Ran finish = RunQuorvane(
      {"finish-line", in.string(), "--margin", "5", "--path", "back-piece", "--path", "bow", "--json"});
  EXPECT_EQ(finish.status, 1) << finish.err;
  EXPECT_NE(finish.err.find("path \"bow\": the path crosses itself"), std::string::npos) << finish.err;
  const pt::ptree finishJson = ParseJson(finish.out);
  EXPECT_EQ(finishJson.get<std::string>("command"), "finish-line");
  const pt::ptree& finished = finishJson.get_child("files").front().second;
  ASSERT_EQ(finished.get_child("paths").size(), 2u);
  const std::string line = finished.get_child("paths").front().second.get<std::string>("result");
  const document::Document inset = Read(finished.get<std::string>("output"));
  EXPECT_EQ(ClosedPathsOnLayer(inset, "Back(Basic finish line)"), std::vector<document::ArtId>{FindById(inset, line)});

  const Ran clash = RunQuorvane(ApplyBasic({in.string()}, {"--json", "-o", "-"}));
  EXPECT_EQ(clash.status, 2);
  EXPECT_TRUE(clash.out.empty()) << clash.out;
}

TEST(InfoCli, BoundsInTheSvgsOwnCoordinatesAsInkscapeShowsThem) {
  TempDir dir;
  const fs::path in = dir / "scaled.svg";
  // Millimetre user units, a layer moved by a transform, and a curve whose
  // lowest point is no anchor (y = 50 + 0.75 * 30 at t = 0.5).
  Spill(in, R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" )"
            R"SVG(width="200mm" height="100mm" viewBox="0 0 200 100">
<g inkscape:groupmode="layer" inkscape:label="L" transform="translate(10,5)">
<path id="r" d="M 0 0 L 20 0 L 20 30 L 0 30 Z"/>
<path id="c" d="M 50 50 C 50 80 90 80 90 50 Z"/></g></svg>)SVG");
  const Ran ran = RunQuorvane({"info", in.string(), "--json"});
  ASSERT_EQ(ran.status, 0) << ran.err;
  const pt::ptree json = ParseJson(ran.out);
  EXPECT_EQ(json.get<std::string>("units.length"), "pt");
  struct Box {
    double x, y, width, height;
  };
  const std::map<std::string, Box> expected = {{"r", {10, 5, 20, 30}}, {"c", {60, 55, 40, 22.5}}};
  for (const auto& [unused, path] : json.get_child("paths")) {
    const Box box = expected.at(path.get<std::string>("id"));
    EXPECT_NEAR(path.get<double>("svgBounds.x"), box.x, 1e-9);
    EXPECT_NEAR(path.get<double>("svgBounds.y"), box.y, 1e-9);
    EXPECT_NEAR(path.get<double>("svgBounds.width"), box.width, 1e-9);
    EXPECT_NEAR(path.get<double>("svgBounds.height"), box.height, 1e-9);
    const double pointsWidth = path.get<double>("bounds.right") - path.get<double>("bounds.left");
    EXPECT_NEAR(pointsWidth, box.width * kPointsPerMm, 1e-9);
    EXPECT_EQ(path.get<int>("anchors"), path.get<std::string>("id") == "r" ? 4 : 2);
    // Clockwise on the page (y down) is clockwise with y up: a positive area.
    if (path.get<std::string>("id") == "r") {
      EXPECT_NEAR(path.get<double>("area"), 20 * 30 * kPointsPerMm * kPointsPerMm, 1e-6);
    }
  }
  const Ran text = RunQuorvane({"info", in.string()});
  EXPECT_NE(text.out.find("in the SVG x 10.0000 y 5.0000 w 20.0000 h 30.0000 (user units, y down)"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find(" pt (left bottom right top, y up)"), std::string::npos) << text.out;

  // Layers with their state, paths with their anchors and subpaths.
  const Ran shapes = RunQuorvane({"info", (quorvane::testing::TestDataDir() / "svg" / "shapes.svg").string()});
  ASSERT_EQ(shapes.status, 0) << shapes.err;
  for (const std::string line : {"layer \"Locked hidden\" locked hidden", "path box closed, 4 anchors",
                                 "path holes closed, 8 anchors in 2 subpaths"}) {
    EXPECT_NE(shapes.out.find(line), std::string::npos) << line << "\n" << shapes.out;
  }
}

}  // namespace
}  // namespace workbench::cli::testing
