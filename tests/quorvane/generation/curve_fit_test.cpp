// The curve fitter that turns generators' outlines back into smooth paths.
#include "quorvane/generation/curve_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "generation_test_support.h"

namespace quorvane::generation {
namespace {

using geometry::Vec2;

std::vector<Vec2> CirclePolyline(Vec2 c, double r, int count) {
  std::vector<Vec2> points;
  for (int i = 0; i <= count; ++i) {  // the first point again at the end
    const double a = 2.0 * std::numbers::pi * (i % count) / count;
    points.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
  }
  return points;
}

void ExpectJoinedUp(const std::vector<BezierPiece>& pieces) {
  ASSERT_FALSE(pieces.empty());
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    EXPECT_EQ(pieces[k].p3, pieces[(k + 1) % pieces.size()].p0) << "piece " << k;
  }
}

// A square as its corners, with many collinear points along each side, and
// with repeated points: one straight run a side.
TEST(CurveFit, SquaresGiveFourStraightPiecesWithRetractedHandles) {
  const Vec2 c[] = {{0, 0}, {0, 100}, {100, 100}, {100, 0}};
  std::vector<Vec2> dense;
  for (int side = 0; side < 4; ++side) {
    for (int j = 0; j < 25; ++j) dense.push_back(c[side] + (j / 25.0) * (c[(side + 1) % 4] - c[side]));
  }
  dense.push_back(c[0]);
  const std::vector<Vec2> plain = {c[0], c[1], c[2], c[3], c[0]};
  const std::vector<Vec2> repeats = {{0, 0},     {0, 0},     {0, 100}, {0, 100.001}, {100, 100},
                                     {100, 100}, {100, 100}, {100, 0}, {0, 0}};
  for (const auto& points : {plain, dense, repeats}) {
    const auto pieces = FitBezierPieces(points, {}, 1.0);
    ASSERT_EQ(pieces.size(), 4u);
    ExpectJoinedUp(pieces);
    for (std::size_t k = 0; k < 4; ++k) {
      EXPECT_LT(geometry::Distance(pieces[k].p0, c[k]), 0.01) << k;
      EXPECT_EQ(pieces[k].p1, pieces[k].p0);
      EXPECT_EQ(pieces[k].p2, pieces[k].p3);
    }
  }
}

TEST(CurveFit, CornerIndicesSplitAStraightRun) {
  const std::vector<Vec2> line = {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}};
  EXPECT_EQ(FitBezierPieces(line, {}, 1.0).size(), 1u);
  // Indices count the points as given, repeats included; unknown, negative
  // and repeated indices change nothing.
  const std::vector<Vec2> repeats = {{0, 0}, {0, 0}, {10, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}};
  const int given[] = {-1, 4, 99, 4};
  const auto split = FitBezierPieces(repeats, given, 1.0);
  ASSERT_EQ(split.size(), 2u);
  EXPECT_EQ(split[0].p3, (Vec2{20, 0}));
  EXPECT_EQ(split[1].p0, (Vec2{20, 0}));
  const int onRepeat[] = {3};  // the dropped repeat of (10, 0) flags nothing
  EXPECT_EQ(FitBezierPieces(repeats, onRepeat, 1.0).size(), 1u);
}

class CircleFit : public ::testing::TestWithParam<double> {};

TEST_P(CircleFit, FewCubicsWithinTheTolerance) {
  const double tolerance = GetParam();
  const Vec2 centre{200, 300};
  const double radius = 150.0;
  const auto points = CirclePolyline(centre, radius, 720);  // turns of half a degree
  const auto pieces = FitBezierPieces(points, {}, tolerance);
  ExpectJoinedUp(pieces);
  EXPECT_EQ(pieces.front().p0, points.front());
  EXPECT_LE(pieces.size(), tolerance >= 1.0 ? 8u : 16u);
  std::size_t curved = 0;
  for (const BezierPiece& p : pieces) curved += (p.p1 != p.p0 || p.p2 != p.p3) ? 1 : 0;
  EXPECT_EQ(curved, pieces.size());
  // Measured on a flattening within 0.005 pt of the closed path they make.
  const testing::DistanceToPath toPieces(ClosedPathFromPieces(pieces));
  for (const Vec2& p : points) EXPECT_LE(toPieces(p), tolerance + 0.005) << p.x << "," << p.y;
  // And the curves stay near the circle between the points.
  for (const BezierPiece& piece : pieces) {
    for (int j = 0; j <= 20; ++j) {
      EXPECT_NEAR(geometry::Distance(PointAt(piece, j / 20.0), centre), radius, tolerance + 0.05);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Tolerances, CircleFit, ::testing::Values(1.0, 0.1),
                         [](const auto& info) { return info.param >= 1.0 ? "Plain" : "ScaledDrawing"; });

}  // namespace
}  // namespace quorvane::generation
