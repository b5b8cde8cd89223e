// The right-angle and reverse corners on pieces made for the purpose:
// squares with mitred allowances, acute and obtuse corners, a corner between
// curves, and margins whose vertex 0 lies inside the reshaped run.
#include <gtest/gtest.h>

#include <cmath>

#include "generation_test_support.h"
#include "quorvane/generation/command_steps.h"

namespace quorvane::generation {
namespace {

using geometry::Vec2;
using testing::Corner;
using testing::Deviation;
using testing::Meet;
using testing::Mirror;
using testing::NearestAnchor;
using testing::Outward;
using testing::V;

constexpr float kWidth = 10.0f;
const double w = kWidth;
// How far the rebuilt margin may stray from a constructed point, in points.
constexpr double kSlack = 0.05;

// A triangle with an acute corner (about 31 degrees) at anchor 1, the
// origin: the edge before it runs along -x, the edge after it toward
// (100, 60); all of it turned by 0.3 rad, because a cast that runs exactly
// along an axis can miss a crossing by a rounding error (crossings are
// bounded without tolerance).
constexpr double kTilt = 0.3;
Vec2 Tilt(Vec2 p) { return geometry::RotateVector(p, kTilt); }
host::PathSegment TiltedCorner(double x, double y) {
  const Vec2 p = Tilt({x, y});
  return Corner(p.x, p.y);
}
std::vector<host::PathSegment> AcuteTriangle() {
  return {TiltedCorner(0, 0), TiltedCorner(100, 60), TiltedCorner(200, 0)};
}
const Vec2 kAcuteAfter = Tilt({100, 60});
const Vec2 kBefore = Tilt({-1, 0});
const Vec2 kBeforeAllowance = Tilt({0, -w});
// How far p lies along the edge before the corner, away from the corner.
double AlongBefore(Vec2 p) { return -geometry::Dot(p, kBefore); }

// A piece with an obtuse corner (about 121 degrees) at anchor 1, the
// origin: the edge before it runs along -x, the edge after it toward
// (-60, 100); turned like the triangle.
std::vector<host::PathSegment> ObtusePiece() {
  return {TiltedCorner(0, 0), TiltedCorner(-60, 100), TiltedCorner(200, 100), TiltedCorner(200, 0)};
}
const Vec2 kObtuseAfter = Tilt({-60, 100});
// An allowance width whose strip vertices do not fall on the fold distance.
constexpr float kObtuseWidth = 7.3f;
const double wo = kObtuseWidth;

class Corners : public testing::PieceFixture {
 protected:
  Corners() { state_.pointsPerUnit = 1.0; }

