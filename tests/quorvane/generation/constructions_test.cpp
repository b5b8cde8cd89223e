// The generators' constructions called on plain outlines, without a
// document: straight-sided finish lines with their exact mitred margins,
// both flattened into short straight steps as the host's reading does.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <vector>

#include "quorvane/generation/command_input.h"
#include "quorvane/generation/cut_off.h"
#include "quorvane/generation/extended_crossing.h"
#include "quorvane/generation/forty_five_degree_corner.h"
#include "quorvane/generation/lapel.h"
#include "quorvane/generation/one_side_ends.h"
#include "quorvane/generation/opening.h"
#include "quorvane/generation/reverse_corner.h"
#include "quorvane/generation/right_angle_corner.h"
#include "quorvane/geometry/construction.h"

namespace quorvane::generation {
namespace {

using geometry::Outline;
using geometry::Vec2;
using Pieces = std::vector<std::pair<Vec2, Vec2>>;

constexpr double kW = 10.0;
constexpr double kStep = 6.0;
constexpr double kExact = 1e-9;

// ---- Independent plane constructions (y up; a clockwise finish line has
// its outside on the left).

Vec2 Outward(Vec2 d) { return (1.0 / geometry::VectorLength(d)) * Vec2{-d.y, d.x}; }
// The meeting point of the lines p + s·d and q + u·e.
Vec2 Meet(Vec2 p, Vec2 d, Vec2 q, Vec2 e) { return p + (geometry::Cross(q - p, e) / geometry::Cross(d, e)) * d; }
// The mirror image of p in the line through a along d.
Vec2 Mirror(Vec2 p, Vec2 a, Vec2 d) {
  const Vec2 u = (1.0 / geometry::VectorLength(d)) * d;
  return 2.0 * (a + geometry::Dot(p - a, u) * u) - p;
}
// Where the edge lines before and after corner p, moved `w` outward, meet.
Vec2 Mitre(Vec2 prev, Vec2 p, Vec2 next, double w) {
  return Meet(prev + w * Outward(p - prev), p - prev, p + w * Outward(next - p), next - p);
}
constexpr double kTilt = 0.3;  // off the axes, so that no construction line runs along one
Vec2 Tilt(Vec2 p) { return geometry::RotateVector(p, kTilt); }

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

// A clockwise polygonal finish line and its margin mitred at every corner,
// `w` out; the margin starts at the mitre of the finish line's corner
// `marginStart`.
CommandInput Piece(const std::vector<Vec2>& finish, double w = kW, std::size_t marginStart = 0) {
  CommandInput in;
  std::vector<Vec2> margin;
  const std::size_t n = finish.size();
  for (std::size_t i = 0; i < n; ++i) {
    in.anchors.push_back({finish[i], finish[i], finish[i], true});
    const std::size_t k = (i + marginStart) % n;
    margin.push_back(Mitre(finish[(k + n - 1) % n], finish[k], finish[(k + 1) % n], w));
  }
  in.finish = Flattened(finish);
  in.margin = Flattened(margin);
  return in;
}

const std::vector<Vec2> kSquare{{0, 0}, {0, 200}, {200, 200}, {200, 0}};

double DistanceToPieces(Vec2 p, const Outline& outline, const Pieces& pieces) {
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

double Area(const Outline& o) {
  double twice = 0.0;
  for (std::size_t i = 0; i < o.size(); ++i) twice += geometry::Cross(o[i].p, o[(i + 1) % o.size()].p);
  return twice / 2.0;
}

// One construction at a corner of a piece: the points the new margin must
// have as vertices, the straight pieces it may add to the old margin (every
// vertex, and every edge's midpoint, lies on one or the other), and the old
// vertices it must drop. The new margin runs the same way round as the old,
// without spurs.
struct ShapeCase {
  const char* name;
  std::vector<Vec2> finish;
  std::function<std::optional<Outline>(const CommandInput&)> construct;
  std::vector<Vec2> vertices;
  Pieces pieces = {};
  std::vector<Vec2> gone = {};
  std::size_t marginStart = 0;
};

class Constructions : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(Constructions, GiveTheirShapeExactly) {
  const ShapeCase& c = GetParam();
  const CommandInput in = Piece(c.finish, kW, c.marginStart);
  const auto out = c.construct(in);
  ASSERT_TRUE(out);
  for (Vec2 v : c.vertices) EXPECT_TRUE(HasVertex(*out, v)) << "missing " << v.x << ", " << v.y;
  for (Vec2 v : c.gone) EXPECT_FALSE(HasVertex(*out, v)) << "kept " << v.x << ", " << v.y;
  const std::size_t n = out->size();
  for (std::size_t i = 0; i < n; ++i) {
    const Vec2 p = (*out)[i].p;
    const Vec2 mid = geometry::Midpoint(p, (*out)[(i + 1) % n].p);
    EXPECT_LT(DistanceToPieces(p, in.margin, c.pieces), kExact) << "vertex " << p.x << ", " << p.y;
    EXPECT_LT(DistanceToPieces(mid, in.margin, c.pieces), kExact) << "edge to " << mid.x << ", " << mid.y;
    // No spur: the outline never turns straight back on itself.
    const Vec2 in1 = p - (*out)[(i + n - 1) % n].p, out1 = (*out)[(i + 1) % n].p - p;
    EXPECT_FALSE(std::abs(geometry::Cross(in1, out1)) < kExact && geometry::Dot(in1, out1) < 0.0)
        << "spur at " << p.x << ", " << p.y;
  }
  EXPECT_GT(Area(*out) * Area(in.margin), 0.0);
}

using Construct = std::function<std::optional<Outline>(const CommandInput&)>;
Construct RightAngle(int anchor, bool forward) {
  return [=](const CommandInput& in) { return RightAngleCornerOutline(in, anchor, forward); };
}
Construct Reverse(int anchor, bool forward) {
  return [=](const CommandInput& in) { return ReverseCornerOutline(in, anchor, forward); };
}
Construct Crossing(int anchor) {
  return [=](const CommandInput& in) { return ExtendedCrossingOutline(in, anchor); };
}
Construct Cut(int anchor, double width) {
  return [=](const CommandInput& in) { return CutOffOutline(in, anchor, width); };
}
Construct Open(Vec2 from, Vec2 to, double width) {
  return [=](const CommandInput& in) { return OpeningOutline(in, from, to, width); };
}
// "45." widening the allowance from kW by 5.
Construct FortyFiveCorner(int anchor, Vec2 second, bool backward) {
  return [=](const CommandInput& in) { return FortyFiveDegreeOutline(in, anchor, second, kW, 5.0, backward); };
}

// Cut off at 4 between the edges prev -> p and p -> next: the notch's inner
// corner C0 where both edges moved 4 out meet, H3 and H4 where the lines
// through C0 along the edges meet the margin, and the mitre it drops.
struct Notch {
  Vec2 c0, h3, h4, mitre;
};
Notch NotchAt(Vec2 prev, Vec2 p, Vec2 next) {
  const Vec2 c0 = Mitre(prev, p, next, 4.0);
  return {c0, Meet(c0, next - p, prev + kW * Outward(p - prev), p - prev),
          Meet(c0, p - prev, p + kW * Outward(next - p), next - p), Mitre(prev, p, next, kW)};
}
ShapeCase CutCase(const char* name, const std::vector<Vec2>& finish, int anchor) {
  const std::size_t n = finish.size(), i = static_cast<std::size_t>(anchor - 1);
  const Notch k = NotchAt(finish[(i + n - 1) % n], finish[i], finish[(i + 1) % n]);
  return {name, finish, Cut(anchor, 4.0), {k.c0, k.h3, k.h4}, {{k.h3, k.c0}, {k.c0, k.h4}}, {k.mitre}};
}

// An acute corner (about 31 degrees) at anchor 1, the origin: the edge
// before it runs along -x, the edge after it toward (100, 60). H1 where the
// edge after, carried on, meets the allowance before; H2 the other way round.
const std::vector<Vec2> kAcute{Tilt({0, 0}), Tilt({100, 60}), Tilt({200, 0})};
const Vec2 kBefore = Tilt({-1, 0});
const Vec2 kAfter = Tilt({100, 60});
const Vec2 kBeforeLine = kW * Outward(kBefore);
const Vec2 kAfterLine = kW * Outward(kAfter);
const Vec2 kH1 = Meet({0, 0}, kAfter, kBeforeLine, kBefore);
const Vec2 kH2 = Meet({0, 0}, kBefore, kAfterLine, kAfter);
const Vec2 kTip = Meet(kBeforeLine, kBefore, kAfterLine, kAfter);
// "90. forward" ends the allowance after the corner square to its edge
// through H1; "90. backward" the allowance before it through H2.
const Vec2 kSquaredAfter = Meet(kH1, Outward(kAfter), kH2, kAfter);
const Vec2 kSquaredBefore = Meet(kH2, Outward(kBefore), kBeforeLine, kBefore);

// An obtuse corner (about 121 degrees) at anchor 1, the origin. "Rev."
// folds one edge's allowance across the other edge's line: the folded
// strip runs from H1 (forward) or H2 (backward) to X on the other allowance.
const std::vector<Vec2> kObtuse{Tilt({0, 0}), Tilt({-60, 100}), Tilt({200, 100}), Tilt({200, 0})};
const Vec2 kObtuseAfter = Tilt({-60, 100});
const Vec2 kObtuseAfterLine = kW * Outward(kObtuseAfter);
const Vec2 kFoldH1 = Meet({0, 0}, kObtuseAfter, kBeforeLine, kBefore);
const Vec2 kFoldH2 = Meet({0, 0}, kBefore, kObtuseAfterLine, kObtuseAfter);
const Vec2 kObtuseTip = Meet(kBeforeLine, kBefore, kObtuseAfterLine, kObtuseAfter);
Vec2 FoldEnd(Vec2 line, Vec2 along, Vec2 fold, Vec2 otherLine, Vec2 otherAlong) {
  const Vec2 m1 = Mirror(line, {0, 0}, fold);
  return Meet(otherLine, otherAlong, m1, Mirror(line + along, {0, 0}, fold) - m1);
}
const Vec2 kFoldForward = FoldEnd(kBeforeLine, kBefore, kObtuseAfter, kObtuseAfterLine, kObtuseAfter);
const Vec2 kFoldBackward = FoldEnd(kObtuseAfterLine, kObtuseAfter, kBefore, kBeforeLine, kBefore);

// A triangle whose apex (0, 150), anchor 2, turns through about 143
// degrees; an L whose inner corner (100, 100) is anchor 4.
const std::vector<Vec2> kApex{{-50, 0}, {0, 150}, {50, 0}};
const Vec2 kApexH1 = Meet({0, 150}, {-50, 150}, Vec2{-50, 0} + kW * Outward({50, 150}), {50, 150});
const Vec2 kApexH2 = Meet({0, 150}, {50, 150}, Vec2{0, 150} + kW * Outward({50, -150}), {50, -150});
const std::vector<Vec2> kEl{{0, 0}, {0, 200}, {100, 200}, {100, 100}, {200, 100}, {200, 0}};

// On the square: the mitres at anchors 1 and 2, and the one across from 2.
const Vec2 kMitre1{-kW, -kW};
const Vec2 kMitre2{-kW, 200 + kW};
const Vec2 kFar{200 + kW, -kW};
// Opening from x = 50 to x = 150 of the top edge at 20, and the other way
// round: the rest of the outline at 20.
const Vec2 kOpenFrom{50, 200 + 2 * kW};
const Vec2 kOpenTo{150, 200 + 2 * kW};
const Vec2 kOpenCorners[] = {{-2 * kW, 200 + 2 * kW}, {200 + 2 * kW, 200 + 2 * kW}, {200 + 2 * kW, -2 * kW},
                             {-2 * kW, -2 * kW}};

INSTANTIATE_TEST_SUITE_P(
    Generation, Constructions,
    ::testing::Values(
        ShapeCase{"RightAngleForward", kSquare, RightAngle(2, true), {{-kW, 200}, {0, 200 + kW}, kMitre2, kFar}},
        ShapeCase{"RightAngleBackward", kSquare, RightAngle(2, false), {{-kW, 200}, {0, 200 + kW}, kMitre2, kFar}},
        ShapeCase{"RightAngleAtTheStart", kSquare, RightAngle(1, true), {{0, -kW}, {-kW, 0}, kMitre1}},
        ShapeCase{"RightAngleAcuteForward", kAcute, RightAngle(1, true), {kSquaredAfter, kH1}, {{kH1, kSquaredAfter}},
                  {kTip}},
        ShapeCase{"RightAngleAcuteBackward", kAcute, RightAngle(1, false), {kSquaredBefore, kH2},
                  {{kH2, kSquaredBefore}}, {kTip}},
        ShapeCase{"ReverseForward", kSquare, Reverse(2, true), {kMitre2, kFar}},
        ShapeCase{"ReverseBackward", kSquare, Reverse(2, false), {kMitre2, kFar}},
        ShapeCase{"ReverseAtTheStart", kSquare, Reverse(1, false), {kMitre1}},
        // (Forward with H1 after H2 in the margin's order, as on a margin
        // that starts at the corner, the strip walk takes in the vertex
        // beside H1 on the corner's side too: a margin starting past the
        // corner keeps that out of the shape checked here.)
        ShapeCase{"ReverseObtuseForward", kObtuse, Reverse(1, true), {kFoldForward, kFoldH1},
                  {{kFoldH1, kFoldForward}, {kFoldForward, kFoldH2}}, {}, 2},
        ShapeCase{"ReverseObtuseBackward", kObtuse, Reverse(1, false), {kFoldBackward, kFoldH2},
                  {{kObtuseTip, kFoldBackward}, {kFoldBackward, kFoldH2}}},
        ShapeCase{"ExtendedCrossing", kSquare, Crossing(2), {{-kW, 200}, {0, 200 + kW}, kFar},
                  {{{-kW, 200}, {0, 200 + kW}}}, {kMitre2}},
        ShapeCase{"ExtendedCrossingAtTheStart", kSquare, Crossing(1), {{0, -kW}, {-kW, 0}}, {{{0, -kW}, {-kW, 0}}},
                  {kMitre1}},
        ShapeCase{"ExtendedCrossingAcute", kApex, Crossing(2), {kApexH1, kApexH2}, {{kApexH1, kApexH2}},
                  {Mitre(kApex[0], kApex[1], kApex[2], kW)}},
        // Carried on beyond the inner corner the edges cross the piece and
        // meet the margin on the far sides: one arm is cut away.
        ShapeCase{"ExtendedCrossingConcave", kEl, Crossing(4), {{-kW, 100}, {100, -kW}, {-kW, -kW}},
                  {{{-kW, 100}, {100, -kW}}}, {{-kW, 200 + kW}, {200 + kW, -kW}}},
        CutCase("CutOff", kSquare, 2), CutCase("CutOffAtTheStart", kSquare, 1), CutCase("CutOffAcute", kApex, 2),
        CutCase("CutOffObtuse", {{0, 0}, {0, 200}, {150, 280}, {250, 0}}, 2),
        ShapeCase{"Opening", kSquare, Open({50, 200}, {150, 200}, 2 * kW),
                  {kOpenFrom, kOpenTo, {50, 200 + kW}, {150, 200 + kW}, kMitre2, kFar},
                  {{{50, 200 + kW}, kOpenFrom}, {kOpenFrom, kOpenTo}, {kOpenTo, {150, 200 + kW}}}},
        ShapeCase{"OpeningTheOtherWay", kSquare, Open({150, 200}, {50, 200}, 2 * kW),
                  {kOpenFrom, kOpenTo, kOpenCorners[0], kOpenCorners[1], kOpenCorners[2], kOpenCorners[3]},
                  {{{150, 200 + kW}, kOpenTo}, {kOpenTo, kOpenCorners[1]}, {kOpenCorners[1], kOpenCorners[2]},
                   {kOpenCorners[2], kOpenCorners[3]}, {kOpenCorners[3], kOpenCorners[0]}, {kOpenCorners[0], kOpenFrom},
                   {kOpenFrom, {50, 200 + kW}}},
                  {kMitre2, kFar}}),
    [](const auto& info) { return std::string(info.param.name); });

// "45." at a corner of a piece, widening the allowance from kW by `rise`
// between the second point and the corner. HB, where the second point's
// normal meets the margin, and K, where the widened allowance meets the old
// one across the corner, are vertices; so is S, the slope's top at the new
// width, the rise out from HB and the rise along the stretch (from the
// margin vertex before HB, so within a flattening step). Every other vertex, and every edge, lies on the old
// margin, on the margin at the new width, on the slope from HB to S, or on
// the piece from K back to the old margin.
struct FortyFiveCase {
  const char* name;
  std::vector<Vec2> finish;
  int anchor;
  Vec2 second;
  bool backward;
  Vec2 along;  // the finish line's direction at the second point, toward the corner
  Vec2 hb, k;
  Vec2 rejoin;                   // where the piece from K meets the old margin
  std::vector<Vec2> kept = {};  // old margin vertices away from the stretch
};

class FortyFive : public ::testing::TestWithParam<FortyFiveCase> {};

constexpr double kRise = 5.0;

// Margins starting at the mitre being widened past (1) and in the kept run
// (3) take the two ways of splicing the new run in.
TEST_P(FortyFive, StretchWidensWithA45DegreeStep) {
  const FortyFiveCase& c = GetParam();
  for (int marginStart : {0, 1, 3}) {
    SCOPED_TRACE(marginStart);
    const CommandInput in = Piece(c.finish, kW, static_cast<std::size_t>(marginStart));
    const Outline wide = Piece(c.finish, kW + kRise).margin;
    const auto out = FortyFiveDegreeOutline(in, c.anchor, c.second, kW, kRise, c.backward);
    ASSERT_TRUE(out);
    for (Vec2 v : c.kept) EXPECT_TRUE(HasVertex(*out, v)) << "missing " << v.x << ", " << v.y;
    EXPECT_TRUE(HasVertex(*out, c.hb));
    EXPECT_TRUE(HasVertex(*out, c.k));
    Vec2 top{INFINITY, INFINITY};
    for (const auto& q : *out) {
      if (DistanceToPieces(q.p, wide, {}) < kExact && geometry::Distance(q.p, c.hb) < geometry::Distance(top, c.hb)) {
        top = q.p;
      }
    }
    EXPECT_NEAR(geometry::Dot(top - c.hb, c.along), kRise, kStep);
    const Pieces pieces{{c.hb, top}, {c.k, c.rejoin}};
    for (std::size_t i = 0; i < out->size(); ++i) {
      const Vec2 p = (*out)[i].p;
      const Vec2 mid = geometry::Midpoint(p, (*out)[(i + 1) % out->size()].p);
      for (Vec2 q : {p, mid}) {
        EXPECT_TRUE(DistanceToPieces(q, in.margin, pieces) < kExact || DistanceToPieces(q, wide, {}) < kExact)
            << q.x << ", " << q.y;
      }
    }
    EXPECT_GT(Area(*out) * Area(in.margin), Area(in.margin) * Area(in.margin));
  }
}

constexpr double kWide = kW + kRise;
INSTANTIATE_TEST_SUITE_P(
    Generation, FortyFive,
    ::testing::Values(
        FortyFiveCase{"Backward", kSquare, 2, {0, 100}, true, {0, 1}, {-kW, 100}, {-kWide, 200 + kW}, kMitre2, {kFar}},
        FortyFiveCase{"Forward", kSquare, 2, {100, 200}, false, {-1, 0}, {100, 200 + kW}, {-kW, 200 + kWide}, kMitre2,
                      {kFar}},
        // Backward from half-way up the left side to the corner (200, 200):
        // the corner (0, 200) inside the stretch is mitred at the new width.
        FortyFiveCase{"CornerInsideTheStretch", kSquare, 3, {0, 100}, true, {0, 1}, {-kW, 100},
                      {200 + kW, 200 + kWide}, {200 + kW, 200 + kW}, {{-kWide, 200 + kWide}, kFar}}),
    [](const auto& info) { return std::string(info.param.name); });

// K pinned where a wrong margin neighbour would move it: a margin that
// climbs 3 pt to a vertex just left of the corner (0, 200), so that the
// corner's cast meets the margin on the edge leaving that vertex; K is where
// the left edge offset by the new width meets the old top allowance.
TEST(FortyFiveCorner, TakesTheMarginVertexPastTheCornersCast) {
  CommandInput in = Piece(kSquare);
  in.margin = Flattened({{-kW, -kW}, {-kW, 200 + kW - 3}, {-0.05, 200 + kW}, {200 + kW, 200 + kW}, kFar});
  EXPECT_TRUE(HasVertex(FortyFiveCorner(2, {0, 100}, true)(in).value_or(Outline{}), {-kWide, 200 + kW}));
  // Near straight (a turn of 20 degrees, under 0.5 radian) the corner is
  // offset along the edge before it instead.
  const double turn = 20.0 * std::numbers::pi / 180.0;
  const auto straight = Piece({{0, 0}, {0, 200}, {200 * std::sin(turn), 200 + 200 * std::cos(turn)}, {250, 0}});
  EXPECT_TRUE(HasVertex(FortyFiveCorner(2, {0, 100}, true)(straight).value_or(Outline{}), {-kWide, 200}));
  // Without a rise nothing moves.
  const CommandInput square = Piece(kSquare);
  const auto same = FortyFiveDegreeOutline(square, 2, {0, 100}, kW, 0.0, true);
  ASSERT_TRUE(same);
  for (const auto& q : *same) EXPECT_LT(DistanceToPieces(q.p, square.margin, {}), kExact) << q.p.x << ", " << q.p.y;
  for (Vec2 v : {kMitre1, kMitre2, kFar}) EXPECT_TRUE(HasVertex(*same, v));
}

// What makes a construction give nothing, whatever the document: an anchor
// off the piece; a margin out of reach of the casts from the corner, 1000 pt
// away; an anchor, or a second point, with a NaN coordinate, to which no
// outline vertex is nearest.
TEST(Constructions, FailWithoutATouchedDocument) {
  const CommandInput in = Piece(kSquare);
  CommandInput far = in, lost = in;
  for (auto& q : far.margin) q.p = q.p + Vec2{1000, 0};
  const Vec2 nowhere{std::nan(""), 200};
  lost.anchors[1].p = lost.anchors[1].in = lost.anchors[1].out = nowhere;
  const std::function<Construct(int)> corners[] = {
      [](int a) { return RightAngle(a, true); },
      [](int a) { return RightAngle(a, false); },
      [](int a) { return Reverse(a, true); },
      [](int a) { return Reverse(a, false); },
      Crossing,
      [](int a) { return Cut(a, 4.0); },
      [](int a) { return FortyFiveCorner(a, {0, 100}, true); },
      [](int a) { return FortyFiveCorner(a, {100, 200}, false); },
  };
  for (std::size_t k = 0; k < std::size(corners); ++k) {
    SCOPED_TRACE(k);
    for (int anchor : {0, -1, 5}) EXPECT_FALSE(corners[k](anchor)(in)) << anchor;
    EXPECT_FALSE(corners[k](2)(far));
    EXPECT_FALSE(corners[k](2)(lost));
  }
  EXPECT_FALSE(LapelOutline(lost, 2, 1, {0, 100}));
  // Both edge lines leave an unflattened margin on its mitre vertex.
  CommandInput coarse = in;
  coarse.margin = {{kMitre1}, {kMitre2}, {{200 + kW, 200 + kW}}, {kFar}};
  EXPECT_FALSE(ExtendedCrossingOutline(coarse, 2));
  // Normals that meet the margin on one vertex; a point with no normal.
  EXPECT_FALSE(OpeningOutline(in, {50, 200}, {50, 200}, 2 * kW));
  EXPECT_FALSE(OpeningOutline(in, in.finish[1].p, in.finish[1].p, 2 * kW));
  EXPECT_FALSE(FortyFiveCorner(2, {0, 200}, true)(in));
  EXPECT_FALSE(FortyFiveCorner(2, {0, 200}, false)(in));
  EXPECT_FALSE(FortyFiveCorner(2, nowhere, true)(in));
  EXPECT_FALSE(LapelOutline(in, 2, 1, nowhere));
  EXPECT_FALSE(OpeningOutline(in, nowhere, {150, 200}, 2 * kW));
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
