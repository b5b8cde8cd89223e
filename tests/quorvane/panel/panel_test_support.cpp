#include "panel_test_support.h"

#include <cmath>

#include "quorvane/commands/list_file.h"
#include "quorvane/host/command_dispatch.h"
#include "quorvane/panel/panel_controller.h"
#include "quorvane/panel/panel_hooks.h"
#include "quorvane/panel/panel_window.h"
#include "quorvane/plugin/module_hook_table.h"
#include "workbench/ui/dialog_script.h"

namespace quorvane::panel::testing {

using quorvane::testing::Rectangle;

PanelFixture::PanelFixture() : globals_(std::make_unique<host::PluginGlobals>()) {
  settings::FillDefaultPlateColors(globals_->settings);
  globals_->basic = bound_.Host().BasicSuite();
  hostUi_ = std::make_unique<host::HostUi>(bound_.Suites().ui);
  ctx_ = std::make_unique<PanelContext>(PanelContext{*globals_, bound_.Doc(), *hostUi_});
  Layer("Layer 1");
  bound_.Host().Actions().Register("Quorvane_INSIDECMD", "Quorvane Inside Objects Command",
                                   [this](const workbench::plugin::ActionPlay&) {
                                     return host::DispatchCommand(*globals_, Doc(), plugin::kModuleHooks);
                                   });
}

PanelFixture::~PanelFixture() {
  EXPECT_EQ(Prompts().RemainingScript(), 0u) << "a prompt the test expected was not shown";
  EXPECT_EQ(Ui().PendingDialogAnswers(), 0u) << "a dialog the test expected was not shown";
  for (const auto& shown : Prompts().Shown()) EXPECT_TRUE(shown.answered) << "unexpected: " << shown.text;
  for (const auto& dialog : Dialogs()) EXPECT_EQ(dialog.failure, "");
}

void PanelFixture::CreatePanelIn(text::Language language) {
  globals_->settings.language = language;
  globals_->run.language = language;
  ASSERT_EQ(CreatePanel(*ctx_), kQvNoErr);
  ASSERT_NE(Window(), nullptr);
}

host::LayerRef PanelFixture::Layer(const std::string& title) {
  if (auto found = Doc().FindLayer(title)) return *found;
  const host::LayerRef layer = Doc().InsertLayer({}).value_or(host::LayerRef{});
  EXPECT_EQ(Doc().SetLayerTitle(layer, title), kQvNoErr);
  return layer;
}

host::ArtRef PanelFixture::Piece(const std::vector<host::PathSegment>& segments, bool closed,
                                 const std::string& layer) {
  const auto group = Doc().LayerGroup(Layer(layer));
  const host::ArtRef path = Doc().NewPath(host::PaintOrder::kInsideOnTop, group.value_or(host::ArtRef{})).value();
  QvPathStyle style{};
  style.strokePaint = 1;
  style.stroke.width = 0.75;
  style.stroke.color.kind = kQvColorGray;
  style.stroke.color.gray = 1.0;
  style.stroke.miterLimit = 4.0;
  EXPECT_EQ(Doc().SetSegments(path, segments) | Doc().SetClosed(path, closed) | Doc().SetStyle(path, style) |
                Doc().SetSelected(path, true),
            kQvNoErr);
  return path;
}

host::ArtRef PanelFixture::SelectSquare(double x, double y, double size) {
  for (host::ArtRef art : Doc().SelectedArt().value_or(std::vector<host::ArtRef>{})) Doc().SetSelected(art, false);
  return Piece(Rectangle(x, y, size, size), true, "Layer 1");
}

std::vector<host::ArtRef> PanelFixture::ArtOn(const std::string& title) {
  const auto layer = Doc().FindLayer(title);
  return layer ? Doc().AllArtOfLayer(*layer).value_or(std::vector<host::ArtRef>{}) : std::vector<host::ArtRef>{};
}

int PanelFixture::LayerIndex(const std::string& title) {
  for (int i = 0; i < Doc().LayerCount().value_or(0); ++i) {
    if (Doc().LayerTitle(Doc().NthLayer(i).value()) == title) return i;
  }
  return -1;
}

void PanelFixture::ExpectRectangle(host::ArtRef art, double x0, double y0, double x1, double y1) {
  // The host's offset flattens and refits; straight edges come back within this.
  constexpr double kTolerance = 1e-3;
  const auto segments = Doc().Segments(art).value_or(std::vector<host::PathSegment>{});
  ASSERT_EQ(segments.size(), 4u);
  EXPECT_TRUE(Doc().IsClosed(art).value_or(false));
  for (const auto& s : segments) {
    const bool corner = (std::abs(s.p.h - x0) < kTolerance || std::abs(s.p.h - x1) < kTolerance) &&
                        (std::abs(s.p.v - y0) < kTolerance || std::abs(s.p.v - y1) < kTolerance);
    EXPECT_TRUE(corner) << "(" << s.p.h << ", " << s.p.v << ") is no corner of [" << x0 << ", " << x1 << "] x ["
                        << y0 << ", " << y1 << "]";
  }
  EXPECT_NEAR(Doc().SignedArea(art).value_or(0.0), (x1 - x0) * (y1 - y0), 0.05);
}

void PanelFixture::StartWithSquare() {
  SelectSquare(0.0, 0.0, 100.0);
  CreatePanelIn(text::Language::kEnglish);
  ASSERT_EQ(ToolSelected(*ctx_), kQvNoErr);
  ASSERT_EQ(State().enabled, 1);
}

namespace {

void ExpectDelivered(const workbench::ui::ActionOutcome& outcome, std::int32_t control, bool withResult = true) {
  ASSERT_TRUE(outcome.delivered) << "control " << control << ": " << outcome.refusal;
  if (withResult) {
    EXPECT_EQ(outcome.result, kQvNoErr) << "control " << control;
  }
}

}  // namespace

void PanelFixture::Click(std::int32_t control) { ExpectDelivered(Ui().Click(Window(), control), control); }

void PanelFixture::SelectRow(std::int32_t control, std::int32_t row) {
  ExpectDelivered(Ui().SelectRow(Window(), control, row), control);
}

void PanelFixture::Type(std::int32_t control, const std::string& text) {
  ExpectDelivered(Ui().TypeText(Window(), control, text), control, false);
}

void PanelFixture::AnswerNameDialog(const std::string& name, bool ok) {
  using Step = workbench::ui::DialogStep;
  workbench::ui::DialogAnswer answer;
  answer.resourceId = text::EnglishDialogs(globals_->settings.language) ? 16258 : 16158;
  if (!name.empty()) answer.steps.push_back(Step{Step::Kind::kSetText, 5, name, -1});
  answer.steps.push_back(Step{Step::Kind::kClick, ok ? 1 : 2, "", -1});
  Ui().AddDialogAnswer(answer);
}

void PanelFixture::Answer(const std::string& script) {
  std::string error;
  auto answer = workbench::ui::ParseDialogAnswer(script, &error);
  ASSERT_TRUE(answer) << error;
  Ui().AddDialogAnswer(*answer);
}

void PanelFixture::ExpectAlert(const std::string& text) {
  Prompts().Script({workbench::plugin::PromptKind::kAlert, text, true});
}

void PanelFixture::ExpectQuestion(const std::string& text, bool yes) {
  Prompts().Script({workbench::plugin::PromptKind::kQuestion, text, yes});
}

workbench::ui::ControlState PanelFixture::Control(std::int32_t id) {
  std::optional<workbench::ui::ControlState> control = Ui().FindControl(Window(), id);
  EXPECT_TRUE(control) << "no control " << id;
  return control.value_or(workbench::ui::ControlState{});
}

std::vector<std::string> PanelFixture::Rows(std::int32_t list) { return Control(list).items; }

std::string PanelFixture::ListFilePath() const {
  return commands::LocateListFile(bound_.Prefs(), commands::ListFileAccess::kRead).string();
}

}  // namespace quorvane::panel::testing
