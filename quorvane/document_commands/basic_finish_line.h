// "Create basic finish line": the finish line of a piece drawn as its cut
// line, offset inward by a uniform seam margin onto a layer of its own.
#pragma once

#include <cstdint>
#include <string_view>

#include "quorvane/panel/panel_context.h"

namespace quorvane::document_commands {

/// The margin dialog's resource numbers, English and Japanese.
inline constexpr std::int32_t kFinishLineDialog = 16257;
inline constexpr std::int32_t kFinishLineDialogJapanese = 16157;
/// The margin's edit field.
inline constexpr std::int32_t kMarginField = 5;
/// Longest margin text read from the field.
inline constexpr std::size_t kMarginTextLimit = 79;

/// Appended to the piece's layer title for the layer of its finish line.
inline constexpr std::string_view kFinishLineLayerSuffix = "(Basic finish line)";
inline constexpr std::string_view kFinishLineUndoText = "Undo Create basic finish line";
inline constexpr std::string_view kFinishLineRedoText = "Redo Create basic finish line";

/// Whether the margin dialog takes `value` (user unit): above 0 and a
/// finite single-precision number (the largest double is refused too).
bool AcceptableMargin(double value);

/// Runs the command: with exactly one closed path selected, asks for the
/// margin (settings' basicFinishLineMargin, in the user's unit, remembered
/// on OK), then offsets a copy of the path inward by the margin times the
/// unit factor with the host's Offset Path action on the layer
/// "<piece's layer>(Basic finish line)" (found, or made above the piece's
/// layer), styles the piece as the seam-allowance line and the result as
/// the finish line when the settings switch them on, and removes the copy.
/// Any other selection forgets the source path and the result art and
/// says "Please select a closed path.". Returns the first host error that
/// ended the command early, 0 otherwise (also on Cancel).
QvErr CreateBasicFinishLine(panel::PanelContext& ctx);

}  // namespace quorvane::document_commands
