// The tip that names a command-type button while the pointer rests on it.
// A timer of the panel's window ticks every half second; the tip changes
// only when the pointer has stayed where the previous tick saw it, so a
// moving pointer neither shows nor removes a tip.
#pragma once

#include <cstdint>
#include <string>

#include "quorvane/facade/host_ui.h"
#include "quorvane/host/plugin_globals.h"
#include "quorvane/text/language.h"

namespace quorvane::panel {

/// The panel window's timer that drives the tip, and its period.
inline constexpr std::int32_t kHoverTipTimer = 1001;
inline constexpr std::int32_t kHoverTipPeriodMs = 500;
/// Window pixels between a button's bottom edge and the top of its tip.
inline constexpr std::int32_t kTipGapPixels = 10;

/// The name the tip shows for type button `control` (15 + the command
/// type's code): the type's English name when `english`, its Japanese name
/// otherwise, without the list's padding. Empty for any other control.
std::string TypeButtonTipText(std::int32_t control, text::Language language);

/// One tick of the tip's timer on the panel window. When the pointer has
/// moved since the previous tick it is only remembered. Otherwise the tip
/// wanted is the name of the type button under the pointer, anchored
/// (window pixels, y down) at the button's horizontal centre and
/// kTipGapPixels below its bottom edge; none while the left button is down,
/// the pointer is off the window or over no type button. The host is asked
/// to show (or remove) a tip only when that differs from the one shown.
void TickHoverTip(host::PluginGlobals& globals, host::HostUi& ui);

/// Removes the tip the panel shows, if any, and forgets the pointer.
void RemoveHoverTip(host::PluginGlobals& globals, host::HostUi& ui);

}  // namespace quorvane::panel
