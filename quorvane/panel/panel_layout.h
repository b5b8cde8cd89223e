// The information panel's controls: kind, frame, texts in both languages
// and drop-down items, and building them in the panel's window.
//
// Frames are in panel units of a window 400 wide and 500 tall with y up
// from its bottom edge, as the host's UI toolkit takes them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/facade/host_ui.h"
#include "quorvane/panel/panel_context.h"
#include "quorvane/text/language.h"

namespace quorvane::panel {

inline constexpr std::int32_t kPanelWidth = 400;
/// The panel's height with its options area shown, and hidden (the set area
/// above the separator alone).
inline constexpr std::int32_t kPanelFullHeight = 500;
inline constexpr std::int32_t kPanelShortHeight = 234;

/// Labels with ids, so that their texts can be set again.
inline constexpr std::int32_t kCommandSetLabel = 40;
inline constexpr std::int32_t kSeamMarginLabel = 42;
inline constexpr std::int32_t kFontSizeLabel = 43;
inline constexpr std::int32_t kCommandColumnsLabel = 44;
inline constexpr std::int32_t kStartPointLabel = 46;
inline constexpr std::int32_t kOptimizeLabel = 48;
inline constexpr std::int32_t kPointWidthLabel = 80;

/// The command-type buttons' lower left corners by type code; each is
/// kTypeButtonSize square.
inline constexpr std::int32_t kTypeButtonSize = 26;

/// One control as the panel shows it in the language of `settings`.
struct PanelControl {
  host::DialogControl control;
  /// Drop-down items, in order.
  std::vector<std::string> items;
};

/// Every control of the panel, in creation order: the table's controls,
/// then the eleven command-type buttons by code. `language` and `unit` are
/// the settings' fields.
std::vector<PanelControl> PanelControls(text::Language language, std::int32_t unit);

/// " (mm)", " (cm)" or " (in)" by the settings' unit (millimetres for an
/// unknown one).
std::string_view UnitSuffix(std::int32_t unit);

/// The "Point Width" label's text: English whenever the language is not 0.
std::string PointWidthLabelText(text::Language language, std::int32_t unit);

/// The frame of the command-type button of `code` (0 to 10).
QvControlFrame TypeButtonFrame(int code);

/// Creates every control in the panel's window and fills the drop-downs;
/// the first host error.
QvErr BuildControls(PanelContext& ctx);

/// Sets the "Point Width" label again after the unit changed.
QvErr RefreshUnitLabel(PanelContext& ctx);

}  // namespace quorvane::panel
