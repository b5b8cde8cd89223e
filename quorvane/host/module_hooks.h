// What the host-integration layer calls in layers built above it (the
// panel, the point-picking tool, the document commands). The plug-in fills
// the table (quorvane/plugin/module_hook_table.h); every entry is required,
// and the table is checked complete where it is made.
//
// The table lives in the module's own constant data and is passed on every
// call, never stored in PluginGlobals: it points into the module's code.
#pragma once

#include <cstdint>

#include "quorvane/facade/host_document.h"
#include "quorvane/host/plugin_globals.h"

namespace quorvane::host {

struct ModuleHooks {
  /// Creates the information panel (sets PluginGlobals::panel).
  QvErr (*createPanel)(PluginGlobals& globals, HostDocument& document);
  /// Whether the panel is shown, and showing or hiding it.
  bool (*isPanelShown)(PluginGlobals& globals);
  QvErr (*showPanel)(PluginGlobals& globals, bool show);
  /// Releases the panel's drawing resources, then destroys its window, the
  /// panel and the flyout menu (shutdown).
  void (*releasePanelResources)(PluginGlobals& globals);
  void (*destroyPanel)(PluginGlobals& globals);
  /// The document changed under the panel while the tool was in use:
  /// disable the panel (with its save question).
  QvErr (*disablePanel)(PluginGlobals& globals, HostDocument& document);
  /// Redraw in the host's new interface colours.
  QvErr (*brightnessChanged)(PluginGlobals& globals);
  /// Refresh the set list and select `artHeldIndex` (none: -1).
  QvErr (*refreshSetList)(PluginGlobals& globals, HostDocument& document, int artHeldIndex);
  /// Runs panel command 1 to 36.
  QvErr (*panelCommand)(PluginGlobals& globals, HostDocument& document, std::int16_t command);
  /// Point-picking tool events: "AI Track Cursor", "AI Mouse Down",
  /// "AI Select", "AI Deselect".
  QvErr (*toolTrackCursor)(PluginGlobals& globals, HostDocument& document, const QvToolMessage& message);
  QvErr (*toolMouseDown)(PluginGlobals& globals, HostDocument& document, const QvToolMessage& message);
  QvErr (*toolSelected)(PluginGlobals& globals, HostDocument& document, const QvToolMessage& message);
  QvErr (*toolDeselected)(PluginGlobals& globals, HostDocument& document, const QvToolMessage& message);
  /// Document commands 1001 ("Create basic finish line") and 1004 (batch
  /// application).
  QvErr (*createBasicFinishLine)(PluginGlobals& globals, HostDocument& document);
  QvErr (*batchApply)(PluginGlobals& globals, HostDocument& document);
  /// Take down before "Unload" and set up again after "Reload" whatever
  /// the module made for the host to call back (panel procedures, timers).
  void (*beforeUnload)(PluginGlobals& globals);
  void (*afterReload)(PluginGlobals& globals);
};

/// Whether every entry of the table is set.
constexpr bool IsComplete(const ModuleHooks& h) {
  return h.createPanel && h.isPanelShown && h.showPanel && h.releasePanelResources && h.destroyPanel &&
         h.disablePanel && h.brightnessChanged && h.refreshSetList && h.panelCommand && h.toolTrackCursor &&
         h.toolMouseDown && h.toolSelected && h.toolDeselected && h.createBasicFinishLine && h.batchApply &&
         h.beforeUnload && h.afterReload;
}

}  // namespace quorvane::host
