// Picking the source path, the user's finish line, from the selection.
#pragma once

#include <string_view>

#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// Clears the source path in `state`, then looks at the selected paths. With
/// exactly one selected: an open path, or one on a work layer, is refused
/// with its alert and the result is 0; otherwise it becomes the source path
/// and the result is 1. With none or several the result is their count and
/// no alert is shown. A result other than 1 means "no source".
int CheckSourceSelection(host::HostDocument& doc, RunState& state);

/// The text callers show for any result of CheckSourceSelection but 1, in
/// the state's language.
std::string_view NoSourceText(const RunState& state);

}  // namespace quorvane::generation