  // One of the four corner commands: right-angle or reverse, forward or not.
  bool Apply(bool reverse, int anchor, bool forward) {
    return reverse ? ApplyReverseCorner(Doc(), state_, anchor, forward)
                   : ApplyRightAngleCorner(Doc(), state_, anchor, forward);
  }
};

// At an acute corner "90. forward" ends the allowance of the edge after
// the corner in a line at right angles to it through H1; "90. backward"
// does the same for the edge before, through H2. Either way the mitre's tip
// is cut off and the margin away from the corner stays.
TEST_F(Corners, RightAngleAtAnAcuteCornerSquaresOneEdge) {
  AddPiece(AcuteTriangle());
  const Vec2 e = kAcuteAfter;
  const Vec2 h1 = Meet({0, 0}, e, kBeforeAllowance, kBefore);
  const Vec2 h2 = Meet({0, 0}, kBefore, w * Outward(e), e);
  const Vec2 tip = Meet(kBeforeAllowance, kBefore, w * Outward(e), e);
  for (bool forward : {true, false}) {
    SCOPED_TRACE(forward ? "forward" : "backward");
    const auto basic = BuildMargin(kWidth);
    ASSERT_LT(NearestAnchor(basic, tip), kSlack);
    ASSERT_TRUE(ApplyRightAngleCorner(Doc(), state_, 1, forward));
    ExpectWellFormedResult();
    const auto result = ResultSegments();
    const Vec2 c = forward ? Meet(h1, Outward(e), h2, e) : Meet(h2, Outward(kBefore), kBeforeAllowance, kBefore);
    EXPECT_LE(NearestAnchor(result, c), kSlack);
    EXPECT_LE(NearestAnchor(result, forward ? h1 : h2), kSlack);
    const testing::DistanceToPath toResult(result);
    EXPECT_GT(toResult(tip), 5.0);
    EXPECT_FALSE(toResult.Inside(tip));
    for (const Vec2& p : testing::SamplePath(result, 16)) EXPECT_GE(AlongBefore(p), AlongBefore(c) - kSlack);
    const auto far = [](Vec2 p) { return AlongBefore(p) > 30.0; };
    EXPECT_LE(Deviation(result, basic, far), kSlack);
    EXPECT_LE(Deviation(basic, result, far), kSlack);
  }
}

TEST_F(Corners, RightAngleBetweenCurvesFollowsTheChordsAtTheCorner) {
  // Both curves leave the corner along the axes.
  host::PathSegment corner = Corner(0, 0);
  corner.in = {40, 0};
  corner.out = {0, 40};
  host::PathSegment top = Corner(20, 100);
  top.in = {20, 60};
  host::PathSegment low = Corner(100, -20);
  low.out = {60, -20};
  AddPiece({corner, top, Corner(120, 100), low});
  BuildMargin(kWidth);
  ASSERT_TRUE(ApplyRightAngleCorner(Doc(), state_, 1, true));
  ExpectWellFormedResult();
  // The flattened neighbours lie within half a point of the corner, so the
  // chords deviate from the tangents by a small fraction of a degree.
  EXPECT_LE(NearestAnchor(ResultSegments(), {-w, -w}), 0.3);
}

// At an obtuse corner "Rev. backward" folds the allowance of the edge after
// the corner across the line of the edge before it, "Rev. forward" the
// allowance of the edge before across the line of the edge after it. The
// folded strip runs from H1 or H2 out to X, where it meets the other
// edge's allowance, at the allowance's width from the fold line.
TEST_F(Corners, ReverseAtAnObtuseCornerFoldsOneAllowance) {
  AddPiece(ObtusePiece());
  const Vec2 e = kObtuseAfter;
  const Vec2 afterAllowance = wo * Outward(e);
  const Vec2 beforeAllowance = Tilt({0, -wo});
  const Vec2 h1 = Meet({0, 0}, e, beforeAllowance, kBefore);
  const Vec2 h2 = Meet({0, 0}, kBefore, afterAllowance, e);
  const Vec2 tip = Meet(beforeAllowance, kBefore, afterAllowance, e);
  for (bool forward : {true, false}) {
    SCOPED_TRACE(forward ? "forward" : "backward");
    const auto basic = BuildMargin(kObtuseWidth);
    // The folded allowance line, mirrored independently, meets the other.
    const Vec2 fold = forward ? e : kBefore;
    const Vec2 a = forward ? beforeAllowance : afterAllowance;
    const Vec2 m1 = Mirror(a, {0, 0}, fold);
    const Vec2 m2 = Mirror(a + (forward ? kBefore : e), {0, 0}, fold);
    const Vec2 x = forward ? Meet(afterAllowance, e, m1, m2 - m1) : Meet(beforeAllowance, kBefore, m1, m2 - m1);
    const Vec2 start = forward ? h1 : h2;
    ASSERT_TRUE(ApplyReverseCorner(Doc(), state_, 1, forward));
    ExpectWellFormedResult();
    const auto result = ResultSegments();
    EXPECT_LE(NearestAnchor(result, x), kSlack);
    EXPECT_LE(NearestAnchor(result, start), kSlack);
    const testing::DistanceToPath toResult(result);
    EXPECT_LE(toResult(geometry::Midpoint(x, start)), kSlack);
    EXPECT_NEAR(std::abs(geometry::Cross((1.0 / geometry::VectorLength(fold)) * fold, x)), wo, 1e-9);
    if (!forward) {
      // Folded back along the edge before, the corner reaches beyond the mitre.
      EXPECT_LT(AlongBefore(x), AlongBefore(tip) - 5.0);
      EXPECT_TRUE(toResult.Inside(tip));
    }
    const auto far = [](Vec2 p) { return AlongBefore(p) > 40.0; };
    EXPECT_LE(Deviation(result, basic, far), kSlack);
    EXPECT_LE(Deviation(basic, result, far), kSlack);
  }
}

}  // namespace
}  // namespace quorvane::generation
