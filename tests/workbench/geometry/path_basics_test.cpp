// Flattening, bounds, reversal, transforms and hit tests of host paths.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>
#include <utility>
#include <vector>

#include "geometry_test_support.h"
#include "workbench/geometry/flatten.h"
#include "workbench/geometry/flatten_cache.h"
#include "workbench/geometry/hit_test.h"
#include "workbench/geometry/reverse_path.h"
#include "workbench/geometry/self_crossing.h"
#include "workbench/geometry/signed_area.h"

namespace workbench::geometry {
namespace {

using namespace testing;

// A closed piece with a straight side, an S curve and a corner anchor.
PathData Piece() {
  return {{PathSegment::Corner({0, 0}),
           {{0, 100}, {0, 100}, {30, 160}, true},
           {{100, 100}, {70, 40}, {100, 100}, false},
           PathSegment::Corner({100, 0})},
          true};
}

double ChordDeviation(const CubicBezier& c, double t0, double t1) {
  // Largest distance of the curve between t0 and t1 from its chord.
  const Point a = c.At(t0), b = c.At(t1);
  double worst = 0.0;
  for (int i = 1; i < 50; ++i) {
    const Point p = c.At(t0 + (t1 - t0) * i / 50.0);
    worst = std::max(worst, std::fabs(Cross(b - a, p - a)) / Distance(a, b));
  }
  return worst;
}

TEST(Flatten, RespectsFlatnessAndLengthLimitsOnEveryCurve) {
  const PathData piece = Piece();
  for (double flatness : {0.1, 0.01}) {
    for (double maxLength : {0.5, 3.0}) {
      const auto flat = FlattenPath(piece, flatness, maxLength);
      for (std::size_t i = 0; i < flat.size(); ++i) {
        const Point a = flat[i].point, b = flat[(i + 1) % flat.size()].point;
        EXPECT_LE(Distance(a, b), maxLength + 1e-9) << "vertex " << i;
      }
      // Map vertices back to their curve's parameters and check every chord.
      for (std::size_t curve = 0; curve < 4; ++curve) {
        const CubicBezier c = CurveAt(piece.segments, curve);
        std::vector<double> ts{0.0};
        for (double t : FlattenCurveParameters(c, flatness, maxLength)) ts.push_back(t);
        ts.push_back(1.0);
        for (std::size_t k = 0; k + 1 < ts.size(); ++k) {
          EXPECT_LE(ChordDeviation(c, ts[k], ts[k + 1]), flatness * 1.0001);
        }
      }
    }
  }
  // The straight side of 100 pt is cut at most 0.5 pt apart: 200 pieces.
  const PathData line{{PathSegment::Corner({0, 0}), PathSegment::Corner({0, 100})}, false};
  EXPECT_EQ(FlattenPath(line, 0.1, 0.5).size(), 201u);
  EXPECT_EQ(FlattenPath(line, 0.1, 0.0).size(), 2u);
}

// Straight curves with their handles anywhere between the ends, also on the
// anchors and crossed over, are cut into pieces of equal length, at exactly
// the parameters a plain 60-step bisection on the position along the chord
// finds: far from the origin too, where rounding is coarsest, and along a
// long side whose first cuts sit very near its start.
TEST(Flatten, StraightCurvesAreCutIntoEqualPiecesAtTheBisectionsParameters) {
  struct Side {
    Point origin;
    double scale;  // 1: 100 pt long; 200 pieces of 0.5 pt
  };
  for (const Side side : {Side{{10, 20}, 1.0}, Side{{4155.1275, 4937.917}, 1.0}, Side{{-812.5, 63.25}, 7.3}}) {
    const Point a = side.origin, b = side.origin + side.scale * Point{60, -80};
    const std::size_t pieces = static_cast<std::size_t>(std::ceil(side.scale * 200.0));
    for (const auto& [h1, h2] : std::vector<std::pair<double, double>>{
             {0.0, 1.0}, {1.0 / 3, 2.0 / 3}, {1.0, 0.0}, {0.0, 0.0}, {0.9, 0.95}, {0.2, 0.1}, {1.0, 1.0}}) {
      SCOPED_TRACE(::testing::Message() << "handles at " << h1 << " and " << h2 << ", from " << a.x);
      const CubicBezier c{a, a + h1 * (b - a), a + h2 * (b - a), b};
      const StraightProgress progress(c);
      for (double t : {0.0, 0.125, 0.5, 0.8, 1.0}) {
        EXPECT_NEAR(progress.At(t), Dot(c.At(t) - a, b - a) / Dot(b - a, b - a), 1e-12);
      }
      const std::vector<double> ts = FlattenCurveParameters(c, 0.1, 0.5);
      ASSERT_EQ(ts.size(), pieces - 1);
      Point prev = a;
      double lo = 0.0;
      for (std::size_t k = 0; k < ts.size(); ++k) {
        double hi = 1.0;
        for (int it = 0; it < 60; ++it) {
          const double mid = 0.5 * (lo + hi);
          (Dot(c.At(mid) - a, b - a) / Dot(b - a, b - a) < double(k + 1) / double(pieces) ? lo : hi) = mid;
        }
        lo = 0.5 * (lo + hi);
        ASSERT_EQ(ts[k], lo) << "cut " << k;
        EXPECT_NEAR(Distance(prev, c.At(ts[k])), 100.0 * side.scale / double(pieces), 1e-9);
        prev = c.At(ts[k]);
      }
      EXPECT_NEAR(Distance(prev, b), 100.0 * side.scale / double(pieces), 1e-9);
    }
  }
}

// The vertices of a path are its anchors, with their corner flags, and its
// curves' points at the parameters the flattener reports, bit for bit; a
// closed path does not repeat its start.
TEST(Flatten, PathVerticesAreTheAnchorsAndTheCurvesPointsAtTheirParameters) {
  const PathData piece = Piece();
  for (double maxLength : {0.0, 0.5, 7.0}) {
    const auto flat = FlattenPath(piece, 0.01, maxLength);
    std::size_t at = 0;
    for (std::size_t curve = 0; curve < 4; ++curve) {
      const CubicBezier c = CurveAt(piece.segments, curve);
      ASSERT_LT(at, flat.size());
      EXPECT_TRUE(flat[at].anchor);
      EXPECT_EQ(flat[at].index, curve);
      EXPECT_EQ(flat[at].point, piece.segments[curve].anchor);
      EXPECT_EQ(flat[at++].corner, piece.segments[curve].corner);
      for (double t : FlattenCurveParameters(c, 0.01, maxLength)) {
        ASSERT_LT(at, flat.size());
        EXPECT_FALSE(flat[at].anchor);
        EXPECT_EQ(flat[at].index, curve);
        EXPECT_EQ(flat[at++].point, c.At(t));
      }
    }
    EXPECT_EQ(at, flat.size());
  }
}

// The cache answers a repeated request with the very vertices FlattenPath
// gives, and any change of a handle, flag, closure or limit flattens anew.
TEST(Flatten, CacheAnswersOnlyTheSameRequest) {
  FlattenCache cache(2);
  const PathData piece = Piece();
  const auto fresh = FlattenPath(piece, 0.1, 0.5);
  EXPECT_EQ(cache.Flatten(piece, 0.1, 0.5), fresh);
  EXPECT_EQ(cache.Flatten(piece, 0.1, 0.5), fresh);
  EXPECT_EQ(cache.Hits(), 1u);

  PathData moved = piece, flagged = piece, open = piece;
  moved.segments[1].out.x += 1e-9;
  flagged.segments[2].corner = true;
  open.closed = false;
  for (const auto& [path, flatness, maxLength] : {std::tuple{moved, 0.1, 0.5}, std::tuple{flagged, 0.1, 0.5},
                                                  std::tuple{open, 0.1, 0.5}, std::tuple{piece, 0.1, 0.25},
                                                  std::tuple{piece, 0.05, 0.5}}) {
    EXPECT_EQ(cache.Flatten(path, flatness, maxLength), FlattenPath(path, flatness, maxLength));
  }
  EXPECT_EQ(cache.Hits(), 1u);
  // Only the two used last are kept.
  EXPECT_EQ(cache.Flatten(piece, 0.05, 0.5), FlattenPath(piece, 0.05, 0.5));
  EXPECT_EQ(cache.Flatten(piece, 0.1, 0.25), FlattenPath(piece, 0.1, 0.25));
  EXPECT_EQ(cache.Hits(), 3u);
  EXPECT_EQ(cache.Flatten(piece, 0.1, 0.5), fresh);
  EXPECT_EQ(cache.Hits(), 3u);
  EXPECT_EQ(cache.Misses(), 7u);
}

TEST(SelfCrossing, BowTiesAndFigureEightsCrossAtTheirWaist) {
  const std::optional<Point> bow = FindSelfCrossing(Polygon({{100, 100}, {400, 400}, {400, 100}, {100, 400}}), 0.05);
  ASSERT_TRUE(bow);
  EXPECT_LT(Distance(*bow, {250, 250}), 1e-9);
  // Two round lobes drawn as one outline through their waist at (0, 0).
  const PathData eight{{{{0, 0}, {-40, -40}, {40, 40}, false},
                        {{100, 0}, {100, 60}, {100, -60}, false},
                        {{0, 0}, {40, -40}, {-40, 40}, false},
                        {{-100, 0}, {-100, 60}, {-100, -60}, false}},
                       true};
  const std::optional<Point> waist = FindSelfCrossing(eight, 0.05);
  ASSERT_TRUE(waist);
  EXPECT_LT(Distance(*waist, {0, 0}), 1e-6);
}

TEST(SelfCrossing, SimpleOutlinesAndOutlinesThatOnlyTouchDoNotCross) {
  EXPECT_FALSE(FindSelfCrossing(Square(0, 0, 100), 0.05));
  EXPECT_FALSE(FindSelfCrossing(Circle({0, 0}, 50), 0.05));
  EXPECT_FALSE(FindSelfCrossing(Piece(), 0.05));
  // An L and a deep notch whose sides come within a hair of each other.
  EXPECT_FALSE(FindSelfCrossing(Polygon({{0, 0}, {0, 300}, {100, 300}, {100, 100}, {200, 100}, {200, 0}}), 0.05));
  EXPECT_FALSE(FindSelfCrossing(Polygon({{0, 0}, {0, 100}, {49.999, 100}, {49.999, 1}, {50.001, 1}, {50.001, 100},
                                         {100, 100}, {100, 0}}),
                                0.05));
  // Two triangles meeting at one anchor visited twice touch but do not cross.
  EXPECT_FALSE(FindSelfCrossing(Polygon({{0, 0}, {-50, 100}, {50, 100}, {0, 0}, {50, -100}, {-50, -100}}), 0.05));
  // An open path is no outline.
  PathData open = Polygon({{100, 100}, {400, 400}, {400, 100}, {100, 400}});
  open.closed = false;
  EXPECT_FALSE(FindSelfCrossing(open, 0.05));
}

TEST(Reverse, KeepsEveryCurveAndFlipsTheArea) {
  const PathData piece = Piece();
  const PathData rev = ReversePath(piece);
  ASSERT_EQ(rev.segments.size(), piece.segments.size());
  EXPECT_NEAR(SignedArea(rev.segments, true), -SignedArea(piece.segments, true), 1e-9);
  EXPECT_EQ(ReversePath(rev), piece);
  // Curve i of the reversed path is curve n-2-i of the original run
  // backwards; the closing curves map onto each other.
  const std::size_t n = piece.segments.size();
  for (std::size_t i = 0; i < n; ++i) {
    const CubicBezier r = CurveAt(rev.segments, i);
    const CubicBezier o = CurveAt(piece.segments, (2 * n - 2 - i) % n);
    EXPECT_EQ(std::tie(r.p0, r.p1, r.p2, r.p3), std::tie(o.p3, o.p2, o.p1, o.p0)) << i;
  }
  EXPECT_EQ(rev.segments[0].corner, piece.segments[n - 1].corner);
  EXPECT_EQ(rev.segments[1].corner, piece.segments[n - 2].corner);
}

TEST(HitTest, AnchorsSegmentsAndTheClosingSegment) {
  const PathData square = Square(0, 0, 100);  // (0,0) (0,100) (100,100) (100,0)
  // The segment of a curve is that of its end anchor; near a corner both
  // the anchor and two sides are in reach, and the anchor wins.
  struct Case {
    Point probe;
    HitKind kind;
    std::size_t segment;
    double distance;  // of a segment's nearest point, the only one so near
  };
  for (const Case& c : {Case{{0.5, 99.2}, HitKind::kAnchor, 1, 0}, Case{{25.0, 101.0}, HitKind::kSegment, 2, 1.0},
                        Case{{60.0, -0.5}, HitKind::kSegment, 0, 0.5}, Case{{101.5, 101.0}, HitKind::kAnchor, 2, 0}}) {
    const auto hit = HitTest(square, c.probe, 2.0);
    ASSERT_TRUE(hit) << c.probe.x;
    EXPECT_EQ(hit->kind, c.kind) << c.probe.x;
    EXPECT_EQ(hit->segment, c.segment) << c.probe.x;
    if (c.kind == HitKind::kSegment) {
      const CubicBezier curve = CurveAt(square.segments, (c.segment + 3) % 4);
      EXPECT_NEAR(hit->distance, c.distance, 1e-9) << c.probe.x;
      EXPECT_NEAR(Distance(curve.At(hit->t), c.probe), c.distance, 1e-9) << c.probe.x;
    }
  }
  EXPECT_FALSE(HitTest(square, {50.0, 50.0}, 2.0));
  // An open path has no closing segment.
  PathData open = square;
  open.closed = false;
  EXPECT_FALSE(HitTest(open, {60.0, -0.5}, 2.0));
}

TEST(HitTest, CurveParameterIsTheNearestPoint) {
  const PathData circle = Circle({0, 0}, 50);
  for (double angle : {-0.3, -1.0, -2.5, -4.0}) {
    const Point probe{51.0 * std::cos(angle), 51.0 * std::sin(angle)};
    const auto hit = HitTest(circle, probe, 1.5);
    ASSERT_TRUE(hit);
    ASSERT_EQ(hit->kind, HitKind::kSegment);
    const std::size_t n = circle.segments.size();
    const CubicBezier c = CurveAt(circle.segments, (hit->segment + n - 1) % n);
    const Point on = c.At(hit->t);
    // The nearest point of a circle lies on the ray through the probe.
    EXPECT_NEAR(Cross(on, probe), 0.0, 0.05 * 51.0);
    EXPECT_NEAR(hit->distance, 1.0, 0.01);
  }
}

}  // namespace
}  // namespace workbench::geometry
