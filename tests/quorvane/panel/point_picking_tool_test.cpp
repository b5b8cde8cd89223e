// The point-picking tool in the workbench host with its headless toolkit:
// clicks on the anchors and sides of a hexagon and of real pattern pieces,
// the picking states the panel's "Add" starts, the markers on Work Layer 1
// and the tool's cursors.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "panel_test_support.h"
#include "quorvane/panel/panel_controller.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_window.h"
#include "quorvane/panel/point_picking_tool.h"
#include "support/bound_host.h"
#include "support/shared_data.h"
#include "workbench/plugin/suite_support.h"
#include "workbench/svg/svg_io.h"

namespace quorvane::panel::testing {
namespace {

using commands::CommandType;
using Points = std::vector<std::string>;

constexpr double kPi = 3.14159265358979323846;
constexpr int kAnchors = 6;

double Distance(QvRealPoint a, QvRealPoint b) { return std::hypot(a.h - b.h, a.v - b.v); }

class PointPicking : public PanelFixture {
 protected:
  void SetUp() override {
    // A regular hexagon of radius 100 about (200, 200), clockwise from the
    // top: positive, so the markers keep its anchor order.
    std::vector<host::PathSegment> segments = quorvane::testing::Rectangle(0, 0, 0, 0);
    segments.resize(kAnchors, segments[0]);
    for (int i = 0; i < kAnchors; ++i) {
      const double angle = kPi / 2 - i * kPi / 3;
      segments[i].p = segments[i].in = segments[i].out = {200 + 100 * std::cos(angle), 200 + 100 * std::sin(angle)};
    }
    path_ = SelectSquare(0, 0, 1);
    ASSERT_EQ(Doc().SetSegments(path_, segments), kQvNoErr);
    Globals().commandSets.AddSet("Picking");
    CreatePanelIn(text::Language::kEnglish);
    ASSERT_EQ(ToolSelected(*ctx_), kQvNoErr);
    ASSERT_EQ(ctx_->Run().sourcePath, path_);
  }

  const commands::CCommandSet& Set() { return globals_->workingSet; }

  /// "Add" with the type button of `type` pressed, as the user does it.
  void Add(CommandType type) {
    PressTypeButton(Globals(), TypeButtonOf(type));
    ASSERT_EQ(RunPanelCommand(*ctx_, kAddButton), kQvNoErr);
  }
  /// Just beside anchor `n` (from 1), or 1 point out from the middle of
  /// side `n`, which runs from anchor n to the next.
  QvRealPoint AtAnchor(int n) {
    const QvRealPoint p = (*Doc().Segments(path_))[static_cast<std::size_t>(n - 1)].p;
    return {p.h + 0.6, p.v + 0.6};
  }
  QvRealPoint OnSide(int n) {
    const QvRealBezier b = *Doc().Bezier(path_, n - 1);
    // The tangent at the middle, turned to the left: outward on a
    // clockwise path.
    const double dx = b.p3.h + b.p2.h - b.p1.h - b.p0.h;
    const double dy = b.p3.v + b.p2.v - b.p1.v - b.p0.v;
    const double length = std::hypot(dx, dy);
    const QvRealPoint mid = *Doc().BezierPoint(b, 0.5);
    return {mid.h - dy / length, mid.v + dx / length};
  }
  void Click(QvRealPoint p) {
    QvToolMessage message{};
    message.d.self = kSelf;
    message.cursor = p;
    ASSERT_EQ(MouseDown(*ctx_, message), kQvNoErr);
  }
  Points PointsOf(int command) {
    Points texts(2);
    Set().GetCommandPoints(command, texts[0], texts[1]);
    return texts;
  }
  /// Art of Work Layer 1 named `name`.
  std::optional<host::ArtRef> Marker(const std::string& name) {
    for (host::ArtRef art : Doc().AllArtOfLayer(ctx_->Run().workLayer1).value_or(std::vector<host::ArtRef>{})) {
      if (Doc().ArtName(art) == name) return art;
    }
    return std::nullopt;
  }

  /// Every anchor and side of the source path that stands clear of its
  /// neighbours is hit by its number, a side's hit 1 point from the click.
  void ExpectHitsByNumber(const std::string& what) {
    const std::vector<host::PathSegment> segments = *Doc().Segments(path_);
    const std::size_t n = segments.size();
    for (std::size_t i = 1; i <= n; ++i) {
      const QvRealPoint p = segments[i - 1].p;
      if (Distance(p, segments[i % n].p) < 12.0 || Distance(p, segments[(i + n - 2) % n].p) < 12.0) continue;
      const int number = static_cast<int>(i);
      const SourceHit anchor = HitTestSource(*ctx_, AtAnchor(number));
      EXPECT_TRUE(anchor.kind == HitKind::kAnchor && anchor.number == number) << what << " anchor " << i;
      const SourceHit side = HitTestSource(*ctx_, OnSide(number));
      ASSERT_TRUE(side.kind == HitKind::kSegment && side.number == number) << what << " side " << i;
      const QvRealPoint on = *Doc().BezierPoint(*Doc().Bezier(path_, side.number - 1), side.t);
      EXPECT_NEAR(Distance(on, OnSide(number)), 1.0, 0.01) << what << " side " << i;
    }
  }

