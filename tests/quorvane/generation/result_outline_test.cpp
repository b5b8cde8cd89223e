// The bridge between paths and outlines: reading a path as an outline and
// building the result art from a generator's outline, on both kinds of host.
#include "quorvane/generation/result_outline.h"

#include <gtest/gtest.h>

#include <cmath>

#include "generation_test_support.h"
#include "quorvane/generation/basic_seam_margin.h"
#include "quorvane/generation/command_input.h"
#include "quorvane/generation/containment.h"
#include "quorvane/generation/outline_reader.h"
#include "quorvane/generation/pathfinder.h"
#include "quorvane/generation/work_layers.h"

namespace quorvane::generation {
namespace {

using geometry::Vec2;
using testing::Circle;
using testing::DistanceToPath;
using testing::Square;
using testing::V;

class OutlineReader : public testing::HostFixture {};

TEST_F(OutlineReader, CircleFlattensClosedWithinTheFlatnessAMissingPathFails) {
  const auto circle = Circle(100, 100, 80);
  const host::ArtRef path = AddPath(circle);
  auto read = ReadOutline(Doc(), path);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->SegmentCount(), 4);
  ASSERT_EQ(read->segments.size(), 5u);
  EXPECT_EQ(V(read->segments.back().p), V(circle.front().p));
  const auto outline = read->Outline();
  ASSERT_GT(outline.size(), 40u);
  // Closed without repeating the start; every anchor a corner vertex.
  EXPECT_NE(outline.front().p, outline.back().p);
  EXPECT_EQ(outline.front().p, V(circle.front().p));
  int corners = 0;
  for (const auto& v : outline) corners += v.corner ? 1 : 0;
  EXPECT_EQ(corners, 4);
  // Measured against a reference flattening within 0.005 pt.
  const DistanceToPath toCircle(circle);
  for (std::size_t i = 0; i < outline.size(); ++i) {
    EXPECT_LE(toCircle(outline[i].p), 0.006);
    const Vec2 mid = geometry::Midpoint(outline[i].p, outline[(i + 1) % outline.size()].p);
    EXPECT_LE(toCircle(mid), 0.1 + 0.006);
  }
  EXPECT_FALSE(ReadOutline(Doc(), host::ArtRef{}));
}

// A generator's outline: a tab sticking out of the right side of a
// square's basic margin.
class ResultOutline : public testing::HostFixture, public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(ResultOutline, TabIsUnitedWithTheMarginIntoOnePositivePath) {
  state_.hostVersion = GetParam();
  const host::ArtRef source = AddPath(Square(0, 0, 200));
  state_.sourcePath = source;
  ASSERT_TRUE(BuildBasicSeamMargin(Doc(), state_, 10.0f));
  // The tab: from the right side out to x = 300, between y = 80 and 120.
  std::vector<geometry::OutlinePoint> tab;
  for (const Vec2& p : std::vector<Vec2>{{220, 80}, {220, 120}, {300, 120}, {300, 80}}) tab.push_back({p, false});
  const auto united = BuildResultOutline(Doc(), state_, tab, false);
  ASSERT_TRUE(united);
  EXPECT_EQ(*Doc().AllArtOfLayer(state_.workLayer2), std::vector<host::ArtRef>{*united});
  EXPECT_EQ(Doc().IsSelected(source), true);
  EXPECT_EQ(Doc().IsSelected(*united), false);
  const double d = 10.0 * kPointsPerMillimetre;
  EXPECT_NEAR(*Doc().SignedArea(*united), (200 + 2 * d) * (200 + 2 * d) + (300 - (200 + d)) * 40, 0.5);
  // Straight sides stay straight: the margin's four corners, and the tab's
  // four corners where it meets the margin and at its end.
  const auto segments = *Doc().Segments(*united);
  EXPECT_EQ(segments.size(), 8u);
  for (const host::PathSegment& s : segments) {
    EXPECT_EQ(V(s.in), V(s.p));
    EXPECT_EQ(V(s.out), V(s.p));
  }
  const DistanceToPath outline(segments);
  EXPECT_TRUE(outline.Inside({299, 100}));
  EXPECT_FALSE(outline.Inside({299, 130}));
}

INSTANTIATE_TEST_SUITE_P(HostVersions, ResultOutline, ::testing::Values(kActionPathfinderHostVersion, 27),
                         [](const auto& info) { return "Version" + std::to_string(info.param); });

TEST_F(ResultOutline, UniteAboveTheActionVersionDropsContainedPaths) {
  state_.hostVersion = 27;
  const host::ArtRef outer = AddPath(Square(0, 0, 100));
  const host::ArtRef inner = AddPath(Square(10, 10, 20));
  const host::ArtRef apart = AddPath(Square(200, 0, 50));
  // The containment question, asked of the document's paths.
  EXPECT_TRUE(PathInsidePath(Doc(), inner, outer));
  EXPECT_FALSE(PathInsidePath(Doc(), outer, inner));
  EXPECT_FALSE(PathInsidePath(Doc(), inner, host::ArtRef{}));
  ASSERT_EQ(PathfinderUnite(Doc(), state_, PathfinderData{.art = {outer, inner, apart}}), kQvNoErr);
  EXPECT_FALSE(Doc().IsValid(inner));
  double total = 0.0;
  const auto selected = Doc().SelectedPaths();
  ASSERT_TRUE(selected);
  for (host::ArtRef art : *selected) total += *Doc().SignedArea(art);
  EXPECT_NEAR(std::abs(total), 100.0 * 100.0 + 50.0 * 50.0, 1e-3);
  EXPECT_EQ(DecodeHexText(kUniteNameHex), "追加");
  EXPECT_EQ(DecodeHexText(kDivideNameHex), "分割");
  EXPECT_EQ(DecodeHexText(kIntersectNameHex), "交差");
}

}  // namespace
}  // namespace quorvane::generation
