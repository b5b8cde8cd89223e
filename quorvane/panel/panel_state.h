// The information panel's own lasting state, kept in PluginGlobals'
// panelState block beside the fields the rest of the module shares (the
// selected set, the modified flag, the set name, the pressed type buttons,
// the pending command and the busy flag). Plain data: it outlives the
// module's code across unload and reload.
#pragma once

#include <cstdint>
#include <type_traits>

#include "quorvane/host/plugin_globals.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/picking_state.h"
#include "sdk/ui_suite.h"

namespace quorvane::panel {


/// A pointer position no host reports: the hover tip's timer has not
/// looked yet.
inline constexpr QvPixelPoint kNoTipPointer{INT32_MIN, INT32_MIN};

struct PanelState {
  /// 1 once made; the globals block starts zeroed.
  std::uint8_t constructed = 1;
  /// The panel's client window; null before the panel is made.
  QvWindowHandle window = nullptr;
  /// Index of the selected command in the working set; -1 for the
  /// "Basic seam-margin" row or none.
  std::int32_t selectedCommand = -1;
  PickingState pickingState = PickingState::kIdle;
  /// 1 while the panel's editing controls are enabled.
  std::uint8_t enabled = 0;
  /// 1 from "Add" until the new command has its points.
  std::uint8_t incompleteCommand = 0;
  /// The set batch application used last.
  std::int32_t batchSet = 0;
  /// The cursor the tool shows now (a cursor resource number).
  std::int32_t cursor = 0;
  /// The hover tip: the pointer (window pixels) its timer saw at the last
  /// tick, kNoTipPointer before the first; the tip shown now (UTF-8, empty
  /// for none) and its anchor in window pixels.
  QvPixelPoint tipPointer = kNoTipPointer;
  char tipText[64] = {};
  QvPixelPoint tipAnchor{};
};

static_assert(std::is_trivially_copyable_v<PanelState> && std::is_standard_layout_v<PanelState>,
              "the panel state is kept by the host across unload and reload");
static_assert(sizeof(PanelState) <= host::kPanelStateBytes, "the panel state must fit its block");
static_assert(alignof(PanelState) <= alignof(std::max_align_t));

/// The panel state inside `globals`, made with its defaults the first time.
PanelState& StateOf(host::PluginGlobals& globals);

/// The pressed command-type button (its control number), read from the
/// one flag per type in `globals` that the drawing reads too; the default
/// button while none is pressed.
std::int32_t PressedTypeButton(const host::PluginGlobals& globals);
/// Presses the type button `button`, releasing the others.
void PressTypeButton(host::PluginGlobals& globals, std::int32_t button);

}  // namespace quorvane::panel
