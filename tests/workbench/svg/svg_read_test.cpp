// Reading hand-made files: frames, transforms, every kind of shape, and
// errors that name the line. (Truncated and garbled input is the SVG fuzz
// target's, and its findings' replay.)
#include <gtest/gtest.h>

#include <cmath>

#include "support/shared_data.h"
#include "workbench/geometry/bezier.h"
#include "svg_test_support.h"

namespace workbench::svg {
namespace {

using document::ArtId;
using document::ArtType;
using document::Document;
using geometry::Point;
using testing::FindById;

constexpr double kMm = 72.0 / 25.4;

class ShapesFile : public ::testing::Test {
 protected:
  void SetUp() override {
    auto read = ReadSvgFile(quorvane::testing::TestDataDir() / "svg" / "shapes.svg");
    ASSERT_TRUE(read) << read.error().ToString();
    doc = std::move(read.value());
  }
  // The file's user units are millimetres; y is flipped on a 50 mm page.
  static Point Doc(double x, double y) { return {x * kMm, (50.0 - y) * kMm}; }
  Document doc = Document::Empty();
};

TEST_F(ShapesFile, LayersWithTitlesLockAndVisibilityAndARectInPointsWithYUp) {
  ASSERT_EQ(doc.LayerCount(), 2u);
  const auto* top = doc.FindLayer(doc.LayerAt(0));
  const auto* bottom = doc.FindLayer(doc.LayerAt(1));
  EXPECT_EQ(top->title, "Locked hidden");
  EXPECT_FALSE(top->editable);
  EXPECT_FALSE(top->visible);
  EXPECT_EQ(bottom->title, "Shapes");
  EXPECT_TRUE(bottom->editable);
  EXPECT_TRUE(bottom->visible);
  EXPECT_NEAR(doc.GetPage().width, 100 * kMm, 1e-9);
  EXPECT_TRUE(doc.FindArt(FindById(doc, "ln"))->locked);
  // Paint order: the last element of the file is the first child.
  const auto children = doc.ChildrenOf(doc.LayerGroup(doc.LayerAt(1)));
  ASSERT_FALSE(children.empty());
  EXPECT_EQ(doc.FindArt(children.front())->foreign.sourceId, "label");
  EXPECT_EQ(doc.FindArt(children.back())->foreign.sourceId, "box");

  const ArtId box = FindById(doc, "box");
  ASSERT_EQ(doc.SegmentCount(box), 4u);
  EXPECT_TRUE(*doc.IsClosed(box));
  const auto b = *doc.Bounds(box);
  EXPECT_NEAR(b.left, 10 * kMm, 1e-9);
  EXPECT_NEAR(b.right, 30 * kMm, 1e-9);
  EXPECT_NEAR(b.top, 40 * kMm, 1e-9);
  EXPECT_NEAR(b.bottom, 30 * kMm, 1e-9);
  // Drawn clockwise on the page, so clockwise with y up: positive.
  EXPECT_NEAR(*doc.SignedArea(box), 200 * kMm * kMm, 1e-6);
  const auto style = *doc.GetPathStyle(box);
  EXPECT_TRUE(style.fillPaint);
  EXPECT_FALSE(style.strokePaint);
  EXPECT_EQ(style.fill.color, document::Color::Rgb(1, 0, 0));
}

TEST_F(ShapesFile, NestedTransformsAndRelativeCommands) {
  const ArtId square = FindById(doc, "relative");
  ASSERT_EQ(doc.SegmentCount(square), 4u);
  const auto& s = *doc.Segments(square);
  // translate(50,0) scale(2) of (1,1): (52, 2) in user units.
  EXPECT_NEAR(geometry::Distance(s[0].anchor, Doc(52, 2)), 0.0, 1e-9);
  EXPECT_NEAR(geometry::Distance(s[2].anchor, Doc(60, 10)), 0.0, 1e-9);
  EXPECT_NEAR(*doc.SignedArea(square), 64 * kMm * kMm, 1e-6);
  // The inherited stroke width scales with the transform.
  EXPECT_NEAR(doc.GetPathStyle(square)->stroke.width, 0.5 * 2 * kMm, 1e-9);
  EXPECT_EQ(doc.TypeOf(doc.ParentOf(square)), ArtType::kGroup);
  EXPECT_EQ(doc.FindArt(doc.ParentOf(square))->foreign.sourceId, "inner");
}

TEST_F(ShapesFile, CircleIsFourCubicsOnTheCircle) {
  const ArtId ring = FindById(doc, "ring");
  ASSERT_EQ(doc.SegmentCount(ring), 4u);
  const auto& s = *doc.Segments(ring);
  const Point centre = Doc(80, 30);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_FALSE(s[i].corner);
    const auto c = geometry::CurveAt(s, i);
    for (double t : {0.0, 0.25, 0.5, 0.75}) {
      EXPECT_NEAR(geometry::Distance(c.At(t), centre), 10 * kMm, 10 * kMm * 3e-4);
    }
  }
}

TEST_F(ShapesFile, ArcAndQuadraticBecomeCubicsOnTheCurve) {
  const ArtId arc = FindById(doc, "arc");
  const auto& s = *doc.Segments(arc);
  EXPECT_FALSE(*doc.IsClosed(arc));
  EXPECT_NEAR(geometry::Distance(s.front().anchor, Doc(10, 40)), 0.0, 1e-9);
  EXPECT_NEAR(geometry::Distance(s.back().anchor, Doc(30, 40)), 0.0, 1e-9);
  // Every curve up to the arc's end lies on the circle of radius 5 about (15, 40).
  std::size_t i = 0;
  for (; geometry::Distance(s[i].anchor, Doc(20, 40)) > 1e-9; ++i) {
    ASSERT_LT(i + 1, s.size());
    const auto c = geometry::CurveAt(s, i);
    for (double t = 0; t <= 1.0; t += 0.125) {
      EXPECT_NEAR(geometry::Distance(c.At(t), Doc(15, 40)), 5 * kMm, 0.01);
    }
  }
  // The quadratic's apex at t = 0.5: (25, 42.5) from 20,40 / 25,45 / 30,40.
  ASSERT_EQ(i + 2, s.size());
  EXPECT_NEAR(geometry::Distance(geometry::CurveAt(s, i).At(0.5), Doc(25, 42.5)), 0.0, 1e-9);
}

TEST_F(ShapesFile, SubpathsMakeACompoundPathAndTextIsKeptWithItsContents) {
  const ArtId holes = FindById(doc, "holes");
  ASSERT_EQ(doc.TypeOf(holes), ArtType::kCompoundPath);
  const auto members = doc.ChildrenOf(holes);
  ASSERT_EQ(members.size(), 2u);
  for (ArtId m : members) {
    EXPECT_EQ(doc.SegmentCount(m), 4u);
    EXPECT_TRUE(*doc.IsClosed(m));
  }
  EXPECT_TRUE(doc.GetPathStyle(holes)->evenOdd);
  EXPECT_TRUE(doc.GetPathStyle(holes)->fillPaint) << "SVG fills black by default";
  EXPECT_EQ(doc.SegmentCount(FindById(doc, "tri")), 3u);

  const ArtId text = FindById(doc, "label");
  ASSERT_EQ(doc.TypeOf(text), ArtType::kText);
  EXPECT_EQ(doc.FindArt(text)->placed.contents, "Front");
  const auto b = *doc.Bounds(text);
  EXPECT_NEAR(b.left, 5 * kMm, 1e-9);
  EXPECT_NEAR(b.bottom, 2 * kMm, 1e-9);
}

TEST(SvgRead, ClosingCurveKeepsOneAnchorAndHandlesOnAnchors) {
  const std::string svg =
      "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 100 100'>"
      "<path id='p' d='M 0,0 L 10,0 C 10,0 20,10 10,20 C 0,20 0,10 0,0 Z'/>"
      "<path id='q' d='M 0,0 L 10,0 L 10,10 L 0,0 Z'/></svg>";
  const Document doc = testing::Read(svg, "inline.svg");
  const auto& s = *doc.Segments(FindById(doc, "p"));
  ASSERT_EQ(s.size(), 3u);
  // The last curve became the closing curve: its handle arrives at anchor 0.
  EXPECT_EQ(s[0].in, (Point{0, 100 - 10}));
  // The handle written on its anchor (10,0) stays on it.
  EXPECT_EQ(s[1].out, s[1].anchor);
  EXPECT_EQ(doc.SegmentCount(FindById(doc, "q")), 3u);
}

struct BadFile {
  const char* name;
  int line;
  const char* needle;
};

class SvgReadErrors : public ::testing::TestWithParam<BadFile> {};

TEST_P(SvgReadErrors, NameFileAndLine) {
  const auto path = quorvane::testing::TestDataDir() / "svg" / GetParam().name;
  auto read = ReadSvgFile(path);
  ASSERT_FALSE(read);
  EXPECT_EQ(read.error().file, path.string());
  EXPECT_EQ(read.error().line, GetParam().line) << read.error().ToString();
  EXPECT_NE(read.error().message.find(GetParam().needle), std::string::npos) << read.error().message;
}

INSTANTIATE_TEST_SUITE_P(HandMade, SvgReadErrors,
                         ::testing::Values(BadFile{"malformed_xml.svg", 5, "malformed XML"},
                                           BadFile{"bad_path_data.svg", 4, "bad path data"},
                                           BadFile{"bad_transform.svg", 4, "bad transform"}));

}  // namespace
}  // namespace workbench::svg
