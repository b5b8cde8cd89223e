// The commands that widen a stretch, run through the document on both host
// versions: "Extended one-side" as the driver runs it (the oversized
// allowance beside the run, trimmed by the widened margin, and the
// follow-up at concave ends); "Lapel" with its second point read exactly on
// a curve of a rectangle.
#include "quorvane/generation/command_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/basic_seam_margin.h"
#include "quorvane/generation/work_layers.h"
#include "generation_test_support.h"
#include "support/shared_data.h"

namespace quorvane::generation {
namespace {

using geometry::Vec2;
using testing::NearestAnchor;

constexpr double kSlack = 0.05;
constexpr float kWideMm = 20.0f;
constexpr double kWidePt = 20.0 * kPointsPerMillimetre;
constexpr double kB = testing::kBasicMm * kPointsPerMillimetre;

// The rectangle (0, 0)-(300, 200); anchors 1 to 4 at (0, 0), (0, 200),
// (300, 200), (300, 0).
const auto kRectangle = quorvane::testing::Rectangle(0, 0, 300, 200);

class Stretch : public testing::PieceFixture, public ::testing::WithParamInterface<std::int32_t> {
 protected:
  // Runs the command as the first of its set, as the driver does.
  bool Apply(std::int32_t a, std::int32_t b, float width = kWideMm) {
    return ApplyExtendedOneSide(Doc(), state_, 0, a, b, width);
  }
};

// The run takes the width and the rest keeps the basic width, the basic
// lines of the neighbouring edges running straight on up to the wider
// allowance: the top edge (anchor 2 to 3); the bottom and left edges
// (anchor 4 round to 2, past the path's start, with the mitre at the corner
// the run turns round); and the top edge at basic width 0, built beside an
// inset path that leaves no trace; and from an anchor half-way along the
// top edge to the corner (300, 200), with a step at the middle.
TEST_P(Stretch, OneSideRunTakesTheWidthAndTheRestKeepsTheBasicWidth) {
  const struct {
    const char* name;
    std::int32_t a, b;
    float basicMm;
    double left, bottom, right, top;
    std::vector<Vec2> anchors;
    bool fromTheMiddle = false;
  } cases[] = {
      {"top edge", 2, 3, testing::kBasicMm, -kB, -kB, 300 + kB, 200 + kWidePt, {{-kB, 200 + kWidePt}, {300 + kB, 200 + kWidePt}}},
      {"wrapping", 4, 2, testing::kBasicMm, -kWidePt, -kWidePt, 300 + kB, 200 + kB, {{-kWidePt, -kWidePt}}},
      {"basic width 0", 2, 3, 0.0f, 0, 0, 300, 200 + kWidePt, {}},
      {"from the middle", 3, 4, testing::kBasicMm, -kB, -kB, 300 + kB, 200 + kWidePt,
       {{150, 200 + kB}, {150, 200 + kWidePt}, {300 + kB, 200 + kWidePt}}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Start(c.fromTheMiddle ? testing::Polygon({{0, 0}, {0, 200}, {150, 200}, {300, 200}, {300, 0}})
                          : kRectangle,
          c.basicMm, GetParam());
    ASSERT_TRUE(Apply(c.a, c.b));
    if (c.basicMm > 0) {
      ExpectWellFormedResult();
      EXPECT_NEAR(ResultClearance(), kB, kSlack);
    } else {
      EXPECT_EQ(*Doc().AllArtOfLayer(state_.workLayer2), std::vector<host::ArtRef>{state_.resultArt});
    }
    EXPECT_FALSE(state_.oneSideEnds.pending);
    const QvRealRect r = ResultBounds();
    EXPECT_NEAR(r.left, c.left, kSlack);
    EXPECT_NEAR(r.bottom, c.bottom, kSlack);
    EXPECT_NEAR(r.right, c.right, kSlack);
    EXPECT_NEAR(r.top, c.top, kSlack);
    const double unwidened = c.fromTheMiddle ? (150 + kB) * (kWidePt - kB) : 0.0;
    EXPECT_NEAR(ResultArea(), (c.right - c.left) * (c.top - c.bottom) - unwidened, 1.0);
    for (const Vec2& p : c.anchors) EXPECT_LT(NearestAnchor(ResultSegments(), p), kSlack) << p.x << "," << p.y;
  }
}

// The depth comes from the margin vertex beside the corner, which may stand
// up to one flattening step (0.5 pt) off the corner's normal.
constexpr double kDepthSlack = 0.02;

// The lapel's second point, at parameter t = 0.3 of the top edge, a straight
// segment whose handles sit on its anchors: x = 300·(3t² − 2t³), not 300·t,
// between two vertices of the flattened finish line (64.5 and 65).
constexpr double kSecondX = 300.0 * (3 * 0.09 - 2 * 0.027);

// Corner anchor 3 (300, 200) with the second point on the top edge before
// it, and corner anchor 2 (0, 200) with it after: the depth doubled from the
// step at the exact second point to the end mirrored in the allowance line
// (the corner of the allowance, and its image as far outside the line as
// the allowance's end lies inside it).
TEST_P(Stretch, LapelDepthDoublesFromTheSecondPointToAMirroredEnd) {
  for (const auto& [corner, cornerX, out] : {std::tuple{3, 300.0, 1.0}, std::tuple{2, 0.0, -1.0}}) {
    SCOPED_TRACE(corner);
    Start(kRectangle, testing::kBasicMm, GetParam());
    const double basicArea = ResultArea();
    ASSERT_TRUE(ApplyLapel(Doc(), state_, corner, 2, 0.3));
    ExpectWellFormedResult();
    const double end = cornerX + out * kB;
    EXPECT_NEAR(ResultBounds().top, 200.0 + 2 * kB, kDepthSlack);
    EXPECT_NEAR(out > 0 ? ResultBounds().right : ResultBounds().left, end, kSlack);
    EXPECT_NEAR(ResultArea(), basicArea + std::abs(end - kSecondX) * kB, 3.0);
    EXPECT_LT(NearestAnchor(ResultSegments(), {kSecondX, 200.0 + 2 * kB}), kSlack);
    EXPECT_LT(NearestAnchor(ResultSegments(), {kSecondX, 200.0 + kB}), kSlack);
    EXPECT_LT(NearestAnchor(ResultSegments(), {end, 200.0 + 2 * kB}), kSlack);
    EXPECT_FALSE(testing::DistanceToPath(ResultSegments()).Inside({kSecondX - out, 200.0 + kB + 1.0}));
    EXPECT_NEAR(ResultClearance(), kB, kSlack);
  }
}

// A real pattern piece with curves: the piece of the first corpus file
// whose side runs through three curves. The run covers those curves.
TEST_P(Stretch, OneSideCurvedRunOfARealPieceLiesAtTheWidth) {
  if (!quorvane::testing::SharedDir()) GTEST_SKIP() << quorvane::testing::kNoSharedDir;
  ASSERT_TRUE(OpenSvg(testing::CorpusFiles().front()));
  // The piece is found by two of its anchors, where its curves begin and end.
  const Vec2 curvesStart{1455.55, 995.686};
  const Vec2 curvesEnd{1067.23, 1698.75};
  const auto indexOf = [](const std::vector<Vec2>& anchors, Vec2 p) {
    const auto near = [p](Vec2 q) { return geometry::Distance(p, q) < 0.01; };
    return static_cast<int>(std::find_if(anchors.begin(), anchors.end(), near) - anchors.begin());
  };
  for (host::ArtRef art : ClosedPaths()) {
    const auto anchors = testing::Anchors(*Doc().Segments(art));
    if (indexOf(anchors, curvesStart) < static_cast<int>(anchors.size())) state_.sourcePath = art;
  }
  ASSERT_TRUE(state_.sourcePath);
  ASSERT_EQ(MakeOrientationPositive(Doc(), state_.sourcePath), kQvNoErr);
  state_.basicWidth = testing::kBasicMm;
  state_.hostVersion = GetParam();
  BuildMargin(testing::kBasicMm);

  // Positively oriented, the piece runs from the curves' end back to their
  // start; the anchors between them are the run.
  const auto anchors = testing::Anchors(FinishSegments());
  const int n = static_cast<int>(anchors.size());
  const int a = indexOf(anchors, curvesEnd), b = indexOf(anchors, curvesStart);
  ASSERT_LT(a, n);
  ASSERT_LT(b, n);
  ASSERT_TRUE(Apply(a + 1, b + 1));
  ExpectWellFormedResult();
  // Where the run starts on a curve, the basic line carried straight on
  // passes the bending finish line a little closer than the basic width.
  EXPECT_GT(ResultClearance(), kB - 0.5);

  // Every curve of the run lies the command's width from the margin, every
  // curve away from the run the basic width.
  const testing::DistanceToPath toMargin(ResultSegments());
  for (int i = 0; i < n; ++i) {
    const bool inRun = (i - a + n) % n < (b - a + n) % n;
    if (i == b || i == (a + n - 1) % n) continue;  // the junctions, just outside the run
    const auto bezier = *Doc().Bezier(state_.sourcePath, i);
    // Near the run's start the basic line carried straight on still
    // narrows the allowance; past the middle of its first curve it is wide.
    for (double t : {0.5, 0.7}) {
      const auto q = *Doc().BezierPoint(bezier, t);
      EXPECT_NEAR(toMargin({q.h, q.v}), inRun ? kWidePt : kB, kSlack) << "curve " << i + 1 << " at " << t;
    }
  }
}

// An L, concave at anchor 4, and a U, concave at anchors 4 and 5.
const std::vector<Vec2> kEl{{0, 0}, {0, 300}, {100, 300}, {100, 100}, {300, 100}, {300, 0}};
const std::vector<Vec2> kYou{{0, 0}, {0, 300}, {100, 300}, {100, 100}, {400, 100}, {400, 300}, {500, 300}, {500, 0}};

// The ideal join at a concave end: the basic line of the neighbouring edge
// runs straight on into the wider line beside the run.
struct ConcaveCase {
  const char* name;
  std::vector<Vec2> shape;
  std::int32_t a, b;
  std::uint32_t mask;
  std::vector<Vec2> joins;  // where the basic and the wider lines meet
  double widenedLength;     // length of the run's allowance line at the basic width
};

class ConcaveEnds : public testing::PieceFixture, public ::testing::WithParamInterface<ConcaveCase> {};

TEST_P(ConcaveEnds, RecordTheEndAndStraightenTheMarginThere) {
  const ConcaveCase& c = GetParam();
  Start(testing::Polygon(c.shape), testing::kBasicMm, 27);
  const double basicArea = ResultArea();
  ASSERT_TRUE(ApplyOneSideRun(Doc(), state_, c.a, c.b, kWideMm));
  EXPECT_TRUE(state_.oneSideEnds.pending);
  EXPECT_EQ(state_.oneSideEnds.mask, c.mask);
  ASSERT_TRUE(BuildWidenedMargin(Doc(), state_, kWideMm));
  FinishOneSideEnds(Doc(), state_);
  EXPECT_FALSE(state_.oneSideEnds.pending);
  EXPECT_EQ(state_.oneSideEnds.mask, 0u);
  ExpectWellFormedResult();
  EXPECT_NEAR(ResultClearance(), kB, kSlack);
  // The joins land within the sideways steps of the casts.
  for (const Vec2& j : c.joins) EXPECT_LT(NearestAnchor(ResultSegments(), j), 0.5) << j.x << "," << j.y;
  EXPECT_NEAR(ResultArea(), basicArea + c.widenedLength * (kWidePt - kB), 0.1 * c.widenedLength);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, ConcaveEnds,
    ::testing::Values(ConcaveCase{"ConcaveStart", kEl, 4, 5, 1, {{100 + kB, 100 + kWidePt}}, 200.0},
                      ConcaveCase{"ConcaveEnd", kEl, 3, 4, 2, {{100 + kWidePt, 100 + kB}}, 200.0},
                      ConcaveCase{"BothConcave",
                                  kYou,
                                  4,
                                  5,
                                  3,
                                  {{100 + kB, 100 + kWidePt}, {400 - kB, 100 + kWidePt}},
                                  300.0 - 2 * kB}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(HostVersions, Stretch, ::testing::Values(kActionPathfinderHostVersion, 27),
                         [](const auto& info) { return "version" + std::to_string(info.param); });

}  // namespace
}  // namespace quorvane::generation
