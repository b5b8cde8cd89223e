// What every generator shares: at the convex corners of real pieces each
// corner command works and keeps the finish line inside, a corner between
// curves is read along its tangents, and a generator that fails leaves the
// margin as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numbers>
#include <string>

#include "generation_test_support.h"
#include "quorvane/generation/command_steps.h"

namespace quorvane::generation {
namespace {

using testing::Vec2;
using Apply = std::function<bool(host::HostDocument&, RunState&)>;

constexpr float kWidth = 10.0f;  // mm
constexpr double kW = 10.0 * kPointsPerMillimetre;

class Generators : public testing::PieceFixture {};

// On the square with an extra anchor (0, 100) half-way up its left side
// (five anchors; (0, 200) is anchor 3), each of these fails. Every step
// checks its numbers in one place; the constructions' own failures are
// checked on plain outlines in constructions_test.cpp.
struct Failure {
  const char* what;
  Apply apply;
};

const std::vector<Failure>& BadInputs() {
  static const std::vector<Failure> cases = {
      {"right angle at anchor -1", [](auto& d, auto& s) { return ApplyRightAngleCorner(d, s, -1, false); }},
      {"reverse past the last anchor", [](auto& d, auto& s) { return ApplyReverseCorner(d, s, 6, false); }},
      {"crossing at anchor 0", [](auto& d, auto& s) { return ApplyExtendedCrossing(d, s, 0); }},
      {"cut off past the last anchor", [](auto& d, auto& s) { return ApplyCutOff(d, s, 6, 4.0f); }},
      {"cut off where the edges are in line", [](auto& d, auto& s) { return ApplyCutOff(d, s, 2, 4.0f); }},
      // A cut wider than the allowance puts its corner outside it.
      {"cut off wider than the allowance", [](auto& d, auto& s) { return ApplyCutOff(d, s, 3, 12.0f); }},
      {"45 at anchor 0", [](auto& d, auto& s) { return ApplyFortyFiveDegreeCorner(d, s, 0, 1, 0.5, kWidth, 5.0f, true); }},
      {"45 at segment 0", [](auto& d, auto& s) { return ApplyFortyFiveDegreeCorner(d, s, 3, 0, 0.5, kWidth, 5.0f, true); }},
      {"45 past the last segment",
       [](auto& d, auto& s) { return ApplyFortyFiveDegreeCorner(d, s, 3, 6, 0.5, kWidth, 5.0f, false); }},
      {"lapel at anchor 0", [](auto& d, auto& s) { return ApplyLapel(d, s, 0, 2, 0.5); }},
      {"lapel at segment 0", [](auto& d, auto& s) { return ApplyLapel(d, s, 3, 0, 0.5); }},
      {"lapel past the last segment", [](auto& d, auto& s) { return ApplyLapel(d, s, 3, 6, 0.5); }},
      {"opening before its segment", [](auto& d, auto& s) { return ApplyOpening(d, s, 3, -0.01, 3, 0.5, 20.0f); }},
      {"opening beyond its segment", [](auto& d, auto& s) { return ApplyOpening(d, s, 3, 0.5, 3, 1.01, 20.0f); }},
      {"opening past the last segment", [](auto& d, auto& s) { return ApplyOpening(d, s, 3, 0.5, 6, 0.5, 20.0f); }},
      {"one-side at anchor 0", [](auto& d, auto& s) { return ApplyOneSideRun(d, s, 0, 2, 20.0f); }},
      {"one-side past the last anchor", [](auto& d, auto& s) { return ApplyOneSideRun(d, s, 2, 6, 20.0f); }},
  };
  return cases;
}

// Each corner command at a convex corner of a real piece, and how it may
// change the margin.
enum class Effect { kReshapes, kTrims, kWidens };
struct CornerCommand {
  const char* name;
  Effect effect;
  std::function<bool(host::HostDocument&, RunState&, int anchor, int anchors)> apply;
};

const std::vector<CornerCommand>& CornerCommands() {
  static const std::vector<CornerCommand> commands = {
      {"right angle forward", Effect::kReshapes, [](auto& d, auto& s, int a, int) { return ApplyRightAngleCorner(d, s, a, true); }},
      {"right angle backward", Effect::kReshapes, [](auto& d, auto& s, int a, int) { return ApplyRightAngleCorner(d, s, a, false); }},
      {"reverse forward", Effect::kReshapes,
       [](auto& d, auto& s, int a, int) { return ApplyReverseCorner(d, s, a, true); }},
      {"reverse backward", Effect::kReshapes,
       [](auto& d, auto& s, int a, int) { return ApplyReverseCorner(d, s, a, false); }},
      {"crossing", Effect::kTrims, [](auto& d, auto& s, int a, int) { return ApplyExtendedCrossing(d, s, a); }},
      {"cut off", Effect::kTrims, [](auto& d, auto& s, int a, int) { return ApplyCutOff(d, s, a, 4.0f); }},
      // From half-way along the curve arriving at the corner.
      {"45 backward", Effect::kWidens,
       [](auto& d, auto& s, int a, int n) {
         return ApplyFortyFiveDegreeCorner(d, s, a, (a + n - 2) % n + 1, 0.5, kWidth, 5.0f, true);
       }},
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
    for (const CornerCommand& c : CornerCommands()) EXPECT_FALSE(c.apply(Doc(), state_, 3, 5)) << c.name;
    *missing = kept;
    ExpectMarginUnchanged(before, art);
  }
}

// At the convex corners of real pieces (60 to 120 degrees) the commands, in
// turn, work and keep the finish line inside the margin; the trimming ones
// keep within the old margin and change it only near the corner, the
// widening one widens next to the corner. (How far a reshaped run reaches
// depends on where each edge, carried on, leaves the allowance: at the foot
// of a narrow dart that is across the dart, so no bound on it is asserted.)
TEST_F(Generators, RealPieceCorners) {
  if (!quorvane::testing::SharedDir()) GTEST_SKIP() << quorvane::testing::kNoSharedDir;
  auto files = testing::CorpusFiles();
  files.resize(std::min<std::size_t>(files.size(), 4));
  const auto& commands = CornerCommands();
  std::size_t tried = 0, done = 0;
  for (const auto& file : files) {
    ASSERT_TRUE(OpenSvg(file));
    for (host::ArtRef piece : ClosedPaths()) {
      if (*Doc().SignedArea(piece) < 0.0) {
        ASSERT_EQ(Doc().Reverse(piece), kQvNoErr);
      }
      const auto finish = *Doc().Segments(piece);
      const int n = static_cast<int>(finish.size());
      const std::vector<double> turns = testing::AnchorTurns(finish);
      for (int i = 0; i < n; ++i) {
        if (turns[i] < std::numbers::pi / 3 || turns[i] > 2 * std::numbers::pi / 3) continue;
        const CornerCommand& command = commands[tried++ % commands.size()];
        SCOPED_TRACE(file.filename().string() + " " + Doc().ArtName(piece).value_or("?") + " anchor " +
                     std::to_string(i + 1) + " " + command.name);
        state_.sourcePath = piece;
        const auto before = BuildMargin(kWidth);
        const double areaBefore = ResultArea();
        if (!command.apply(Doc(), state_, i + 1, n)) continue;
        ++done;
        ExpectWellFormedResult();
        const Vec2 corner = testing::V(finish[static_cast<std::size_t>(i)].p);
        if (command.effect == Effect::kTrims) {
          EXPECT_LT(ResultArea(), areaBefore - 1.0);
          ExpectChangedOnlyNear(before, corner, 6.0 * kW, testing::kRefitSlack);
          const testing::DistanceToPath toOld(before);
          for (const Vec2& p : testing::SamplePath(ResultSegments(), 8)) {
            EXPECT_TRUE(toOld.Inside(p) || toOld(p) < testing::kRefitSlack) << p.x << "," << p.y;
          }
        } else if (command.effect == Effect::kWidens) {
          EXPECT_GT(ResultArea(), areaBefore + 1.0);
          // On the widened curve, between the slope and the corner, the
          // allowance is the new width.
          const testing::DistanceToPath toNew(ResultSegments());
          const auto arriving = testing::SamplePath({finish[static_cast<std::size_t>((i + n - 1) % n)], finish[i]}, 20);
          double widest = 0.0;
          for (int k = 14; k < 20; ++k) {
            if (geometry::Distance(arriving[k], corner) > 3.0) widest = std::max(widest, toNew(arriving[k]));
          }
          if (widest > 0.0) {
            EXPECT_GT(widest, 15.0 * kPointsPerMillimetre - testing::kRefitSlack);
          }
        }
      }
    }
  }
  EXPECT_GT(tried, 20u);
  EXPECT_GE(done * 10, tried * 9);
}

// The corner commands read a corner between curves along the chords of the
// flattened curves next to it, which run within a few thousandths of a
// radian of the tangents: "Cut off" puts its inner corner C0 the cut width
// outside both tangent lines.
TEST_F(Generators, CornerBetweenCurvesIsReadAlongItsTangents) {
  Start(testing::CurvedCornerPiece(), kWidth);
  const auto before = ResultSegments();
  ASSERT_TRUE(ApplyCutOff(Doc(), state_, 2, 4.0f));
  const double cut = 4.0 * kPointsPerMillimetre;
  const Vec2 p = testing::kCurvedCorner;
  const Vec2 c0 = testing::Meet(testing::LeftOf(p - testing::kCurvedArrival, p, cut), testing::kCurvedArrival,
                                testing::LeftOf(p, p + testing::kCurvedDeparture, cut), testing::kCurvedDeparture);
  EXPECT_LT(testing::NearestAnchor(ResultSegments(), c0), 0.2);
  ExpectChangedOnlyNear(before, p, 3.0 * kW, testing::kRefitSlack);
}

}  // namespace
}  // namespace quorvane::generation
