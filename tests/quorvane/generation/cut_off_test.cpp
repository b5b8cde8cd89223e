// Cut off on squares, an acute corner, a notch across the margin's start,
// the failure cases and a real pattern piece.
#include "quorvane/generation/cut_off.h"

#include <gtest/gtest.h>

#include <cmath>

#include "generation_test_support.h"

namespace quorvane::generation {
namespace {

using geometry::Vec2;
using testing::Anchors;
using testing::LeftOf;
using testing::Meet;
using testing::NearestAnchor;
using testing::Polygon;

constexpr double kW0 = 10.0 * kPointsPerMillimetre;  // the allowance
constexpr double kW = 4.0 * kPointsPerMillimetre;    // the cut
constexpr double kPointSlack = 0.01;

class CutOffTest : public testing::PieceFixture {
 protected:
  // The notch at corner p between the edges prev -> p and p -> next of a
  // margin at width kW0, cut at kW: C0 where both edges offset by kW meet,
  // H3 and H4 where the lines through C0 parallel to the edges meet the
  // margin's edges.
  void ExpectNotch(const std::vector<host::PathSegment>& before, Vec2 prev, Vec2 p, Vec2 next) {
    const Vec2 c0 = Meet(LeftOf(prev, p, kW), p - prev, LeftOf(p, next, kW), next - p);
    const Vec2 h3 = Meet(c0, next - p, LeftOf(prev, p, kW0), p - prev);
    const Vec2 h4 = Meet(c0, p - prev, LeftOf(p, next, kW0), next - p);
    const auto after = Anchors(ResultSegments());
    EXPECT_LT(NearestAnchor(after, c0), kPointSlack);
    EXPECT_LT(NearestAnchor(after, h3), kPointSlack);
    EXPECT_LT(NearestAnchor(after, h4), kPointSlack);
    ExpectOldMarginOrPieces(before, {{h3, c0}, {c0, h4}});
    // The old mitre is outside the new margin, the notch's corner on it.
    const testing::DistanceToPath toNew(ResultSegments());
    const Vec2 mitre = Meet(LeftOf(prev, p, kW0), p - prev, LeftOf(p, next, kW0), next - p);
    EXPECT_FALSE(toNew.Inside(mitre));
    EXPECT_LT(toNew(c0), kPointSlack);
    ExpectChangedOnlyNear(before, p, geometry::Distance(p, mitre) + 1.0);
  }
};

TEST_F(CutOffTest, SquareCornerGetsANotchAtTheWidth) {
  Start(testing::Square(0, 0, 200), 10.0f);
  const auto before = ResultSegments();
  ASSERT_TRUE(CutOff(Doc(), state_, 2, 4.0f));  // the corner (0, 200)
  ExpectNotch(before, {0, 0}, {0, 200}, {200, 200});
  // C0 lies the cut width out from both edges, diagonally off the corner.
  const testing::DistanceToPath toFinish(FinishSegments());
  EXPECT_NEAR(toFinish({-kW, 200.0 + kW}), kW * std::sqrt(2.0), kPointSlack);
}

TEST_F(CutOffTest, WidthIsInTheUsersUnit) {
  state_.pointsPerUnit = 72.0;  // inches
  Start(testing::Square(0, 0, 200), 10.0f / 25.4f);
  const auto before = ResultSegments();
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
  AddPiece(finish);
  UseMargin(margin);
  ASSERT_TRUE(CutOff(Doc(), state_, 2, 4.0f));
  ExpectNotch(margin, turn({0, 0}), turn({0, 200}), turn({200, 200}));
}

TEST_F(CutOffTest, AcuteCornerNotchRunsParallelToTheEdges) {
  const Vec2 a{-60.0, 0.0}, apex{0.0, 150.0}, c{60.0, 0.0};
  Start(Polygon({a, apex, c}), 10.0f);
  const auto before = ResultSegments();
  ASSERT_TRUE(CutOff(Doc(), state_, 2, 4.0f));
  ExpectNotch(before, a, apex, c);
}

TEST_F(CutOffTest, ObtuseCornerNotchRunsParallelToTheEdges) {
  // The corner (0, 200) opens to about 118 degrees.
  const Vec2 a{0.0, 0.0}, corner{0.0, 200.0}, c{150.0, 280.0};
  Start(Polygon({a, corner, c, {250.0, 0.0}}), 10.0f);
  const auto before = ResultSegments();
  ASSERT_TRUE(CutOff(Doc(), state_, 2, 4.0f));
  ExpectNotch(before, a, corner, c);
}

TEST_F(CutOffTest, CornerBetweenCurvesNotchedAtTheWidthFromTheTangents) {
  Start(testing::CurvedCornerPiece(), 10.0f);
  const auto before = ResultSegments();
  ASSERT_TRUE(CutOff(Doc(), state_, 2, 4.0f));
  // C0 is the anchor of the new margin the cut width outside both tangent
  // lines at the corner; the anchors next to it lie on the old margin.
  const Vec2 p = testing::kCurvedCorner;
  const Vec2 c0 = Meet(LeftOf(p - testing::kCurvedArrival, p, kW), testing::kCurvedArrival,
                           LeftOf(p, p + testing::kCurvedDeparture, kW), testing::kCurvedDeparture);
  const auto after = Anchors(ResultSegments());
  EXPECT_LT(NearestAnchor(after, c0), 0.2);
  const testing::DistanceToPath toOld(before);
  int onOld = 0;
  for (const Vec2& q : after) onOld += geometry::Distance(q, c0) < 2.0 * kW0 && toOld(q) < 0.15;
  EXPECT_GE(onOld, 2);
  ExpectChangedOnlyNear(before, p, 3.0 * kW0, testing::kRefitSlack);
}

}  // namespace
}  // namespace quorvane::generation
