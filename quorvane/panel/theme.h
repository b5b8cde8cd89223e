// The panel's colours in the host's light and dark interface themes.
// Colours are 0xRRGGBB; every one the panel uses is a grey.
#pragma once

#include <cstdint>
#include <string_view>

#include "quorvane/facade/host_ui.h"
#include "quorvane/text/language.h"
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

/// The panel font's face when the language is English. Hosts without it
/// fall back to their own sans-serif face.
inline constexpr std::string_view kLatinFace = "Segoe UI";
/// The face for every other language: any face with Japanese glyphs would
/// do; this one is named as Japanese systems list it.
inline constexpr std::string_view kJapaneseFace = "IPAゴシック";
/// The panel font's pixel height at scale 1, in panel units.
inline constexpr std::int32_t kPanelFontUnits = 12;

/// kLatinFace for language 1 (English), kJapaneseFace otherwise.
std::string_view PanelFontFace(text::Language language);

/// Gives `window` (the panel's or a dialog's) the panel font of `language`.
QvErr ApplyPanelFont(host::HostUi& ui, QvWindowHandle window, text::Language language);

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
