// Notches carried from the finish line to the cut line: straight edges,
// curves, anchors, an allowance cut down to nothing and a far cut line, the
// shapes of the marks, and how notches are found in a document.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "../geometry/geometry_test_support.h"
#include "workbench/cli/pieces.h"
#include "workbench/fabric/fabric_pieces.h"
#include "workbench/fabric/notches.h"
#include "workbench/svg/svg_io.h"

namespace workbench::fabric {
namespace {

using geometry::PathData;
using geometry::PathSegment;

constexpr double kMm = kPointsPerMm;

// A closed polygon path through the points, in the order given.
PathData Through(std::initializer_list<Point> points) {
  PathData path;
  path.closed = true;
  for (Point p : points) path.segments.push_back(PathSegment::Corner(p));
  return path;
}

// An axis-aligned rectangle running clockwise (y up).
PathData Rectangle(double left, double bottom, double right, double top) {
  return Through({{left, bottom}, {left, top}, {right, top}, {right, bottom}});
}

double DistanceToOutline(const Polygon& outline, Point p) { return NearestOn(outline, p)->distance; }

TEST(CarryNotch, StraightEdgeGoesOutAlongTheNormalAndACornerAlongTheBisector) {
  const PathData finish = Rectangle(0, 0, 200, 300);
  const Polygon cut = Flatten(Rectangle(-10 * kMm, -10 * kMm, 200 + 10 * kMm, 300 + 10 * kMm));
  // Up to half a point off the line still marks it; the mark goes where
  // the nearest point of the line is.
  const std::optional<CarriedNotch> notch = CarryNotch(finish, cut, {200.4, 120});
  ASSERT_TRUE(notch);
  ASSERT_TRUE(notch->carried);
  EXPECT_NEAR(notch->onFinish.x, 200, 1e-9);
  EXPECT_NEAR(notch->onFinish.y, 120, 1e-9);
  EXPECT_NEAR(notch->at.x, 200 + 10 * kMm, 1e-9);
  EXPECT_NEAR(notch->at.y, 120, 1e-9);
  EXPECT_NEAR(notch->reach, 10 * kMm, 1e-9);
  EXPECT_FALSE(CarryNotch(finish, cut, {200.6, 120})) << "farther than half a point from the line";
  // A mitred allowance: its corner lies on the bisector, w * sqrt(2) out.
  const std::optional<CarriedNotch> corner = CarryNotch(finish, cut, {200, 300});
  ASSERT_TRUE(corner && corner->carried);
  EXPECT_NEAR(corner->at.x, 200 + 10 * kMm, 1e-6);
  EXPECT_NEAR(corner->at.y, 300 + 10 * kMm, 1e-6);
  EXPECT_NEAR(corner->reach, 10 * kMm * std::sqrt(2.0), 1e-6);
}

TEST(CarryNotch, OnACurveTheMarkLiesOnTheNormal) {
  const Point c{300, 300};
  const PathData finish = geometry::testing::Circle(c, 100);
  const Polygon cut = Flatten(geometry::testing::Circle(c, 100 + 10 * kMm));
  const std::vector<Point> samples = geometry::testing::Sample(finish, 20000);
  for (double angle : {0.3, 1.1, 2.5, 4.0, 5.5}) {
    const Point on{c.x + 100 * std::cos(angle), c.y + 100 * std::sin(angle)};
    const std::optional<CarriedNotch> notch = CarryNotch(finish, cut, on);
    ASSERT_TRUE(notch && notch->carried) << angle;
    EXPECT_LT(DistanceToOutline(cut, notch->at), 1e-6) << angle;
    // Along the normal: from any point of the mark's line the nearest point
    // of the curve is where the notch sits.
    const Point out = notch->onFinish + (notch->at - notch->onFinish) * 0.5;
    const Point nearest = *std::min_element(samples.begin(), samples.end(), [&](Point a, Point b) {
      return geometry::Distance(a, out) < geometry::Distance(b, out);
    });
    EXPECT_LT(geometry::Distance(nearest, notch->onFinish), 0.02) << angle;
    EXPECT_GT(geometry::Dot(Unit(notch->onFinish - c), notch->outward), 0.999) << angle;
    EXPECT_NEAR(notch->reach, 10 * kMm, 0.1) << angle;
  }
}

TEST(CarryNotch, WhereTheAllowanceIsCutAwayOrTheCutLineIsFarTheNotchStays) {
  const PathData finish = Rectangle(0, 0, 200, 300);
  // No allowance on the right edge: the finish line is the cut line there.
  const Polygon flush = Flatten(Rectangle(-10 * kMm, -10 * kMm, 200, 300 + 10 * kMm));
  std::optional<CarriedNotch> notch = CarryNotch(finish, flush, {200, 150});
  ASSERT_TRUE(notch);
  EXPECT_FALSE(notch->carried);
  EXPECT_EQ(notch->at, notch->onFinish);
  // A facing 80 mm wide: the normal meets a cut line beyond any allowance.
  const Polygon facing = Flatten(Rectangle(-10 * kMm, -10 * kMm, 200 + 80 * kMm, 300 + 10 * kMm));
  notch = CarryNotch(finish, facing, {200, 150});
  ASSERT_TRUE(notch);
  EXPECT_FALSE(notch->carried);
}

TEST(NotchStrokes, SlitTAndVSitOnTheCutLineAndReachIntoTheAllowance) {
  CarriedNotch notch;
  notch.onFinish = {200, 100};
  notch.outward = {1, 0};
  notch.carried = true;
  notch.reach = 10 * kMm;
  notch.at = {200 + 10 * kMm, 100};
  LineConventions conventions;
  const double length = conventions.notchLengthMm * kMm;
  const double width = conventions.notchWidthMm * kMm;

  auto strokes = NotchStrokes(notch, conventions);
  ASSERT_EQ(strokes.size(), 1u);
  ASSERT_EQ(strokes[0].size(), 2u);
  EXPECT_EQ(strokes[0][0], notch.at);
  EXPECT_NEAR(strokes[0][1].x, notch.at.x - length, 1e-9);
  EXPECT_NEAR(strokes[0][1].y, 100, 1e-9);

  conventions.notch = NotchKind::kT;
  strokes = NotchStrokes(notch, conventions);
  ASSERT_EQ(strokes.size(), 2u);
  EXPECT_NEAR(geometry::Distance(strokes[1][0], strokes[1][1]), width, 1e-9);
  EXPECT_NEAR(strokes[1][0].x, notch.at.x - length, 1e-9) << "the bar crosses the slit's inner end";
  EXPECT_NEAR(strokes[1][1].x, notch.at.x - length, 1e-9);

  conventions.notch = NotchKind::kV;
  strokes = NotchStrokes(notch, conventions);
  ASSERT_EQ(strokes.size(), 1u);
  ASSERT_EQ(strokes[0].size(), 3u);
  EXPECT_NEAR(geometry::Distance(strokes[0][0], strokes[0][2]), width, 1e-9);
  EXPECT_NEAR(strokes[0][0].x, notch.at.x, 1e-9) << "the V opens on the cut line";
  EXPECT_NEAR(strokes[0][1].x, notch.at.x - length, 1e-9);

  // A 4 mm allowance: the slit stops at the finish line.
  notch.reach = 4 * kMm;
  notch.at = {200 + 4 * kMm, 100};
  conventions.notch = NotchKind::kSlit;
  strokes = NotchStrokes(notch, conventions);
  EXPECT_NEAR(strokes[0][1].x, 200, 1e-9);
}

// A document with a piece, its allowance layer and notches of every form.
constexpr const char* kNotchedSvg = R"svg(<svg xmlns="http://www.w3.org/2000/svg"
     xmlns:xlink="http://www.w3.org/1999/xlink"
     xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape"
     width="400pt" height="400pt" viewBox="0 0 400 400">
  <g inkscape:groupmode="layer" id="l1" inkscape:label="Sleeve">
    <path id="sleeve" d="M 100,100 L 300,100 L 300,300 L 100,300 Z"/>
    <path id="by-class" class="mark notch" d="M 296,200 L 304,200"/>
    <path id="by-label" inkscape:label="notch" d="M 200,96 L 200,104"/>
    <use id="placed" class="notch" xlink:href="#tick" x="100" y="150"/>
    <path id="astray" class="notch" d="M 196,250 L 204,250"/>
    <path id="tiny" class="notch" d="M 150,298 L 152,298 L 151,302 Z"/>
  </g>
  <g inkscape:groupmode="layer" id="l2" inkscape:label="Sleeve(Auto seam-margin generate)">
    <path id="cut" d="M 80,80 L 320,80 L 320,320 L 80,320 Z"/>
  </g>
</svg>)svg";

TEST(Notches, FoundByClassLabelOrUseAndCarriedOntoTheirPiece) {
  auto read = svg::ReadSvgString(kNotchedSvg, "notched.svg");
  ASSERT_TRUE(read) << read.error().ToString();
  document::Document& doc = read.value();
  // The pieces the module's batch takes: neither open nor closed notches.
  std::vector<std::string> taken;
  for (const cli::Piece& piece : cli::ClosedPieces(doc)) taken.push_back(piece.label);
  EXPECT_EQ(taken, (std::vector<std::string>{"sleeve"}));

  const FabricLayout layout = CollectPieces(doc, LineConventions{});
  ASSERT_EQ(layout.pieces.size(), 1u) << "a closed notch is not a piece";
  const FabricPiece& piece = layout.pieces[0];
  EXPECT_EQ(piece.name, "Sleeve");
  ASSERT_TRUE(piece.cut);
  std::map<std::string, CarriedNotch> byLabel;
  for (const PieceNotch& notch : piece.notches) {
    byLabel.emplace(notch.label, notch.place);
    EXPECT_TRUE(notch.place.carried) << notch.label;
    EXPECT_LT(DistanceToOutline(piece.boundary, notch.place.at), 1e-9) << notch.label;
    // 20 pt of allowance all round; y is flipped on the 400 pt page.
    EXPECT_NEAR(notch.place.reach, 20, 1e-9) << notch.label;
  }
  ASSERT_EQ(byLabel.size(), 4u);
  for (const char* label : {"by-class", "by-label", "placed", "tiny"}) EXPECT_EQ(byLabel.count(label), 1u) << label;
  // The placed symbol's origin, at file (100, 150), carried left.
  EXPECT_NEAR(byLabel.at("placed").at.x, 80, 1e-9);
  EXPECT_NEAR(byLabel.at("placed").at.y, 250, 1e-9);
  ASSERT_EQ(layout.reports.size(), 1u);
  EXPECT_NE(layout.reports[0].find("\"astray\" lies on no finish line"), std::string::npos) << layout.reports[0];

  // Drawn on the allowance's layer as open paths.
  DrawNotchMarks(doc, LineConventions{});
  int marks = 0;
  for (document::ArtId art : cli::ArtOnLayer(doc, "Sleeve(Auto seam-margin generate)")) {
    if (doc.FindArt(art)->name != "notch mark") continue;
    ++marks;
    EXPECT_FALSE(*doc.IsClosed(art));
    EXPECT_LT(DistanceToOutline(piece.boundary, doc.Segments(art)->front().anchor), 1e-9);
  }
  EXPECT_EQ(marks, 4);
  EXPECT_EQ(cli::ClosedPathsOnLayer(doc, "Sleeve(Auto seam-margin generate)").size(), 1u);
}

}  // namespace
}  // namespace workbench::fabric
