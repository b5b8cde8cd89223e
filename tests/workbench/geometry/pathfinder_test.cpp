// Pathfinder booleans, curve fitting and path optimisation, checked against
// exact areas and distances. (Intersect, Divide and the union of
// overlapping outlines are the module's generators' daily work, checked by
// their golden results.)
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry_test_support.h"
#include "workbench/geometry/curve_fit.h"
#include "workbench/geometry/optimize_path.h"
#include "workbench/geometry/pathfinder.h"
#include "workbench/geometry/signed_area.h"

namespace workbench::geometry {
namespace {

using namespace testing;

constexpr double kPi = std::numbers::pi;

double Area(const PathData& p) { return SignedArea(p.segments, true); }

TEST(Unite, RingOfSquaresLeavesAHole) {
  const auto out = Unite({{Square(0, 0, 100)}, {Square(0, 0, 30)}, {Square(0, 70, 30)},
                          {Square(70, 0, 30)}});
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(Unite({{Square(0, 0, 10)}, {Square(20, 0, 10)}}).size(), 2u) << "apart they stay apart";
  // A frame: the outer square with the inner hole given as its own subpath.
  const auto frame = Unite({{Square(0, 0, 10), Square(0, 0, 100)}, {Square(0, 0, 30)}});
  ASSERT_EQ(frame.size(), 1u);
  EXPECT_NEAR(TotalArea(frame), 10000.0, 0.5);
  const auto ring = Unite({{Square(0, 0, 100), Square(20, 20, 60, true)}, {Square(-10, 40, 20)}});
  ASSERT_EQ(ring.size(), 1u);
  ASSERT_EQ(ring[0].size(), 2u) << "outer outline and its hole";
  EXPECT_GT(Area(ring[0][0]), 0.0);
  EXPECT_LT(Area(ring[0][1]), 0.0);
  EXPECT_NEAR(TotalArea(ring), 10000.0 - 3600.0 + 200.0, 0.5);
}

TEST(CurveFit, SquarePolygonAndDenseCircle) {
  // A square of 4 long sides sampled densely keeps 4 straight sides.
  std::vector<Point> square;
  for (int side = 0; side < 4; ++side) {
    for (int i = 0; i < 25; ++i) {
      const double s = 4.0 * i;
      const Point pts[4] = {{s, 0}, {100, s}, {100 - s, 100}, {0, 100 - s}};
      square.push_back(pts[side]);
    }
  }
  const PathData fitted = FitCurves(square, true, 0.01);
  ASSERT_EQ(fitted.segments.size(), 4u);
  for (const PathSegment& s : fitted.segments) {
    EXPECT_EQ(s.in, s.anchor);
    EXPECT_EQ(s.out, s.anchor);
  }
  EXPECT_NEAR(std::fabs(Area(fitted)), 10000.0, 1e-9);
  // A circle sampled every degree: a handful of smooth cubics on the circle.
  std::vector<Point> circle;
  for (int i = 0; i < 360; ++i) {
    circle.push_back({40.0 * std::cos(i * kPi / 180), 40.0 * std::sin(i * kPi / 180)});
  }
  const PathData round = FitCurves(circle, true, 0.01);
  EXPECT_LE(round.segments.size(), 12u);
  for (const PathSegment& s : round.segments) EXPECT_FALSE(s.corner);
  for (const Point& p : Sample(round, 50)) EXPECT_NEAR(Distance(p, {0, 0}), 40.0, 0.01 + 0.007);
  // Repeated points vanish; an open polyline keeps its ends.
  const PathData open = FitCurves({{0, 0}, {0, 0}, {5, 0}, {10, 0}, {10, 0}}, false, 0.01);
  ASSERT_EQ(open.segments.size(), 2u);
  EXPECT_EQ(open.segments[0].anchor, (Point{0, 0}));
  EXPECT_EQ(open.segments[1].anchor, (Point{10, 0}));
  // A polyline bulging by less than half the tolerance is one straight
  // segment; bulging a little more, it becomes a curve through the bulge.
  for (const double bulge : {0.0049, 0.0051}) {
    SCOPED_TRACE(bulge);
    const PathData fit = FitCurves({{0, 0}, {2, 0.64 * bulge}, {5, bulge}, {8, 0.64 * bulge}, {10, 0}}, false, 0.01);
    ASSERT_EQ(fit.segments.size(), 2u);
    const CubicBezier c = CurveAt(fit.segments, 0);
    EXPECT_EQ(c.IsStraight(), bulge < 0.005);
    if (!c.IsStraight()) {
      EXPECT_NEAR(c.At(0.5).y, bulge, 0.001);
    }
  }
}

TEST(OptimizePath, FewerAnchorsSameShape) {
  // A circle drawn with 32 arcs needs far fewer to stay within 0.05 pt.
  const PathData dense = Circle({0, 0}, 100, false, 32);
  const PathData slim = OptimizePath(dense, 0.05);
  EXPECT_TRUE(slim.closed);
  EXPECT_LT(slim.segments.size(), 12u);
  EXPECT_GT(SignedArea(slim.segments, true), 0.0) << "direction kept";
  for (const Point& p : Sample(slim, 50)) EXPECT_NEAR(Distance(p, {0, 0}), 100.0, 0.05);
  // Collinear anchors of a square's sides go; its corners stay.
  PathData square = Square(0, 0, 100);
  square.segments.insert(square.segments.begin() + 1, PathSegment::Corner({0, 50}));
  const PathData sq = OptimizePath(square, 0.1);
  EXPECT_EQ(sq.segments.size(), 4u);
  EXPECT_EQ(sq.segments[0].anchor, (Point{0, 0}));
  EXPECT_NEAR(Area(sq), 10000.0, 1e-9) << "the square's corners and direction kept";
}

}  // namespace
}  // namespace workbench::geometry
