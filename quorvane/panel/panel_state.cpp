#include "quorvane/panel/panel_state.h"

#include <iterator>
#include <new>

namespace quorvane::panel {

PanelState& StateOf(host::PluginGlobals& globals) {
  auto* state = std::launder(reinterpret_cast<PanelState*>(globals.panelState));
  if (state->constructed == 0) state = new (globals.panelState) PanelState{};
  return *state;
}

std::int32_t PressedTypeButton(const host::PluginGlobals& globals) {
  for (std::size_t code = 0; code < std::size(globals.commandTypeButtons); ++code) {
    if (globals.commandTypeButtons[code] != 0) return TypeButtonOf(static_cast<commands::CommandType>(code));
  }
  return kDefaultTypeButton;
}

void PressTypeButton(host::PluginGlobals& globals, std::int32_t button) {
  const std::optional<commands::CommandType> type = TypeOfButton(button);
  if (!type) return;
  for (std::int16_t& pressed : globals.commandTypeButtons) pressed = 0;
  globals.commandTypeButtons[static_cast<std::size_t>(*type)] = 1;
}

}  // namespace quorvane::panel
