// Extended crossing on squares, acute and concave corners, a margin whose
// start lies in the trimmed run, and a real pattern piece.
#include "quorvane/generation/command_steps.h"

#include <gtest/gtest.h>

#include <cmath>

#include "generation_test_support.h"

namespace quorvane::generation {
namespace {

using geometry::Dot;
using geometry::Vec2;
using testing::Anchors;
using testing::NearestAnchor;
using testing::Polygon;

constexpr double kW = 10.0 * kPointsPerMillimetre;
// The host's offset and pathfinder snap to a grid of 1e-4 pt; the flattened
// edges are straight, so crossings land within this of the exact points.
constexpr double kPointSlack = 0.01;

class ExtendedCrossingTest : public testing::PieceFixture {};

TEST_F(ExtendedCrossingTest, AcuteCornerCrossingsLieOnTheEdgeLines) {
  // A triangle, clockwise; its apex (0, 150) turns through about 143 degrees.
  const Vec2 a{-50.0, 0.0}, apex{0.0, 150.0}, c{50.0, 0.0};
  Start(Polygon({a, apex, c}), 10.0f);
  const auto before = ResultSegments();
  ASSERT_TRUE(ApplyExtendedCrossing(Doc(), state_, 2));
  const auto after = Anchors(ResultSegments());
  // Each extended edge meets the other edge's offset line.
  auto offsetPoint = [](Vec2 from, Vec2 to) {
    const Vec2 d = to - from;
    return from + (kW / geometry::VectorLength(d)) * Vec2{-d.y, d.x};
  };
  const Vec2 h1 = testing::Meet(apex, apex - c, offsetPoint(a, apex), apex - a);
  const Vec2 h2 = testing::Meet(apex, apex - a, offsetPoint(apex, c), c - apex);
  EXPECT_LT(NearestAnchor(after, h1), kPointSlack);
  EXPECT_LT(NearestAnchor(after, h2), kPointSlack);
  ExpectOldMarginOrPieces(before, {{h1, h2}});
  const Vec2 tip = testing::Meet(offsetPoint(a, apex), apex - a, offsetPoint(apex, c), c - apex);
  ExpectChangedOnlyNear(before, apex, geometry::Distance(apex, tip) + 1.0);
}

TEST_F(ExtendedCrossingTest, ConcaveCornerJoinsTheFarCrossings) {
  // An L, clockwise; (100, 100) is its inner corner. Carried on beyond it
  // the edges cross the piece and meet the margin on the far sides.
  Start(Polygon({{0, 0}, {0, 200}, {100, 200}, {100, 100}, {200, 100}, {200, 0}}), 10.0f);
  ASSERT_TRUE(ApplyExtendedCrossing(Doc(), state_, 4));
  const auto after = Anchors(ResultSegments());
  ASSERT_EQ(after.size(), 3u);
  EXPECT_LT(NearestAnchor(after, {-kW, 100.0}), kPointSlack);
  EXPECT_LT(NearestAnchor(after, {100.0, -kW}), kPointSlack);
  EXPECT_LT(NearestAnchor(after, {-kW, -kW}), kPointSlack);
}

TEST_F(ExtendedCrossingTest, CornerBetweenCurvesIsCutAlongTheirTangents) {
  Start(testing::CurvedCornerPiece(), 10.0f);
  const auto before = ResultSegments();
  ASSERT_TRUE(ApplyExtendedCrossing(Doc(), state_, 2));
  // Two anchors of the new margin lie on the old margin and on the corner's
  // tangent lines carried on beyond it (the flattened edges next to the
  // corner run within a few thousandths of a radian of the tangents).
  const testing::DistanceToPath toOld(before);
  const Vec2 p = testing::kCurvedCorner;
  int onArrival = 0, onDeparture = 0;
  for (const Vec2& q : Anchors(ResultSegments())) {
    if (toOld(q) > 0.15) continue;
    const Vec2 d = q - p;
    onArrival += testing::DistanceToLine(q, p, testing::kCurvedArrival) < 0.2 && Dot(d, testing::kCurvedArrival) > 0;
    onDeparture +=
        testing::DistanceToLine(q, p, testing::kCurvedDeparture) < 0.2 && Dot(d, testing::kCurvedDeparture) < 0;
  }
  EXPECT_EQ(onArrival, 1);
  EXPECT_EQ(onDeparture, 1);
  ExpectChangedOnlyNear(before, p, 3.0 * kW, testing::kRefitSlack);
}

TEST_F(ExtendedCrossingTest, BothExtensionsOnOneMarginVertexFails) {
  // At 0.1 mm both crossings lie on the two margin edges next to the mitre
  // vertex (the margin is flattened in steps of about 0.5 pt).
  Start(testing::Square(0, 0, 200), 0.1f);
  const host::ArtRef art = state_.resultArt;
  const auto before = ResultSegments();
  EXPECT_FALSE(ApplyExtendedCrossing(Doc(), state_, 2));
  ExpectMarginUnchanged(before, art);
}

}  // namespace
}  // namespace quorvane::generation
