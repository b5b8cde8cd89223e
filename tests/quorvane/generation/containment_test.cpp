// Whether one path lies inside another, as the union before it asks.
#include "quorvane/generation/containment.h"

#include <gtest/gtest.h>

#include "generation_test_support.h"

namespace quorvane::generation {
namespace {

using testing::Corner;
using testing::Square;

// A circle of four cubic arcs (radial error about 3e-4 r), clockwise.
std::vector<host::PathSegment> Circle(double cx, double cy, double r) {
  constexpr double k = 0.5522847498;
  auto seg = [&](double x, double y, double dx, double dy) {
    host::PathSegment s{};
    s.p = {cx + x * r, cy + y * r};
    s.in = {cx + (x - dx * k) * r, cy + (y - dy * k) * r};
    s.out = {cx + (x + dx * k) * r, cy + (y + dy * k) * r};
    return s;
  };
  return {seg(-1, 0, 0, 1), seg(0, 1, 1, 0), seg(1, 0, 0, -1), seg(0, -1, -1, 0)};
}

TEST(Containment, NestedSquaresAndCircles) {
  EXPECT_TRUE(SegmentsInside(Square(10, 10, 20), Square(0, 0, 100)));
  EXPECT_FALSE(SegmentsInside(Square(0, 0, 100), Square(10, 10, 20)));
  // Orientation plays no part.
  EXPECT_TRUE(SegmentsInside(Square(10, 10, 20, true), Square(0, 0, 100)));
  // Curves count as curves: the square's corners poke out of the circle.
  EXPECT_TRUE(SegmentsInside(Square(-30, -30, 60), Circle(0, 0, 50)));
  EXPECT_FALSE(SegmentsInside(Square(-40, -40, 80), Circle(0, 0, 50)));
  EXPECT_TRUE(SegmentsInside(Circle(0, 0, 50), Square(-51, -51, 102)));
}

TEST(Containment, SlackOfTwoPointsAroundTheOuterOutline) {
  // A path sharing the outer one's outline, or straying by less than 2 pt,
  // is inside; by more, it is not.
  EXPECT_TRUE(SegmentsInside(Square(0, 0, 100), Square(0, 0, 100)));
  auto rectangle = [](double left, double bottom, double right, double top) {
    return std::vector<host::PathSegment>{Corner(left, bottom), Corner(left, top), Corner(right, top),
                                          Corner(right, bottom)};
  };
  EXPECT_TRUE(SegmentsInside(rectangle(-1.9, 10, 101.9, 90), Square(0, 0, 100)));
  EXPECT_FALSE(SegmentsInside(rectangle(-2.1, 10, 100, 90), Square(0, 0, 100)));
  // A corner that strays 1.9 pt along both axes is 2.7 pt from the outline.
  EXPECT_FALSE(SegmentsInside(Square(-1.9, -1.9, 103.8), Square(0, 0, 100)));
}

TEST(Containment, DisjointAndOverlappingPathsAreNotInside) {
  EXPECT_FALSE(SegmentsInside(Square(200, 200, 10), Square(0, 0, 100)));
  EXPECT_FALSE(SegmentsInside(Square(50, 50, 100), Square(0, 0, 100)));
  // A concave outer path: an L whose notch holds the square's corner.
  const std::vector<host::PathSegment> ell = {Corner(0, 0),     Corner(0, 100),  Corner(40, 100),
                                              Corner(40, 40),   Corner(100, 40), Corner(100, 0)};
  EXPECT_TRUE(SegmentsInside(Square(5, 5, 30), ell));
  EXPECT_FALSE(SegmentsInside(Square(30, 30, 30), ell));
}

TEST(Containment, PolylineInsideNeedsEveryPoint) {
  const std::vector<geometry::Vec2> outer = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};
  EXPECT_TRUE(PolylineInsidePolygon(std::vector<geometry::Vec2>{{5, 5}, {1, 9}}, outer, 2.0));
  EXPECT_TRUE(PolylineInsidePolygon(std::vector<geometry::Vec2>{{11.5, 5}}, outer, 2.0));
  EXPECT_FALSE(PolylineInsidePolygon(std::vector<geometry::Vec2>{{5, 5}, {12.5, 5}}, outer, 2.0));
  EXPECT_FALSE(PolylineInsidePolygon(std::vector<geometry::Vec2>{{5, 5}}, {}, 2.0));
}

class PathContainment : public testing::HostFixture {};

TEST_F(PathContainment, ReadsPathsFromTheDocument) {
  const host::ArtRef outer = AddPath(Square(0, 0, 100));
  const host::ArtRef inner = AddPath(Square(20, 20, 10, true));
  EXPECT_TRUE(PathInsidePath(Doc(), inner, outer));
  EXPECT_FALSE(PathInsidePath(Doc(), outer, inner));
  EXPECT_FALSE(PathInsidePath(Doc(), inner, host::ArtRef{}));
}

}  // namespace
}  // namespace quorvane::generation
