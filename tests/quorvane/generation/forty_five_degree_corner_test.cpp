// Forty-five-degree corners in both directions on squares (basic margins and
// margins starting at chosen vertices), a near-straight corner, zero rise,
// the failure cases and a real pattern piece.
#include "quorvane/generation/command_steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "generation_test_support.h"

namespace quorvane::generation {
namespace {

using geometry::Vec2;
using testing::Anchors;
using testing::NearestAnchor;
using testing::Polygon;

constexpr double kW0 = 10.0 * kPointsPerMillimetre;   // the allowance so far
constexpr double kRise = 5.0 * kPointsPerMillimetre;  // what the command adds
constexpr double kW = kW0 + kRise;
constexpr double kPointSlack = 0.01;
// The slope starts at the margin vertex just before the second point's
// normal crosses the margin, which the flattening puts within 0.5 pt of it.
constexpr double kStepSlack = 0.5;

// One square, turned by `turn` radian, corner anchor 2 at (0, 200) before
// turning; the second point half-way along the side before the corner
// (backward) or after it (forward).
struct SquareCase {
  const char* name;
  double turn;
  int marginStart;  // the margin polygon's first corner; -1: the basic margin
  bool backward;
};

class FortyFiveSquare : public testing::PieceFixture, public ::testing::WithParamInterface<SquareCase> {
 protected:
  Vec2 Turn(Vec2 p) const { return geometry::RotateVector(p, GetParam().turn); }
  Vec2 Back(Vec2 p) const { return geometry::RotateVector(p, -GetParam().turn); }

  std::vector<host::PathSegment> MarginFrom(int start) const {
    const std::vector<Vec2> corners = {{-kW0, 200.0 + kW0}, {200.0 + kW0, 200.0 + kW0}, {200.0 + kW0, -kW0},
                                       {-kW0, -kW0}};
    std::vector<Vec2> points;
    for (int i = 0; i < 4; ++i) points.push_back(Turn(corners[static_cast<std::size_t>((start + i) % 4)]));
    return Polygon(points);
  }

