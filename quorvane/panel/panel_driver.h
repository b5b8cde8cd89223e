// Running the generation driver with the panel's current values.
#pragma once

#include "quorvane/generation/panel_values.h"
#include "quorvane/panel/panel_context.h"

namespace quorvane::panel {

/// The "Preview" box, the command list's row count and the "Optimize"
/// choice as the panel shows them now.
generation::PanelValues ReadPanelValues(PanelContext& ctx);

/// Runs the driver on the working set: a preview without `force`, the
/// final seam allowance with it.
void RunDriver(PanelContext& ctx, bool force);

}  // namespace quorvane::panel
