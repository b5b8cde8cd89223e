// The basic seam margin on shapes made for the edge cases, through the
// host's real Offset Path action (the offset of the real pieces is checked
// where the host computes it).
#include "quorvane/generation/basic_seam_margin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "generation_test_support.h"
#include "quorvane/generation/work_layers.h"

namespace quorvane::generation {
namespace {

using geometry::Vec2;
using testing::Corner;
using testing::DistanceToPath;
using testing::SamplePath;
using testing::Square;
using testing::V;

// How far a margin may stray from its width, in points.
constexpr double kWidthSlack = 0.05;

class MarginTest : public testing::HostFixture {
 protected:
  // Builds the margin and checks what every margin must be: the only art of
  // Work Layer 2, closed, positively oriented, styled like the source.
  std::vector<host::PathSegment> BuildAndCheck(host::ArtRef source, float width) {
    state_.sourcePath = source;
    EXPECT_TRUE(BuildBasicSeamMargin(Doc(), state_, width));
    EXPECT_TRUE(state_.resultArt);
    if (!state_.resultArt) return {};
    EXPECT_EQ(Doc().LayerTitle(state_.workLayer2), std::string(kWorkLayer2Title));
    EXPECT_EQ(Doc().LayerOf(state_.resultArt), state_.workLayer2);
    EXPECT_EQ(*Doc().AllArtOfLayer(state_.workLayer2), std::vector<host::ArtRef>{state_.resultArt});
    EXPECT_EQ(Doc().IsClosed(state_.resultArt), true);
    EXPECT_GT(*Doc().SignedArea(state_.resultArt), 0.0);
    EXPECT_EQ(Doc().Style(state_.resultArt)->strokePaint, Doc().Style(source)->strokePaint);
    EXPECT_EQ(Doc().Style(state_.resultArt)->stroke.width, Doc().Style(source)->stroke.width);
    return *Doc().Segments(state_.resultArt);
  }

