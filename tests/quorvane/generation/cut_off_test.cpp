// Cut off at corners of several shapes, across the margin's start and
// between curves.
#include "quorvane/generation/command_steps.h"

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

// The corner (0, 200) of a square, in millimetres and in inches; the same
// square turned by 0.4 radian with a margin that starts at the mitre being
// notched (the replaced run runs through margin vertex 0); an acute corner;
// an obtuse one (about 118 degrees).
TEST_F(CutOffTest, NotchRunsParallelToTheEdgesAtTheWidth) {
  auto turn = [](Vec2 p) { return geometry::RotateVector(p, 0.4); };
  const struct {
    const char* name;
    std::vector<Vec2> finish;
    double pointsPerUnit;
    bool marginFromTheMitre;
  } cases[] = {
      {"square", {{0, 0}, {0, 200}, {200, 200}, {200, 0}}, kPointsPerMillimetre, false},
      {"square in inches", {{0, 0}, {0, 200}, {200, 200}, {200, 0}}, 72.0, false},
      {"turned square", {turn({0, 0}), turn({0, 200}), turn({200, 200}), turn({200, 0})}, kPointsPerMillimetre, true},
      {"acute", {{-60, 0}, {0, 150}, {60, 0}}, kPointsPerMillimetre, false},
      {"obtuse", {{0, 0}, {0, 200}, {150, 280}, {250, 0}}, kPointsPerMillimetre, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    state_ = {};
    state_.pointsPerUnit = c.pointsPerUnit;
    const float perMm = static_cast<float>(kPointsPerMillimetre / c.pointsPerUnit);
    const Vec2 prev = c.finish[0], p = c.finish[1], next = c.finish[2];
    if (c.marginFromTheMitre) {
      AddPiece(Polygon(c.finish));
      UseMargin(Polygon({turn({-kW0, 200.0 + kW0}), turn({200.0 + kW0, 200.0 + kW0}), turn({200.0 + kW0, -kW0}),
                         turn({-kW0, -kW0})}));
    } else {
      Start(Polygon(c.finish), 10.0f * perMm);
    }
    const auto before = ResultSegments();
    ASSERT_TRUE(ApplyCutOff(Doc(), state_, 2, 4.0f * perMm));
    ExpectNotch(before, prev, p, next);
  }
}

TEST_F(CutOffTest, CornerBetweenCurvesNotchedAtTheWidthFromTheTangents) {
  Start(testing::CurvedCornerPiece(), 10.0f);
  const auto before = ResultSegments();
  ASSERT_TRUE(ApplyCutOff(Doc(), state_, 2, 4.0f));
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
