// Batch application: one command set applied to every selected closed path,
// each result committed as the panel's "Apply" commits one.
#pragma once

#include <cstdint>
#include <string_view>

#include "quorvane/panel/panel_context.h"

namespace quorvane::document_commands {

/// The set dialog's resource numbers, English and Japanese.
inline constexpr std::int32_t kBatchDialog = 16259;
inline constexpr std::int32_t kBatchDialogJapanese = 16159;
/// The drop-down list of set names.
inline constexpr std::int32_t kBatchSetList = 5;

/// Runs the command: with at least one closed path selected, asks for the
/// set (the panel state's batchSet, remembered on OK; -1 when the list is
/// empty), then for each selected closed path in the host's order selects
/// only it, makes it the source path, runs the driver with `force` on the
/// batch set and commits the result beside the path's layer. Open paths
/// are left alone. Afterwards the panel's selected set and source path are
/// those of before. Without a closed path: the source path and result art
/// are forgotten and "Please select one or more closed path." is shown.
/// Returns the host error that ended the command early, 0 otherwise.
QvErr BatchApply(panel::PanelContext& ctx);

}  // namespace quorvane::document_commands
