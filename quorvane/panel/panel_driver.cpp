#include "quorvane/panel/panel_driver.h"

#include "quorvane/generation/seam_allowance_generator.h"
#include "quorvane/panel/panel_controls.h"

namespace quorvane::panel {

generation::PanelValues ReadPanelValues(PanelContext& ctx) {
  generation::PanelValues values;
  const QvWindowHandle window = ctx.State().window;
  values.preview = ctx.ui.IsChecked(window, kPreviewCheckBox).value_or(false);
  values.commandRowCount = ctx.ui.ItemCount(window, kCommandList).value_or(0);
  const std::int32_t optimize = ctx.ui.Selection(window, kOptimizeList).value_or(0);
  if (optimize == 1) values.optimize = generation::OptimizeChoice::kEnlarged;
  if (optimize == 2) values.optimize = generation::OptimizeChoice::kTrueSize;
  return values;
}

void RunDriver(PanelContext& ctx, bool force) {
  generation::SeamAllowanceGenerator(ctx.doc, ctx.Run(), ctx.globals.workingSet, ReadPanelValues(ctx), force);
}

}  // namespace quorvane::panel
