// Start-up and shutdown of the module, its registrations with the host, the
// About box, the menu and notifier handlers.
#pragma once

#include "quorvane/facade/host_document.h"
#include "quorvane/host/module_hooks.h"
#include "quorvane/host/plugin_globals.h"
#include "sdk/messages.h"

namespace quorvane::host {

/// Registration names as the host shows and keys them.
inline constexpr const char* kPanelMenuItemName = "Quorvane Menu Group";
inline constexpr const char* kMakerAboutGroup = "OMBRIVEX_PLUGINS_ABOUT";
inline constexpr const char* kMakerAboutText = "About Plug-ins (OMBRIVEX INC.)";
inline constexpr const char* kAboutMenuItemName = "Quorvane";
inline constexpr const char* kToolName = "Quorvane";
inline constexpr const char* kInsideCommandAction = "Quorvane_INSIDECMD";
inline constexpr const char* kInsideCommandTitle = "Quorvane Inside Objects Command";
/// Notifier names, indexed by NotifierSlot.
inline constexpr const char* kNotifierNames[kNotifierSlots] = {
    "Quorvane_ApplicationStarted", "Quorvane_Document_Changed", "Quorvane_Layer_Deletion",
    "Quorvane_Brightness_Changed", "Quorvane_ArtSelection_Changed"};

/// Fills freshly constructed globals from the host and the settings file,
/// then registers menus, notifiers, the tool and the action, in that order.
/// The first registration error ends it; registrations made stay.
QvErr Startup(PluginGlobals& globals, const QvMessageData& message, HostDocument& document);

/// Writes the settings file and takes the panel down. The caller frees the
/// globals afterwards.
QvErr Shutdown(PluginGlobals& globals, HostDocument& document, const ModuleHooks& hooks);

/// The About box, a modal dialog whose version line reads
/// "<product> <version>".
QvErr ShowAbout(const PluginGlobals& globals);

QvErr MenuCommand(PluginGlobals& globals, const QvMenuMessage& message, const ModuleHooks& hooks);
QvErr MenuUpdate(PluginGlobals& globals, HostDocument& document, const ModuleHooks& hooks);

QvErr Notification(PluginGlobals& globals, const QvNotifierMessage& message, HostDocument& document,
                   const ModuleHooks& hooks);

/// The selection changed: when a different single art (or none), or the
/// same art with a set appearing or gone, is selected, refreshes the
/// list's art-held set and the panel's set list.
QvErr ArtSelectionChanged(PluginGlobals& globals, HostDocument& document, const ModuleHooks& hooks);

}  // namespace quorvane::host
