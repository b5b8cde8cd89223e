// The About box: a modal dialog with the product's name and version.
#pragma once

#include <cstdint>
#include <string>

#include "quorvane/facade/host_ui.h"
#include "quorvane/host/plugin_globals.h"

namespace quorvane::host {

/// The dialog's resource number, and its controls: the version line and OK.
inline constexpr std::int32_t kAboutDialog = 16200;
inline constexpr std::int32_t kAboutVersionLine = 3;
inline constexpr std::int32_t kAboutOk = 1;

/// "<product name> <version>" as the box shows it.
std::string AboutVersionLine(const PluginGlobals& globals);

/// The dialog, titled after the product.
DialogTemplate AboutDialog(const PluginGlobals& globals);

/// Shows the box until the user closes it; the host's error when it could
/// not be shown.
QvErr ShowAboutBox(const PluginGlobals& globals, HostUi& ui);

}  // namespace quorvane::host
