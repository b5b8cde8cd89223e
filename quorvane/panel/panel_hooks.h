// The panel's entries in the module's hook table (host/module_hooks.h):
// each takes the UI toolkit from the suites acquired for the host's call.
#pragma once

#include <cstdint>

#include "quorvane/facade/host_document.h"
#include "quorvane/host/plugin_globals.h"
#include "sdk/messages.h"

namespace quorvane::panel {

QvErr CreatePanelHook(host::PluginGlobals& globals, host::HostDocument& document);
bool IsPanelShownHook(host::PluginGlobals& globals);
QvErr ShowPanelHook(host::PluginGlobals& globals, bool show);
void ReleasePanelResourcesHook(host::PluginGlobals& globals);
void DestroyPanelHook(host::PluginGlobals& globals);
QvErr DisablePanelHook(host::PluginGlobals& globals, host::HostDocument& document);
QvErr BrightnessChangedHook(host::PluginGlobals& globals);
QvErr RefreshSetListHook(host::PluginGlobals& globals, host::HostDocument& document, int artHeldIndex);
/// Runs a panel command with the busy flag set, so that nothing the
/// command does to the controls comes back as another command.
QvErr PanelCommandHook(host::PluginGlobals& globals, host::HostDocument& document, std::int16_t command);
QvErr ToolSelectedHook(host::PluginGlobals& globals, host::HostDocument& document, const QvToolMessage& message);
QvErr ToolDeselectedHook(host::PluginGlobals& globals, host::HostDocument& document, const QvToolMessage& message);
QvErr ToolTrackCursorHook(host::PluginGlobals& globals, host::HostDocument& document, const QvToolMessage& message);
QvErr ToolMouseDownHook(host::PluginGlobals& globals, host::HostDocument& document, const QvToolMessage& message);
/// Unload and reload touch only the UI toolkit suite, acquired for the
/// moment through the basic suite kept in the globals.
void BeforeUnloadHook(host::PluginGlobals& globals);
void AfterReloadHook(host::PluginGlobals& globals);

}  // namespace quorvane::panel
