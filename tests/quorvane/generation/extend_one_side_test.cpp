// "Extended one-side" as the driver runs it: the oversized allowance beside
// the run, trimmed by the widened margin, and the follow-up at concave
// ends, on both host versions.
#include "quorvane/generation/extend_one_side.h"

#include <gtest/gtest.h>

#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/basic_seam_margin.h"
#include "quorvane/generation/one_side_ends.h"
#include "quorvane/generation/work_layers.h"
#include "stretch_test_support.h"
#include "support/shared_data.h"
#include "workbench/svg/svg_io.h"

namespace quorvane::generation {
namespace {

using geometry::Vec2;

constexpr double kSlack = 0.05;
constexpr float kWideMm = 20.0f;
constexpr double kWidePt = 20.0 * kPointsPerMillimetre;
constexpr double kB = testing::kBasicPt;

class ExtendOneSideTest : public testing::StretchFixture, public ::testing::WithParamInterface<std::int32_t> {
 protected:
  // Runs the command as the first of its set, as the driver does.
  bool Apply(std::int32_t a, std::int32_t b, float width = kWideMm) {
    return ApplyExtendedOneSide(Doc(), state_, 0, a, b, width);
  }
};

TEST_P(ExtendOneSideTest, RunBetweenConvexCornersTakesTheWidthAndTheRestKeepsTheBasicWidth) {
  Start(testing::Rectangle(), testing::kBasicMm, GetParam());
  // The top edge, anchor 2 to anchor 3.
  ASSERT_TRUE(Apply(2, 3));
  ExpectCleanResult();
  EXPECT_FALSE(state_.oneSideEnds.pending);
  // The basic lines of the left and right edges run straight on up to the
  // wider allowance.
  const QvRealRect r = ResultBounds();
  EXPECT_NEAR(r.top, 200.0 + kWidePt, kSlack);
  EXPECT_NEAR(r.left, -kB, kSlack);
  EXPECT_NEAR(r.right, 300.0 + kB, kSlack);
  EXPECT_NEAR(r.bottom, -kB, kSlack);
  EXPECT_NEAR(ResultArea(), (300.0 + 2 * kB) * (200.0 + kB + kWidePt), 1.0);
  EXPECT_NEAR(ResultClearance(), kB, kSlack);
  EXPECT_LT(NearestResultAnchor({-kB, 200.0 + kWidePt}), kSlack);
  EXPECT_LT(NearestResultAnchor({300.0 + kB, 200.0 + kWidePt}), kSlack);
}

TEST_P(ExtendOneSideTest, RunWrapsPastThePathsStart) {
  Start(testing::Rectangle(), testing::kBasicMm, GetParam());
  // Anchor 4 forward to anchor 2: the bottom edge and the left edge.
  ASSERT_TRUE(Apply(4, 2));
  ExpectCleanResult();
  const QvRealRect r = ResultBounds();
  EXPECT_NEAR(r.left, -kWidePt, kSlack);
  EXPECT_NEAR(r.bottom, -kWidePt, kSlack);
  EXPECT_NEAR(r.right, 300.0 + kB, kSlack);
  EXPECT_NEAR(r.top, 200.0 + kB, kSlack);
  EXPECT_NEAR(ResultArea(), (300.0 + kB + kWidePt) * (200.0 + kB + kWidePt), 1.0);
  // The mitre at the corner the run turns round.
  EXPECT_LT(NearestResultAnchor({-kWidePt, -kWidePt}), kSlack);
}

TEST_P(ExtendOneSideTest, SameAnchorForBothPointsWidensOnlyAtThatCorner) {
  Start(testing::Rectangle(), testing::kBasicMm, GetParam());
  const double basicArea = ResultArea();
  ASSERT_TRUE(Apply(2, 2));
  ExpectCleanResult();
  EXPECT_GT(ResultArea(), basicArea + 1.0);
  EXPECT_NEAR(ResultClearance(), kB, kSlack);
  EXPECT_NEAR(ResultBounds().left, -kB, kSlack);
  EXPECT_NEAR(ResultBounds().top, 200.0 + kWidePt, kSlack);
  // Away from the corner the basic allowance is untouched.
  EXPECT_FALSE(InResult({150.0, 200.0 + kB + 1.0}));
  EXPECT_FALSE(InResult({-kB - 1.0, 100.0}));
}

TEST_P(ExtendOneSideTest, WidthNotAboveTheBasicWidthIsSkipped) {
  Start(testing::Rectangle(), testing::kBasicMm, GetParam());
  const host::ArtRef basic = state_.resultArt;
  EXPECT_TRUE(Apply(2, 3, testing::kBasicMm));
  EXPECT_EQ(state_.resultArt, basic);
}

TEST_P(ExtendOneSideTest, BadAnchorsFailAndKeepTheMargin) {
  Start(testing::Rectangle(), testing::kBasicMm, GetParam());
  const host::ArtRef basic = state_.resultArt;
  EXPECT_FALSE(ExtendOneSide(Doc(), state_, 0, 2, kWideMm));
  EXPECT_FALSE(ExtendOneSide(Doc(), state_, 2, 5, kWideMm));
  EXPECT_EQ(state_.resultArt, basic);
  EXPECT_EQ(*Doc().AllArtOfLayer(state_.workLayer2), std::vector<host::ArtRef>{basic});
}

TEST_P(ExtendOneSideTest, BasicWidthZeroBuildsBesideAnInsetPathThatLeavesNoTrace) {
  Start(testing::Rectangle(), 0.0f, GetParam());
  ASSERT_TRUE(Apply(2, 3));
  // Only the top edge gets an allowance; elsewhere the margin is the
  // finish line itself, and the inset path is gone.
  EXPECT_EQ(*Doc().AllArtOfLayer(state_.workLayer2), std::vector<host::ArtRef>{state_.resultArt});
  const QvRealRect r = ResultBounds();
  EXPECT_NEAR(r.top, 200.0 + kWidePt, kSlack);
  EXPECT_NEAR(r.left, 0.0, kSlack);
  EXPECT_NEAR(r.bottom, 0.0, kSlack);
  EXPECT_NEAR(ResultArea(), 300.0 * (200.0 + kWidePt), 1.0);
}

// A real pattern piece with curves: the piece of the first corpus file
// whose side runs through three curves. The run covers those curves.
TEST_P(ExtendOneSideTest, CurvedRunOfARealPieceLiesAtTheWidth) {
  if (!quorvane::testing::SharedDir()) GTEST_SKIP() << quorvane::testing::kNoSharedDir;
  const auto files = testing::CorpusFiles();
  ASSERT_FALSE(files.empty());
  auto read = workbench::svg::ReadSvgFile(files.front());
  ASSERT_TRUE(read) << read.error().ToString();
  UseDocument(std::move(read.value()));
  // The piece is found by two of its anchors, where its curves begin and end.
  const Vec2 curvesStart{1455.55, 995.686};
  const Vec2 curvesEnd{1067.23, 1698.75};
  host::ArtRef source;
  for (int i = 0; i < *Doc().LayerCount() && !source; ++i) {
    const auto arts = *Doc().AllArtOfLayer(*Doc().NthLayer(i));
    for (host::ArtRef art : arts) {
      if (Doc().ArtType(art) != kQvPathArt) continue;
      const auto segments = *Doc().Segments(art);
      for (const host::PathSegment& s : segments) {
        if (geometry::Distance({s.p.h, s.p.v}, curvesStart) < 0.01) source = art;
      }
    }
  }
  ASSERT_TRUE(source);
  ASSERT_EQ(MakeOrientationPositive(Doc(), source), kQvNoErr);
  state_.sourcePath = source;
  state_.basicWidth = testing::kBasicMm;
  state_.hostVersion = GetParam();
  ASSERT_TRUE(BuildBasicSeamMargin(Doc(), state_, testing::kBasicMm));

  // Positively oriented, the piece runs from the curves' end back to their
  // start; the anchors between them are the run.
  const auto finish = *Doc().Segments(source);
  const int n = static_cast<int>(finish.size());
  int a = -1, b = -1;
  for (int i = 0; i < n; ++i) {
    if (geometry::Distance({finish[i].p.h, finish[i].p.v}, curvesEnd) < 0.01) a = i;
    if (geometry::Distance({finish[i].p.h, finish[i].p.v}, curvesStart) < 0.01) b = i;
  }
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  ASSERT_TRUE(Apply(a + 1, b + 1));
  ExpectCleanResult();
  // Where the run starts on a curve, the basic line carried straight on
  // passes the bending finish line a little closer than the basic width.
  EXPECT_GT(ResultClearance(), kB - 0.5);

  // Every curve of the run lies the command's width from the margin, every
  // curve away from the run the basic width.
  const testing::DistanceToPath toMargin(*Doc().Segments(state_.resultArt));
  for (int i = 0; i < n; ++i) {
    const bool inRun = (i - a + n) % n < (b - a + n) % n;
    if (i == b || i == (a + n - 1) % n) continue;  // the junctions, just outside the run
    const auto bezier = *Doc().Bezier(source, i);
    // Near the run's start the basic line carried straight on still
    // narrows the allowance; past the middle of its first curve it is wide.
    for (double t : {0.5, 0.7}) {
      const auto q = *Doc().BezierPoint(bezier, t);
      EXPECT_NEAR(toMargin({q.h, q.v}), inRun ? kWidePt : kB, kSlack) << "curve " << i + 1 << " at " << t;
    }
  }
}

// The ideal join at a concave end: the basic line of the neighbouring edge
// runs straight on into the wider line beside the run.
struct ConcaveCase {
  const char* name;
  std::vector<host::PathSegment> (*shape)();
  std::int32_t a, b;
  std::uint32_t mask;
  std::vector<Vec2> joins;  // where the basic and the wider lines meet
  double widenedLength;     // length of the run's allowance line at the basic width
};

class ConcaveEnds : public testing::StretchFixture, public ::testing::WithParamInterface<ConcaveCase> {};

TEST_P(ConcaveEnds, RecordTheEndAndStraightenTheMarginThere) {
  const ConcaveCase& c = GetParam();
  Start(c.shape());
  const double basicArea = ResultArea();
  ASSERT_TRUE(ExtendOneSide(Doc(), state_, c.a, c.b, kWideMm));
  EXPECT_TRUE(state_.oneSideEnds.pending);
  EXPECT_EQ(state_.oneSideEnds.mask, c.mask);
  ASSERT_TRUE(BuildWidenedMargin(Doc(), state_, kWideMm));
  FinishOneSideEnds(Doc(), state_);
  EXPECT_FALSE(state_.oneSideEnds.pending);
  EXPECT_EQ(state_.oneSideEnds.mask, 0u);
  ExpectCleanResult();
  EXPECT_NEAR(ResultClearance(), kB, kSlack);
  // The joins land within the sideways steps of the casts.
  for (const Vec2& j : c.joins) EXPECT_LT(NearestResultAnchor(j), 0.5) << j.x << "," << j.y;
  EXPECT_NEAR(ResultArea(), basicArea + c.widenedLength * (kWidePt - kB), 0.1 * c.widenedLength);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, ConcaveEnds,
    ::testing::Values(ConcaveCase{"ConcaveStart", testing::ElShape, 4, 5, 1, {{100 + kB, 100 + kWidePt}}, 200.0},
                      ConcaveCase{"ConcaveEnd", testing::ElShape, 3, 4, 2, {{100 + kWidePt, 100 + kB}}, 200.0},
                      ConcaveCase{"BothConcave",
                                  testing::YouShape,
                                  4,
                                  5,
                                  3,
                                  {{100 + kB, 100 + kWidePt}, {400 - kB, 100 + kWidePt}},
                                  300.0 - 2 * kB}),
    [](const auto& info) { return std::string(info.param.name); });

// The follow-up on a margin made by hand: a square whose corner lies just
// to the right of the first cast's line, so that only the cast shifted
// 0.3 pt to the right (after fifteen shifts to the left) meets it.
class SidewaysRetries : public testing::StretchFixture {
 protected:
  void SetUp() override {
    state_.sourcePath = AddPath(testing::Square(-100, -100, 20));
    auto layer = FindOrCreateLayer(Doc(), state_, kWorkLayer2Title);
    ASSERT_TRUE(layer);
    state_.workLayer2 = *layer;
    state_.resultArt = AddPath(testing::Square(100.0, kCornerY - 100.0, 100.0), true, *layer);
    state_.oneSideEnds = {};
    state_.oneSideEnds.pending = true;
    state_.oneSideEnds.mask = 1;
    state_.oneSideEnds.width = 10.0f;
  }
  // The square's top-left corner is (100, kCornerY): 0.25 pt to the right
  // of the line y = x + 50 through H = (50, 100).
  static constexpr double kCornerY = 150.0 - 0.25 * 1.4142135623730951;
};

TEST_F(SidewaysRetries, CastShiftedToTheRightFindsTheCorner) {
  OneSideEndRecords& r = state_.oneSideEnds;
  r.points[0] = {0.0, 50.0};
  r.points[1] = {50.0, 100.0};
  r.points[4] = {-1.0, 0.2};  // the second cast runs back along it: right and down
  FinishOneSideEnds(Doc(), state_);
  EXPECT_FALSE(r.pending);
  EXPECT_EQ(r.mask, 0u);
  // The line y = x + 50 shifted 0.3 pt to its right meets the left side
  // x = 100 here.
  const double shift = 0.3 * 1.4142135623730951;
  EXPECT_NEAR(r.points[2].x, 100.0, 1e-9);
  EXPECT_NEAR(r.points[2].y, 150.0 - shift, 1e-6);
  // From there to the right side along (1, -0.2).
  EXPECT_NEAR(r.points[3].x, 200.0, 1e-9);
  EXPECT_NEAR(r.points[3].y, 150.0 - shift - 20.0, 1e-6);
  // Straightened inside the square, the union is the square again.
  EXPECT_NEAR(ResultArea(), 100.0 * 100.0, 1.0);
}

TEST_F(SidewaysRetries, ThirtyMissesStopAndKeepTheRecord) {
  OneSideEndRecords& r = state_.oneSideEnds;
  r.points[0] = {60.0, 110.0};
  r.points[1] = {50.0, 100.0};  // casts run away from the square
  r.points[4] = {1.0, 0.0};
  const host::ArtRef before = state_.resultArt;
  FinishOneSideEnds(Doc(), state_);
  EXPECT_FALSE(r.pending);
  EXPECT_EQ(r.mask, 1u);
  EXPECT_EQ(state_.resultArt, before);
}

INSTANTIATE_TEST_SUITE_P(HostVersions, ExtendOneSideTest, ::testing::Values(kActionPathfinderHostVersion, 27),
                         [](const auto& info) { return "version" + std::to_string(info.param); });

}  // namespace
}  // namespace quorvane::generation
