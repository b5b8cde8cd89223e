#include "quorvane/panel/panel_window.h"

#include <vector>

#include "quorvane/commands/list_file.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/host/command_dispatch.h"
#include "quorvane/host/suite_table.h"
#include "quorvane/panel/hover_tip.h"
#include "quorvane/panel/panel_controller.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_drawing.h"
#include "quorvane/panel/panel_layout.h"
#include "quorvane/panel/panel_texts.h"
#include "quorvane/panel/theme.h"
#include "quorvane/settings/settings_dialog.h"
#include "quorvane/settings/settings_file.h"
#include "quorvane/text/messages.h"

namespace quorvane::panel {

namespace {

std::int32_t PanelHeight(const host::PluginGlobals& globals) {
  return globals.settings.showOption != 0 ? kPanelFullHeight : kPanelShortHeight;
}

QvErr AddFlyoutMenu(host::PluginGlobals& globals, host::HostUi& ui) {
  const text::Language language = globals.settings.language;
  const QvPanelHandle panel = globals.panel;
  struct Item {
    std::int32_t number;
    std::string_view text;
  };
  // Items 5 and 9 offer the document commands, which the panel's own
  // buttons do not start.
  const Item items[] = {
      {kSettingsFlyoutItem, "Initial Settings..."},
      {kFlyoutSeparator, "-"},
      {kShowOptionFlyoutItem, "Show Option"},
      {4, "-"},
      {kCreateFinishLineFlyoutItem, text::Text(text::Message::kCreateFinishLineMenuItem, language)},
      {kBatchApplyFlyoutItem, text::Text(text::Message::kBatchApplicationMenuItem, language)},
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
  // Lines the reader left out or changed are no reason to stop the panel,
  // but a set that vanished from a hand-edited file must not go unnoticed:
  // the user is told once, with the file and line of each. The panel opens
  // whether or not the alert could be shown.
  const commands::ListLoadResult loaded = commands::LoadListFile(file, ctx.globals.commandSets);
  if (!loaded.problems.empty()) ctx.doc.Alert(ListFileProblemsText(loaded.problems, ctx.InterfaceLanguage()));
}

host::PluginGlobals* GlobalsFor(void* data) {
  host::PluginGlobals* globals = host::CurrentGlobals();
  return globals != nullptr ? globals : static_cast<host::PluginGlobals*>(data);
}

// After OK the panel's width label takes the new unit, generation the new
// unit and scale, and the settings file is written at once.
QvErr ShowSettingsDialog(host::PluginGlobals& globals) {
  host::SuiteBracket bracket(globals.basic);
  host::HostUi ui(host::AcquiredSuites().ui);
  host::HostDocument document(host::AcquiredSuites());
  if (!settings::RunSettingsDialog(ui, globals.self, globals.settings)) return kQvNoErr;
  globals.run.pointsPerUnit = globals.settings.unitFactor;
  globals.run.scaledDrawing = globals.settings.scaledDrawing != 0;
  PanelContext ctx{globals, document, ui};
  if (ctx.State().window != nullptr) {
    RefreshUnitLabel(ctx);
    ui.Invalidate(ctx.State().window, 0);
  }
  // A file that cannot be written is left as it was; the values stay in
  // use and are tried again at shutdown.
  if (std::optional<std::string> folder = document.PreferencesFolder()) {
    settings::SettingsFile(*folder).Save(globals.settings);
  }
  return kQvNoErr;
}

QvErr ChooseFlyoutItem(host::PluginGlobals& globals, std::int32_t item) {
  switch (item) {
    case kSettingsFlyoutItem:
      return ShowSettingsDialog(globals);
    case kShowOptionFlyoutItem: {
      host::SuiteBracket bracket(globals.basic);
      host::HostUi ui(host::AcquiredSuites().ui);
      ToggleShowOption(globals, ui);
      return kQvNoErr;
    }
    case kCreateFinishLineFlyoutItem:
      return host::RunCommand(globals, kCreateFinishLineCommand);
    case kMakePatternFlyoutItem:
      return host::RunCommand(globals, host::kMakePatternCommand);
    case kTraceRasterFlyoutItem:
      return host::RunCommand(globals, host::kTraceRasterCommand);
    case kBatchApplyFlyoutItem:
      return host::RunCommand(globals, kBatchApplyCommand);
    default:
      return kQvNoErr;
  }
}

QvErr ChooseTypeButton(host::PluginGlobals& globals, QvWindowHandle window, std::int32_t button) {
  const std::int32_t previous = PressedTypeButton(globals);
  PressTypeButton(globals, button);
  if (previous != button) {
    host::SuiteBracket bracket(globals.basic);
    host::HostUi ui(host::AcquiredSuites().ui);
    ui.Invalidate(window, previous);
    ui.Invalidate(window, button);
  }
  return host::RunCommand(globals, static_cast<std::int16_t>(button));
}

QvErr TickTimer(host::PluginGlobals& globals) {
  host::SuiteBracket bracket(globals.basic);
  host::HostUi ui(host::AcquiredSuites().ui);
  TickHoverTip(globals, ui);
  return kQvNoErr;
}

// The globals the window's procedure was installed with, for drawing, whose
// notification carries the item instead of them.
host::PluginGlobals* g_drawingGlobals = nullptr;

QvErr DrawRoutedItem(QvWindowHandle window, void* data) {
  host::PluginGlobals* globals = host::CurrentGlobals();
  if (globals == nullptr) globals = g_drawingGlobals;
  if (globals == nullptr || data == nullptr) return kQvNoErr;
  host::SuiteBracket bracket(globals->basic);
  host::HostUi ui(host::AcquiredSuites().ui);
  return DrawPanelItem(*globals, ui, window, *static_cast<const QvDrawItem*>(data), MakeTheme(DarkInterface(ui)));
}

QvErr BuildPanel(PanelContext& ctx) {
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
  // The font first, so that the controls are laid out in it.
  if (QvErr err = ApplyPanelFont(ctx.ui, st.window, g.settings.language)) return err;
  if (QvErr err = BuildControls(ctx)) return err;
  if (QvErr err = InstallNotifyProc(g, ctx.ui, true)) return err;
  // The hover tip over the type buttons looks at the pointer on each tick.
  RemoveHoverTip(g, ctx.ui);
  if (QvErr err = ctx.ui.StartTimer(st.window, kHoverTipTimer, kHoverTipPeriodMs)) return err;

  LoadListFile(ctx);
  g.selectedSet = g.commandSets.GetSetCount() > 0 ? 0 : -1;
  RefreshSets(ctx, false);
  PressTypeButton(g, kDefaultTypeButton);
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

}  // namespace

QvErr CreatePanel(PanelContext& ctx) {
  const QvErr err = BuildPanel(ctx);
  // A panel made only part-way is taken down again, so that the next tool
  // selection or application start makes it anew instead of finding a
  // handle to a panel that never finished and stays busy.
  if (err != kQvNoErr) DestroyPanel(ctx.globals, ctx.ui);
  return err;
}

void DestroyPanel(host::PluginGlobals& globals, host::HostUi& ui) {
  if (globals.panel == nullptr) return;
  if (StateOf(globals).window != nullptr) ui.StopTimer(StateOf(globals).window, kHoverTipTimer);
  RemoveHoverTip(globals, ui);
  InstallNotifyProc(globals, ui, false);
  ui.DeletePanel(globals.panel);
  globals.panel = nullptr;
  globals.flyoutMenu = nullptr;
  StateOf(globals).window = nullptr;
}

QvErr InstallNotifyProc(host::PluginGlobals& globals, host::HostUi& ui, bool install) {
  const QvWindowHandle window = StateOf(globals).window;
  if (window == nullptr) return kQvNoErr;
  g_drawingGlobals = install ? &globals : nullptr;
  return install ? ui.SetNotifyProc(window, PanelNotifyProc, &globals) : ui.SetNotifyProc(window, nullptr, nullptr);
}

void ToggleShowOption(host::PluginGlobals& globals, host::HostUi& ui) {
  globals.settings.showOption = globals.settings.showOption != 0 ? 0 : 1;
  if (globals.panel == nullptr) return;
  ui.CheckFlyoutItem(globals.panel, kShowOptionFlyoutItem, globals.settings.showOption != 0);
  ui.SetPanelSize(globals.panel, kPanelWidth, PanelHeight(globals));
}

QvErr PanelNotifyProc(QvWindowHandle window, std::int32_t control, std::int32_t notification, void* data) {
  // Drawing comes with the item to draw instead of the installed data, and
  // is done even while a command runs.
  if (notification == kQvDrawItem) return DrawRoutedItem(window, data);
  host::PluginGlobals* globals = GlobalsFor(data);
  if (globals == nullptr) return kQvNoErr;
  if (notification == kQvFlyoutChosen) return ChooseFlyoutItem(*globals, control);
  // The tip follows the pointer also while a command runs; only commands
  // wait for the busy flag.
  if (notification == kQvTimerFired) return control == kHoverTipTimer ? TickTimer(*globals) : kQvNoErr;
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
  if (TypeOfButton(control)) return ChooseTypeButton(*globals, window, control);
  return kQvNoErr;
}

}  // namespace quorvane::panel
