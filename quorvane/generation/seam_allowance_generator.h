// The generation driver: from the source path and the working set to the
// seam allowance on Work Layer 2, command by command.
#pragma once

#include <string>
#include <string_view>

#include "quorvane/commands/command_set.h"
#include "quorvane/generation/panel_values.h"
#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"
#include "quorvane/text/language.h"

namespace quorvane::generation {

/// Below this mean of width and height (points) the result is enlarged
/// while it is finished, so that optimisation works at a readable size.
inline constexpr double kDisplaySize = 170.0;
/// The tolerance of the path optimisation of a finished result.
inline constexpr double kFinishOptimizeTolerance = 1.0;

/// The extension width a 45-degree command at index `index` of `set`
/// starts from: `carried` (the value the previous one left, or the basic
/// width), replaced by the width of each earlier "Extended one-side"
/// command whose anchor range holds the command's second point. A range
/// from a to b with a >= b wraps past the path's start, up to
/// `segmentCount`. User unit.
float CarriedExtensionWidth(const commands::CCommandSet& set, int index, int segmentCount, float carried);

/// Runs the driver. Without `force` it only runs when the panel's
/// "Preview" box is ticked (otherwise Work Layer 2 is emptied). It builds
/// the basic seam margin of the source path at the set's basic width and
/// applies the set's commands in order on a duplicate of the source path in
/// the layer "trevaskPlgTmp". The first failure shows its alert, stops the
/// commands and empties Work Layer 2 (the result art is none). A finished
/// result is styled like the source path and, when the set has commands,
/// optimised as the panel chooses. On every way out the source path is the
/// user's path again, the only art selected, and "trevaskPlgTmp" is gone.
void SeamAllowanceGenerator(host::HostDocument& doc, RunState& state, const commands::CCommandSet& workingSet,
                            const PanelValues& panel, bool force);

}  // namespace quorvane::generation