  // Old margin points outside the widened stretch must be on the new one.
  void ExpectKeptWhere(const std::vector<host::PathSegment>& before, const std::function<bool(Vec2)>& kept) {
    const testing::DistanceToPath toNew(ResultSegments());
    for (const Vec2& p : testing::SamplePath(before, 16)) {
      if (kept(Back(p))) {
        EXPECT_LT(toNew(p), 0.05) << Back(p).x << "," << Back(p).y;
      }
    }
  }
};

TEST_P(FortyFiveSquare, StretchWidensWithA45DegreeStep) {
  const SquareCase& c = GetParam();
  const auto finish = Polygon({Turn({0, 0}), Turn({0, 200}), Turn({200, 200}), Turn({200, 0})});
  if (c.marginStart < 0) {
    Start(finish, 10.0f);
  } else {
    AddPiece(finish);
    UseMargin(MarginFrom(c.marginStart));
  }
  const auto before = ResultSegments();
  ASSERT_TRUE(ApplyFortyFiveDegreeCorner(Doc(), state_, 2, c.backward ? 1 : 2, 0.5, 10.0f, 5.0f, c.backward));
  ASSERT_TRUE(state_.resultArt);
  std::vector<Vec2> after;
  for (const Vec2& p : Anchors(ResultSegments())) after.push_back(Back(p));

  // HB where the second point's normal meets the old margin, S the slope's
  // top at the new width, K the new corner on the old allowance across it.
  const Vec2 hb = c.backward ? Vec2{-kW0, 100.0} : Vec2{100.0, 200.0 + kW0};
  const Vec2 s = c.backward ? Vec2{-kW, 100.0 + kRise} : Vec2{100.0 - kRise, 200.0 + kW};
  const Vec2 k = c.backward ? Vec2{-kW, 200.0 + kW0} : Vec2{-kW0, 200.0 + kW};
  EXPECT_LT(NearestAnchor(after, hb), kStepSlack);
  EXPECT_LT(NearestAnchor(after, s), kStepSlack + kPointSlack);
  EXPECT_LT(NearestAnchor(after, k), kPointSlack);
  // The slope: from the anchor at HB to the one at S at 45 degrees, S at
  // exactly the new width from the finish line.
  Vec2 hbAt = hb, sAt = s;
  for (const Vec2& p : after) {
    if (geometry::Distance(p, hb) < kStepSlack) hbAt = p;
    if (geometry::Distance(p, s) < kStepSlack + kPointSlack) sAt = p;
  }
  // Across the stretch the step is exactly the rise; along it, the slope
  // starts from the margin vertex before HB, up to 0.5 pt away.
  const Vec2 step = sAt - hbAt;
  const double across = c.backward ? step.x : step.y;
  const double along = c.backward ? step.y : step.x;
  EXPECT_NEAR(std::abs(across), kRise, kPointSlack);
  EXPECT_NEAR(std::abs(along), kRise, kStepSlack + kPointSlack);
  const testing::DistanceToPath toFinish(FinishSegments());
  EXPECT_NEAR(toFinish(Turn(sAt)), kW, kPointSlack);
  // The widened stretch lies at the new width; the rest is the old margin.
  for (const Vec2& p : testing::SamplePath(ResultSegments(), 16)) {
    const Vec2 q = Back(p);
    const bool onStretch = c.backward ? (q.x < 0.0 && q.y > sAt.y + 1.0 && q.y < 199.0)
                                      : (q.y > 200.0 && q.x > 1.0 && q.x < sAt.x - 1.0);
    if (onStretch) {
      EXPECT_NEAR(toFinish(p), kW, kPointSlack) << q.x << "," << q.y;
    }
  }
  if (c.backward) {
    ExpectKeptWhere(before, [](Vec2 q) { return q.y < 99.0 || q.x > 0.5; });
  } else {
    ExpectKeptWhere(before, [](Vec2 q) { return q.x > 101.0 || q.y < 199.5; });
  }
  EXPECT_EQ(*Doc().AllArtOfLayer(state_.workLayer2), std::vector<host::ArtRef>{state_.resultArt});
  EXPECT_GT(*Doc().SignedArea(state_.resultArt), 0.0);
}

// Margins starting inside the kept run and inside the replaced stretch
// take the two ways of assembling the new outline.
INSTANTIATE_TEST_SUITE_P(
    Cases, FortyFiveSquare,
    ::testing::Values(SquareCase{"BackwardBasicMargin", 0.0, -1, true},
                      SquareCase{"ForwardBasicMargin", 0.0, -1, false},
                      SquareCase{"BackwardStartAtTheMitre", 0.35, 0, true},
                      SquareCase{"BackwardStartInTheKeptRun", 0.35, 2, true},
                      SquareCase{"ForwardStartAtTheMitre", -0.2, 0, false},
                      SquareCase{"ForwardStartInTheKeptRun", -0.2, 2, false}),
    [](const auto& info) { return std::string(info.param.name); });

class FortyFiveTest : public testing::PieceFixture {};

TEST_F(FortyFiveTest, ZeroRiseKeepsTheMargin) {
  Start(testing::Square(0, 0, 200), 10.0f);
  const auto before = ResultSegments();
  ASSERT_TRUE(ApplyFortyFiveDegreeCorner(Doc(), state_, 2, 1, 0.5, 10.0f, 0.0f, true));
  const testing::DistanceToPath toOld(before);
  const testing::DistanceToPath toNew(ResultSegments());
  for (const Vec2& p : testing::SamplePath(ResultSegments(), 16)) EXPECT_LT(toOld(p), 0.05) << p.x << "," << p.y;
  for (const Vec2& p : testing::SamplePath(before, 16)) EXPECT_LT(toNew(p), 0.05) << p.x << "," << p.y;
}

TEST_F(FortyFiveTest, CornerInsideTheStretchGetsAMitreAtTheNewWidth) {
  // Backward from half-way up the left side to the corner (200, 200): the
  // corner (0, 200) inside the stretch is mitred at the new width.
  Start(testing::Square(0, 0, 200), 10.0f);
  ASSERT_TRUE(ApplyFortyFiveDegreeCorner(Doc(), state_, 3, 1, 0.5, 10.0f, 5.0f, true));
  const auto after = Anchors(ResultSegments());
  EXPECT_LT(NearestAnchor(after, {-kW, 200.0 + kW}), kPointSlack);
  EXPECT_LT(NearestAnchor(after, {200.0 + kW0, 200.0 + kW}), kPointSlack);
  const testing::DistanceToPath toFinish(FinishSegments());
  for (const Vec2& p : testing::SamplePath(ResultSegments(), 16)) {
    if (p.y > 200.0 && p.x > 1.0 && p.x < 199.0) {
      EXPECT_NEAR(toFinish(p), kW, kPointSlack) << p.x << "," << p.y;
    }
  }
}

// K and S pinned where a wrong margin neighbour or a slope turned the other
// way would move them: the rise (10 mm) above an old width of 5 mm, and a
// margin that climbs 3 pt to a vertex just left of the corner (0, 200), so
// that the corner's cast meets the margin on the edge leaving that vertex.
TEST_F(FortyFiveTest, CornerPointAndSlopeTopArePinned) {
  constexpr double ext = 5.0 * kPointsPerMillimetre, rise = 10.0 * kPointsPerMillimetre, w = ext + rise;
  AddPiece(testing::Square(0, 0, 200));
  UseMargin(Polygon({{-ext, -ext}, {-ext, 200 + ext - 3}, {-0.05, 200 + ext}, {200 + ext, 200 + ext}, {200 + ext, -ext}}));
  ASSERT_TRUE(ApplyFortyFiveDegreeCorner(Doc(), state_, 2, 1, 0.5, 5.0f, 10.0f, true));
  const auto after = Anchors(ResultSegments());
  // K: the left edge offset by the new width meets the old top allowance.
  EXPECT_LT(NearestAnchor(after, {-w, 200 + ext}), kPointSlack);
  // H_B on the old margin, and S at the new width 45 degrees out from the
  // margin vertex at H_B (up to a flattening step below it).
  EXPECT_LT(NearestAnchor(after, {-ext, 100.0}), kPointSlack);
  int tops = 0;
  for (const Vec2& p : after) tops += std::abs(p.x + w) < kPointSlack && p.y > 100.0 + rise - kStepSlack && p.y <= 100.0 + rise;
  EXPECT_EQ(tops, 1);
}

TEST_F(FortyFiveTest, NearStraightCornerGetsAPlainOffset) {
  // The corner (0, 200) turns right by 20 degrees, under the 0.5 radian
  // below which K is the corner offset along the edge before it.
  const double turn = 20.0 * std::numbers::pi / 180.0;
  const Vec2 after{200.0 * std::sin(turn), 200.0 + 200.0 * std::cos(turn)};
  Start(Polygon({{0, 0}, {0, 200}, after, {250, 0}}), 10.0f);
  ASSERT_TRUE(ApplyFortyFiveDegreeCorner(Doc(), state_, 2, 1, 0.5, 10.0f, 5.0f, true));
  EXPECT_LT(NearestAnchor(Anchors(ResultSegments()), {-kW, 200.0}), kPointSlack);
}

}  // namespace
}  // namespace quorvane::generation
