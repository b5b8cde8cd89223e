// Cut off on squares, an acute corner, a notch across the margin's start,
// the failure cases and a real pattern piece.
#include "quorvane/generation/cut_off.h"

#include <gtest/gtest.h>

#include <cmath>

#include "quorvane/generation/basic_seam_margin.h"
#include "support/shared_data.h"
#include "trim_test_support.h"
#include "workbench/svg/svg_io.h"

namespace quorvane::generation {
namespace {

using geometry::Vec2;
using testing::Anchors;
using testing::LineMeet;
using testing::NearestAnchorDistance;
using testing::Polygon;

constexpr double kW0 = 10.0 * kPointsPerMillimetre;  // the allowance
constexpr double kW = 4.0 * kPointsPerMillimetre;    // the cut
constexpr double kPointSlack = 0.01;

// The point `distance` to the left of the edge from `from` to `to`, level with `from`.
Vec2 LeftOf(Vec2 from, Vec2 to, double distance) {
  const Vec2 d = to - from;
  return from + (distance / geometry::VectorLength(d)) * Vec2{-d.y, d.x};
}

class CutOffTest : public testing::TrimTest {
 protected:
  // The notch at corner p between the edges prev -> p and p -> next of a
  // margin at width kW0, cut at kW: C0 where both edges offset by kW meet,
  // H3 and H4 where the lines through C0 parallel to the edges meet the
  // margin's edges.
  void ExpectNotch(const std::vector<host::PathSegment>& before, Vec2 prev, Vec2 p, Vec2 next) {
    const Vec2 c0 = LineMeet(LeftOf(prev, p, kW), p - prev, LeftOf(p, next, kW), next - p);
    const Vec2 h3 = LineMeet(c0, next - p, LeftOf(prev, p, kW0), p - prev);
    const Vec2 h4 = LineMeet(c0, p - prev, LeftOf(p, next, kW0), next - p);
    const auto after = Anchors(MarginSegments());
    EXPECT_LT(NearestAnchorDistance(after, c0), kPointSlack);
    EXPECT_LT(NearestAnchorDistance(after, h3), kPointSlack);
    EXPECT_LT(NearestAnchorDistance(after, h4), kPointSlack);
    ExpectOldMarginOrPieces(before, {{h3, c0}, {c0, h4}});
    // The old mitre is outside the new margin, the notch's corner on it.
    const testing::DistanceToPath toNew(MarginSegments());
    const Vec2 mitre = LineMeet(LeftOf(prev, p, kW0), p - prev, LeftOf(p, next, kW0), next - p);
    EXPECT_FALSE(toNew.Inside(mitre));
    EXPECT_LT(toNew(c0), kPointSlack);
    ExpectChangedOnlyNear(before, p, geometry::Distance(p, mitre) + 1.0);
  }
};

TEST_F(CutOffTest, SquareCornerGetsANotchAtTheWidth) {
  MakePiece(testing::Square(0, 0, 200), 10.0f);
  const auto before = MarginSegments();
  ASSERT_TRUE(CutOff(Doc(), state_, 2, 4.0f));  // the corner (0, 200)
  ExpectNotch(before, {0, 0}, {0, 200}, {200, 200});
  // C0 lies the cut width out from both edges, diagonally off the corner.
  const testing::DistanceToPath toFinish(FinishSegments());
  EXPECT_NEAR(toFinish({-kW, 200.0 + kW}), kW * std::sqrt(2.0), kPointSlack);
}

TEST_F(CutOffTest, WidthIsInTheUsersUnit) {
  state_.pointsPerUnit = 72.0;  // inches
  MakePiece(testing::Square(0, 0, 200), 10.0f / 25.4f);
  const auto before = MarginSegments();
  ASSERT_TRUE(CutOff(Doc(), state_, 2, 4.0f / 25.4f));
  ExpectNotch(before, {0, 0}, {0, 200}, {200, 200});
}

TEST_F(CutOffTest, NotchAcrossTheMarginStartWraps) {
  // A square turned by 0.4 radian whose margin starts at the mitre being
  // notched: the replaced run runs through margin vertex 0.
  auto turn = [](Vec2 p) { return geometry::RotateVector(p, 0.4); };
  const auto finish = Polygon({turn({0, 0}), turn({0, 200}), turn({200, 200}), turn({200, 0})});
  const auto margin = Polygon({turn({-kW0, 200.0 + kW0}), turn({200.0 + kW0, 200.0 + kW0}),
                               turn({200.0 + kW0, -kW0}), turn({-kW0, -kW0})});
  MakePieceWithMargin(finish, margin);
  ASSERT_TRUE(CutOff(Doc(), state_, 2, 4.0f));
  ExpectNotch(margin, turn({0, 0}), turn({0, 200}), turn({200, 200}));
}

TEST_F(CutOffTest, AcuteCornerNotchRunsParallelToTheEdges) {
  const Vec2 a{-60.0, 0.0}, apex{0.0, 150.0}, c{60.0, 0.0};
  MakePiece(Polygon({a, apex, c}), 10.0f);
  const auto before = MarginSegments();
  ASSERT_TRUE(CutOff(Doc(), state_, 2, 4.0f));
  ExpectNotch(before, a, apex, c);
}

TEST_F(CutOffTest, ObtuseCornerNotchRunsParallelToTheEdges) {
  // The corner (0, 200) opens to about 118 degrees.
  const Vec2 a{0.0, 0.0}, corner{0.0, 200.0}, c{150.0, 280.0};
  MakePiece(Polygon({a, corner, c, {250.0, 0.0}}), 10.0f);
  const auto before = MarginSegments();
  ASSERT_TRUE(CutOff(Doc(), state_, 2, 4.0f));
  ExpectNotch(before, a, corner, c);
}

TEST_F(CutOffTest, CornerBetweenCurvesNotchedAtTheWidthFromTheTangents) {
  MakePiece(testing::CurvedCornerPiece(), 10.0f);
  const auto before = MarginSegments();
  ASSERT_TRUE(CutOff(Doc(), state_, 2, 4.0f));
  // C0 is the anchor of the new margin the cut width outside both tangent
  // lines at the corner; the anchors next to it lie on the old margin.
  const Vec2 p = testing::kCurvedCorner;
  const Vec2 c0 = LineMeet(LeftOf(p - testing::kCurvedArrival, p, kW), testing::kCurvedArrival,
                           LeftOf(p, p + testing::kCurvedDeparture, kW), testing::kCurvedDeparture);
  const auto after = Anchors(MarginSegments());
  EXPECT_LT(NearestAnchorDistance(after, c0), 0.2);
  const testing::DistanceToPath toOld(before);
  int onOld = 0;
  for (const Vec2& q : after) onOld += geometry::Distance(q, c0) < 2.0 * kW0 && toOld(q) < 0.15;
  EXPECT_GE(onOld, 2);
  ExpectChangedOnlyNear(before, p, 3.0 * kW0, testing::kRefitSlack);
}

TEST_F(CutOffTest, FailuresLeaveTheMarginAsItWas) {
  // The square with an extra anchor half-way up its left side.
  MakePiece(Polygon({{0, 0}, {0, 100}, {0, 200}, {200, 200}, {200, 0}}), 10.0f);
  const host::ArtRef art = state_.resultArt;
  const auto before = MarginSegments();
  EXPECT_FALSE(CutOff(Doc(), state_, 0, 4.0f));
  EXPECT_FALSE(CutOff(Doc(), state_, 6, 4.0f));  // five anchors
  EXPECT_FALSE(CutOff(Doc(), state_, 2, 4.0f));  // edges in line
  // A cut as wide as or wider than the allowance puts C0 outside it.
  EXPECT_FALSE(CutOff(Doc(), state_, 3, 12.0f));
  ExpectMarginUnchanged(before, art);
  state_.resultArt = {};
  EXPECT_FALSE(CutOff(Doc(), state_, 3, 4.0f));
  state_.resultArt = art;
  ExpectMarginUnchanged(before, art);
}

TEST_F(CutOffTest, MarginOutOfReachFails) {
  const auto far = testing::Square(1000, 0, 200);
  MakePieceWithMargin(testing::Square(0, 0, 200), far);
  const host::ArtRef art = state_.resultArt;
  EXPECT_FALSE(CutOff(Doc(), state_, 2, 4.0f));
  ExpectMarginUnchanged(far, art);
}

TEST_F(CutOffTest, RealPieceSharpCorner) {
  if (!quorvane::testing::SharedDir()) GTEST_SKIP() << quorvane::testing::kNoSharedDir;
  const auto files = testing::CorpusFiles();
  ASSERT_FALSE(files.empty());
  ASSERT_TRUE(OpenSvg(files.back()));
  const auto piece = testing::FirstCornerOfCorpusPiece(Doc());
  ASSERT_TRUE(piece) << "no closed piece with a sharp outward corner";
  state_.sourcePath = piece->art;
  ASSERT_TRUE(BuildBasicSeamMargin(Doc(), state_, 10.0f));
  const auto before = MarginSegments();
  const double areaBefore = *Doc().SignedArea(state_.resultArt);
  ASSERT_TRUE(CutOff(Doc(), state_, piece->anchorNumber, 4.0f));
  EXPECT_LT(*Doc().SignedArea(state_.resultArt), areaBefore - 1.0);
  ExpectChangedOnlyNear(before, piece->corner, 6.0 * kW0, testing::kRefitSlack);
  // The notch lies inside the old margin, and its corner keeps about the
  // cut width from the finish line.
  const testing::DistanceToPath toOld(before);
  const testing::DistanceToPath toFinish(FinishSegments());
  double nearest = 1e300;
  for (const Vec2& p : testing::SamplePath(MarginSegments(), 8)) {
    EXPECT_TRUE(toOld.Inside(p) || toOld(p) < testing::kRefitSlack) << p.x << "," << p.y;
    if (geometry::Distance(p, piece->corner) < 3.0 * kW0) nearest = std::min(nearest, toFinish(p));
  }
  EXPECT_GT(nearest, kW - 0.5);
  EXPECT_LT(nearest, kW0 - 0.5);
}

}  // namespace
}  // namespace quorvane::generation
