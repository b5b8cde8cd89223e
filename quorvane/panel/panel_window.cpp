#include "quorvane/panel/panel_window.h"

#include <vector>

#include "quorvane/commands/list_file.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/host/command_dispatch.h"
#include "quorvane/host/suite_table.h"
#include "quorvane/panel/panel_controller.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_layout.h"

namespace quorvane::panel {

namespace {

std::int32_t PanelHeight(const host::PluginGlobals& globals) {
  return globals.settings.showOption != 0 ? kPanelFullHeight : kPanelShortHeight;
}

QvErr AddFlyoutMenu(host::PluginGlobals& globals, host::HostUi& ui) {
  const bool english = globals.settings.language == settings::kLanguageEnglish;
  const QvPanelHandle panel = globals.panel;
  struct Item {
    std::int32_t number;
    const char* text;
  };
  // Items 5 and 9 offer the document commands, which the panel's own
  // buttons do not start.
  const Item items[] = {
      {kSettingsFlyoutItem, "Initial Settings..."},
      {kFlyoutSeparator, "-"},
      {kShowOptionFlyoutItem, "Show Option"},
      {4, "-"},
      {kCreateFinishLineFlyoutItem, english ? "Create basic finish line..." : "基本仕上り線作成..."},
      {kBatchApplyFlyoutItem, english ? "Batch Application..." : "一括適用..."},
  };
  for (const Item& item : items) {
    if (QvErr err = ui.AddFlyoutItem(panel, item.number, item.text)) return err;
  }
  return ui.CheckFlyoutItem(panel, kShowOptionFlyoutItem, globals.settings.showOption != 0);
}

void LoadListFile(PanelContext& ctx) {
  const std::optional<std::string> folder = ctx.doc.PreferencesFolder();
  if (!folder) return;
  const auto file = commands::LocateListFile(*folder, commands::ListFileAccess::kRead);
  // Lines the reader worked around are no reason to stop the panel.
  commands::LoadListFile(file, ctx.globals.commandSets);
}

void PressTypeButton(host::PluginGlobals& globals, std::int32_t button) {
  for (std::int16_t& pressed : globals.commandTypeButtons) pressed = 0;
  globals.commandTypeButtons[button - kFirstTypeButton] = 1;
}

host::PluginGlobals* GlobalsFor(void* data) {
  host::PluginGlobals* globals = host::CurrentGlobals();
  return globals != nullptr ? globals : static_cast<host::PluginGlobals*>(data);
}

QvErr ChooseFlyoutItem(host::PluginGlobals& globals, std::int32_t item) {
  switch (item) {
    case kSettingsFlyoutItem:
      // The settings dialog belongs to the desktop application, which does
      // not offer it yet: the item does nothing for now.
      return kQvNoErr;
    case kShowOptionFlyoutItem: {
      host::SuiteBracket bracket(globals.basic);
      host::HostUi ui(host::AcquiredSuites().ui);
      ToggleShowOption(globals, ui);
      return kQvNoErr;
    }
    case kCreateFinishLineFlyoutItem:
      return host::RunCommand(globals, kCreateFinishLineCommand);
    case kBatchApplyFlyoutItem:
      return host::RunCommand(globals, kBatchApplyCommand);
    default:
      return kQvNoErr;
  }
}

QvErr ChooseTypeButton(host::PluginGlobals& globals, QvWindowHandle window, std::int32_t button) {
  const std::int32_t previous = StateOf(globals).currentTypeButton;
  PressTypeButton(globals, button);
  if (previous != button) {
    host::SuiteBracket bracket(globals.basic);
    host::HostUi ui(host::AcquiredSuites().ui);
    ui.Invalidate(window, previous);
    ui.Invalidate(window, button);
  }
  return host::RunCommand(globals, static_cast<std::int16_t>(button));
}

}  // namespace

QvErr CreatePanel(PanelContext& ctx) {
  host::PluginGlobals& g = ctx.globals;
  PanelState& st = ctx.State();
  std::optional<QvPanelHandle> panel = ctx.ui.NewPanel(g.self, kPanelId, g.productName, kPanelWidth, PanelHeight(g));
  if (!panel) return ctx.ui.LastError();
  g.panel = *panel;
  // The flyout menu is part of the panel in this host.
  g.flyoutMenu = *panel;
  std::optional<QvWindowHandle> window = ctx.ui.PanelWindow(*panel);
  if (!window) return ctx.ui.LastError();
  st.window = *window;
  if (QvErr err = AddFlyoutMenu(g, ctx.ui)) return err;
  if (QvErr err = BuildControls(ctx)) return err;
  if (QvErr err = InstallNotifyProc(g, ctx.ui, true)) return err;
  // The hover tips over the type buttons come with the desktop
  // application's drawing; no timer runs for them yet.

  LoadListFile(ctx);
  g.selectedSet = g.commandSets.GetSetCount() > 0 ? 0 : -1;
  RefreshSets(ctx, false);
  PressTypeButton(g, kFirstTypeButton + 6);
  st.currentTypeButton = kFirstTypeButton + 6;
  ctx.ui.SetSelection(st.window, kOptimizeList, 0);

  st.enabled = 0;
  ApplyPanelEnabling(ctx, false);
  if (std::optional<host::LayerRef> markers = ctx.doc.FindLayer(generation::kWorkLayer1Title)) {
    generation::RemoveLayer(ctx.doc, *markers);
  }
  ctx.Run().workLayer1 = {};
  g.panelBusy = 0;
  return kQvNoErr;
}

void DestroyPanel(host::PluginGlobals& globals, host::HostUi& ui) {
  if (globals.panel == nullptr) return;
  InstallNotifyProc(globals, ui, false);
  ui.DeletePanel(globals.panel);
  globals.panel = nullptr;
  globals.flyoutMenu = nullptr;
  StateOf(globals).window = nullptr;
}

QvErr InstallNotifyProc(host::PluginGlobals& globals, host::HostUi& ui, bool install) {
  const QvWindowHandle window = StateOf(globals).window;
  if (window == nullptr) return kQvNoErr;
  return install ? ui.SetNotifyProc(window, PanelNotifyProc, &globals) : ui.SetNotifyProc(window, nullptr, nullptr);
}

void ToggleShowOption(host::PluginGlobals& globals, host::HostUi& ui) {
  globals.settings.showOption = globals.settings.showOption != 0 ? 0 : 1;
  if (globals.panel == nullptr) return;
  ui.CheckFlyoutItem(globals.panel, kShowOptionFlyoutItem, globals.settings.showOption != 0);
  ui.SetPanelSize(globals.panel, kPanelWidth, PanelHeight(globals));
}

QvErr PanelNotifyProc(QvWindowHandle window, std::int32_t control, std::int32_t notification, void* data) {
  host::PluginGlobals* globals = GlobalsFor(data);
  if (globals == nullptr) return kQvNoErr;
  if (notification == kQvFlyoutChosen) return ChooseFlyoutItem(*globals, control);
  if (globals->panelBusy != 0) return kQvNoErr;
  if (notification != kQvClicked && notification != kQvSelectionChanged && notification != kQvTextChanged) {
    return kQvNoErr;
  }
  if (control == kSetList || control == kCommandList) {
    if (notification != kQvSelectionChanged) return kQvNoErr;
    return host::RunCommand(*globals, static_cast<std::int16_t>(control));
  }
  if (control == kEditSetButton || (control >= kNewSetButton && control <= kAddButton) ||
      (control >= kRemoveCommandButton && control <= kAdjustField)) {
    return host::RunCommand(*globals, static_cast<std::int16_t>(control));
  }
  if (control >= kFirstTypeButton && control <= kLastTypeButton) return ChooseTypeButton(*globals, window, control);
  return kQvNoErr;
}

}  // namespace quorvane::panel
