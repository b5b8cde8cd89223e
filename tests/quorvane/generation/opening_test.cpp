// "Opening" on a rectangle: a stretch between two points on the finish line
// gets its own width, through the real host document and its services.
#include "quorvane/generation/command_steps.h"
#include "quorvane/generation/opening.h"

#include <gtest/gtest.h>

#include "generation_test_support.h"

namespace quorvane::generation {
namespace {

using geometry::Vec2;
using testing::NearestAnchor;

constexpr double kSlack = 0.05;
constexpr float kOpeningMm = 20.0f;
constexpr double kOpeningPt = 20.0 * kPointsPerMillimetre;

// Where parameter t lies on the top edge, a straight segment whose handles
// sit on its anchors: x = 300·(3t² − 2t³), not 300·t.
double TopEdgeX(double t) { return 300.0 * (3 * t * t - 2 * t * t * t); }

class OpeningTest : public testing::PieceFixture, public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(OpeningTest, StretchOnTheTopEdgeTakesItsOwnWidth) {
  Start(testing::Rectangle(), testing::kBasicMm, GetParam());
  const double basicArea = ResultArea();
  // From a quarter to three quarters of the top edge (segment 2).
  ASSERT_TRUE(ApplyOpening(Doc(), state_, 2, 0.25, 2, 0.75, kOpeningMm));
  ExpectWellFormedResult();
  const double x1 = TopEdgeX(0.25);
  const double x2 = TopEdgeX(0.75);
  EXPECT_NEAR(ResultArea(), basicArea + (x2 - x1) * (kOpeningPt - testing::kBasicPt), 1.0);
  EXPECT_NEAR(ResultBounds().top, 200.0 + kOpeningPt, kSlack);
  EXPECT_NEAR(ResultBounds().right, 300.0 + testing::kBasicPt, kSlack);
  EXPECT_NEAR(ResultClearance(), testing::kBasicPt, kSlack);
  // The steps stand on the normals at the exact points.
  for (double x : {x1, x2}) {
    EXPECT_LT(NearestAnchor(ResultSegments(), {x, 200.0 + kOpeningPt}), kSlack) << x;
    EXPECT_LT(NearestAnchor(ResultSegments(), {x, 200.0 + testing::kBasicPt}), kSlack) << x;
  }
  EXPECT_TRUE(InResult({150.0, 200.0 + kOpeningPt - 1.0}));
  EXPECT_FALSE(InResult({150.0, 200.0 + kOpeningPt + 1.0}));
  EXPECT_FALSE(InResult({x1 - 1.0, 200.0 + testing::kBasicPt + 1.0}));
}

TEST_P(OpeningTest, PointsInTheOtherOrderReoffsetTheRestOfTheOutline) {
  Start(testing::Rectangle(), testing::kBasicMm, GetParam());
  ASSERT_TRUE(ApplyOpening(Doc(), state_, 2, 0.75, 2, 0.25, kOpeningMm));
  ExpectWellFormedResult();
  const double full = (300.0 + 2 * kOpeningPt) * (200.0 + 2 * kOpeningPt);
  EXPECT_NEAR(ResultArea(), full - (TopEdgeX(0.75) - TopEdgeX(0.25)) * (kOpeningPt - testing::kBasicPt), 1.0);
  EXPECT_NEAR(ResultClearance(), testing::kBasicPt, kSlack);
  EXPECT_FALSE(InResult({150.0, 200.0 + testing::kBasicPt + 1.0}));
  EXPECT_TRUE(InResult({-kOpeningPt + 1.0, 100.0}));
  EXPECT_TRUE(InResult({TopEdgeX(0.25) - 1.0, 200.0 + kOpeningPt - 1.0}));
}

// The whole top edge, from its first anchor to its last.
TEST_P(OpeningTest, ParametersZeroAndOneAreAccepted) {
  Start(testing::Rectangle(), testing::kBasicMm, GetParam());
  ASSERT_TRUE(ApplyOpening(Doc(), state_, 2, 0.0, 2, 1.0, kOpeningMm));
  ExpectWellFormedResult();
  EXPECT_NEAR(ResultBounds().top, 200.0 + kOpeningPt, kSlack);
  EXPECT_TRUE(InResult({1.0, 200.0 + kOpeningPt - 1.0}));
  EXPECT_TRUE(InResult({299.0, 200.0 + kOpeningPt - 1.0}));
  EXPECT_FALSE(InResult({-1.0, 200.0 + kOpeningPt - 1.0}));
}

INSTANTIATE_TEST_SUITE_P(HostVersions, OpeningTest, ::testing::Values(kActionPathfinderHostVersion, 27),
                         [](const auto& info) { return "version" + std::to_string(info.param); });

}  // namespace
}  // namespace quorvane::generation
