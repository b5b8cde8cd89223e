// Pieces whose outline crosses itself are reported by name and get nothing
// while the other pieces get their results. (Widths wider than any document
// failing as their command are the module driver's tests'.)
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "workbench/cli/pieces.h"
#include "workbench/svg/svg_io.h"

namespace workbench::cli::testing {
namespace {

namespace fs = std::filesystem;

TEST(CrossingCli, APieceThatCrossesItselfIsNamedAndFailsTheRun) {
  TempDir dir;
  Spill(dir / "in.svg",
        "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
        "width=\"1000pt\" height=\"1000pt\" viewBox=\"0 0 1000 1000\">"
        "<g inkscape:groupmode=\"layer\" inkscape:label=\"Pieces\">"
        "<path id=\"bow\" d=\"M 100,100 L 400,400 L 400,100 L 100,400 Z\"/>"
        "<path id=\"eight\" d=\"M 700,200 C 740,160 800,140 800,200 C 800,260 740,240 700,200 "
        "C 660,160 600,140 600,200 C 600,260 660,240 700,200 Z\"/>"
        "<path id=\"square\" d=\"M 100,600 H 300 V 800 H 100 Z\"/></g></svg>");
  for (const std::string command : {"apply", "finish-line"}) {
    const std::vector<std::string> out = {"-o", (dir / "out.svg").string()};
    const Ran ran = RunQuorvane(command == "apply" ? ApplyBasic({(dir / "in.svg").string()}, out)
                                                   : std::vector<std::string>{"finish-line", (dir / "in.svg").string(),
                                                                              "--margin", "5", out[0], out[1]});
    EXPECT_EQ(ran.status, 1) << ran.err;
    for (const std::string id : {"bow", "eight"}) {
      EXPECT_NE(ran.err.find("path \"" + id + "\": the path crosses itself"), std::string::npos) << ran.err;
    }
    EXPECT_EQ(ran.err.find("\"square\""), std::string::npos) << ran.err;
    const std::string layer = command == "apply" ? "Pieces(Auto seam-margin generate)" : "Pieces(Basic finish line)";
    EXPECT_EQ(ClosedPathsOnLayer(Read(dir / "out.svg"), layer).size(), 1u) << command << ": only the square's";
  }
}

}  // namespace
}  // namespace workbench::cli::testing
