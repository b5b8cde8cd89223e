// Inputs that once made wrong results or endless runs: pieces whose outline
// crosses itself are reported by name and get nothing while the other
// pieces get their results; widths wider than any document fail as their
// command instead of running for minutes.
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
  const std::string list = (Samples() / "every-kind-list.txt").string();
  for (const std::string command : {"apply", "finish-line"}) {
    std::vector<std::string> args = {command, (dir / "in.svg").string(), "-o", (dir / "out.svg").string()};
    if (command == "apply") args.insert(args.end(), {"--set", "Basic 10 mm", "--list", list});
    if (command == "finish-line") args.insert(args.end(), {"--margin", "5"});
    const Ran ran = RunQuorvane(args);
    EXPECT_EQ(ran.status, 1) << ran.err;
    for (const std::string id : {"bow", "eight"}) {
      EXPECT_NE(ran.err.find("path \"" + id + "\": the path crosses itself"), std::string::npos) << ran.err;
    }
    EXPECT_EQ(ran.err.find("\"square\""), std::string::npos) << ran.err;
    auto read = svg::ReadSvgFile(dir / "out.svg");
    ASSERT_TRUE(read) << read.error().ToString();
    const std::string layer = command == "apply" ? "Pieces(Auto seam-margin generate)" : "Pieces(Basic finish line)";
    EXPECT_EQ(ClosedPathsOnLayer(read.value(), layer).size(), 1u) << command << ": only the square's";
  }
}

TEST(HugeWidthsCli, FailAsTheirCommandOnTheBundledBodice) {
  TempDir dir;
  struct Case {
    std::string command;
    std::string says;
  };
  for (const Case& c : {Case{"6,13,15,1e30,2", "command no. 2 (Extended one-side)"},
                        Case{"9,b,c,1e30,2", "command no. 2 (Opening)"},
                        Case{"6,13,15,10000000,2", "command no. 2 (Extended one-side)"}}) {
    Spill(dir / "list.txt", "#Huge\r\n10.000000\r\n%LinePoint-Num,t,index\r\n15,0.500000,0\r\n8,0.250000,1\r\n"
                            "8,0.750000,2\r\n*Commands-type,point,haba,num\r\n" + c.command + "\r\n");
    const Ran ran = RunQuorvane({"apply", (Samples() / "front-bodice.svg").string(), "--set", "Huge", "--list",
                                 (dir / "list.txt").string(), "-o", (dir / "out.svg").string()});
    EXPECT_EQ(ran.status, 1) << c.command << ": " << ran.err;
    EXPECT_NE(ran.err.find("path \"front-seam\": Could not generate seam-margin of " + c.says), std::string::npos)
        << ran.err;
  }
}

}  // namespace
}  // namespace workbench::cli::testing
