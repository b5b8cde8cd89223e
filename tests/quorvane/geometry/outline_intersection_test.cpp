#include "quorvane/geometry/outline_intersection.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvane::geometry {
namespace {

// Vertices 0 (0,0), 1 (10,0), 2 (10,10), 3 (0,10); edge 3 is the closing edge.
const Outline kSquare{{{0, 0}}, {{10, 0}}, {{10, 10}}, {{0, 10}}};

struct CrossingCase {
  const char* name;
  Vec2 a, b;
  int edge;
  Vec2 hit;
  int indexTakeStart;
  int indexTakeEnd;
};

class IntersectSegmentWithOutlineTable : public ::testing::TestWithParam<CrossingCase> {};

TEST_P(IntersectSegmentWithOutlineTable, FirstCrossingSeenFromStart) {
  const CrossingCase& t = GetParam();
  for (const bool tolerant : {false, true}) {
    SCOPED_TRACE(tolerant ? "tolerant" : "exact");
    const auto find = [&](bool takeStart) {
      return tolerant ? IntersectSegmentWithOutlineTolerant(t.a, t.b, 0.0, kSquare, takeStart)
                      : IntersectSegmentWithOutline(t.a, t.b, kSquare, takeStart);
    };
    const auto start = find(true);
    const auto end = find(false);
    ASSERT_TRUE(start);
    ASSERT_TRUE(end);
    EXPECT_EQ(start->edge, t.edge);
    EXPECT_EQ(start->index, t.indexTakeStart);
    EXPECT_EQ(end->index, t.indexTakeEnd);
    EXPECT_FALSE(start->snapped);
    EXPECT_LT(Distance(start->point, t.hit), 1e-12);
    // The parameters place the hit on both the edge and the segment.
    const Vec2 e0 = kSquare[static_cast<std::size_t>(t.edge)].p;
    const Vec2 e1 = kSquare[static_cast<std::size_t>((t.edge + 1) % 4)].p;
    const Vec2 onEdge = e0 + start->edgeParameter * (e1 - e0);
    const Vec2 onSegment = t.a + start->segmentParameter * (t.b - t.a);
    EXPECT_NEAR(Distance(onEdge, t.hit), 0.0, 1e-12);
    EXPECT_NEAR(Distance(onSegment, t.hit), 0.0, 1e-12);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kernel, IntersectSegmentWithOutlineTable,
    ::testing::Values(CrossingCase{"UpThroughTop", {5, 5}, {5, 20}, 2, {5, 10}, 2, 3},
                      CrossingCase{"ClosingEdge", {5, 5}, {-5, 5}, 3, {0, 5}, 3, 0},
                      CrossingCase{"NearestToStartOfTwo", {-5, 5}, {15, 5}, 3, {0, 5}, 3, 0},
                      CrossingCase{"NearestToStartReversed", {15, 5}, {-5, 5}, 1, {10, 5}, 1, 2},
                      // Through a vertex: both edges meeting there cross at the
                      // same distance; the edge tested first wins.
                      CrossingCase{"ThroughVertexTwo", {5, 5}, {15, 15}, 1, {10, 10}, 1, 2},
                      CrossingCase{"ThroughVertexZero", {5, 5}, {-5, -5}, 3, {0, 0}, 3, 0},
                      CrossingCase{"EndsOnEdge", {5, 5}, {5, 0}, 0, {5, 0}, 0, 1}),
    [](const auto& info) { return info.param.name; });

// Casts from the centre ending on a side of the square: that side's box
// only touches the cast's box, and no other side is crossed. Then a diamond,
// whose edges are all slanted: a cast along an axis has a box of zero width
// or height that edges touch only at a single coordinate.
TEST(IntersectSegmentWithOutline, EdgesTouchingTheCastsBoxStillCountNothingElse) {
  const Outline diamond{{{5, 0}}, {{10, 5}}, {{5, 10}}, {{0, 5}}};
  const struct {
    const Outline& outline;
    Vec2 end, hit;
  } cases[] = {{kSquare, {5, 10}, {5, 10}},   {kSquare, {0, 5}, {0, 5}},   {kSquare, {10, 5}, {10, 5}},
               {kSquare, {5, 0}, {5, 0}},     {diamond, {5, 20}, {5, 10}}, {diamond, {-3, 5}, {0, 5}},
               {diamond, {10, 5}, {10, 5}},   {diamond, {9, 1}, {7.5, 2.5}}};
  for (const auto& c : cases) {
    const auto hit = IntersectSegmentWithOutline({5, 5}, c.end, c.outline, true);
    ASSERT_TRUE(hit) << c.end.x << "," << c.end.y;
    EXPECT_NEAR(Distance(hit->point, c.hit), 0.0, 1e-12) << c.end.x << "," << c.end.y;
  }
  // Casts crossing nothing.
  EXPECT_FALSE(IntersectSegmentWithOutline({2, 2}, {8, 8}, kSquare, true));
  EXPECT_FALSE(IntersectSegmentWithOutline({4, 4}, {6, 6}, diamond, true));
  EXPECT_FALSE(IntersectSegmentWithOutline({11, 0}, {11, 10}, diamond, true));
  EXPECT_FALSE(IntersectSegmentWithOutline({2, 2}, {8, 8}, Outline{}, true));
  EXPECT_FALSE(IntersectSegmentWithOutlineTolerant({2, 2}, {8, 8}, 0.0, Outline{}, true));
}

TEST(IntersectSegmentWithOutlineTolerant, CrossesWithinParameterSlack) {
  // The segment stops short of the top edge by 1e-9 points (a parameter of
  // 2e-10): the exact search misses it, the tolerant one does not.
  const Vec2 a{5, 5}, b{5, 10 - 1e-9};
  EXPECT_FALSE(IntersectSegmentWithOutline(a, b, kSquare, true));
  const auto c = IntersectSegmentWithOutlineTolerant(a, b, 0.0, kSquare, true);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->edge, 2);
  EXPECT_NEAR(c->point.y, 10.0, 1e-12);
  EXPECT_GT(c->segmentParameter, 1.0);
  // Short by 1e-7 points is beyond the slack, and no vertex lies near.
  EXPECT_FALSE(IntersectSegmentWithOutlineTolerant(a, {5, 10 - 1e-7}, 0.0, kSquare, true));
}

TEST(IntersectSegmentWithOutlineTolerant, VertexNearSegmentStandsIn) {
  // Parallel to the top edge, 0.005 above it: no edge is crossed, both top
  // vertices lie near; the one nearest to b is taken.
  const auto c = IntersectSegmentWithOutlineTolerant({-5, 10.005}, {15, 10.005}, 0.0, kSquare, true);
  ASSERT_TRUE(c);
  EXPECT_TRUE(c->snapped);
  EXPECT_EQ(c->point, (Vec2{10, 10}));
  EXPECT_EQ(c->edge, 2);
  EXPECT_EQ(c->index, 2);
  EXPECT_NEAR(c->segmentParameter, 0.75, 1e-12);
  const auto back = IntersectSegmentWithOutlineTolerant({15, 10.005}, {-5, 10.005}, 0.0, kSquare, false);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->point, (Vec2{0, 10}));
  EXPECT_EQ(back->index, 0);  // vertex 3 is the last: the vertex after it is 0
  // 0.02 above: too far.
  EXPECT_FALSE(IntersectSegmentWithOutlineTolerant({-5, 10.02}, {15, 10.02}, 0.0, kSquare, true));
}

