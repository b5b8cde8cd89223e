#include "quorvane/geometry/outline.h"

#include <gtest/gtest.h>

#include <cmath>

#include "quorvane/geometry/path_run.h"

namespace quorvane::geometry {
namespace {

Outline Square(double side) {
  return {{{0, 0}}, {{side, 0}}, {{side, side}}, {{0, side}}};
}

TEST(OutlineNeighbours, WrapsAroundBothEnds) {
  const Outline o = Square(10);
  EXPECT_EQ(OutlineNeighbours(o, 0), (Neighbours{{0, 10}, {10, 0}}));
  EXPECT_EQ(OutlineNeighbours(o, 3), (Neighbours{{10, 10}, {0, 0}}));
  EXPECT_FALSE(OutlineNeighbours(o, -1));
  EXPECT_FALSE(OutlineNeighbours(o, 4));
  EXPECT_FALSE(OutlineNeighbours(Outline{}, 0));
  const Outline single{{{2, 3}}};
  EXPECT_EQ(OutlineNeighbours(single, 0), (Neighbours{{2, 3}, {2, 3}}));
}

TEST(NearestOutlinePoint, FirstOfEqualDistancesWins) {
  const Outline o = Square(10);
  EXPECT_EQ(NearestOutlinePoint({9, 8}, o), 2);
  EXPECT_EQ(NearestOutlinePoint({5, 5}, o), 0);   // all four tie
  EXPECT_EQ(NearestOutlinePoint({10, 5}, o), 1);  // 1 and 2 tie
  EXPECT_EQ(NearestOutlinePoint({5, 10}, o), 2);  // 2 and 3 tie
  EXPECT_FALSE(NearestOutlinePoint({0, 0}, Outline{}));
  // Only finite distances count: no vertex is nearest to a point off the
  // plane, and a vertex off it is passed over.
  for (double bad : {std::nan(""), HUGE_VAL}) {
    EXPECT_FALSE(NearestOutlinePoint({bad, 5}, o)) << bad;
    Outline spoilt = o;
    spoilt[1].p.y = bad;
    EXPECT_EQ(NearestOutlinePoint({10, 1}, spoilt), 2) << bad;
  }
}

std::vector<PathSegment> Anchors(std::initializer_list<Vec2> points) {
  std::vector<PathSegment> segments;
  for (Vec2 p : points) segments.push_back({p, p, p, true});
  return segments;
}

struct RunCase {
  const char* name;
  int a, b;
  bool forwardShorter;
};

class IsForwardRunShorterTable : public ::testing::TestWithParam<RunCase> {};

// Handles do not count: a huge bulge on edge 0 changes no run.
TEST_P(IsForwardRunShorterTable, RunLengths) {
  // A rectangle 30 wide, 10 high, with an extra anchor in the middle of the
  // bottom edge: 0 (0,0), 1 (15,0), 2 (30,0), 3 (30,10), 4 (0,10).
  auto rect = Anchors({{0, 0}, {15, 0}, {30, 0}, {30, 10}, {0, 10}});
  const RunCase& t = GetParam();
  EXPECT_EQ(IsForwardRunShorter(t.a, t.b, rect), t.forwardShorter);
  rect[0].out = rect[1].in = {5, -500};
  EXPECT_EQ(IsForwardRunShorter(t.a, t.b, rect), t.forwardShorter) << "with a bulge";
}

// Equal runs are shorter both ways.
INSTANTIATE_TEST_SUITE_P(Kernel, IsForwardRunShorterTable,
                         ::testing::Values(RunCase{"Same", 2, 2, false},
                                           RunCase{"ForwardShort", 0, 1, true},     // 15 against 65
                                           RunCase{"BackwardShort", 1, 0, false},   // 65 against 15
                                           RunCase{"ForwardLong", 1, 4, false},     // 55 against 25
                                           RunCase{"Tie", 0, 3, true},              // 40 against 40
                                           RunCase{"TieBackward", 3, 0, true},
                                           RunCase{"ThroughClosingEdge", 4, 0, true},  // 10 against 70
                                           RunCase{"ClosingEdgeOtherWay", 0, 4, false},
                                           RunCase{"OutsidePath", 0, 5, false}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quorvane::geometry
