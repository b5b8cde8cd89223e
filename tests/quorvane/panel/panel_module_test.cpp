// The real module loaded by the workbench host: its panel follows the tool,
// the user's clicks in the host's toolkit reach the module's commands and
// its hover tip shows the type buttons' names, also after the module was
// unloaded and loaded again.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "quorvane/commands/list_file.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/host/plugin_globals.h"
#include "quorvane/panel/hover_tip.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_state.h"
#include "quorvane/panel/panel_window.h"
#include "support/loaded_module.h"
#include "workbench/ui/headless_toolkit.h"

namespace quorvane::panel {
namespace {

namespace wb = workbench;

class PanelModule : public testing::LoadedModuleTest {
 protected:
  void TearDown() override { EXPECT_TRUE(Ui().ReportedErrors().empty()); }
  host::PluginGlobals& Globals() { return *LoadedModuleTest::Globals(); }
  wb::ui::HeadlessToolkit& Ui() { return *host_.HeadlessUi(); }
  QvWindowHandle Window() { return StateOf(Globals()).window; }
};

TEST_F(PanelModule, ThePanelFollowsTheToolReachesTheModuleAfterReloadingAndAsksToSaveWhenLeft) {
  LoadAndStart();  // no application-started notification: the tool makes the panel
  doc_.SetSelected(Square(0.0, 100.0), true);
  ASSERT_EQ(host_.SelectTool(Globals().tool), kQvNoErr);
  const std::optional<wb::ui::PanelInfo> panel = Ui().FindPanel(kPanelId);
  ASSERT_TRUE(panel);
  EXPECT_EQ(Globals().panel, panel->handle);
  EXPECT_TRUE(panel->shown);
  EXPECT_EQ(StateOf(Globals()).enabled, 1);
  EXPECT_TRUE(doc_.FindLayerByTitle(generation::kWorkLayer1Title));

  // A set made in the panel ("New", its name dialog answered OK), its
  // basic width changed.
  Ui().AddDialogAnswer(wb::ui::DialogAnswer{16258, {{wb::ui::DialogStep::Kind::kClick, 1, "", -1}}});
  ASSERT_TRUE(Ui().Click(Window(), kNewSetButton).delivered);
  ASSERT_TRUE(Ui().TypeText(Window(), kBasicWidthField, "3").delivered);
  ASSERT_TRUE(Ui().Click(Window(), kCreateButton).delivered);

  // Unloaded, the window keeps no procedure of the module; reloaded, it
  // reaches the module again.
  std::string error;
  ASSERT_EQ(module_->Unload(&error), kQvNoErr) << error;
  const wb::ui::ActionOutcome whileUnloaded = Ui().ChooseFlyoutItem(panel->handle, kShowOptionFlyoutItem);
  EXPECT_FALSE(whileUnloaded.delivered);
  EXPECT_NE(whileUnloaded.refusal.find("no notify procedure"), std::string::npos) << whileUnloaded.refusal;
  ASSERT_EQ(module_->Reload(&error), kQvNoErr) << error;
  ASSERT_TRUE(Ui().SelectRow(Window(), kCommandList, 0).delivered);
  EXPECT_EQ(StateOf(Globals()).selectedCommand, -1);
  EXPECT_FALSE(Ui().FindControl(Window(), kRemoveCommandButton)->enabled);

  // Another tool: the unsaved set is saved on request, the panel is
  // disabled and the work layers go.
  host_.Prompts().Script({wb::plugin::PromptKind::kQuestion, "'Command set 1' is changed. Do you want to save?", true});
  ASSERT_EQ(host_.SelectTool(nullptr), kQvNoErr);
  EXPECT_EQ(host_.Prompts().RemainingScript(), 0u);
  commands::CCommandSetList saved;
  ASSERT_TRUE(commands::LoadListFile(commands::LocateListFile(prefs_, commands::ListFileAccess::kRead), saved).read);
  ASSERT_EQ(saved.GetSetCount(), 1);
  EXPECT_FLOAT_EQ(saved.GetSet(0)->GetBasicWidth(), 3.0f);
  EXPECT_EQ(StateOf(Globals()).enabled, 0);
  EXPECT_FALSE(doc_.FindLayerByTitle(generation::kWorkLayer1Title));
  EXPECT_FALSE(doc_.FindLayerByTitle(generation::kWorkLayer2Title));

  EXPECT_EQ(module_->Shutdown(), kQvNoErr);
  EXPECT_FALSE(Ui().FindPanel(kPanelId));
}

// At the headless toolkit's scale of 1 the type button of code 10 (frame
// 17, 107, 26 × 26 in a window 500 units tall) covers x 17..43, y 367..393;
// its tip sits at its centre x 30, 10 pixels below its bottom: y 403.
constexpr QvPixelPoint kOverCode10{30, 380};
constexpr QvPixelPoint kCode10Anchor{30, 403};
// x 42 is also the left column of the code 4 button (frame 42, 107), which
// is looked at before code 10.
constexpr QvPixelPoint kOnSharedEdge{42, 380};
// Inside the panel, on none of the type buttons.
constexpr QvPixelPoint kAwayFromButtons{200, 300};

// The hover tip over the command-type buttons: the headless toolkit's
// pointer is moved and the panel's timer fired by hand, and the tip the
// module asks for is read back.
class HoverTip : public PanelModule {
 protected:
  void SetUp() override {
    LoadAndStart();
    ASSERT_EQ(host_.Notify(kQvApplicationStartedNotifier), kQvNoErr);
    window_ = Window();
    ASSERT_NE(window_, nullptr);
  }
  void MoveTo(QvPixelPoint where, bool over = true) { Ui().MovePointer(window_, where, over, false); }
  void Tick() { ASSERT_TRUE(Ui().FireTimer(window_, kHoverTipTimer).delivered); }
  /// Moves the pointer and keeps it there for two ticks.
  void Rest(QvPixelPoint where, bool over = true) {
    MoveTo(where, over);
    Tick();
    Tick();
  }
  void ExpectTip(const std::string& text, QvPixelPoint anchor) {
    const auto tip = Ui().TipOf(window_);
    ASSERT_TRUE(tip) << "no tip, expected " << text;
    EXPECT_EQ(tip->text, text);
    EXPECT_EQ(tip->anchor.x, anchor.x);
    EXPECT_EQ(tip->anchor.y, anchor.y);
  }
  bool NoTip() { return !Ui().TipOf(window_); }

