// The information panel's controller: command sets, the working set and
// its commands, the enabling of the panel's controls, and the numbered
// panel commands 1 to 36 that the command dispatch runs.
#pragma once

#include <cstdint>

#include "quorvane/panel/panel_context.h"

namespace quorvane::panel {

/// Runs panel command `command` (1 to 36); other numbers do nothing.
QvErr RunPanelCommand(PanelContext& ctx, std::int16_t command);

/// The selection check most commands run first: false (silently) when the
/// panel is disabled; false with "Please select a closed path." unless
/// exactly one closed path is selected; otherwise that path is the source
/// path (work layers found or made, markers drawn, the start-point field
/// filled when it is a new one) and the result is true.
bool CheckSelection(PanelContext& ctx);

/// Loads set `index` (-1: none) into the working set and the panel's
/// fields and command list; draws the markers again when asked.
void LoadSet(PanelContext& ctx, int index, bool redrawMarkers);

/// Selects command-list row `row` (-1 none, 0 the basic seam margin, r the
/// command r - 1) and enables the width controls by the command's type.
void SelectCommandRow(PanelContext& ctx, int row);

/// Rewrites the list row of command `index` from the working set.
void RewriteCommandRow(PanelContext& ctx, int index);

/// Enables or disables the panel; disabling a modified set asks whether
/// to save it.
void SetPanelEnabled(PanelContext& ctx, bool enabled);

/// Refreshes the set list after the art-held set changed; selects the
/// art-held set `artHeldIndex` (-1: keep the selection).
QvErr RefreshSetList(PanelContext& ctx, int artHeldIndex);

/// The tool was selected or deselected.
QvErr ToolSelected(PanelContext& ctx);
QvErr ToolDeselected(PanelContext& ctx);

// ---- Steps the operations share ------------------------------------------

/// The row text of every set, then the selected set loaded again (or the
/// no-set-selected step). With `moveSelection` the selection goes to
/// `artHeldIndex` when that is a set, else stays when still in the list,
/// else to the first set; without, it stays (the last set when it fell off
/// the end). Without `moveSelection` the art-held set is first taken again
/// from the selected art.
void RefreshSets(PanelContext& ctx, bool moveSelection, int artHeldIndex = -1);

/// No set selected: the working set emptied and every editing control
/// disabled but the set list, "New", and the enabled state's own.
void SelectNoSet(PanelContext& ctx);

/// Sets the enabled state of the panel's controls without the save question
/// or any change of state: the set list, "New", "Preview" and the adjust
/// field always, the set's controls when a set is selected.
void ApplyPanelEnabling(PanelContext& ctx, bool enabled);

/// Saves the working set into the selected set and writes the list file;
/// a command still being picked is dropped first, with a message.
void SaveSet(PanelContext& ctx);

/// Starts picking the points of the selected command, of type `type`.
void StartPicking(PanelContext& ctx, commands::CommandType type);

/// Rewrites every row of the command list from the working set.
void FillCommandList(PanelContext& ctx);

}  // namespace quorvane::panel
