// The generators' constructions called on plain outlines, without a
// document: a square finish line with its exact mitred margin, both
// flattened into short straight steps as the host's reading does.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "quorvane/generation/command_input.h"
#include "quorvane/generation/cut_off.h"
#include "quorvane/generation/extended_crossing.h"
#include "quorvane/generation/one_side_ends.h"
#include "quorvane/generation/opening.h"
#include "quorvane/generation/reverse_corner.h"
#include "quorvane/generation/right_angle_corner.h"
#include "quorvane/geometry/construction.h"

namespace quorvane::generation {
namespace {

using geometry::Outline;
using geometry::Vec2;

constexpr double kW = 10.0;
constexpr double kStep = 6.0;
constexpr double kExact = 1e-9;

// The closed polygon through `corners`, each edge cut into equal steps no
// longer than kStep.
Outline Flattened(const std::vector<Vec2>& corners) {
  Outline out;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const Vec2 a = corners[i];
    const Vec2 b = corners[(i + 1) % corners.size()];
    const int steps = static_cast<int>(std::ceil(geometry::Distance(a, b) / kStep));
    for (int k = 0; k < steps; ++k) out.push_back({a + (static_cast<double>(k) / steps) * (b - a), k == 0});
  }
  return out;
}

// The square (0, 0)-(200, 200), clockwise with y up, and its margin kW out.
CommandInput Square() {
  const std::vector<Vec2> finish{{0, 0}, {0, 200}, {200, 200}, {200, 0}};
  CommandInput in;
  for (Vec2 p : finish) in.anchors.push_back({p, p, p, true});
  in.finish = Flattened(finish);
  in.margin = Flattened({{-kW, -kW}, {-kW, 200 + kW}, {200 + kW, 200 + kW}, {200 + kW, -kW}});
  return in;
}

double DistanceToPieces(Vec2 p, const Outline& outline, const std::vector<std::pair<Vec2, Vec2>>& pieces) {
  double best = INFINITY;
  for (std::size_t i = 0; i < outline.size(); ++i) {
    best = std::min(best, geometry::DistanceToSegment(p, outline[i].p, outline[(i + 1) % outline.size()].p));
  }
  for (const auto& [a, b] : pieces) best = std::min(best, geometry::DistanceToSegment(p, a, b));
  return best;
}

bool HasVertex(const Outline& outline, Vec2 p) {
  for (const auto& q : outline) {
    if (geometry::Distance(q.p, p) < kExact) return true;
  }
  return false;
}

// One construction at a corner of the square: (0, 200), anchor 2, or
// (0, 0), anchor 1, where the margin's vertex 0 (the mitre) lies in the
// replaced run. The points the new margin must have as vertices, the
// straight pieces it may add to the old margin, and whether the corner's
// mitre stays a vertex.
struct ShapeCase {
  const char* name;
  std::function<std::optional<Outline>(const CommandInput&)> construct;
  std::vector<Vec2> vertices;
  std::vector<std::pair<Vec2, Vec2>> pieces;
  bool keepsMitre;
  Vec2 mitre{-kW, 200 + kW};
  bool keepsFarCorner = true;
};

class SquareConstructions : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(SquareConstructions, GiveTheirShapeExactly) {
  const ShapeCase& c = GetParam();
  const CommandInput in = Square();
  const auto out = c.construct(in);
  ASSERT_TRUE(out);
  for (Vec2 v : c.vertices) EXPECT_TRUE(HasVertex(*out, v)) << v.x << ", " << v.y;
  EXPECT_EQ(HasVertex(*out, c.mitre), c.keepsMitre);
  for (const auto& q : *out) EXPECT_LT(DistanceToPieces(q.p, in.margin, c.pieces), kExact) << q.p.x << ", " << q.p.y;
  // The margin away from the corner is kept.
  EXPECT_EQ(HasVertex(*out, {200 + kW, -kW}), c.keepsFarCorner);
}

// Cut off at 4: the notch's inner corner C0 and its sides out to the margin.
const Vec2 kC0{-4, 204};
const Vec2 kH3{-kW, 204};
const Vec2 kH4{-4, 200 + kW};
// The same at the first corner.
const Vec2 kStartMitre{-kW, -kW};
const Vec2 kC0AtStart{-4, -4};
const Vec2 kH3AtStart{-4, -kW};
const Vec2 kH4AtStart{-kW, -4};
// Opening from x = 50 to x = 150 of the top edge at 20, and the other way
// round: the rest of the outline at 20.
const Vec2 kOpenFrom{50, 200 + 2 * kW};
const Vec2 kOpenTo{150, 200 + 2 * kW};
const Vec2 kOpenCorners[] = {{-2 * kW, 200 + 2 * kW}, {200 + 2 * kW, 200 + 2 * kW}, {200 + 2 * kW, -2 * kW},
                             {-2 * kW, -2 * kW}};

INSTANTIATE_TEST_SUITE_P(
    Generation, SquareConstructions,
    ::testing::Values(
        ShapeCase{"RightAngleForward", [](const auto& in) { return RightAngleCornerOutline(in, 2, true); },
                  {{-kW, 200}, {0, 200 + kW}}, {}, true},
        ShapeCase{"RightAngleBackward", [](const auto& in) { return RightAngleCornerOutline(in, 2, false); },
                  {{-kW, 200}, {0, 200 + kW}}, {}, true},
        ShapeCase{"ReverseForward", [](const auto& in) { return ReverseCornerOutline(in, 2, true); }, {}, {}, true},
        ShapeCase{"ReverseBackward", [](const auto& in) { return ReverseCornerOutline(in, 2, false); }, {}, {}, true},
        ShapeCase{"ExtendedCrossing", [](const auto& in) { return ExtendedCrossingOutline(in, 2); },
                  {{-kW, 200}, {0, 200 + kW}}, {{{-kW, 200}, {0, 200 + kW}}}, false},
        ShapeCase{"CutOff", [](const auto& in) { return CutOffOutline(in, 2, 4.0); }, {kC0, kH3, kH4},
                  {{kH3, kC0}, {kC0, kH4}}, false},
        ShapeCase{"Opening",
                  [](const auto& in) { return OpeningOutline(in, {50, 200}, {150, 200}, 2 * kW); },
                  {kOpenFrom, kOpenTo, {50, 200 + kW}, {150, 200 + kW}},
                  {{{50, 200 + kW}, kOpenFrom}, {kOpenFrom, kOpenTo}, {kOpenTo, {150, 200 + kW}}}, true},
        ShapeCase{"OpeningTheOtherWay",
                  [](const auto& in) { return OpeningOutline(in, {150, 200}, {50, 200}, 2 * kW); },
                  {kOpenFrom, kOpenTo, kOpenCorners[0], kOpenCorners[1], kOpenCorners[2], kOpenCorners[3]},
                  {{{150, 200 + kW}, kOpenTo}, {kOpenTo, kOpenCorners[1]}, {kOpenCorners[1], kOpenCorners[2]},
                   {kOpenCorners[2], kOpenCorners[3]}, {kOpenCorners[3], kOpenCorners[0]}, {kOpenCorners[0], kOpenFrom},
                   {kOpenFrom, {50, 200 + kW}}},
                  false, {-kW, 200 + kW}, false},
        ShapeCase{"RightAngleAtTheStart", [](const auto& in) { return RightAngleCornerOutline(in, 1, true); },
                  {{0, -kW}, {-kW, 0}}, {}, true, kStartMitre},
        ShapeCase{"ReverseAtTheStart", [](const auto& in) { return ReverseCornerOutline(in, 1, true); }, {}, {}, true,
                  kStartMitre},
        ShapeCase{"ExtendedCrossingAtTheStart", [](const auto& in) { return ExtendedCrossingOutline(in, 1); },
                  {{0, -kW}, {-kW, 0}}, {{{0, -kW}, {-kW, 0}}}, false, kStartMitre},
        ShapeCase{"CutOffAtTheStart", [](const auto& in) { return CutOffOutline(in, 1, 4.0); },
                  {kC0AtStart, kH3AtStart, kH4AtStart}, {{kH3AtStart, kC0AtStart}, {kC0AtStart, kH4AtStart}}, false,
                  kStartMitre}),
    [](const auto& info) { return std::string(info.param.name); });

// What makes a construction give nothing, whatever the document.
TEST(Constructions, FailWithoutATouchedDocument) {
  const CommandInput in = Square();
  for (int anchor : {0, -1, 5}) {
    SCOPED_TRACE(anchor);
    EXPECT_FALSE(RightAngleCornerOutline(in, anchor, true));
    EXPECT_FALSE(ReverseCornerOutline(in, anchor, false));
    EXPECT_FALSE(ExtendedCrossingOutline(in, anchor));
    EXPECT_FALSE(CutOffOutline(in, anchor, 4.0));
  }
  // Both edge lines leave an unflattened margin on its mitre vertex.
  CommandInput coarse = in;
  coarse.margin = {{{-kW, -kW}}, {{-kW, 200 + kW}}, {{200 + kW, 200 + kW}}, {{200 + kW, -kW}}};
  EXPECT_FALSE(ExtendedCrossingOutline(coarse, 2));
  // Normals that meet the margin on one vertex; a point with no normal.
  EXPECT_FALSE(OpeningOutline(in, {50, 200}, {50, 200}, 2 * kW));
  EXPECT_FALSE(OpeningOutline(in, in.finish[1].p, in.finish[1].p, 2 * kW));
}

// The follow-up of "Extended one-side" on a block with a slit cut into it.
// The first cast runs from H = (50, 100) along v = (1, 1)/√2 inside the
// slit, which reaches from 0.25 pt to the right of its line to 0.95 pt to
// its left (u = (−1, 1)/√2); the casts shifted 0.1 pt at a time to the left
// meet the block first, at 1.0 pt, before any cast to the right could. The
// casts are 110 pt long: the slit's end is out of reach.
TEST(StraightenOneSideEnd, CastsShiftLeftFirstInTenthsOfAPoint) {
  constexpr double kRoot2 = 1.4142135623730951;
  const auto at = [](double t, double o) { return Vec2{50.0 + (t - o) / kRoot2, 100.0 + (t + o) / kRoot2}; };
  Outline block;
  for (auto [t, o] : {std::pair{60.0, -50.0}, {150.0, -50.0}, {150.0, 50.0}, {60.0, 50.0}, {60.0, 0.95},
                      {140.0, 0.95}, {140.0, -0.25}, {60.0, -0.25}}) {
    block.push_back({at(t, o)});
  }
  // The second cast runs back along the finish line's direction, along v.
  const auto end = StraightenOneSideEnd(block, at(-10, 0), at(0, 0), at(-1, 0) - at(0, 0), -1.0, 10.0f);
  ASSERT_EQ(end.crossingCount, 2);
  EXPECT_LT(geometry::Distance(end.crossings[0], at(60, 1)), kExact);
  // From there through the block to its far face.
  EXPECT_LT(geometry::Distance(end.crossings[1], at(150, 1)), kExact);
  ASSERT_TRUE(end.margin);
  EXPECT_EQ(end.margin->size(), block.size());
  // Casts away from the block: thirty misses, nothing found.
  const auto missed = StraightenOneSideEnd(block, at(10, 0), at(0, 0), {1, 0}, -1.0, 10.0f);
  EXPECT_EQ(missed.crossingCount, 0);
  EXPECT_FALSE(missed.margin);
}

}  // namespace
}  // namespace quorvane::generation