  QvWindowHandle window_ = nullptr;
};

// (The tip's period and its window in the Qt toolkit are the toolkit's
// tests'.)
TEST_F(HoverTip, AStillPointerOverAButtonShowsItsNameUntilItRestsElsewhere) {
  // The first tick only sees where the pointer went; the next, with the
  // pointer still there, shows the tip below the button, and elsewhere on
  // the same button it stays.
  MoveTo(kOverCode10);
  Tick();
  EXPECT_TRUE(NoTip());
  Tick();
  ExpectTip("45. forward", kCode10Anchor);
  Rest({20, 370});
  ExpectTip("45. forward", kCode10Anchor);

  // Moving away leaves the tip for one tick; the still tick removes it.
  MoveTo(kAwayFromButtons);
  Tick();
  ExpectTip("45. forward", kCode10Anchor);
  Tick();
  EXPECT_TRUE(NoTip());

  // Where two buttons share a pixel column, code 4 is looked at first; from
  // there straight to code 0 (17, 169: y 305..331) the name is replaced.
  Rest(kOnSharedEdge);
  ExpectTip("45. backward", {55, 403});
  Rest({18, 306});
  ExpectTip("Rev. forward", {30, 341});
  // Another window over the button takes the tip away.
  Rest(kOverCode10, false);
  EXPECT_TRUE(NoTip());

  // Unloaded and loaded again, the timer reaches the module's new code;
  // the tip and its timer go with the panel.
  std::string error;
  ASSERT_EQ(module_->Unload(&error), kQvNoErr) << error;
  ASSERT_EQ(module_->Reload(&error), kQvNoErr) << error;
  Rest(kOverCode10);
  ExpectTip("45. forward", kCode10Anchor);
  EXPECT_EQ(module_->Shutdown(), kQvNoErr);
  EXPECT_FALSE(Ui().FireTimer(window_, kHoverTipTimer).delivered);
}

TEST_F(HoverTip, NamesFollowTheLanguageAndTheTipRunsWhileTheModuleIsBusy) {
  Globals().settings.language = text::Language::kJapanese;
  Rest(kOverCode10);
  ExpectTip("45°順", kCode10Anchor);

  // Any language but English is Japanese; the list's padding is not shown.
  // Code 9 ("Opening") at 67, 107: x 67..93.
  Globals().settings.language = text::Language::kKorean;
  Rest({70, 380});
  ExpectTip("カンコ", {80, 403});

  // A command holding the busy flag does not hold the tip back.
  Globals().panelBusy = 1;
  Globals().settings.language = text::Language::kEnglish;
  Rest({70, 370});
  ExpectTip("Opening", {80, 403});
  Globals().panelBusy = 0;
}

}  // namespace
}  // namespace quorvane::panel
