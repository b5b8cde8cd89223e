// "Lapel" on a rectangle: the allowance doubled between a second point and
// a corner, with the mirrored end, for second points on either side of the
// corner and on both host versions.
#include "quorvane/generation/command_steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "generation_test_support.h"

namespace quorvane::generation {
namespace {

using geometry::Vec2;
using testing::NearestAnchor;

constexpr double kSlack = 0.05;
constexpr double kB = testing::kBasicPt;
// The depth comes from the margin vertex beside the corner, which may stand
// up to one flattening step (0.5 pt) off the corner's normal.
constexpr double kDepthSlack = 0.02;

// The point at t = 0.3 of the top edge, a straight segment whose handles
// sit on its anchors: x = 300·(3t² − 2t³). It lies between two vertices of
// the flattened finish line (64.5 and 65).
constexpr double kSecondX = 300.0 * (3 * 0.09 - 2 * 0.027);

class LapelTest : public testing::PieceFixture, public ::testing::WithParamInterface<std::int32_t> {};

// Corner anchor 3 (300, 200) with the second point on the top edge before
// it, and corner anchor 2 (0, 200) with it after: the depth doubled from the
// step at the exact second point to the end mirrored in the allowance line
// (the corner of the allowance, and its image as far outside the line as
// the allowance's end lies inside it).
TEST_P(LapelTest, DepthDoublesFromTheSecondPointToAMirroredEnd) {
  for (const auto& [corner, cornerX, out] : {std::tuple{3, 300.0, 1.0}, std::tuple{2, 0.0, -1.0}}) {
    SCOPED_TRACE(corner);
    Start(testing::Rectangle(), testing::kBasicMm, GetParam());
    const double basicArea = ResultArea();
    ASSERT_TRUE(ApplyLapel(Doc(), state_, corner, 2, 0.3));
    ExpectWellFormedResult();
    const double end = cornerX + out * kB;
    EXPECT_NEAR(ResultBounds().top, 200.0 + 2 * kB, kDepthSlack);
    EXPECT_NEAR(out > 0 ? ResultBounds().right : ResultBounds().left, end, kSlack);
    EXPECT_NEAR(ResultArea(), basicArea + std::abs(end - kSecondX) * kB, 3.0);
    EXPECT_LT(NearestAnchor(ResultSegments(), {kSecondX, 200.0 + 2 * kB}), kSlack);
    EXPECT_LT(NearestAnchor(ResultSegments(), {kSecondX, 200.0 + kB}), kSlack);
    EXPECT_LT(NearestAnchor(ResultSegments(), {end, 200.0 + 2 * kB}), kSlack);
    EXPECT_FALSE(InResult({kSecondX - out, 200.0 + kB + 1.0}));
    EXPECT_NEAR(ResultClearance(), kB, kSlack);
  }
}

INSTANTIATE_TEST_SUITE_P(HostVersions, LapelTest, ::testing::Values(kActionPathfinderHostVersion, 27),
                         [](const auto& info) { return "version" + std::to_string(info.param); });

}  // namespace
}  // namespace quorvane::generation
