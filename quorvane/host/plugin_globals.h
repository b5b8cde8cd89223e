// PluginGlobals: the module's one record of lasting state. The host
// allocates its block at start-up and keeps it while the module is
// unloaded, so nothing in it points into the module's code: no virtual
// functions, no function pointers. The command sets keep their storage on
// the process heap, which outlives the module's mapping.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "quorvane/commands/command_set.h"
#include "quorvane/commands/command_set_list.h"
#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"
#include "quorvane/settings/settings.h"
#include "sdk/basic_suite.h"

namespace quorvane::host {

/// The name the module shows for itself in menus, the panel title and the tool.
inline constexpr const char* kProductName = "Quorvane";
inline constexpr const char* kVersionText = "Ver 5.2.6.0";

/// Slots of PluginGlobals::notifiers, in registration order.
enum NotifierSlot : int {
  kApplicationStartedSlot = 0,
  kDocumentChangedSlot = 1,
  kLayerDeletionSlot = 2,
  kBrightnessChangedSlot = 3,
  kArtSelectionChangedSlot = 4,
  kNotifierSlots = 5
};

/// Command-type buttons of the panel.
inline constexpr std::size_t kCommandTypeButtons = 15;
/// Bytes of a set name as the panel keeps it, terminator included.
inline constexpr std::size_t kSetNameCapacity = 256;
/// Bytes kept for the panel controller's own plain state.
inline constexpr std::size_t kPanelStateBytes = 8192;

struct PluginGlobals {
  /// The Window-menu item that shows the panel.
  QvMenuItemHandle panelMenuItem = nullptr;
  /// The module's item in the maker's About submenu.
  QvMenuItemHandle aboutMenuItem = nullptr;
  /// The self field of the last tool message.
  QvPluginRef toolMessagePlugin = nullptr;
  /// This module as the host knows it, from the start-up message.
  QvPluginRef self = nullptr;

  // ---- Panel (created by the panel layer; null until then) ----------------
  QvPanelHandle panel = nullptr;
  /// The panel's flyout menu, a host object.
  void* flyoutMenu = nullptr;
  /// The host's window procedure the panel replaced, restored at shutdown.
  void* previousPanelProcedure = nullptr;
  /// 1 for the pressed command-type button.
  std::int16_t commandTypeButtons[kCommandTypeButtons] = {};
  /// The command number the next "Do Action" runs.
  std::int16_t pendingCommand = 0;
  /// While non-zero, panel control notifications are ignored.
  std::int16_t panelBusy = 1;
  /// Index of the selected set in the list, -1 for none.
  std::int32_t selectedSet = -1;
  /// The working set differs from the selected set.
  std::uint8_t modified = 0;
  /// UTF-8, NUL-terminated.
  char currentSetName[kSetNameCapacity] = {};
  /// The panel controller keeps its further plain state here.
  alignas(std::max_align_t) unsigned char panelState[kPanelStateBytes] = {};

  /// The basic suite of the latest message from the host, for work
  /// that runs outside a call from the host (see SuiteBracket).
  const QvBasicSuite* basic = nullptr;
  /// From registration, indexed by NotifierSlot.
  QvNotifierHandle notifiers[kNotifierSlots] = {};
  /// The point-picking tool.
  QvToolHandle tool = nullptr;

  commands::CCommandSetList commandSets;
  /// The copy of the selected set that the panel edits.
  commands::CCommandSet workingSet;

  char productName[32] = "Quorvane";
  char version[32] = "Ver 5.2.6.0";
  /// The host's major version number, read at start-up.
  std::int32_t hostVersion = 0;

  settings::Settings settings;
  generation::RunState run;

  /// The single selected art, watched for a set it carries; none otherwise.
  ArtRef selectedArt;
  std::int16_t selectedArtHasSet = 0;
};

static_assert(!std::is_polymorphic_v<PluginGlobals> && !std::is_polymorphic_v<commands::CCommandSetList> &&
                  !std::is_polymorphic_v<commands::CCommandSet>,
              "PluginGlobals outlives the module's code: no vtables");

/// The globals the module works on; null before start-up and after
/// shutdown. Set from every message the host sends, so code that runs
/// outside a call (panel procedures, timers) finds them here.
PluginGlobals* CurrentGlobals();

}  // namespace quorvane::host
