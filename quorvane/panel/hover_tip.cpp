#include "quorvane/panel/hover_tip.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string_view>

#include "quorvane/commands/command_type.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_state.h"
#include "quorvane/settings/settings.h"

namespace quorvane::panel {

namespace {

// The order the buttons are looked at: the column of codes 0 to 4 first,
// then 45. forward (code 10) beside them, then codes 5 to 9.
constexpr std::array<std::int32_t, 11> kTipButtonOrder = {15, 16, 17, 18, 19, 25, 20, 21, 22, 23, 24};

// The list labels carry blanks to pad their column, ASCII ones and the
// ideographic space (U+3000) in the Japanese forms.
std::string_view WithoutPadding(std::string_view label) {
  constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
  for (;;) {
    if (!label.empty() && label.back() == ' ') {
      label.remove_suffix(1);
    } else if (label.size() >= kIdeographicSpace.size() &&
               label.substr(label.size() - kIdeographicSpace.size()) == kIdeographicSpace) {
      label.remove_suffix(kIdeographicSpace.size());
    } else {
      return label;
    }
  }
}

bool Contains(const QvPixelRect& rect, QvPixelPoint point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

bool SamePoint(QvPixelPoint a, QvPixelPoint b) { return a.x == b.x && a.y == b.y; }

struct WantedTip {
  std::string text;
  QvPixelPoint anchor{};
};

WantedTip TipUnderPointer(const host::PluginGlobals& globals, host::HostUi& ui, QvWindowHandle window,
                          const host::HostUi::PointerState& pointer) {
  if (pointer.leftButtonDown || !pointer.overWindow) return {};
  for (std::int32_t button : kTipButtonOrder) {
    const std::optional<QvPixelRect> rect = ui.ControlRect(window, button);
    if (!rect || !Contains(*rect, pointer.where)) continue;
    return {TypeButtonTipText(button, globals.settings.language), {(rect->left + rect->right) / 2, rect->bottom + kTipGapPixels}};
  }
  return {};
}

void Remember(PanelState& state, const WantedTip& tip) {
  // The names are far shorter than the field; a longer text is cut at the
  // field's size rather than overrun it.
  const std::size_t length = std::min(tip.text.size(), sizeof state.tipText - 1);
  std::memcpy(state.tipText, tip.text.data(), length);
  state.tipText[length] = '\0';
  state.tipAnchor = tip.anchor;
}

}  // namespace

std::string TypeButtonTipText(std::int32_t control, text::Language language) {
  const std::optional<commands::CommandType> type = TypeOfButton(control);
  if (!type) return {};
  return std::string(WithoutPadding(commands::CommandTypeLabel(*type, language)));
}

void TickHoverTip(host::PluginGlobals& globals, host::HostUi& ui) {
  PanelState& state = StateOf(globals);
  if (state.window == nullptr) return;
  const std::optional<host::HostUi::PointerState> pointer = ui.Pointer(state.window);
  if (!pointer) return;
  if (!SamePoint(pointer->where, state.tipPointer)) {
    state.tipPointer = pointer->where;
    return;
  }
  const WantedTip wanted = TipUnderPointer(globals, ui, state.window, *pointer);
  const bool shown = state.tipText[0] != '\0';
  if (wanted.text.empty() ? !shown : (wanted.text == state.tipText && SamePoint(wanted.anchor, state.tipAnchor))) {
    return;
  }
  // A tip the host could not show is tried again at the next still tick.
  if (ui.ShowTip(state.window, wanted.text, wanted.anchor) != kQvNoErr) return;
  Remember(state, wanted);
}

void RemoveHoverTip(host::PluginGlobals& globals, host::HostUi& ui) {
  PanelState& state = StateOf(globals);
  if (state.window != nullptr && state.tipText[0] != '\0') ui.ShowTip(state.window, std::string(), QvPixelPoint{});
  Remember(state, WantedTip{});
  state.tipPointer = kNoTipPointer;
}

}  // namespace quorvane::panel
