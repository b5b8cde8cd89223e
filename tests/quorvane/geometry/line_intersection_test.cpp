#include "quorvane/geometry/line_intersection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>


namespace quorvane::geometry {
namespace {

constexpr double kPi = std::numbers::pi;

// The crossing must lie on both shapes at the parameters it reports.
void ExpectConsistent(const LineCrossing& c, Vec2 p, Vec2 d1, Vec2 q, Vec2 d2) {
  EXPECT_LT(Distance(c.point, p + c.s * d1), 1e-9);
  EXPECT_LT(Distance(c.point, q + c.u * d2), 1e-9);
}

TEST(IntersectLines, MeetingPointAndParametersOnBothLines) {
  const Vec2 p{1, 1}, d1{2, 0}, q{4, -3}, d2{0, 0.5};
  const auto c = IntersectLines(p, d1, q, d2);
  ASSERT_TRUE(c);
  EXPECT_DOUBLE_EQ(c->point.x, 4.0);
  EXPECT_DOUBLE_EQ(c->point.y, 1.0);
  EXPECT_DOUBLE_EQ(c->s, 1.5);
  EXPECT_DOUBLE_EQ(c->u, 8.0);
  ExpectConsistent(*c, p, d1, q, d2);
}

// Lines half a degree apart never meet, one degree apart they do; a zero
// direction never meets.
TEST(IntersectLines, HalfDegreeApartOrZeroDirectionNeverMeet) {
  const Vec2 half = RotateVector({1, 0}, 0.5 * kPi / 180.0);
  const Vec2 one = RotateVector({1, 0}, kPi / 180.0);
  EXPECT_FALSE(IntersectLines({0, 0}, {1, 0}, {0, 5}, half));
  EXPECT_FALSE(IntersectLines({0, 0}, {-1, 0}, {0, 5}, half));  // antiparallel
  const auto c = IntersectLines({0, 0}, {1, 0}, {0, 5}, one);
  ASSERT_TRUE(c);
  EXPECT_NEAR(c->point.y, 0.0, 1e-12);
  EXPECT_NEAR(c->point.x, -5.0 / std::tan(kPi / 180.0), 1e-9);
  EXPECT_FALSE(IntersectLines({0, 0}, {0, 0}, {1, 1}, {0, 1}));
  EXPECT_FALSE(IntersectLines({0, 0}, {1, 0}, {1, 1}, {0, 0}));
}

struct SegmentCase {
  const char* name;
  Vec2 a, b, c, d;
  bool meets;
  Vec2 point;
};

class IntersectSegmentsTable : public ::testing::TestWithParam<SegmentCase> {};

TEST_P(IntersectSegmentsTable, ExactBounds) {
  const SegmentCase& t = GetParam();
  const auto c = IntersectSegments(t.a, t.b, t.c, t.d);
  ASSERT_EQ(c.has_value(), t.meets);
  if (!c) return;
  EXPECT_EQ(c->point, t.point);
  ExpectConsistent(*c, t.a, t.b - t.a, t.c, t.d - t.c);
}

INSTANTIATE_TEST_SUITE_P(
    Kernel, IntersectSegmentsTable,
    ::testing::Values(
        SegmentCase{"Cross", {0, 0}, {4, 4}, {0, 4}, {4, 0}, true, {2, 2}},
        SegmentCase{"TouchAtEnds", {0, 0}, {2, 0}, {2, 0}, {2, 3}, true, {2, 0}},
        SegmentCase{"TouchAtInnerPoint", {0, 0}, {4, 0}, {1, 0}, {1, 3}, true, {1, 0}},
        SegmentCase{"JustShort", {0, 0}, {2, 0}, {std::nextafter(2.0, 3.0), -1}, {std::nextafter(2.0, 3.0), 1},
                    false, {}},
        SegmentCase{"BeyondSecondEnd", {0, 0}, {4, 0}, {1, 1}, {1, 3}, false, {}},
        SegmentCase{"OneZeroLength", {1, 0}, {1, 0}, {0, 0}, {2, 0}, false, {}},
        SegmentCase{"OtherZeroLength", {0, -1}, {0, 1}, {0, 0}, {0, 0}, false, {}},
        SegmentCase{"BothZeroLengthSamePoint", {3, 7}, {3, 7}, {3, 7}, {3, 7}, true, {3, 7}},
        SegmentCase{"BothZeroLengthApart", {3, 7}, {3, 7}, {3, 7.5}, {3, 7.5}, false, {}},
        SegmentCase{"CollinearOverlap", {0, 0}, {4, 0}, {2, 0}, {6, 0}, false, {}}),
    [](const auto& info) { return info.param.name; });

TEST(IntersectSegments, AxisAlignedSecondSegmentIsNotMissedByRounding) {
  // Computed along the first segment, this crossing's x comes out one unit
  // in the last place beside the vertical segment's x.
  const Vec2 a{2.149, 83.758};
  const Vec2 b{55.645, 64.229};
  const auto vertical = IntersectSegments(a, b, {12.094, -50.0}, {12.094, 150.0});
  ASSERT_TRUE(vertical.has_value());
  EXPECT_EQ(vertical->point.x, 12.094);
  EXPECT_NEAR(vertical->point.y, 83.758 + (12.094 - 2.149) / (55.645 - 2.149) * (64.229 - 83.758), 1e-12);
  // The same with the roles of x and y swapped.
  const auto horizontal = IntersectSegments({a.y, a.x}, {b.y, b.x}, {-50.0, 12.094}, {150.0, 12.094});
  ASSERT_TRUE(horizontal.has_value());
  EXPECT_EQ(horizontal->point.y, 12.094);
}

}  // namespace
}  // namespace quorvane::geometry
