// What the host-integration layer calls in layers built above it (the
// panel, the point-picking tool, the document commands). The module's entry
// point fills the table with the functions it is linked with; a null entry
// is a part not built into this module, and its work is skipped.
//
// The table lives in the module's own constant data and is passed on every
// call, never stored in PluginGlobals: it points into the module's code.
#pragma once

#include <cstdint>

#include "quorvane/host/host_document.h"
#include "quorvane/host/plugin_globals.h"

namespace quorvane::host {

struct ModuleHooks {
  /// Creates the information panel (sets PluginGlobals::panel).
  QvErr (*createPanel)(PluginGlobals& globals, HostDocument& document) = nullptr;
  /// Whether the panel is shown, and showing or hiding it.
  bool (*isPanelShown)(PluginGlobals& globals) = nullptr;
  QvErr (*showPanel)(PluginGlobals& globals, bool show) = nullptr;
  /// Releases the panel's drawing resources, then destroys its window, the
  /// panel and the flyout menu (shutdown).
  void (*releasePanelResources)(PluginGlobals& globals) = nullptr;
  void (*destroyPanel)(PluginGlobals& globals) = nullptr;
  /// The document changed under the panel while the tool was in use:
  /// disable the panel (with its save question).
  QvErr (*disablePanel)(PluginGlobals& globals, HostDocument& document) = nullptr;
  /// Redraw in the host's new interface colours.
  QvErr (*brightnessChanged)(PluginGlobals& globals) = nullptr;
  /// Refresh the set list and select `artHeldIndex` (none: -1).
  QvErr (*refreshSetList)(PluginGlobals& globals, HostDocument& document, int artHeldIndex) = nullptr;
  /// Runs panel command 1 to 36.
  QvErr (*panelCommand)(PluginGlobals& globals, HostDocument& document, std::int16_t command) = nullptr;
  /// Point-picking tool events: "AI Track Cursor", "AI Mouse Down",
  /// "AI Select", "AI Deselect".
  QvErr (*toolTrackCursor)(PluginGlobals& globals, HostDocument& document, const QvToolMessage& message) = nullptr;
  QvErr (*toolMouseDown)(PluginGlobals& globals, HostDocument& document, const QvToolMessage& message) = nullptr;
  QvErr (*toolSelected)(PluginGlobals& globals, HostDocument& document, const QvToolMessage& message) = nullptr;
  QvErr (*toolDeselected)(PluginGlobals& globals, HostDocument& document, const QvToolMessage& message) = nullptr;
  /// Document commands 1001 ("Create basic finish line") and 1004 (batch
  /// application).
  QvErr (*createBasicFinishLine)(PluginGlobals& globals, HostDocument& document) = nullptr;
  QvErr (*batchApply)(PluginGlobals& globals, HostDocument& document) = nullptr;
  /// Take down before "Unload" and set up again after "Reload" whatever
  /// the module made for the host to call back (panel procedures, timers).
  void (*beforeUnload)(PluginGlobals& globals) = nullptr;
  void (*afterReload)(PluginGlobals& globals) = nullptr;
};

}  // namespace quorvane::host
