// The information panel's window: making the host panel with its flyout
// menu and controls, and turning the user's clicks, list changes and flyout
// choices into played commands.
#pragma once

#include <cstdint>

#include "quorvane/facade/host_ui.h"
#include "quorvane/host/plugin_globals.h"
#include "quorvane/panel/panel_context.h"

namespace quorvane::panel {

/// The host panel's identifier.
inline constexpr const char* kPanelId = "Quorvane_INFO_PANEL";

/// The window's notifications run this (see PanelNotifyProc).
inline constexpr std::int16_t kCreateFinishLineCommand = 1001;
inline constexpr std::int16_t kBatchApplyCommand = 1004;

/// Makes the panel: the host panel titled with the product name (400 wide,
/// 500 or 234 high by the show-option setting), its flyout menu, every
/// control, the sets of the list file, set 0 selected (none for an empty
/// list), type button 21 pressed, "N" chosen for optimising, the hover
/// tip's 500 ms timer running; then the panel is disabled, Work Layer 1
/// removed and the busy flag cleared.
QvErr CreatePanel(PanelContext& ctx);

/// Stops the hover tip's timer and removes its tip, takes the notify
/// procedure off the window and deletes the panel.
void DestroyPanel(host::PluginGlobals& globals, host::HostUi& ui);

/// Installs (or with `install` false removes) the panel window's notify
/// procedure: the module removes it before it is unloaded and installs it
/// again after it is reloaded.
QvErr InstallNotifyProc(host::PluginGlobals& globals, host::HostUi& ui, bool install);

/// The flyout's "Show Option": toggles the option area, its check mark and
/// the panel's height.
void ToggleShowOption(host::PluginGlobals& globals, host::HostUi& ui);

/// The window's notify procedure. Outside a call from the host: the
/// globals are the current ones (or `data`, the globals it was installed
/// with), and commands run through host::RunCommand, which acquires the
/// suites itself. While the busy flag is set only flyout choices count.
/// Lists count on a selection change, buttons and fields 5, 10 to 14 and
/// 26 to 36 on any notification, type buttons 15 to 25 after their pressed
/// flags are set; flyout items 5, 6, 7 and 9 run the document commands 1001
/// to 1004.
QvErr PanelNotifyProc(QvWindowHandle window, std::int32_t control, std::int32_t notification, void* data);

}  // namespace quorvane::panel
