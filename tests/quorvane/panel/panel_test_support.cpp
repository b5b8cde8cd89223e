#include "panel_test_support.h"

#include "quorvane/commands/list_file.h"
#include "quorvane/host/command_dispatch.h"
#include "quorvane/panel/panel_controller.h"
#include "quorvane/panel/panel_hooks.h"
#include "quorvane/panel/panel_window.h"

namespace quorvane::panel::testing {

PanelFixture::PanelFixture() : globals_(std::make_unique<host::PluginGlobals>()) {
  globals_->basic = bound_.Host().BasicSuite();
  hostUi_ = std::make_unique<host::HostUi>(bound_.Suites().ui);
  ctx_ = std::make_unique<PanelContext>(PanelContext{*globals_, bound_.Doc(), *hostUi_});
  layer_ = Doc().InsertLayer({}).value_or(host::LayerRef{});
  Doc().SetLayerTitle(layer_, "Layer 1");
  bound_.Host().Actions().Register("Quorvane_INSIDECMD", "Quorvane Inside Objects Command",
                                   [this](const workbench::plugin::ActionPlay&) {
                                     return host::DispatchCommand(*globals_, Doc(), hooks_);
                                   });
}

PanelFixture::~PanelFixture() {
  EXPECT_EQ(Prompts().RemainingScript(), 0u) << "a prompt the test expected was not shown";
  EXPECT_EQ(Ui().PendingDialogAnswers(), 0u) << "a dialog the test expected was not shown";
}

void PanelFixture::CreatePanelIn(text::Language language) {
  globals_->settings.language = language;
  globals_->run.language = language;
  ASSERT_EQ(CreatePanel(*ctx_), kQvNoErr);
  ASSERT_NE(Window(), nullptr);
}

host::ArtRef PanelFixture::SelectSquare(double x, double y, double size) {
  auto path = Doc().NewPath(host::PaintOrder::kInsideOnTop, Doc().LayerGroup(layer_).value_or(host::ArtRef{}));
  EXPECT_TRUE(path);
  if (!path) return {};
  EXPECT_EQ(Doc().SetSegments(*path, quorvane::testing::Rectangle(x, y, size, size)), kQvNoErr);
  EXPECT_EQ(Doc().SetClosed(*path, true), kQvNoErr);
  QvPathStyle style{};
  style.strokePaint = 1;
  style.stroke.width = 1.0;
  style.stroke.color.kind = kQvColorGray;
  style.stroke.color.gray = 1.0;
  style.stroke.miterLimit = 4.0;
  EXPECT_EQ(Doc().SetStyle(*path, style), kQvNoErr);
  for (host::ArtRef art : Doc().SelectedArt().value_or(std::vector<host::ArtRef>{})) Doc().SetSelected(art, false);
  EXPECT_EQ(Doc().SetSelected(*path, true), kQvNoErr);
  return *path;
}

void PanelFixture::StartWithSquare() {
  SelectSquare(0.0, 0.0, 100.0);
  CreatePanelIn(text::Language::kEnglish);
  ASSERT_EQ(ToolSelected(*ctx_), kQvNoErr);
  ASSERT_EQ(State().enabled, 1);
}

void PanelFixture::Click(std::int32_t control) {
  const workbench::ui::ActionOutcome outcome = Ui().Click(Window(), control);
  ASSERT_TRUE(outcome.delivered) << "control " << control << ": " << outcome.refusal;
  EXPECT_EQ(outcome.result, kQvNoErr) << "control " << control;
}

void PanelFixture::SelectRow(std::int32_t control, std::int32_t row) {
  const workbench::ui::ActionOutcome outcome = Ui().SelectRow(Window(), control, row);
  ASSERT_TRUE(outcome.delivered) << "control " << control << ": " << outcome.refusal;
  EXPECT_EQ(outcome.result, kQvNoErr) << "control " << control;
}

void PanelFixture::Type(std::int32_t control, const std::string& text) {
  const workbench::ui::ActionOutcome outcome = Ui().TypeText(Window(), control, text);
  ASSERT_TRUE(outcome.delivered) << "control " << control << ": " << outcome.refusal;
}

void PanelFixture::AnswerNameDialog(const std::string& name, bool ok) {
  using Step = workbench::ui::DialogStep;
  workbench::ui::DialogAnswer answer;
  answer.resourceId = text::EnglishDialogs(globals_->settings.language) ? 16258 : 16158;
  if (!name.empty()) answer.steps.push_back(Step{Step::Kind::kSetText, 5, name, -1});
  answer.steps.push_back(Step{Step::Kind::kClick, ok ? 1 : 2, "", -1});
  Ui().AddDialogAnswer(answer);
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
