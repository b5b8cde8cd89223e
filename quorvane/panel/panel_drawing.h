// The panel's own drawing of its owner-drawn controls: the set and command
// lists' rows with their columns, the push buttons, the command-type buttons
// with their pictures and the optimize drop-down, in the colours of the
// interface theme.
//
// Everything is drawn in window pixels (y down) through the host's drawing
// context; lengths given in panel units are multiplied by the context's
// scale s and truncated, as the controls' frames are.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "quorvane/facade/host_ui.h"
#include "quorvane/host/plugin_globals.h"
#include "quorvane/panel/theme.h"
#include "sdk/ui_suite.h"

namespace quorvane::panel {

/// The colours of one list row by its QvDrawItemState flags.
struct ListRowColors {
  QvRgb base = 0;
  QvRgb column = 0;
  /// The set's name, or the command's name.
  QvRgb mainText = 0;
  /// The command list's number, point and width columns.
  QvRgb otherText = 0;
};
ListRowColors ListRowColorsFor(std::int32_t state);

/// A command-list row cut into its columns, each without the blanks that
/// pad it.
/// Columns count as the row was laid out: one per ASCII or half-width kana
/// character, two per other character.
struct CommandRowColumns {
  std::string number;
  std::string name;
  std::string point;
  std::string width;
};
CommandRowColumns SplitCommandRow(std::string_view row);

/// Whether a command-list row is the basic seam-margin row (in either
/// language).
bool IsBasicRow(std::string_view row);

/// Row drawing of list `control` (the set list or the command list).
QvErr DrawListRow(const QvDrawItem& item, std::string_view text);
/// A push button with `caption`, pressed while kQvItemPressed is set.
QvErr DrawPushButton(const QvDrawItem& item, std::string_view caption, const Theme& theme);
/// A command-type button of `code`; `pressedFlag` is its flag in the
/// globals. Without a picture for the code the button is drawn empty.
QvErr DrawTypeButton(const QvDrawItem& item, int code, bool pressedFlag, const Theme& theme);
/// The optimize drop-down: its face (item -1, `text` the chosen item's
/// text) or one item of the open list.
QvErr DrawOptimizeItem(const QvDrawItem& item, std::string_view text, const Theme& theme);

/// Draws `item` of the panel's window: fetches the row text or caption it
/// needs through `ui` and the pressed flags from `globals`. Controls the
/// panel does not draw are left alone.
QvErr DrawPanelItem(host::PluginGlobals& globals, host::HostUi& ui, QvWindowHandle window, const QvDrawItem& item,
                    const Theme& theme);

}  // namespace quorvane::panel
