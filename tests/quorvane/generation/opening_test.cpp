// "Opening" through the document: the points are read exactly on their
// curves, parameters 0 and 1 included, on both host versions. The shapes
// are checked on plain outlines in constructions_test.cpp.
#include "quorvane/generation/command_steps.h"

#include <gtest/gtest.h>

#include "generation_test_support.h"

namespace quorvane::generation {
namespace {

using testing::NearestAnchor;

constexpr double kSlack = 0.05;
constexpr float kOpeningMm = 20.0f;
constexpr double kOpeningPt = 20.0 * kPointsPerMillimetre;

// Where parameter t lies on the top edge, a straight segment whose handles
// sit on its anchors: x = 300·(3t² − 2t³), not 300·t.
double TopEdgeX(double t) { return 300.0 * (3 * t * t - 2 * t * t * t); }

class OpeningTest : public testing::PieceFixture, public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(OpeningTest, StepsStandOnTheExactCurvePoints) {
  for (const auto& [t1, t2] : {std::pair{0.25, 0.75}, std::pair{0.0, 1.0}}) {
    SCOPED_TRACE(t1);
    Start(testing::Rectangle(), testing::kBasicMm, GetParam());
    const double basicArea = ResultArea();
    ASSERT_TRUE(ApplyOpening(Doc(), state_, 2, t1, 2, t2, kOpeningMm));
    ExpectWellFormedResult();
    const double x1 = TopEdgeX(t1);
    const double x2 = TopEdgeX(t2);
    EXPECT_NEAR(ResultArea(), basicArea + (x2 - x1) * (kOpeningPt - testing::kBasicPt), 1.0);
    EXPECT_NEAR(ResultClearance(), testing::kBasicPt, kSlack);
    for (double x : {x1, x2}) EXPECT_LT(NearestAnchor(ResultSegments(), {x, 200.0 + kOpeningPt}), kSlack) << x;
  }
}

INSTANTIATE_TEST_SUITE_P(HostVersions, OpeningTest, ::testing::Values(kActionPathfinderHostVersion, 27),
                         [](const auto& info) { return "version" + std::to_string(info.param); });

}  // namespace
}  // namespace quorvane::generation
