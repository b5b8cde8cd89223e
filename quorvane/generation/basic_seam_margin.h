// The basic seam margin: the uniform outline at the basic width outside the
// finish line, made by the host's Offset Path action with mitred corners.
#pragma once

#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// The display name of the Offset Path action's join parameter.
inline constexpr const char* kOffsetJoinName = "角の形状";

/// Plays the host's Offset Path action on the selection: `distance` points
/// (positive outward), mitre joins with limit 10000.
QvErr PlayOffsetAction(host::HostDocument& doc, double distance);

/// Empties Work Layer 2 and makes the source path offset by `width` (user
/// unit; negative inward, 0 the finish line's copy) the result art: the
/// offset path with the most segments, styled like the source path and
/// positively oriented. False when there is no source path or it cannot be
/// copied (Work Layer 2 is then empty and the result none). An offset that
/// leaves no path (inward by more than the piece holds) is success with no
/// result art.
bool BuildBasicSeamMargin(host::HostDocument& doc, RunState& state, float width);

/// Cuts the current result down to the source path offset by `width` (user
/// unit): the offset is intersected with the result on Work Layer 2, and
/// the intersection with the most segments becomes the result art, styled
/// like the source path and positively oriented. False when there is no
/// source path, it cannot be copied, or the intersection fails; true with no
/// result art when nothing is left.
bool BuildWidenedMargin(host::HostDocument& doc, RunState& state, float width);

}  // namespace quorvane::generation
