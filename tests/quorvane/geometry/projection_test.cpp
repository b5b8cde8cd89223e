#include "quorvane/geometry/projection.h"

#include <gtest/gtest.h>

#include <cmath>


namespace quorvane::geometry {
namespace {

TEST(ProjectPointOnSegment, FootAndBothEndsIncluded) {
  const Vec2 a{1, 1}, b{5, 1};
  const auto foot = ProjectPointOnSegment(a, b, {2, 7});
  ASSERT_TRUE(foot);
  EXPECT_EQ(foot->point, (Vec2{2, 1}));
  EXPECT_EQ(foot->t, 0.25);
  EXPECT_EQ(ProjectPointOnSegment(a, b, {1, -3})->t, 0.0);
  EXPECT_EQ(ProjectPointOnSegment(a, b, {5, 9})->t, 1.0);
  EXPECT_FALSE(ProjectPointOnSegment(a, b, {std::nextafter(1.0, 0.0), 4}));
  EXPECT_FALSE(ProjectPointOnSegment(a, b, {std::nextafter(5.0, 6.0), 4}));
  EXPECT_FALSE(ProjectPointOnSegment(a, a, a));
}

struct ReflectCase {
  const char* name;
  Vec2 p, q, r, image;
};

class ReflectPointTable : public ::testing::TestWithParam<ReflectCase> {};

TEST_P(ReflectPointTable, MirrorImage) {
  const ReflectCase& t = GetParam();
  const Vec2 image = ReflectPointAcrossLine(t.p, t.q, t.r);
  EXPECT_LT(Distance(image, t.image), 1e-12);
  if (t.q == t.r) return;
  // Independent check: the midpoint lies on the line, the offset is
  // perpendicular to it.
  const Vec2 d = t.r - t.q;
  EXPECT_NEAR(Cross(d, Midpoint(t.p, image) - t.q), 0.0, 1e-9);
  EXPECT_NEAR(Dot(d, image - t.p), 0.0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Kernel, ReflectPointTable,
                         ::testing::Values(ReflectCase{"Diagonal", {3, 1}, {0, 0}, {1, 1}, {1, 3}},
                                           ReflectCase{"Horizontal", {2, 5}, {-4, 1}, {7, 1}, {2, -3}},
                                           ReflectCase{"PointOnLine", {2, 2}, {0, 0}, {5, 5}, {2, 2}},
                                           ReflectCase{"Oblique", {0, 10}, {0, 0}, {3, 4}, {9.6, 2.8}},
                                           ReflectCase{"NoLineGivesNegation", {3, -2}, {4, 4}, {4, 4}, {-3, 2}}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quorvane::geometry
