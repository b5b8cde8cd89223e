#include "workbench/document/path_ops.h"

#include <gtest/gtest.h>

#include "workbench/geometry/bezier.h"
#include "workbench/geometry/signed_area.h"

namespace workbench::document {
namespace {

using geometry::PathSegment;
using geometry::Point;

TEST(PathBounds, CurveExtremaNotHandles) {
  // A quarter-circle-like arch from (0,0) to (10,0) bulging up: the handles
  // reach y = 10, the curve's top is 7.5 at t = 0.5.
  std::vector<PathSegment> arch = {{{0, 0}, {0, 0}, {0, 10}, false},
                                   {{10, 0}, {10, 10}, {10, 0}, false}};
  const Rect b = *PathBounds(arch, false);
  EXPECT_DOUBLE_EQ(b.left, 0.0);
  EXPECT_DOUBLE_EQ(b.right, 10.0);
  EXPECT_DOUBLE_EQ(b.bottom, 0.0);
  EXPECT_NEAR(b.top, 7.5, 1e-12);
  EXPECT_FALSE(PathBounds({}, true));
}

TEST(PathBounds, ClosingCurveCounts) {
  std::vector<PathSegment> p = {{{0, 0}, {-10, 5}, {0, 0}, false}, PathSegment::Corner({10, 0}),
                                PathSegment::Corner({10, 10})};
  const Rect open = *PathBounds(p, false);
  const Rect closed = *PathBounds(p, true);
  EXPECT_DOUBLE_EQ(open.left, 0.0);
  EXPECT_LT(closed.left, -1.0);
}

TEST(ReversedSegments, SameCurvesOtherWay) {
  std::vector<PathSegment> p = {{{0, 0}, {-1, 1}, {1, 2}, false}, {{5, 0}, {4, 3}, {6, -1}, false},
                                PathSegment::Corner({3, -4})};
  const auto r = ReversedSegments(p);
  ASSERT_EQ(r.size(), 3u);
  const auto fwd = geometry::CurveAt(p, 0);
  const auto back = geometry::CurveAt(r, 1);
  for (double t : {0.0, 0.3, 0.7, 1.0}) {
    EXPECT_NEAR(geometry::Distance(fwd.At(t), back.At(1.0 - t)), 0.0, 1e-12);
  }
  EXPECT_NEAR(geometry::SignedArea(r, true), -geometry::SignedArea(p, true), 1e-9);
}

}  // namespace
}  // namespace workbench::document
