#include "quorvane/panel/panel_hooks.h"

#include "quorvane/facade/host_ui.h"
#include "quorvane/host/suite_table.h"
#include "quorvane/panel/panel_context.h"
#include "quorvane/panel/panel_controller.h"
#include "quorvane/panel/panel_window.h"
#include "quorvane/panel/point_picking_tool.h"

namespace quorvane::panel {

namespace {

host::HostUi AcquiredUi() { return host::HostUi(host::AcquiredSuites().ui); }

template <typename F>
QvErr WithContext(host::PluginGlobals& globals, host::HostDocument& document, F&& body) {
  host::HostUi ui = AcquiredUi();
  PanelContext ctx{globals, document, ui};
  return body(ctx);
}

// The UI suite alone, outside any call that acquired it.
class UiSuiteHold {
 public:
  explicit UiSuiteHold(const QvBasicSuite* basic) : basic_(basic) {
    const void* suite = nullptr;
    if (basic_ != nullptr && basic_->AcquireSuite != nullptr &&
        basic_->AcquireSuite(kQvUiSuite, kQvUiSuiteVersion, &suite) == kQvNoErr) {
      suite_ = static_cast<const QvUiSuite*>(suite);
    }
  }
  ~UiSuiteHold() {
    if (suite_ != nullptr && basic_->ReleaseSuite != nullptr) basic_->ReleaseSuite(kQvUiSuite, kQvUiSuiteVersion);
  }
  UiSuiteHold(const UiSuiteHold&) = delete;
  UiSuiteHold& operator=(const UiSuiteHold&) = delete;
  const QvUiSuite* Suite() const { return suite_; }

 private:
  const QvBasicSuite* basic_;
  const QvUiSuite* suite_ = nullptr;
};

}  // namespace

QvErr CreatePanelHook(host::PluginGlobals& globals, host::HostDocument& document) {
  return WithContext(globals, document, [](PanelContext& ctx) { return CreatePanel(ctx); });
}

bool IsPanelShownHook(host::PluginGlobals& globals) {
  if (globals.panel == nullptr) return false;
  return AcquiredUi().IsPanelShown(globals.panel).value_or(false);
}

QvErr ShowPanelHook(host::PluginGlobals& globals, bool show) {
  if (globals.panel == nullptr) return kQvNoErr;
  return AcquiredUi().ShowPanel(globals.panel, show);
}

void ReleasePanelResourcesHook(host::PluginGlobals&) {
  // The panel holds no drawing resources: its theme is worked out for each
  // drawing and its pictures are part of the module.
}

void DestroyPanelHook(host::PluginGlobals& globals) {
  host::HostUi ui = AcquiredUi();
  DestroyPanel(globals, ui);
}

QvErr DisablePanelHook(host::PluginGlobals& globals, host::HostDocument& document) {
  return WithContext(globals, document, [](PanelContext& ctx) {
    SetPanelEnabled(ctx, false);
    return kQvNoErr;
  });
}

QvErr BrightnessChangedHook(host::PluginGlobals& globals) {
  const QvWindowHandle window = StateOf(globals).window;
  if (window == nullptr) return kQvNoErr;
  return AcquiredUi().Invalidate(window, 0);
}

QvErr RefreshSetListHook(host::PluginGlobals& globals, host::HostDocument& document, int artHeldIndex) {
  return WithContext(globals, document, [artHeldIndex](PanelContext& ctx) { return RefreshSetList(ctx, artHeldIndex); });
}

QvErr PanelCommandHook(host::PluginGlobals& globals, host::HostDocument& document, std::int16_t command) {
  const std::int16_t busy = globals.panelBusy;
  globals.panelBusy = 1;
  QvErr err = WithContext(globals, document, [command](PanelContext& ctx) { return RunPanelCommand(ctx, command); });
  globals.panelBusy = busy;
  return err;
}

QvErr ToolSelectedHook(host::PluginGlobals& globals, host::HostDocument& document, const QvToolMessage&) {
  return WithContext(globals, document, [](PanelContext& ctx) { return ToolSelected(ctx); });
}

QvErr ToolDeselectedHook(host::PluginGlobals& globals, host::HostDocument& document, const QvToolMessage&) {
  return WithContext(globals, document, [](PanelContext& ctx) { return ToolDeselected(ctx); });
}

QvErr ToolTrackCursorHook(host::PluginGlobals& globals, host::HostDocument& document, const QvToolMessage& message) {
  return WithContext(globals, document, [&message](PanelContext& ctx) { return TrackCursor(ctx, message); });
}

QvErr ToolMouseDownHook(host::PluginGlobals& globals, host::HostDocument& document, const QvToolMessage& message) {
  return WithContext(globals, document, [&message](PanelContext& ctx) { return MouseDown(ctx, message); });
}

// Unloading and reloading take the toolkit suite only when there is a panel
// window whose procedure must come off or go back on; the basic suite is the
// one the unload or reload message itself brought.
void BeforeUnloadHook(host::PluginGlobals& globals) {
  if (StateOf(globals).window == nullptr) return;
  UiSuiteHold hold(globals.basic);
  host::HostUi ui(hold.Suite());
  InstallNotifyProc(globals, ui, false);
}

void AfterReloadHook(host::PluginGlobals& globals) {
  if (StateOf(globals).window == nullptr) return;
  UiSuiteHold hold(globals.basic);
  host::HostUi ui(hold.Suite());
  InstallNotifyProc(globals, ui, true);
}

}  // namespace quorvane::panel
