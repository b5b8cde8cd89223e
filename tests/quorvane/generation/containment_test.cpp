// Whether one path lies inside another, as the union before it asks.
#include "quorvane/generation/containment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "generation_test_support.h"

namespace quorvane::generation {
namespace {

using testing::Circle;
using testing::Corner;
using testing::Square;

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

// A polygon of many vertices, where the crossing rule looks only at the
// edges near each point's height: a star with spikes of every length, tall
// vertical edges and points exactly at vertex heights, checked point by
// point against the rule applied to every edge.
TEST(Containment, ManyVertexOutlineAnswersLikeEveryEdge) {
  std::vector<geometry::Vec2> star;
  constexpr int kSpikes = 300;
  for (int i = 0; i < kSpikes; ++i) {
    const double a = 2.0 * 3.141592653589793 * i / kSpikes;
    const double r = (i % 2 == 0) ? 100.0 : 40.0 + (i % 7) * 8.0;
    star.push_back({r * std::cos(a), r * std::sin(a)});
  }
  // A tall notch: two vertical edges spanning most of the height.
  star.insert(star.begin() + 10, {{95, 90}, {90, -90}, {85, 90}});
  auto everyEdge = [&](geometry::Vec2 p) {
    bool inside = false;
    for (std::size_t i = 0, j = star.size() - 1; i < star.size(); j = i++) {
      const geometry::Vec2 a = star[i], b = star[j];
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
  };
  int inside = 0, outside = 0;
  for (int gx = -60; gx <= 60; ++gx) {
    for (int gy = -60; gy <= 60; ++gy) {
      // Every other row sits exactly at a vertex's height.
      const geometry::Vec2 p{gx * 1.7 + 0.0137, gy % 2 == 0 ? star[(gy + 60) % star.size()].y : gy * 1.7};
      const bool want = everyEdge(p);
      // No slack: inside exactly when the crossing rule says so.
      EXPECT_EQ(PolylineInsidePolygon(std::vector<geometry::Vec2>{p}, star, 0.0), want) << p.x << " " << p.y;
      (want ? inside : outside) += 1;
    }
  }
  EXPECT_GT(inside, 1000);
  EXPECT_GT(outside, 1000);
}

}  // namespace
}  // namespace quorvane::generation