  // Every point of the margin keeps |distance| from the finish line, except
  // that a mitre reaches out beyond a corner: a point farther than the width
  // must lie within the mitre length d / cos(turn / 2) of an anchor where
  // the finish line turns. The finish line lies inside an outward margin and
  // outside an inward one.
  void ExpectAtDistance(const std::vector<host::PathSegment>& finish, const std::vector<host::PathSegment>& margin,
                        double distance) {
    const double d = std::abs(distance);
    // A mitre reaches d / cos(turn / 2) from its anchor (the shapes here are
    // polygons: the turn is that of the edges meeting there).
    std::vector<double> reach;
    for (std::size_t i = 0, n = finish.size(); i < n; ++i) {
      const Vec2 u = V(finish[i].p) - V(finish[(i + n - 1) % n].p), v = V(finish[(i + 1) % n].p) - V(finish[i].p);
      const double turn = std::atan2(geometry::Cross(u, v), geometry::Dot(u, v));
      reach.push_back(std::abs(turn) > 1e-3 ? d / std::max(std::cos(turn / 2.0), 1e-4) : 0.0);
    }
    const DistanceToPath toFinish(finish);
    double lowest = 1e300;
    for (const Vec2& p : SamplePath(margin, 12)) {
      const double dist = toFinish(p);
      lowest = std::min(lowest, dist);
      EXPECT_EQ(toFinish.Inside(p), distance < 0) << p.x << "," << p.y;
      if (dist <= d + kWidthSlack) continue;
      bool inMitre = false;
      for (std::size_t i = 0; i < finish.size() && !inMitre; ++i) {
        inMitre = geometry::Distance(p, V(finish[i].p)) <= reach[i] + kWidthSlack;
      }
      EXPECT_TRUE(inMitre) << "too far (" << dist << ") at " << p.x << "," << p.y;
    }
    EXPECT_GE(lowest, d - kWidthSlack);
    const DistanceToPath toMargin(margin);
    for (const Vec2& p : SamplePath(finish, 8)) EXPECT_EQ(toMargin.Inside(p), distance > 0) << p.x << "," << p.y;
  }
};

TEST_F(MarginTest, SquareGetsAMitredMarginAtTheWidth) {
  const host::ArtRef source = AddPath(Square(0, 0, 200, true));
  const auto margin = BuildAndCheck(source, 10.0f);
  ASSERT_EQ(margin.size(), 4u);
  const double d = 10.0 * kPointsPerMillimetre;
  // The mitred corners: the square grown by d on every side (the host
  // computes offsets on a grid of 1e-4 pt).
  for (const host::PathSegment& s : margin) {
    EXPECT_NEAR(std::abs(s.p.h - 100.0), 100.0 + d, 1e-3);
    EXPECT_NEAR(std::abs(s.p.v - 100.0), 100.0 + d, 1e-3);
  }
  ExpectAtDistance(*Doc().Segments(source), margin, d);
  // The source is untouched, and the work copy is gone.
  EXPECT_LT(*Doc().SignedArea(source), 0.0);
}

TEST_F(MarginTest, WidthZeroGivesTheFinishLinesCopy) {
  const host::ArtRef source = AddPath(Square(10, 20, 100, true));
  const auto copy = BuildAndCheck(source, 0.0f);
  ASSERT_EQ(copy.size(), 4u);
  EXPECT_NE(state_.resultArt, source);
  // The same anchors, turned round to run positively: the copy's anchors
  // backwards are the source's, from one of them on.
  auto backwards = testing::Anchors(copy);
  std::reverse(backwards.begin(), backwards.end());
  const auto finish = testing::Anchors(*Doc().Segments(source));
  auto twice = finish;
  twice.insert(twice.end(), finish.begin(), finish.end());
  EXPECT_NE(std::search(twice.begin(), twice.end(), backwards.begin(), backwards.end()), twice.end());
  EXPECT_DOUBLE_EQ(*Doc().SignedArea(state_.resultArt), -*Doc().SignedArea(source));
}

TEST_F(MarginTest, NegativeWidthGivesAnInwardMargin) {
  const std::vector<host::PathSegment> ell = {Corner(0, 0),     Corner(0, 300),  Corner(100, 300),
                                              Corner(100, 100), Corner(300, 100), Corner(300, 0)};
  const host::ArtRef source = AddPath(ell);
  const auto margin = BuildAndCheck(source, -5.0f);
  ExpectAtDistance(ell, margin, -5.0 * kPointsPerMillimetre);
  EXPECT_LT(*Doc().SignedArea(state_.resultArt), *Doc().SignedArea(source));
}

TEST_F(MarginTest, NoSourceFailsWithAnEmptyWorkLayer) {
  AddPath(Square(0, 0, 100));
  state_.resultArt = AddPath(Square(0, 0, 50));
  EXPECT_FALSE(BuildBasicSeamMargin(Doc(), state_, 10.0f));
  EXPECT_FALSE(state_.resultArt);
  ASSERT_TRUE(state_.workLayer2);
  EXPECT_TRUE(Doc().AllArtOfLayer(state_.workLayer2)->empty());
}

TEST_F(MarginTest, WidenedMarginCutsTheCurrentResultDownToTheWidth) {
  for (std::int32_t version : {kActionPathfinderHostVersion, 27}) {
    SCOPED_TRACE(version);
    state_.hostVersion = version;
    const host::ArtRef source = AddPath(Square(0, 0, 200), true, *Doc().NthLayer(Doc().LayerCount().value() - 1));
    ASSERT_EQ(Doc().SetSelected(source, true), kQvNoErr);
    ASSERT_FALSE(BuildAndCheck(source, 10.0f).empty());
    ASSERT_EQ(Doc().SetSelected(source, true), kQvNoErr);
    // Narrower than the current result: the result shrinks to it.
    ASSERT_TRUE(BuildWidenedMargin(Doc(), state_, 4.0f));
    ExpectAtDistance(*Doc().Segments(source), *Doc().Segments(state_.resultArt), 4.0 * kPointsPerMillimetre);
    EXPECT_EQ(Doc().IsLocked(state_.resultArt), false);
    EXPECT_EQ(Doc().Style(state_.resultArt)->strokePaint, 1);
    // Wider: the current result stays as it is.
    ASSERT_EQ(Doc().SetSelected(source, true), kQvNoErr);
    ASSERT_TRUE(BuildWidenedMargin(Doc(), state_, 20.0f));
    ExpectAtDistance(*Doc().Segments(source), *Doc().Segments(state_.resultArt), 4.0 * kPointsPerMillimetre);
    ASSERT_EQ(Doc().Dispose(source), kQvNoErr);
  }
}

}  // namespace
}  // namespace quorvane::generation