// A pentagon whose last vertex pokes up at (x, 10.5); the short segment from
// (5, 0) to (5, 1) crosses nothing, and a reach of 10.5 aims at (5, 10.5).
Outline Spike(double x) { return {{{0, 10}}, {{0, -5}}, {{10, -5}}, {{10, 10}}, {{x, 10.5}}}; }

TEST(IntersectSegmentWithOutlineTolerant, ReachSnapsVertexCloserThanOnePoint) {
  const auto c = IntersectSegmentWithOutlineTolerant({5, 0}, {5, 1}, 10.5, Spike(5.6), true);
  ASSERT_TRUE(c);
  EXPECT_TRUE(c->snapped);
  EXPECT_EQ(c->point, (Vec2{5.6, 10.5}));
  EXPECT_EQ(c->edge, 4);
  EXPECT_EQ(c->index, 4);
  EXPECT_EQ(IntersectSegmentWithOutlineTolerant({5, 0}, {5, 1}, 10.5, Spike(5.6), false)->index, 0);
  EXPECT_DOUBLE_EQ(c->segmentParameter, 10.5);

  EXPECT_FALSE(IntersectSegmentWithOutlineTolerant({5, 0}, {5, 1}, 10.5, Spike(6.0), true));  // exactly 1.0
  EXPECT_TRUE(IntersectSegmentWithOutlineTolerant({5, 0}, {5, 1}, 10.5, Spike(std::nextafter(6.0, 5.0)), true));
  // Without a reach the far vertex does not count.
  EXPECT_FALSE(IntersectSegmentWithOutlineTolerant({5, 0}, {5, 1}, 0.0, Spike(5.6), true));
  // Of two as near, the first.
  Outline twoSpikes = Spike(5.5);
  twoSpikes.push_back({{4.5, 10.5}});
  EXPECT_EQ(IntersectSegmentWithOutlineTolerant({5, 0}, {5, 1}, 10.5, twoSpikes, true)->point, (Vec2{5.5, 10.5}));
}

TEST(IntersectSegmentWithOutlineTolerant, CrossingBeatsSnap) {
  // The segment reaches the top edge; the snap target lies beside the spike
  // but the real crossing is taken.
  const auto c = IntersectSegmentWithOutlineTolerant({5, 0}, {5, 20}, 10.5, Spike(5.6), true);
  ASSERT_TRUE(c);
  EXPECT_FALSE(c->snapped);
  EXPECT_EQ(c->edge, 4);  // the closing edge, from the spike back to (0, 10)
  EXPECT_LT(Distance(c->point, {5.0, 10.0 + 0.5 * 5.0 / 5.6}), 1e-12);
}

}  // namespace
}  // namespace quorvane::geometry
