#include "quorvane/panel/panel_state.h"

#include <new>

namespace quorvane::panel {

PanelState& StateOf(host::PluginGlobals& globals) {
  auto* state = std::launder(reinterpret_cast<PanelState*>(globals.panelState));
  if (state->constructed == 0) state = new (globals.panelState) PanelState{};
  return *state;
}

}  // namespace quorvane::panel
