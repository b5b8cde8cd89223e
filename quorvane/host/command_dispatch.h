// The module's commands: every panel button, list change and flyout item
// becomes one play of the action "Quorvane_INSIDECMD", which the host calls
// back as "Do Action" and records as one undoable step.
#pragma once

#include <cstdint>

#include "quorvane/facade/host_document.h"
#include "quorvane/host/module_hooks.h"
#include "quorvane/host/plugin_globals.h"

namespace quorvane::host {

/// Panel controls 1 to 36; document commands from the flyout menu.
inline constexpr std::int16_t kLastPanelCommand = 36;
inline constexpr std::int16_t kCreateBasicFinishLineCommand = 1001;
inline constexpr std::int16_t kMakePatternCommand = 1002;
inline constexpr std::int16_t kTraceRasterCommand = 1003;
inline constexpr std::int16_t kBatchApplyCommand = 1004;

/// Runs the pending command ("Do Action"). Unknown numbers do nothing.
/// Always 0: each command shows its own messages.
QvErr DispatchCommand(PluginGlobals& globals, HostDocument& document, const ModuleHooks& hooks);

/// Runs `command` from outside a call from the host (the panel's window
/// procedure, its flyout menu): acquires the suites with the basic suite
/// kept in the globals, stores the pending command and plays the action
/// with dialogs off. The host's result of the play.
QvErr RunCommand(PluginGlobals& globals, std::int16_t command);

}  // namespace quorvane::host
