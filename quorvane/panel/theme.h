// The panel's colours in the host's light and dark interface themes.
// Colours are 0xRRGGBB; every one the panel uses is a grey.
#pragma once

#include <cstdint>

#include "quorvane/host/host_ui.h"
#include "sdk/ui_suite.h"

namespace quorvane::panel {

struct Theme {
  bool dark = false;
  /// The panel's background behind labels and buttons.
  QvRgb background = 0;
  /// Labels, captions of enabled buttons: 0.2 grey light, 0.8 grey dark.
  QvRgb text = 0;
  QvRgb editText = 0x000000;
  /// Behind edit fields and the closed optimize list.
  QvRgb editBackground = 0;
  QvRgb separator = 0;
  /// A push button held down: its fill and its frame, also the caption of a
  /// disabled one.
  QvRgb pushFrame = 0;
  /// The command-type buttons' frame and their fill while pressed.
  QvRgb typeFrame = 0;
  QvRgb typeHighlight = 0;
  /// The neutral grey behind the lists.
  QvRgb listBackground = 0xC0C0C0;
};

/// The theme values for the dark (`dark` true) or light interface.
Theme MakeTheme(bool dark);

/// Whether the host shows its dark theme; light when it cannot say.
bool DarkInterface(host::HostUi& ui);

/// Colours of the command and set lists, the same in both themes.
inline constexpr QvRgb kListBase = 0xC0C0C0;
inline constexpr QvRgb kListSelectedBase = 0x808080;
inline constexpr QvRgb kListColumn = 0xB0B0B0;
inline constexpr QvRgb kListDisabledText = 0x707070;
inline constexpr QvRgb kListText = 0x444444;
inline constexpr QvRgb kListSelectedText = 0xFFFFFF;
inline constexpr QvRgb kListRule = 0xEEEEEE;
inline constexpr QvRgb kListColumnRule = 0x808080;

/// The optimize drop-down's open list and its disabled text.
inline constexpr QvRgb kDropDownItem = 0xFFFFFF;
/// The platform's stock light-grey brush.
inline constexpr QvRgb kSystemLightGrey = 0xC0C0C0;
inline constexpr QvRgb kDropDownDisabledText = 0x7F7F7F;

}  // namespace quorvane::panel
