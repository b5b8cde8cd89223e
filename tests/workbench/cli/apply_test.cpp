// `quorvane apply` run as a program on our own pieces and the bundled
// bodice: exit statuses, where the output goes, and the
// geometry of the results measured on the saved file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "cli_test_support.h"
#include "workbench/cli/pieces.h"
#include "workbench/svg/svg_io.h"

namespace workbench::cli::testing {
namespace {

namespace fs = std::filesystem;
using document::ArtId;
using document::Document;
using geometry::PathSegment;

constexpr double kTolerance = 0.02;  // points

const std::string kEveryKindList = (Samples() / "every-kind-list.txt").string();

Document Read(const fs::path& file) {
  auto read = svg::ReadSvgFile(file);
  EXPECT_TRUE(read) << read.error().ToString();
  return read ? std::move(read.value()) : Document();
}

std::vector<PathSegment> Polygon(std::initializer_list<geometry::Point> points) {
  std::vector<PathSegment> segments;
  for (geometry::Point p : points) segments.push_back(PathSegment::Corner(p));
  return segments;
}

// Pieces on one layer "Pieces": a square drawn counter-clockwise, an L
// drawn clockwise, an open path and a locked triangle.
fs::path WritePieces(const fs::path& file) {
  Document doc = Document::Empty();
  const ArtId group = doc.LayerGroup(doc.InsertLayer("Pieces"));
  doc.SetArtForeign(doc.NewPath(group, Polygon({{100, 100}, {300, 100}, {300, 300}, {100, 300}}), true), {"sq", {}, {}});
  doc.SetArtForeign(doc.NewPath(group, Polygon({{400, 100}, {400, 400}, {500, 400}, {500, 200}, {600, 200}, {600, 100}}),
                                true),
                    {"ell", {}, {}});
  doc.SetArtForeign(doc.NewPath(group, Polygon({{100, 500}, {300, 550}}), false), {"open", {}, {}});
  const ArtId locked = doc.NewPath(group, Polygon({{700, 100}, {700, 200}, {800, 200}}), true);
  doc.SetArtForeign(locked, {"locked", {}, {}});
  doc.SetLocked(locked, true);
  EXPECT_TRUE(svg::WriteSvgFile(doc, file));
  return file;
}

// The result around `piece` on the seam layer: the finish line inside it,
// no point of it nearer than `width` points. Returns the smallest distance.
double CheckAround(const Document& out, const std::string& pieceId, const std::string& layer, double width) {
  const ArtId piece = FindById(out, pieceId);
  const std::vector<geometry::Point> finish = Flat(out, piece);
  for (ArtId result : ClosedPathsOnLayer(out, layer)) {
    const std::vector<geometry::Point> around = Flat(out, result);
    if (!std::all_of(finish.begin(), finish.end(), [&](geometry::Point p) { return Inside(around, p); })) continue;
    double nearest = INFINITY;
    for (geometry::Point p : finish) nearest = std::min(nearest, DistanceTo(around, p));
    EXPECT_GE(nearest, width - kTolerance) << pieceId;
    return nearest;
  }
  ADD_FAILURE() << "no closed result around " << pieceId << " on " << layer;
  return 0.0;
}

TEST(ApplyCli, BasicSetGoesBesideTheInputAtItsWidthAndLeavesTheInputAlone) {
  TempDir dir;
  const fs::path in = WritePieces(dir / "pieces.svg");
  const std::string before = Slurp(in);
  for (int run = 0; run < 2; ++run) {  // the second replaces the first output
    const Ran ran = RunQuorvane({"apply", in.string(), "--set", "Basic 10 mm", "--list", kEveryKindList});
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
  EXPECT_NEAR(CheckAround(out, "sq", layer, width), width, kTolerance);
  EXPECT_NEAR(CheckAround(out, "ell", layer, width), width, kTolerance);
  // The square was turned clockwise before the module took it.
  EXPECT_GT(*out.SignedArea(FindById(out, "sq")), 0.0);
}

TEST(ApplyCli, TheSetOfEveryKindOnTheSampleBodice) {
  TempDir dir;
  const Ran ran = RunQuorvane({"apply", (Samples() / "front-bodice.svg").string(), "--set", "Every kind", "--list",
                               kEveryKindList, "-o", (dir / "out.svg").string()});
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_TRUE(ran.err.empty()) << ran.err;
  const Document doc = Read(dir / "out.svg");
  const std::string layer = "Front bodice(Auto seam-margin generate)";
  ASSERT_EQ(ClosedPathsOnLayer(doc, layer).size(), 1u);
  // Only the cut-off corner narrows the allowance, to its own 5 mm, so the
  // nearest anchor of the finish line is nearer than the basic width.
  EXPECT_LT(CheckAround(doc, "front-seam", layer, 5 * kPointsPerMm), 10 * kPointsPerMm);
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
  EXPECT_NEAR(CheckAround(out, "wide", "Tagged(Auto seam-margin generate)", 12 * kPointsPerMm), 12 * kPointsPerMm,
              kTolerance);
  EXPECT_NEAR(CheckAround(out, "narrow", "Tagged(Auto seam-margin generate)", 4 * kPointsPerMm), 4 * kPointsPerMm,
              kTolerance);

  doc.SetArtForeign(doc.NewPath(group, Polygon({{100, 400}, {100, 500}, {200, 500}}), true), {"plain", {}, {}});
  ASSERT_TRUE(svg::WriteSvgFile(doc, dir / "mixed.svg"));
  ran = RunQuorvane({"apply", (dir / "mixed.svg").string()});
  EXPECT_EQ(ran.status, 2);
  EXPECT_NE(ran.err.find("\"plain\" carries no command set"), std::string::npos) << ran.err;
  EXPECT_FALSE(fs::exists(dir / "mixed-seam.svg"));
}

TEST(ApplyCli, BadInputExitsTwoNamingWhatIsWrongAndWritesNothing) {
  TempDir dir;
  const std::string in = WritePieces(dir / "pieces.svg").string();
  const std::string out = (dir / "out.svg").string();
  struct Case {
    std::vector<std::string> args;
    std::string named;
  };
  const std::string missing = (dir / "missing.svg").string();
  const Case cases[] = {
      {{"apply", missing, "--set", "Basic 10 mm", "--list", kEveryKindList, "-o", out}, missing},
      {{"apply", in, "--set", "No such set", "--list", kEveryKindList, "-o", out}, "\"No such set\""},
      {{"apply", in, "--set", "Basic 10 mm", "--list", kEveryKindList, "--path", "nope", "-o", out}, "\"nope\""},
      {{"apply", in, "--set", "Basic 10 mm", "--list", kEveryKindList, "--path", "open", "-o", out},
       "\"open\" is not a closed path"},
      {{"apply", in, "--set", "Basic 10 mm", "--list", kEveryKindList, "--path", "locked", "-o", out},
       "\"locked\" is locked"},
      {{"apply", in, "--set", "Basic 10 mm", "--list", (dir / "no-list.txt").string(), "-o", out}, "no-list.txt"},
      {{"apply", in, "--set", "Basic 10 mm", "--list", kEveryKindList, "-o", in}, "would replace the input"},
      {{"apply", in, "--set", "Basic 10 mm", "--module", "/nonexistent/quorvane.so", "-o", out}, "/nonexistent/quorvane.so"},
  };
  for (const Case& c : cases) {
    const Ran ran = RunQuorvane(c.args);
    EXPECT_EQ(ran.status, 2) << c.named;
    EXPECT_NE(ran.err.find(c.named), std::string::npos) << ran.err;
    EXPECT_FALSE(fs::exists(out)) << c.named;
  }
}

TEST(Cli, MistakesOfTheCommandLineAreSaidInTheUsersTerms) {
  TempDir dir;
  const std::string in = WritePieces(dir / "pieces.svg").string();
  Spill(dir / "photo.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  Spill(dir / "notes.txt", "Front bodice: 10 mm all round\n");
  fs::create_directories(dir / "folder");
  struct Case {
    std::vector<std::string> args;
    std::string said;
  };
  const Case cases[] = {
      {{"frob"}, "unknown subcommand \"frob\"; the subcommands are info, apply, finish-line, sets, demo"},
      {{}, "name a subcommand: info, apply, finish-line, sets, demo"},
      {{"apply", in, "--set", "Basic 10 mm", "--list", kEveryKindList, "-o", (dir / "folder").string()},
       (dir / "folder").string() + ": is a folder"},
      {{"finish-line", in, "--margin", "5", "-o", (dir / "folder").string()}, "is a folder"},
      {{"apply", (dir / "photo.png").string(), "--set", "Basic 10 mm", "--list", kEveryKindList},
       "photo.png: this is a PNG image, not an SVG document"},
      {{"info", (dir / "notes.txt").string()}, "notes.txt: this is not an SVG document: it has no <svg> element"},
      {{"apply", in, "--set", "Sleeve", "--list", kEveryKindList},
       "no command set \"Sleeve\" in " + kEveryKindList + "; its sets are \"Every kind\", \"Basic 10 mm\""},
  };
  for (const Case& c : cases) {
    const Ran ran = RunQuorvane(c.args);
    EXPECT_EQ(ran.status, 2) << c.said;
    EXPECT_NE(ran.err.find(c.said), std::string::npos) << ran.err;
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
  EXPECT_NE(ran.err.find("path \"small\": "), std::string::npos) << ran.err;
  EXPECT_NE(ran.err.find("command no. 2 (Extended one-side)"), std::string::npos) << ran.err;
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
  CheckAround(out, "front-seam", "Front bodice(Auto seam-margin generate)", 0.0);
  EXPECT_EQ(ClosedPathsOnLayer(out, "Front bodice(Auto seam-margin generate)").size(), 1u);
  for (std::string_view work : kWorkLayerTitles) EXPECT_FALSE(out.FindLayerByTitle(work));
}

TEST(DemoCli, WritesTheSampleSeamAllowanceAndItsPicture) {
  TempDir dir;
  const Ran ran = RunQuorvane({"demo", "-o", (dir / "demo").string()});
  ASSERT_EQ(ran.status, 0) << ran.err;
  auto doc = svg::ReadSvgFile(dir / "demo" / "front-bodice-seam.svg");
  ASSERT_TRUE(doc) << doc.error().ToString();
  EXPECT_EQ(ClosedPathsOnLayer(doc.value(), "Front bodice(Auto seam-margin generate)").size(), 1u);
  if (ran.out.find("no PNG") == std::string::npos) {
    EXPECT_EQ(Slurp(dir / "demo" / "front-bodice-seam.png").substr(1, 3), "PNG");
  }
}

// Geometry of the sample bodice measured on the demo's output, in document
// points (y up). The outward normal of a direction is its left side.
geometry::Point Unit(geometry::Point v) { return v * (1.0 / std::hypot(v.x, v.y)); }
geometry::Point Outward(geometry::Point direction) { return Unit({-direction.y, direction.x}); }
geometry::Point Along(geometry::Point a, geometry::Point b, double t) { return a + (b - a) * t; }

// Where the line through `p` along `d` meets the line through `q` along `e`.
geometry::Point Meet(geometry::Point p, geometry::Point d, geometry::Point q, geometry::Point e) {
  return p + d * (geometry::Cross(q - p, e) / geometry::Cross(d, e));
}

// The outer corner of a reversed corner, half way down a strip: the allowance
// line of the edge leaving `corner` along `edge` (outward normal `normal`,
// width w), taken `depth` from the fold line through `corner` along `fold`
// on the edge's side, and mirrored across that fold line.
geometry::Point FoldedBack(geometry::Point corner, geometry::Point edge, geometry::Point normal, geometry::Point fold,
                           double w, double depth) {
  const double side = geometry::Cross(fold, edge) > 0 ? 1.0 : -1.0;
  const double s = (side * depth - w * geometry::Cross(fold, normal)) / geometry::Cross(fold, edge);
  const geometry::Point v = normal * w + edge * s;
  return corner + fold * (2.0 * geometry::Dot(v, fold)) - v;
}

TEST(DemoCli, EveryCommandOfTheSetShowsOnTheSampleBodice) {
  TempDir dir;
  const Ran ran = RunQuorvane({"demo", "-o", (dir / "demo").string()});
  ASSERT_EQ(ran.status, 0) << ran.err;
  const Document doc = Read(dir / "demo" / "front-bodice-seam.svg");
  const std::vector<ArtId> results = ClosedPathsOnLayer(doc, "Front bodice(Auto seam-margin generate)");
  ASSERT_EQ(results.size(), 1u);
  const std::vector<geometry::Point> around = Flat(doc, results[0]);
  const std::vector<PathSegment>* finish = doc.Segments(FindById(doc, "front-seam"));
  ASSERT_TRUE(finish != nullptr);
  ASSERT_EQ(finish->size(), 15u);
  const auto A = [&](int n) { return (*finish)[std::size_t(n - 1)].anchor; };  // anchors count from 1
  const double mm = kPointsPerMm;
  const double w = 10 * mm;  // the basic width
  const auto widthAt = [&](geometry::Point p) { return DistanceTo(around, p); };
  const auto onOutline = [&](geometry::Point p, const char* what) {
    EXPECT_LT(DistanceTo(around, p), 0.5) << what << " at " << p.x << "," << p.y;
  };

  // Extended one-side 13 -> 15: the hem allowance is 30 mm deep.
  EXPECT_NEAR(widthAt(A(14)), 30 * mm, 0.1);
  // Lapel at 1 from "a" (half way up the front edge 15 -> 1): twice the basic
  // width above "a", the basic width below it.
  EXPECT_NEAR(widthAt(Along(A(15), A(1), 0.75)), 2 * w, 0.1);
  EXPECT_NEAR(widthAt(Along(A(15), A(1), 0.25)), w, 0.1);
  // 45. backward from 6 and forward to 8 at the underarm 7: the corner is
  // the mitre of both edges at 20 mm, the side seam keeps 20 mm down to the
  // notch 8 and 10 mm below it.
  const geometry::Point in7 = A(7) - A(6), out7 = A(8) - A(7);
  onOutline(Meet(A(7) + Outward(in7) * (20 * mm), in7, A(7) + Outward(out7) * (20 * mm), out7), "let-out corner");
  EXPECT_NEAR(widthAt(Along(A(7), A(8), 0.5)), 20 * mm, 0.1);
  EXPECT_NEAR(widthAt(Along(A(8), A(9), 0.1)), w, 0.1);
  // Opening from "b" to "c" on the side seam below the notch: 15 mm.
  EXPECT_NEAR(widthAt(Along(A(8), A(9), 0.5)), 15 * mm, 0.1);
  // Cut off at the pocket bag's lower corner 11: the notch's inner corner is
  // 5 mm from both edges.
  const geometry::Point in11 = A(11) - A(10), out11 = A(12) - A(11);
  onOutline(Meet(A(11) + Outward(in11) * (5 * mm), in11, A(11) + Outward(out11) * (5 * mm), out11), "cut-off corner");
  // Extended crossing at the pocket bag's upper corner 10: the allowance runs
  // straight between the points where the two edges, carried on, leave it.
  const geometry::Point in10 = A(10) - A(9), out10 = A(11) - A(10);
  const geometry::Point h1 = Meet(A(10), in10, A(10) + Outward(out10) * w, out10);
  const geometry::Point h2 = Meet(A(10), out10, A(10) + Outward(in10) * w, in10);
  onOutline(h1 * 0.5 + h2 * 0.5, "extended crossing");
  // 90. forward at 3 and 90. backward at 4: the shoulder's allowance ends
  // square, on lines at right angles to the shoulder through the points
  // where the shoulder line, carried on, leaves the allowance.
  const geometry::Point shoulder = Unit(A(4) - A(3));
  const geometry::Point neck = Unit(A(3) - (*finish)[2].in);    // the neckline's last handle
  const geometry::Point arm = Unit((*finish)[3].out - A(4));    // the armhole's first handle
  const geometry::Point atNeck = Meet(A(3), shoulder, A(3) + Outward(neck) * w, neck);
  const geometry::Point atArm = Meet(A(4), shoulder, A(4) + Outward(arm) * w, arm);
  onOutline(atNeck + Outward(shoulder) * (w / 2), "square shoulder end at the neck");
  onOutline(atArm + Outward(shoulder) * (w / 2), "square shoulder end at the armhole");
  // Rev. forward at 13 and Rev. backward at 15: the side seam's and the front
  // edge's allowances are folded back across the hem line, 15 mm below it.
  const geometry::Point side = Unit(A(12) - A(13));
  const geometry::Point hemAt13 = Unit((*finish)[12].out - A(13));
  onOutline(FoldedBack(A(13), side, Outward(A(13) - A(12)), hemAt13, w, 15 * mm), "side seam folded on the hem");
  const geometry::Point front = Unit(A(1) - A(15));
  const geometry::Point hemAt15 = Unit(A(15) - (*finish)[14].in);
  onOutline(FoldedBack(A(15), front, Outward(front), hemAt15, w, 15 * mm), "front edge folded on the hem");
}

}  // namespace
}  // namespace workbench::cli::testing
