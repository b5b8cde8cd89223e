// The hook table the plug-in hands to host integration: the panel with its
// point-picking tool, and the document commands. Tests that drive the
// command dispatch use the same table.
#pragma once

#include "quorvane/document_commands/document_command_hooks.h"
#include "quorvane/host/module_hooks.h"
#include "quorvane/panel/panel_hooks.h"

namespace quorvane::plugin {

/// Every entry set; checked below.
inline constexpr host::ModuleHooks kModuleHooks{
    .createPanel = panel::CreatePanelHook,
    .isPanelShown = panel::IsPanelShownHook,
    .showPanel = panel::ShowPanelHook,
    .releasePanelResources = panel::ReleasePanelResourcesHook,
    .destroyPanel = panel::DestroyPanelHook,
    .disablePanel = panel::DisablePanelHook,
    .brightnessChanged = panel::BrightnessChangedHook,
    .refreshSetList = panel::RefreshSetListHook,
    .panelCommand = panel::PanelCommandHook,
    .toolTrackCursor = panel::ToolTrackCursorHook,
    .toolMouseDown = panel::ToolMouseDownHook,
    .toolSelected = panel::ToolSelectedHook,
    .toolDeselected = panel::ToolDeselectedHook,
    .createBasicFinishLine = document_commands::CreateBasicFinishLineCommand,
    .batchApply = document_commands::BatchApplyCommand,
    .beforeUnload = panel::BeforeUnloadHook,
    .afterReload = panel::AfterReloadHook,
};

// The sanitized build (-fsanitize=address,undefined) leaves this to the
// normal build: UndefinedBehaviorSanitizer keeps GCC from assuming that a
// function's address is not null, so the comparison is not a constant there.
#ifndef __SANITIZE_ADDRESS__
static_assert(host::IsComplete(kModuleHooks), "every hook of the module is required");
#endif

}  // namespace quorvane::plugin
