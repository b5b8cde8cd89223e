// What every generator shares: a generator that fails leaves the margin as
// it was, and a corner between curves is read along its tangents. (The
// shapes are pinned on plain outlines in constructions_test.cpp; the sweep
// runs every command on the real pieces.)
#include <gtest/gtest.h>

#include <functional>

#include "generation_test_support.h"
#include "quorvane/generation/command_steps.h"
#include "quorvane/geometry/construction.h"
#include "quorvane/geometry/line_intersection.h"

namespace quorvane::generation {
namespace {

using testing::Vec2;
using Apply = std::function<bool(host::HostDocument&, RunState&)>;

constexpr float kWidth = 10.0f;  // mm
constexpr double kW = 10.0 * kPointsPerMillimetre;

class Generators : public testing::PieceFixture {};

// On the square with an extra anchor (0, 100) half-way up its left side
// (five anchors; (0, 200) is anchor 3), each of these fails. Every step
// but "Extended one-side" checks its numbers in one place, so one number
// below the range and one past it for each is enough; the constructions'
// own failures are checked on plain outlines in constructions_test.cpp.
struct Failure {
  const char* what;
  Apply apply;
};

const std::vector<Failure>& BadInputs() {
  static const std::vector<Failure> cases = {
      {"right angle at anchor -1", [](auto& d, auto& s) { return ApplyRightAngleCorner(d, s, -1, false); }},
      {"reverse past the last anchor", [](auto& d, auto& s) { return ApplyReverseCorner(d, s, 6, false); }},
      {"cut off where the edges are in line", [](auto& d, auto& s) { return ApplyCutOff(d, s, 2, 4.0f); }},
      // A cut wider than the allowance puts its corner outside it.
      {"cut off wider than the allowance", [](auto& d, auto& s) { return ApplyCutOff(d, s, 3, 12.0f); }},
      {"45 at segment 0", [](auto& d, auto& s) { return ApplyFortyFiveDegreeCorner(d, s, 3, 0, 0.5, kWidth, 5.0f, true); }},
      {"45 past the last segment",
       [](auto& d, auto& s) { return ApplyFortyFiveDegreeCorner(d, s, 3, 6, 0.5, kWidth, 5.0f, false); }},
      {"lapel past the last segment", [](auto& d, auto& s) { return ApplyLapel(d, s, 3, 6, 0.5); }},
      {"opening before its segment", [](auto& d, auto& s) { return ApplyOpening(d, s, 3, -0.01, 3, 0.5, 20.0f); }},
      {"opening beyond its segment", [](auto& d, auto& s) { return ApplyOpening(d, s, 3, 0.5, 3, 1.01, 20.0f); }},
      {"opening past the last segment", [](auto& d, auto& s) { return ApplyOpening(d, s, 3, 0.5, 6, 0.5, 20.0f); }},
      {"one-side at anchor 0", [](auto& d, auto& s) { return ApplyOneSideRun(d, s, 0, 2, 20.0f); }},
      {"one-side past the last anchor", [](auto& d, auto& s) { return ApplyOneSideRun(d, s, 2, 6, 20.0f); }},
  };
  return cases;
}

// The commands that reshape a corner, at anchor `anchor`.
struct CornerCommand {
  const char* name;
  std::function<bool(host::HostDocument&, RunState&, int anchor)> apply;
};

const std::vector<CornerCommand>& CornerCommands() {
  static const std::vector<CornerCommand> commands = {
      {"right angle", [](auto& d, auto& s, int a) { return ApplyRightAngleCorner(d, s, a, true); }},
      {"reverse", [](auto& d, auto& s, int a) { return ApplyReverseCorner(d, s, a, false); }},
      {"crossing", [](auto& d, auto& s, int a) { return ApplyExtendedCrossing(d, s, a); }},
      {"cut off", [](auto& d, auto& s, int a) { return ApplyCutOff(d, s, a, 4.0f); }},
      {"45 backward", [](auto& d, auto& s, int a) { return ApplyFortyFiveDegreeCorner(d, s, a, 2, 0.5, kWidth, 5.0f, true); }},
      {"lapel", [](auto& d, auto& s, int a) { return ApplyLapel(d, s, a, 2, 0.5); }},
      {"opening", [](auto& d, auto& s, int a) { return ApplyOpening(d, s, a, 0.2, a, 0.8, 20.0f); }},
  };
  return commands;
}

TEST_F(Generators, FailuresLeaveTheMarginAsItWas) {
  Start(testing::Polygon({{0, 0}, {0, 100}, {0, 200}, {200, 200}, {200, 0}}), kWidth);
  const host::ArtRef art = state_.resultArt;
  const auto before = ResultSegments();
  for (const Failure& f : BadInputs()) {
    EXPECT_FALSE(f.apply(Doc(), state_)) << f.what;
    ExpectMarginUnchanged(before, art);
  }
  // Without a current margin, or without a source, nothing is read.
  for (host::ArtRef* missing : {&state_.resultArt, &state_.sourcePath}) {
    const host::ArtRef kept = *missing;
    *missing = {};
    for (const CornerCommand& c : CornerCommands()) EXPECT_FALSE(c.apply(Doc(), state_, 3)) << c.name;
    *missing = kept;
    ExpectMarginUnchanged(before, art);
  }
}

// A clockwise piece whose corner (0, 200), anchor 2, lies between two
// curves: the left side arrives along (40, 60), the top leaves along (60, 40).
constexpr Vec2 kCurvedCorner{0.0, 200.0};
constexpr Vec2 kArrival{40.0, 60.0};
constexpr Vec2 kDeparture{60.0, 40.0};

// The corner commands read a corner between curves along the chords of the
// flattened curves next to it, which run within a few thousandths of a
// radian of the tangents: "Cut off" puts its inner corner C0 the cut width
// outside both tangent lines. Farther than 3 widths from the corner the new
// margin follows the old one, within the refitted curves' slack.
TEST_F(Generators, CornerBetweenCurvesIsReadAlongItsTangents) {
  auto piece = testing::Polygon({{0, 0}, kCurvedCorner, {200, 200}, {200, 0}});
  piece[0].out = {-40.0, 60.0};
  piece[1].in = {kCurvedCorner.x - kArrival.x, kCurvedCorner.y - kArrival.y};
  piece[1].out = {kCurvedCorner.x + kDeparture.x, kCurvedCorner.y + kDeparture.y};
  piece[2].in = {140.0, 240.0};
  Start(piece, kWidth);
  const auto before = ResultSegments();
  ASSERT_TRUE(ApplyCutOff(Doc(), state_, 2, 4.0f));
  const double cut = 4.0 * kPointsPerMillimetre;
  const auto outward = [cut](Vec2 d) { return cut * geometry::UnitVector(geometry::LeftNormal(d)); };
  const Vec2 p = kCurvedCorner;
  const auto c0 = geometry::IntersectLines(p + outward(kArrival), kArrival, p + outward(kDeparture), kDeparture);
  ASSERT_TRUE(c0);
  EXPECT_LT(testing::NearestAnchor(ResultSegments(), c0->point), 0.2);
  ExpectWellFormedResult();
  const auto far = [p](Vec2 q) { return geometry::Distance(q, p) > 3.0 * kW; };
  EXPECT_LT(testing::Deviation(before, ResultSegments(), far), 1.05);
}

}  // namespace
}  // namespace quorvane::generation
