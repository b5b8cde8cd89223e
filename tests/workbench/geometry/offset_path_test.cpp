// The Offset Path action on squares, circles and shapes that split or vanish.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry_test_support.h"
#include "workbench/geometry/offset_path.h"
#include "workbench/geometry/signed_area.h"

namespace workbench::geometry {
namespace {

using namespace testing;

constexpr double kExact = 0.01;  // points: how close results come to the exact offset

// Outward and inward, either way round: a square's mitred corners land
// exactly, a circle's every point at its radius plus the distance, curves
// stay curves, and the direction is kept. (Clockwise pieces offset with
// mitres are the module's golden results' daily work.)
TEST(OffsetPath, MitreCornersAndCirclesAreExactAndOrientationIsKept) {
  for (const bool ccw : {false, true}) {
    for (const double d : {10.0, -10.0}) {
      const auto square = OffsetPath(Square(0, 0, 100, ccw), d, 4.0, JoinType::kMiter);
      ASSERT_EQ(square.size(), 1u);
      ASSERT_EQ(square[0].size(), 1u);
      const PathData& r = square[0][0];
      ASSERT_EQ(r.segments.size(), 4u) << "four straight sides";
      for (const PathSegment& s : r.segments) {
        EXPECT_NEAR(std::fabs(s.anchor.x - 50.0), 50.0 + d, 1e-3);
        EXPECT_NEAR(std::fabs(s.anchor.y - 50.0), 50.0 + d, 1e-3);
        EXPECT_TRUE(s.corner && s.in == s.anchor && s.out == s.anchor);
      }
      EXPECT_EQ(SignedArea(r.segments, true) > 0, !ccw);
    }
    for (const double d : {8.5, 28.3, 70.9, -30.0, -75.0}) {
      const auto out = OffsetPath(Circle({300, -200}, 80.0, ccw), d, 4.0, JoinType::kMiter);
      ASSERT_EQ(out.size(), 1u);
      ASSERT_EQ(out[0].size(), 1u);
      const PathData& res = out[0][0];
      EXPECT_TRUE(res.closed);
      for (const Point& p : Sample(res, 200)) EXPECT_NEAR(Distance(p, {300, -200}), 80.0 + d, kExact) << d;
      EXPECT_LE(res.segments.size(), 24u) << "curves stay curves";
      EXPECT_EQ(SignedArea(res.segments, true) > 0, !ccw);
    }
  }
}

TEST(OffsetJoins, MitreLimitBevelAndRound) {
  // A square's mitre reaches sqrt(2) = 1.414 times the distance from its corner.
  const PathData square = Square(0, 0, 100);
  const auto bevel = OffsetPath(square, 10.0, 1.4, JoinType::kMiter);
  ASSERT_EQ(bevel.size(), 1u);
  EXPECT_EQ(bevel[0][0].segments.size(), 8u);
  // Each bevel cuts a right triangle with legs 10 off the 120 x 120 square.
  EXPECT_NEAR(SignedArea(bevel[0][0].segments, true), 14400.0 - 4 * 50.0, 0.5);
  const auto bevelled = OffsetPath(square, 10.0, 4.0, JoinType::kBevel);
  EXPECT_NEAR(SignedArea(bevelled[0][0].segments, true), 14400.0 - 4 * 50.0, 0.5);
  const auto round = OffsetPath(square, 10.0, 4.0, JoinType::kRound);
  ASSERT_EQ(round.size(), 1u);
  const double roundArea = 100.0 * 100.0 + 4 * 100.0 * 10.0 + std::numbers::pi * 100.0;
  EXPECT_NEAR(SignedArea(round[0][0].segments, true), roundArea, 0.5);
  for (const Point& p : Sample(round[0][0], 20)) {
    // Distance from the square: outside it by exactly 10.
    const double dx = std::max({0.0, -p.x, p.x - 100.0});
    const double dy = std::max({0.0, -p.y, p.y - 100.0});
    EXPECT_NEAR(std::hypot(dx, dy), 10.0, kExact);
  }
  EXPECT_LE(round[0][0].segments.size(), 12u);
}

// Two 100 x 100 lobes joined by a 10 pt wide neck 40 long.
TEST(OffsetInward, SplittingAndSwallowing) {
  const PathData dumbbell = Polygon({{0, 0}, {0, 100}, {100, 100}, {100, 55}, {140, 55}, {140, 100}, {240, 100},
                                     {240, 0}, {140, 0}, {140, 45}, {100, 45}, {100, 0}});
  ASSERT_GT(SignedArea(dumbbell.segments, true), 0.0);
  const auto split = OffsetPath(dumbbell, -10.0, 4.0, JoinType::kMiter);
  ASSERT_EQ(split.size(), 2u) << "the neck vanishes, the lobes stay";
  for (const CompoundPath& lobe : split) {
    ASSERT_EQ(lobe.size(), 1u);
    EXPECT_NEAR(SignedArea(lobe[0].segments, true), 80.0 * 80.0, 0.5);
    EXPECT_EQ(lobe[0].segments.size(), 4u);
  }
  // Inward by more than half the smaller lobe... by 60 nothing is left.
  EXPECT_TRUE(OffsetPath(dumbbell, -60.0, 4.0, JoinType::kMiter).empty());
  EXPECT_TRUE(OffsetPath(Circle({0, 0}, 20), -20.5, 4.0, JoinType::kMiter).empty());
  // A small inward offset keeps one piece with the neck narrowed to 6.
  const auto narrow = OffsetPath(dumbbell, -2.0, 4.0, JoinType::kMiter);
  ASSERT_EQ(narrow.size(), 1u);
  const double expected = 2 * 96.0 * 96.0 + 44.0 * 6.0;
  EXPECT_NEAR(SignedArea(narrow[0][0].segments, true), expected, 0.5);
}

TEST(OffsetOutward, OverlapsResolvedAndGapsBecomeHoles) {
  // A U whose arms are 20 apart: outward by 15 the gap closes at the top,
  // leaving no hole (the gap is open at the top), but the concave inner
  // corners disappear into one outline.
  const PathData shape = Polygon({{0, 0}, {0, 100}, {20, 100}, {20, 20}, {40, 20}, {40, 100}, {60, 100}, {60, 0}});
  const auto out = OffsetPath(shape, 15.0, 10.0, JoinType::kMiter);
  ASSERT_EQ(out.size(), 1u);
  ASSERT_EQ(out[0].size(), 1u);
  // The result is the 90 x 130 rectangle minus nothing: the gap (20 wide)
  // fills up because 15 + 15 > 20.
  EXPECT_NEAR(SignedArea(out[0][0].segments, true), 90.0 * 130.0, 0.5);
  EXPECT_EQ(out[0][0].segments.size(), 4u);

  // A ring-like C: outward offset closes its mouth and traps a hole.
  const PathData ring = Polygon({{0, 0}, {0, 100}, {100, 100}, {100, 0}, {55, 0}, {55, 10}, {90, 10}, {90, 90},
                                 {10, 90}, {10, 10}, {45, 10}, {45, 0}});
  const auto trapped = OffsetPath(ring, 6.0, 10.0, JoinType::kMiter);
  ASSERT_EQ(trapped.size(), 1u);
  ASSERT_EQ(trapped[0].size(), 2u) << "outer outline and one hole";
  EXPECT_NEAR(SignedArea(trapped[0][0].segments, true), 112.0 * 112.0, 0.5);
  EXPECT_NEAR(SignedArea(trapped[0][1].segments, true), -(68.0 * 68.0), 0.5);
  EXPECT_EQ(SegmentCount(trapped), 8u);
}

}  // namespace
}  // namespace workbench::geometry
