// "Lapel" on a rectangle: the allowance doubled between a second point and
// a corner, with the mirrored end, for second points on either side of the
// corner and on both host versions.
#include "quorvane/generation/lapel.h"

#include <gtest/gtest.h>

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

TEST_P(LapelTest, SecondPointBeforeTheCornerDoublesTheDepthUpToAMirroredEnd) {
  Start(testing::Rectangle(), testing::kBasicMm, GetParam());
  const double basicArea = ResultArea();
  // Corner anchor 3 (300, 200); the second point on the top edge before it.
  ASSERT_TRUE(Lapel(Doc(), state_, 3, 2, 0.3));
  ExpectWellFormedResult();
  EXPECT_NEAR(ResultBounds().top, 200.0 + 2 * kB, kDepthSlack);
  EXPECT_NEAR(ResultBounds().right, 300.0 + kB, kSlack);
  EXPECT_NEAR(ResultArea(), basicArea + (300.0 + kB - kSecondX) * kB, 3.0);
  // The step at the exact second point, and the end mirrored in the
  // allowance line: the corner of the allowance, and its image as far
  // outside the line as the allowance's end lies inside it.
  EXPECT_LT(NearestAnchor(ResultSegments(), {kSecondX, 200.0 + 2 * kB}), kSlack);
  EXPECT_LT(NearestAnchor(ResultSegments(), {kSecondX, 200.0 + kB}), kSlack);
  EXPECT_LT(NearestAnchor(ResultSegments(), {300.0 + kB, 200.0 + 2 * kB}), kSlack);
  EXPECT_FALSE(InResult({kSecondX - 1.0, 200.0 + kB + 1.0}));
  EXPECT_NEAR(ResultClearance(), kB, kSlack);
}

TEST_P(LapelTest, SecondPointAfterTheCornerIsTheMirrorImage) {
  Start(testing::Rectangle(), testing::kBasicMm, GetParam());
  const double basicArea = ResultArea();
  // Corner anchor 2 (0, 200); the second point on the top edge after it.
  ASSERT_TRUE(Lapel(Doc(), state_, 2, 2, 0.3));
  ExpectWellFormedResult();
  EXPECT_NEAR(ResultBounds().top, 200.0 + 2 * kB, kDepthSlack);
  EXPECT_NEAR(ResultBounds().left, -kB, kSlack);
  EXPECT_NEAR(ResultArea(), basicArea + (kSecondX + kB) * kB, 3.0);
  EXPECT_LT(NearestAnchor(ResultSegments(), {kSecondX, 200.0 + 2 * kB}), kSlack);
  EXPECT_LT(NearestAnchor(ResultSegments(), {-kB, 200.0 + 2 * kB}), kSlack);
  EXPECT_FALSE(InResult({kSecondX + 1.0, 200.0 + kB + 1.0}));
}

INSTANTIATE_TEST_SUITE_P(HostVersions, LapelTest, ::testing::Values(kActionPathfinderHostVersion, 27),
                         [](const auto& info) { return "version" + std::to_string(info.param); });

}  // namespace
}  // namespace quorvane::generation
