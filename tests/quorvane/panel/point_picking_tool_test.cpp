// The point-picking tool in the workbench host with its headless toolkit:
// clicks on a hexagon's anchors and sides, the picking states the panel's
// "Add" starts, the markers on Work Layer 1 and the tool's cursors.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "quorvane/generation/work_layers.h"
#include "quorvane/panel/panel_controller.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_window.h"
#include "quorvane/panel/point_picking_tool.h"
#include "support/bound_host.h"
#include "workbench/plugin/suite_support.h"
#include "workbench/svg/svg_io.h"

namespace quorvane::panel {
namespace {

using commands::CommandType;

constexpr double kPi = 3.14159265358979323846;
constexpr int kAnchors = 6;

double Distance(QvRealPoint a, QvRealPoint b) { return std::hypot(a.h - b.h, a.v - b.v); }

class PointPicking : public ::testing::Test {
 protected:
  void SetUp() override {
    globals_ = std::make_unique<host::PluginGlobals>();
    ui_ = std::make_unique<host::HostUi>(bound_.Suites().ui);
    ctx_ = std::make_unique<PanelContext>(PanelContext{*globals_, Doc(), *ui_});
    // A regular hexagon of radius 100 about (200, 200), clockwise from the
    // top: positive, so the markers keep its anchor order.
    const host::LayerRef layer = Doc().InsertLayer({}).value_or(host::LayerRef{});
    Doc().SetLayerTitle(layer, "Layer 1");
    std::vector<host::PathSegment> segments;
    for (int i = 0; i < kAnchors; ++i) {
      const double angle = kPi / 2 - i * kPi / 3;
      corners_.push_back({200 + 100 * std::cos(angle), 200 + 100 * std::sin(angle)});
      host::PathSegment s{};
      s.p = s.in = s.out = corners_.back();
      s.corner = 1;
      segments.push_back(s);
    }
    path_ = Doc().NewPath(host::PaintOrder::kInsideOnTop, *Doc().LayerGroup(layer)).value_or(host::ArtRef{});
    ASSERT_EQ(Doc().SetSegments(path_, segments), kQvNoErr);
    ASSERT_EQ(Doc().SetClosed(path_, true), kQvNoErr);
    ASSERT_EQ(Doc().SetSelected(path_, true), kQvNoErr);
    globals_->commandSets.AddSet("Picking");
    globals_->settings.language = settings::kLanguageEnglish;
    ASSERT_EQ(CreatePanel(Ctx()), kQvNoErr);
    ASSERT_EQ(ToolSelected(Ctx()), kQvNoErr);
    ASSERT_EQ(Ctx().Run().sourcePath, path_);
  }

  host::HostDocument& Doc() { return bound_.Doc(); }
  PanelContext& Ctx() { return *ctx_; }
  PanelState& State() { return Ctx().State(); }
  const commands::CCommandSet& Set() { return globals_->workingSet; }
  bool Enabled(std::int32_t control) { return ui_->IsEnabled(State().window, control).value_or(false); }

  /// "Add" with the type button of `type` pressed, as the user does it.
  void Add(CommandType type) {
    State().currentTypeButton = kFirstTypeButton + static_cast<std::int32_t>(type);
    ASSERT_EQ(RunPanelCommand(Ctx(), kAddButton), kQvNoErr);
    ASSERT_NE(State().pickingState, kPickingIdle);
  }
  /// Just outside anchor `n` (from 1), or the middle of side `n` pushed 1
  /// point away from the centre.
  QvRealPoint AtAnchor(int n) { return {corners_[n - 1].h + 0.6, corners_[n - 1].v + 0.6}; }
  QvRealPoint OnSide(int n) {
    const QvRealPoint a = corners_[n - 1], b = corners_[n % kAnchors];
    const QvRealPoint mid{(a.h + b.h) / 2, (a.v + b.v) / 2};
    const double out = 1.0 / Distance(mid, {200, 200});
    return {mid.h + (mid.h - 200) * out, mid.v + (mid.v - 200) * out};
  }
  void Click(QvRealPoint p) {
    QvToolMessage message{};
    message.d.self = kSelf;
    message.cursor = p;
    ASSERT_EQ(MouseDown(Ctx(), message), kQvNoErr);
  }
  std::vector<std::string> Points(int command) {
    std::string first, second;
    Set().GetCommandPoints(command, first, second);
    return {first, second};
  }
  /// Art of Work Layer 1 named `name`; none when there is none.
  std::optional<host::ArtRef> Marker(const std::string& name) {
    for (host::ArtRef art : Doc().AllArtOfLayer(Ctx().Run().workLayer1).value_or(std::vector<host::ArtRef>{})) {
      if (Doc().ArtName(art) == name) return art;
    }
    return std::nullopt;
  }

