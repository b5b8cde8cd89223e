// The module's exported entry points: PluginMain, and the resources the host
// shows (tool icons, cursors).
#include "quorvane/document_commands/document_command_hooks.h"
#include "quorvane/host/module_hooks.h"
#include "quorvane/host/plugin_entry.h"
#include "quorvane/panel/panel_hooks.h"
#include "quorvane/resources/module_resources.h"
#include "sdk/plugin_main.h"

namespace {

// The layers above host integration that this module is built with: the
// panel with its point-picking tool, and the document commands.
constexpr quorvane::host::ModuleHooks kModuleHooks{
    .createPanel = quorvane::panel::CreatePanelHook,
    .isPanelShown = quorvane::panel::IsPanelShownHook,
    .showPanel = quorvane::panel::ShowPanelHook,
    .releasePanelResources = quorvane::panel::ReleasePanelResourcesHook,
    .destroyPanel = quorvane::panel::DestroyPanelHook,
    .disablePanel = quorvane::panel::DisablePanelHook,
    .brightnessChanged = quorvane::panel::BrightnessChangedHook,
    .refreshSetList = quorvane::panel::RefreshSetListHook,
    .panelCommand = quorvane::panel::PanelCommandHook,
    .toolTrackCursor = quorvane::panel::ToolTrackCursorHook,
    .toolMouseDown = quorvane::panel::ToolMouseDownHook,
    .toolSelected = quorvane::panel::ToolSelectedHook,
    .toolDeselected = quorvane::panel::ToolDeselectedHook,
    .createBasicFinishLine = quorvane::document_commands::CreateBasicFinishLineCommand,
    .batchApply = quorvane::document_commands::BatchApplyCommand,
    .beforeUnload = quorvane::panel::BeforeUnloadHook,
    .afterReload = quorvane::panel::AfterReloadHook,
};

}  // namespace

extern "C" QV_EXPORT QvErr PluginMain(const char* caller, const char* selector, void* message) {
  return quorvane::host::HandlePluginMain(caller, selector, message, kModuleHooks);
}

extern "C" QV_EXPORT QvErr PluginFindResource(const char* type, int32_t id, QvResource* resource) {
  return quorvane::resources::FindResourceForHost(type, id, resource);
}
