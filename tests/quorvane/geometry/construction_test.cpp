#include "quorvane/geometry/construction.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane::geometry {
namespace {

TEST(DistanceToSegment, InsideAndBeyondTheEnds) {
  const Vec2 a{0, 0};
  const Vec2 b{10, 0};
  EXPECT_DOUBLE_EQ(DistanceToSegment({4, 3}, a, b), 3.0);
  EXPECT_DOUBLE_EQ(DistanceToSegment({4, -3}, a, b), 3.0);
  EXPECT_DOUBLE_EQ(DistanceToSegment({-3, 4}, a, b), 5.0);
  EXPECT_DOUBLE_EQ(DistanceToSegment({13, 4}, a, b), 5.0);
  EXPECT_DOUBLE_EQ(DistanceToSegment({10, 0}, a, b), 0.0);
  EXPECT_NEAR(DistanceToSegment({4, -3}, {0, 0}, {3, 4}), 5.0, 1e-12);
}

// A clockwise square (y up) of side 10: its left is outside.
TEST(MitredOffsetVertex, MitreAfterARightTurnShiftAfterALeftTurnOrStraightRun) {
  // Right turn at (0, 10) going up then right: the mitre lies out on the diagonal.
  const Vec2 mitre = MitredOffsetVertex({0, 0}, {0, 10}, {10, 10}, 2.0);
  EXPECT_LT(Distance(mitre, {-2.0, 12.0}), 1e-12);
  // Left turn: moved along the arriving edge's left normal only.
  const Vec2 shift = MitredOffsetVertex({0, 0}, {0, 10}, {-10, 10}, 2.0);
  EXPECT_LT(Distance(shift, {-2.0, 10.0}), 1e-12);
  const Vec2 straight = MitredOffsetVertex({0, 0}, {0, 10}, {0, 20}, 2.0);
  EXPECT_LT(Distance(straight, {-2.0, 10.0}), 1e-12);
}

// SpliceRun keeps from..to and puts the run after it; ReplaceRun puts the
// run in place of first..last. Either starts at vertex 0 when what it keeps
// wraps past it.
TEST(SpliceRun, KeepsOrReplacesACyclicRun) {
  const Outline outline = {{{0, 0}}, {{1, 0}}, {{2, 0}}, {{3, 0}}, {{4, 0}}};
  const Outline run = {{{9, 9}}, {{8, 8}}};
  const auto xs = [](const Outline& o) {
    std::vector<double> out;
    for (const OutlinePoint& q : o) out.push_back(q.p.x);
    return out;
  };
  EXPECT_EQ(xs(SpliceRun(outline, 1, 3, run)), (std::vector<double>{1, 2, 3, 9, 8}));
  EXPECT_EQ(xs(SpliceRun(outline, 3, 1, run)), (std::vector<double>{0, 1, 9, 8, 3, 4}));
  EXPECT_EQ(xs(ReplaceRun(outline, 1, 3, run)), (std::vector<double>{0, 9, 8, 4}));
  EXPECT_EQ(xs(ReplaceRun(outline, 3, 1, run)), (std::vector<double>{2, 9, 8}));
  EXPECT_EQ(xs(ReplaceRun(outline, 0, 4, run)), (std::vector<double>{9, 8}));
  EXPECT_EQ(CyclicIndex(-1, 5), 4);
  EXPECT_EQ(CyclicIndex(7, 5), 2);
}

}  // namespace
}  // namespace quorvane::geometry
