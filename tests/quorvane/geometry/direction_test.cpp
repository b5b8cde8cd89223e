#include "quorvane/geometry/direction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "quorvane/geometry/tolerances.h"

namespace quorvane::geometry {
namespace {

constexpr double kPi = std::numbers::pi;

Vec2 Unit(double angle) { return {std::cos(angle), std::sin(angle)}; }

struct ParallelCase {
  const char* name;
  double angleA;
  double angleB;
  bool parallel;
};

class IsParallelTable : public ::testing::TestWithParam<ParallelCase> {};

TEST_P(IsParallelTable, ComparesAngleDifference) {
  const ParallelCase& c = GetParam();
  EXPECT_EQ(IsParallel(Unit(c.angleA), Unit(c.angleB), kParallelAngleTolerance), c.parallel);
  EXPECT_EQ(IsParallel(Unit(c.angleB), Unit(c.angleA), kParallelAngleTolerance), c.parallel);
}

INSTANTIATE_TEST_SUITE_P(
    Kernel, IsParallelTable,
    ::testing::Values(ParallelCase{"Equal", 0.3, 0.3, true},
                      ParallelCase{"JustInsideTolerance", 0.0, 0.01 - 1e-9, true},
                      ParallelCase{"JustBeyondTolerance", 0.0, 0.01 + 1e-9, false},
                      ParallelCase{"Opposite", 0.4, 0.4 - kPi, true},
                      ParallelCase{"OppositeJustInside", 0.0, kPi - 0.01 + 1e-9, true},
                      ParallelCase{"OppositeJustBeyond", 0.0, kPi - 0.01 - 1e-9, false},
                      ParallelCase{"OppositeNegative", 0.5, 0.5 - kPi + 0.005, true},
                      // One just below π, one just above −π: the raw difference is near 2π.
                      ParallelCase{"AcrossTheCut", kPi - 0.003, -kPi + 0.003, true},
                      ParallelCase{"AcrossTheCutTooWide", kPi - 0.006, -kPi + 0.006, false},
                      ParallelCase{"Perpendicular", 0.0, kPi / 2.0, false}),
    [](const auto& info) { return info.param.name; });

struct TurnCase {
  const char* name;
  Vec2 a, b, c;
  bool left;
};

class TurnsLeftTable : public ::testing::TestWithParam<TurnCase> {};

TEST_P(TurnsLeftTable, SenseOfTurn) {
  const TurnCase& t = GetParam();
  EXPECT_EQ(TurnsLeft(t.a, t.b, t.c), t.left);
}

INSTANTIATE_TEST_SUITE_P(
    Kernel, TurnsLeftTable,
    ::testing::Values(TurnCase{"CounterClockwise", {0, 0}, {10, 0}, {10, 5}, true},
                      TurnCase{"Clockwise", {0, 0}, {10, 0}, {10, -5}, false},
                      TurnCase{"CollinearHorizontal", {0, 0}, {10, 0}, {20, 0}, true},
                      TurnCase{"CollinearDiagonal", {0, 0}, {1, 1}, {2, 2}, true},
                      TurnCase{"Reversal", {0, 0}, {10, 0}, {4, 0}, true},
                      TurnCase{"NearReversalLeft", {5, 5}, {0, 0}, {6, 4}, true},
                      TurnCase{"NearReversalRight", {5, 5}, {0, 0}, {4, 6}, false}),
    [](const auto& info) { return info.param.name; });

// A zero rotation gives v back exactly (−0 stays −0): callers rely on it.
TEST(RotateVector, ZeroAngleReturnsVectorBitForBit) {
  const Vec2 r = RotateVector({1e300, -0.0}, 0.0);
  EXPECT_EQ(r.x, 1e300);
  EXPECT_TRUE(std::signbit(r.y));
}

TEST(ReflectVector, MirrorsAboutAxisKeepingLength) {
  const Vec2 v{3.0, 4.0};
  const Vec2 axisX = ReflectVector(v, {2.0, 0.0});
  EXPECT_LT(Distance(axisX, {3.0, -4.0}), 1e-12);
  const Vec2 diagonal = ReflectVector(v, {-1.0, -1.0});  // the axis's sense does not matter
  EXPECT_LT(Distance(diagonal, {4.0, 3.0}), 1e-12);
  EXPECT_NEAR(VectorLength(ReflectVector(v, {0.3, -2.0})), 5.0, 1e-12);
}

}  // namespace
}  // namespace quorvane::geometry
