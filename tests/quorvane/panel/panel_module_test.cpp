// The real module loaded by the workbench host: its panel follows the tool,
// and the user's clicks in the host's toolkit reach the module's commands,
// also after the module was unloaded and loaded again.
#include <gtest/gtest.h>

#include <string>

#include "quorvane/commands/list_file.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/host/plugin_globals.h"
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

  // A "Rev. forward" picked with the tool's mouse down on anchor 3 of a set
  // made in the panel, each click one play of the module's action.
  Ui().AddDialogAnswer(wb::ui::DialogAnswer{16258, {{wb::ui::DialogStep::Kind::kClick, 1, "", -1}}});
  for (std::int32_t control : {kNewSetButton, kFirstTypeButton, kAddButton}) {
    ASSERT_TRUE(Ui().Click(Window(), control).delivered) << control;
  }
  EXPECT_EQ(StateOf(Globals()).pickingState, PickingState::kRevForward);
  ASSERT_EQ(host_.SendToolEvent(kQvSelectorMouseDown, QvRealPoint{100.0, 100.0}), kQvNoErr);
  EXPECT_EQ(StateOf(Globals()).pickingState, PickingState::kIdle);
  EXPECT_EQ(Ui().FindControl(Window(), kCommandList)->items.at(1), "2  Rev. forward       3      ");

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
  EXPECT_EQ(saved.GetSet(0)->GetCommandCount(), 1);
  EXPECT_EQ(StateOf(Globals()).enabled, 0);
  EXPECT_FALSE(doc_.FindLayerByTitle(generation::kWorkLayer1Title));
  EXPECT_FALSE(doc_.FindLayerByTitle(generation::kWorkLayer2Title));

  EXPECT_EQ(module_->Shutdown(), kQvNoErr);
  EXPECT_FALSE(Ui().FindPanel(kPanelId));
  EXPECT_TRUE(Ui().ReportedErrors().empty());
}

}  // namespace
}  // namespace quorvane::panel