  QvPluginRef const kSelf = reinterpret_cast<QvPluginRef>(0x5e1f);
  testing::BoundHost bound_;
  std::unique_ptr<host::PluginGlobals> globals_;
  std::unique_ptr<host::HostUi> ui_;
  std::unique_ptr<PanelContext> ctx_;
  std::vector<QvRealPoint> corners_;
  host::ArtRef path_;
};

TEST_F(PointPicking, AnchorsAndSidesOfTheSourcePathAreHitByTheirNumbers) {
  for (int n = 1; n <= kAnchors; ++n) {
    const SourceHit anchor = HitTestSource(Ctx(), AtAnchor(n));
    EXPECT_EQ(anchor.kind, HitKind::kAnchor) << n;
    EXPECT_EQ(anchor.number, n);
    // Side n runs from anchor n to anchor n + 1; the closing side is 6.
    const SourceHit side = HitTestSource(Ctx(), OnSide(n));
    ASSERT_EQ(side.kind, HitKind::kSegment) << n;
    EXPECT_EQ(side.number, n);
    EXPECT_NEAR(side.t, 0.5, 1e-3);
    const QvRealPoint on = *Doc().BezierPoint(*Doc().Bezier(path_, side.number - 1), side.t);
    EXPECT_NEAR(Distance(on, OnSide(n)), 1.0, 1e-3);
  }
  EXPECT_EQ(HitTestSource(Ctx(), {200, 200}).kind, HitKind::kNothing);
  // A marker's dot lies over anchor 1, its top anchor 2 points above it;
  // the marker layer is locked for the test, so the path's anchor is hit.
  DrawMarker(Ctx(), 1, 0.0f, "1", true);
  Doc().SetLayerEditable(Ctx().Run().workLayer1, true);
  const SourceHit under = HitTestSource(Ctx(), {corners_[0].h, corners_[0].v + 2.0});
  EXPECT_EQ(under.kind, HitKind::kAnchor);
  EXPECT_EQ(under.number, 1);
  EXPECT_EQ(Doc().IsLayerEditable(Ctx().Run().workLayer1), false);
}

TEST_F(PointPicking, FortyFiveDegreeCornerTakesAnAnchorThenALinePointThenWaitsForItsWidth) {
  Add(CommandType::kFortyFiveBackward);
  EXPECT_EQ(State().pickingState, 5);
  Click(OnSide(2));  // refused: the first point is an anchor
  EXPECT_EQ(State().pickingState, 5);
  EXPECT_TRUE(Set().GetLinePoints().empty());
  Click(AtAnchor(2));
  EXPECT_EQ(State().pickingState, 7);
  Click(OnSide(kAnchors));
  EXPECT_EQ(State().pickingState, kAwaitingWidth);
  EXPECT_EQ(Points(0), (std::vector<std::string>{"2", "a"}));
  ASSERT_EQ(Set().GetLinePoints().size(), 1u);
  EXPECT_EQ(Set().GetLinePoints()[0].Num, kAnchors) << "the closing side";
  EXPECT_EQ(State().incompleteCommand, 1);
  EXPECT_TRUE(Enabled(kUpdateWidthButton));
  EXPECT_TRUE(Enabled(kCommandWidthField));
  EXPECT_FALSE(Enabled(kAddButton));
}

TEST_F(PointPicking, ExtendedOneSideRefusesASideForItsSecondPointButShowsTheSegmentCursor) {
  Add(CommandType::kExtendedOneSide);
  Click(AtAnchor(1));
  EXPECT_EQ(State().pickingState, 11);
  Click(OnSide(3));
  EXPECT_EQ(State().pickingState, 11);
  EXPECT_EQ(Points(0), (std::vector<std::string>{"1", ""}));
  EXPECT_TRUE(Set().GetLinePoints().empty());
  EXPECT_EQ(bound_.Ui().CursorOf(kSelf), 17005);
  EXPECT_EQ(globals_->toolMessagePlugin, kSelf);
  Click(AtAnchor(4));
  EXPECT_EQ(State().pickingState, kAwaitingWidth);
  EXPECT_EQ(Points(0), (std::vector<std::string>{"1", "4"}));
}

TEST_F(PointPicking, LapelEndsPickingWithoutAWidthAndEnablesTheEditingButtons) {
  Add(CommandType::kLapel);
  Click(AtAnchor(3));
  EXPECT_EQ(State().pickingState, 13);
  Click(OnSide(4));
  EXPECT_EQ(State().pickingState, kPickingIdle);
  EXPECT_EQ(State().incompleteCommand, 0);
  EXPECT_EQ(Points(0), (std::vector<std::string>{"3", "a"}));
  for (std::int32_t control : {kAddButton, kRemoveCommandButton, kClearPointButton, kSaveButton, kApplyButton,
                               kNewSetButton, kClearButton}) {
    EXPECT_TRUE(Enabled(control)) << control;
  }
  EXPECT_EQ(State().selectedCommand, 0);
  EXPECT_EQ(ui_->Selection(State().window, kCommandList), 1) << "the picked command's row";
  EXPECT_FALSE(Enabled(kUpdateWidthButton)) << "a lapel has no width";
  EXPECT_NE(ui_->ItemText(State().window, kCommandList, 1).value_or("").find("3,a"), std::string::npos);
}

TEST_F(PointPicking, OpeningTakesTwoLinePointsAndCutOffOneAnchor) {
  Add(CommandType::kOpening);
  Click(OnSide(1));
  EXPECT_EQ(State().pickingState, 16);
  Click(OnSide(2));
  EXPECT_EQ(State().pickingState, kAwaitingWidth);
  EXPECT_EQ(Points(0), (std::vector<std::string>{"a", "b"}));
  FinishPick(Ctx(), false);
  EXPECT_EQ(State().pickingState, kPickingIdle);

  Add(CommandType::kCutOff);
  EXPECT_EQ(State().pickingState, 14);
  Click(OnSide(5));
  EXPECT_EQ(State().pickingState, 14);
  Click(AtAnchor(5));
  EXPECT_EQ(State().pickingState, kAwaitingWidth);
  EXPECT_EQ(Points(1), (std::vector<std::string>{"5", ""}));
}

TEST_F(PointPicking, WithAllFiftyTwoLabelsInUseASideClickLeavesTheSlotEmpty) {
  Add(CommandType::kOpening);
  for (int i = 0; i < commands::kMaxLinePoints; ++i) globals_->workingSet.AddLinePoint(1, 0.25f);
  Click(OnSide(2));
  EXPECT_EQ(Set().GetLinePoints().size(), static_cast<std::size_t>(commands::kMaxLinePoints));
  EXPECT_EQ(Points(0), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(Set().GetCommand(0)->num, 1);
  EXPECT_EQ(commands::CCommandSet::ValidateCommand(*Set().GetCommand(0)), commands::CommandCheck::kPointMissing);
}

TEST_F(PointPicking, MarkersAreLabelledDotsAndNumbersOnTheLockedWorkLayer) {
  // Anchor numbers: a text per anchor, no dots.
  for (int n = 1; n <= kAnchors; ++n) EXPECT_TRUE(Marker("trevask-" + std::to_string(n))) << n;
  EXPECT_FALSE(Marker("trevask-1-c"));
  ui_->SetText(State().window, kFontSizeField, "18");
  ASSERT_EQ(MarkerFontSize(Ctx()), 18.0);
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
  EXPECT_GT(*Doc().SignedArea(*dot), 0.0);
  EXPECT_TRUE(bound_.Document().FindArt(workbench::plugin::detail::ArtOf(dot->handle))->showCenterPoint);
  const std::optional<host::ArtRef> label = Marker("trevask-a");
  ASSERT_TRUE(label);
  EXPECT_EQ(Doc().Text(*label), "a");
  EXPECT_EQ(Doc().FontSize(*label), 18.0);
  const QvRealPoint anchor = *Doc().TextAnchor(*label);
  EXPECT_NEAR(anchor.h, centre.h + r, 1e-9);
  EXPECT_NEAR(anchor.v, centre.v + r, 1e-9);
  EXPECT_EQ(Doc().TextColor(*label)->red, Doc().Style(*dot)->fill.color.red);
  EXPECT_TRUE(Marker("trevask-2-c"));
  EXPECT_EQ(Doc().IsLayerEditable(Ctx().Run().workLayer1), false);

  // The dot of an anchor goes alone; a line point's dot and label together.
  RemoveMarker(Ctx(), "2", false);
  RemoveMarker(Ctx(), "a", true);
  EXPECT_FALSE(Marker("trevask-2-c"));
  EXPECT_TRUE(Marker("trevask-2"));
  EXPECT_FALSE(Marker("trevask-a-c"));
  EXPECT_FALSE(Marker("trevask-a"));
  // Redrawing brings back every point the set uses.
  RedrawCommandMarkers(Ctx());
  EXPECT_TRUE(Marker("trevask-2-c"));
  EXPECT_TRUE(Marker("trevask-a-c"));

  // Saved as SVG the labels are text at their size.
  const std::string svg = workbench::svg::WriteSvgString(bound_.Document());
  EXPECT_NE(svg.find("font-size=\"18\""), std::string::npos);
  auto reread = workbench::svg::ReadSvgString(svg, "markers.svg");
  ASSERT_TRUE(reread.ok());
  const workbench::document::Document& back = reread.value();
  const workbench::document::LayerId markers = back.FindLayerByTitle(generation::kWorkLayer1Title);
  int labels = 0;
  for (workbench::document::ArtId art : back.AllArtOfLayer(markers)) {
    const workbench::document::Art* a = back.FindArt(art);
    if (a->type != workbench::document::ArtType::kText || a->name != "trevask-a") continue;
    ++labels;
    EXPECT_EQ(a->placed.contents, "a");
    EXPECT_DOUBLE_EQ(a->placed.fontSize, 18.0);
    const workbench::geometry::Point start = a->placed.placement.Apply({0, 0});
    EXPECT_NEAR(start.x, anchor.h, 1e-6);
    EXPECT_NEAR(start.y, anchor.v, 1e-6);
  }
  EXPECT_EQ(labels, 1);
}

TEST_F(PointPicking, CursorsFollowThePickingStateAndWhatIsUnderThePointer) {
  for (std::int32_t idle : {kPickingIdle, kAwaitingWidth}) {
    EXPECT_EQ(CursorFor(idle, HitKind::kAnchor), kIdleCursor);
    EXPECT_EQ(CursorFor(idle, HitKind::kNothing), kIdleCursor);
  }
  for (std::int32_t first : {1, 2, 3, 4, 5, 6, 9, 10, 12, 14, 15}) {
    EXPECT_EQ(CursorFor(first, HitKind::kNothing), 17001) << first;
    EXPECT_EQ(CursorFor(first, HitKind::kAnchor), 17002) << first;
    EXPECT_EQ(CursorFor(first, HitKind::kSegment), 17003) << first;
  }
  for (std::int32_t second : {7, 8, 11, 13, 16}) {
    EXPECT_EQ(CursorFor(second, HitKind::kNothing), 17001) << second;
    EXPECT_EQ(CursorFor(second, HitKind::kAnchor), 17004) << second;
    EXPECT_EQ(CursorFor(second, HitKind::kSegment), 17005) << second;
  }
  Add(CommandType::kCutOff);
  QvToolMessage message{};
  message.d.self = kSelf;
  message.cursor = AtAnchor(3);
  ASSERT_EQ(TrackCursor(Ctx(), message), kQvNoErr);
  EXPECT_EQ(bound_.Ui().CursorOf(kSelf), 17002);
  EXPECT_EQ(State().pickingState, 14) << "tracking picks nothing";
}

}  // namespace
}  // namespace quorvane::panel