  QvPluginRef const kSelf = reinterpret_cast<QvPluginRef>(0x5e1f);
  host::ArtRef path_;
};

TEST_F(PointPicking, AnchorsAndSidesAreHitByTheirNumbersAndMarkersNever) {
  ExpectHitsByNumber("hexagon");
  EXPECT_EQ(HitTestSource(*ctx_, {200, 200}).kind, HitKind::kNothing);
  // The dot of anchor 1 has its top anchor 2 points above it; unlocked, it
  // would be hit first, but the test locks the marker layer.
  DrawMarker(*ctx_, 1, 0.0f, "1", true);
  Doc().SetLayerEditable(ctx_->Run().workLayer1, true);
  const QvRealPoint top = (*Doc().Segments(path_))[0].p;
  const SourceHit under = HitTestSource(*ctx_, {top.h, top.v + 2.0});
  EXPECT_TRUE(under.kind == HitKind::kAnchor && under.number == 1);
  EXPECT_EQ(Doc().IsLayerEditable(ctx_->Run().workLayer1), false);
}

TEST_F(PointPicking, RealPiecesAreHitByTheirNumbers) {
  if (!quorvane::testing::SharedDir()) GTEST_SKIP() << quorvane::testing::kNoSharedDir;
  int pieces = 0;
  for (const std::filesystem::path& path : quorvane::testing::CorpusFiles()) {
    const std::string file = path.filename().string();
    auto read = workbench::svg::ReadSvgFile(path);
    ASSERT_TRUE(read.ok()) << file;
    const workbench::document::Document& piece = read.value();
    for (std::size_t l = 0; l < piece.LayerCount(); ++l) {
      for (workbench::document::ArtId art : piece.AllArtOfLayer(piece.LayerAt(l))) {
        const workbench::document::Art* a = piece.FindArt(art);
        if (a->type != workbench::document::ArtType::kPath || !a->closed) continue;
        std::vector<host::PathSegment> segments;
        for (const auto& s : a->segments) segments.push_back(workbench::plugin::detail::ToQv(s));
        ASSERT_EQ(Doc().SetSegments(path_, segments), kQvNoErr);
        // Outward is to the left on a clockwise path.
        if (*Doc().SignedArea(path_) < 0) Doc().Reverse(path_);
        ExpectHitsByNumber(file + " layer " + std::to_string(l));
        ++pieces;
      }
    }
  }
  EXPECT_GT(pieces, 100);
}

// One command picked click by click: a click on anchor n is n, on side n
// it is -n; after each click the picking state and the cursor shown.
struct PickStep {
  int click;
  std::int32_t state;
  std::int32_t cursor;
};
struct PickCase {
  CommandType type;
  std::vector<PickStep> steps;
  Points points;
  /// The side of the first line point (the closing side is 6); 0: none.
  int lineSide;
};

void PrintTo(const PickCase& c, std::ostream* out) { *out << "command type " << static_cast<int>(c.type); }

class PickingStates : public PointPicking, public ::testing::WithParamInterface<PickCase> {};

TEST_P(PickingStates, ClicksFillTheCommandsSlotsAndAdvanceTheState) {
  const PickCase& c = GetParam();
  Add(c.type);
  for (const PickStep& step : c.steps) {
    Click(step.click > 0 ? AtAnchor(step.click) : OnSide(-step.click));
    EXPECT_EQ(static_cast<std::int32_t>(State().pickingState), step.state) << "after " << step.click;
    EXPECT_EQ(bound_.Ui().CursorOf(kSelf), step.cursor) << "after " << step.click;
  }
  EXPECT_EQ(PointsOf(0), c.points);
  EXPECT_EQ(Set().GetLinePoints().empty() ? 0 : Set().GetLinePoints()[0].Num, c.lineSide);
  EXPECT_EQ(globals_->toolMessagePlugin, kSelf);
  const bool done = State().pickingState == PickingState::kIdle;
  EXPECT_EQ(State().incompleteCommand, done ? 0 : 1);
  EXPECT_EQ(Enabled(kAddButton) && Enabled(kSaveButton) && Enabled(kApplyButton), done);
  EXPECT_EQ(Enabled(kUpdateWidthButton), State().pickingState == PickingState::kAwaitingWidth);
  // The command's row stays selected and shows its points.
  EXPECT_EQ(Ctx().ui.Selection(State().window, kCommandList), 1);
  const std::string shown = c.points[1].empty() ? c.points[0] : c.points[0] + "," + c.points[1];
  EXPECT_NE(Ctx().ui.ItemText(State().window, kCommandList, 1).value_or("").find(shown), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PickingStates,
    ::testing::Values(
        PickCase{CommandType::kRevForward, {{-1, 1, 17003}, {1, 0, 17000}}, {"1", ""}, 0},
        PickCase{CommandType::kFortyFiveBackward, {{-2, 5, 17003}, {2, 7, 17004}, {-6, 17, 17000}}, {"2", "a"}, 6},
        PickCase{CommandType::kFortyFiveForward, {{4, 7, 17004}, {5, 17, 17000}}, {"4", "5"}, 0},
        PickCase{CommandType::kExtendedOneSide, {{1, 11, 17004}, {-3, 11, 17005}, {4, 17, 17000}}, {"1", "4"}, 0},
        PickCase{CommandType::kLapel, {{3, 13, 17004}, {-4, 0, 17000}}, {"3", "a"}, 4},
        PickCase{CommandType::kOpening, {{-1, 16, 17005}, {-2, 17, 17000}}, {"a", "b"}, 1},
        PickCase{CommandType::kCutOff, {{-5, 14, 17003}, {5, 17, 17000}}, {"5", ""}, 0}));

TEST_F(PointPicking, MarkersAreLabelledDotsAndNumbersOnTheLockedWorkLayer) {
  for (int n = 1; n <= kAnchors; ++n) EXPECT_TRUE(Marker("trevask-" + std::to_string(n))) << n;
  EXPECT_FALSE(Marker("trevask-1-c"));
  Ctx().ui.SetText(State().window, kFontSizeField, "18");
  Add(CommandType::kLapel);
  Click(AtAnchor(2));
  Click(OnSide(3));

  const double r = 18.0 * 2 / 9;
  const QvRealPoint centre = *Doc().BezierPoint(*Doc().Bezier(path_, 2), Set().GetLinePoints()[0].t);
  const std::optional<host::ArtRef> dot = Marker("trevask-a-c");
  ASSERT_TRUE(dot);
  const std::vector<host::PathSegment> circle = *Doc().Segments(*dot);
  ASSERT_EQ(circle.size(), 4u);
  EXPECT_TRUE(*Doc().IsClosed(*dot));
  for (const host::PathSegment& s : circle) {
    EXPECT_NEAR(Distance(s.p, centre), r, 1e-9);
    EXPECT_NEAR(Distance(s.in, s.p), r * 0.5522766, 1e-9);
    EXPECT_NEAR(Distance(s.out, s.p), r * 0.5522766, 1e-9);
  }
  EXPECT_TRUE(bound_.Document().FindArt(workbench::plugin::detail::ArtOf(dot->handle))->showCenterPoint);
  const std::optional<host::ArtRef> label = Marker("trevask-a");
  ASSERT_TRUE(label);
  EXPECT_EQ(Doc().Text(*label), "a");
  EXPECT_EQ(Doc().FontSize(*label), 18.0);
  EXPECT_NEAR(Distance(*Doc().TextAnchor(*label), {centre.h + r, centre.v + r}), 0.0, 1e-9);
  EXPECT_EQ(Doc().TextColor(*label)->red, Doc().Style(*dot)->fill.color.red);

  // An anchor's dot goes alone; a line point's dot and label together.
  RemoveMarker(*ctx_, "2", false);
  RemoveMarker(*ctx_, "a", true);
  EXPECT_FALSE(Marker("trevask-2-c") || Marker("trevask-a-c") || Marker("trevask-a"));
  EXPECT_TRUE(Marker("trevask-2"));
  RedrawCommandMarkers(*ctx_);
  EXPECT_TRUE(Marker("trevask-2-c") && Marker("trevask-a-c"));
}

TEST_F(PointPicking, TrackingShowsTheCursorOfTheStateAndPicksNothing) {
  QvToolMessage message{};
  message.d.self = kSelf;
  for (const auto& [state, at, cursor] : {std::tuple{0, AtAnchor(3), kIdleCursor}, {14, AtAnchor(3), 17002},
                                          {14, QvRealPoint{200, 200}, 17001}}) {
    if (state != static_cast<int>(State().pickingState)) Add(CommandType::kCutOff);
    message.cursor = at;
    ASSERT_EQ(TrackCursor(*ctx_, message), kQvNoErr);
    EXPECT_EQ(bound_.Ui().CursorOf(kSelf), cursor);
    EXPECT_EQ(static_cast<int>(State().pickingState), state);
  }
  EXPECT_EQ(PointsOf(0), (Points{"", ""}));
}

}  // namespace
}  // namespace quorvane::panel::testing
