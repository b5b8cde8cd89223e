// The "Extended one-side" command: along a run of the finish line between
// two anchors the seam allowance takes the command's width instead of the
// basic width, while the margin before and after the run keeps its shape.
#pragma once

#include <cstdint>
#include <functional>

#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// Replaces the stretch of the current margin beside the run from anchor
/// `firstAnchor` forward to anchor `secondAnchor` (1-based; the run wraps
/// past the path's start when the second is the smaller) by an allowance
/// `width` (user unit) + 100 points wide, joined to the margin at both ends,
/// and unites it with the margin on Work Layer 2. BuildWidenedMargin then
/// trims it to the width. With a basic width of 0 or less the run is built
/// beside a copy of the finish line inset by 0.1 pt more than the basic
/// width. An end at a concave corner joins the margin at its nearest vertex
/// and is recorded in `state.oneSideEnds` for FinishOneSideEnds. False, with
/// the result art as it was, on bad inputs, unreadable paths, when a cast
/// from a convex end misses the margin, or when both ends join at the same
/// margin vertex; the result art is none when the final union fails.
bool ExtendOneSide(host::HostDocument& doc, RunState& state, std::int32_t firstAnchor, std::int32_t secondAnchor,
                   float width);

/// The rebuild that host version 25 needs before the first command of a
/// set when it is an "Extended one-side": the current margin is read and
/// rebuilt alone on Work Layer 2. Failures leave the result as it was.
void PrepareOneSideMargin(host::HostDocument& doc, RunState& state);

/// The driver's whole treatment of an "Extended one-side" command at
/// position `commandIndex` of the set: skipped (true) when the basic width is
/// above 0 and `width` is not larger; the version 25 rebuild for the first
/// command; ExtendOneSide; the widened margin at `width` (plus the basic
/// width when that is 0 or less); and the follow-up at concave ends when one
/// is pending, also after the widened margin failed. False when the
/// generator or the widened margin fails; `onFailure` (the driver's alert)
/// is then called, before any follow-up.
bool ApplyExtendedOneSide(host::HostDocument& doc, RunState& state, int commandIndex, std::int32_t firstAnchor,
                          std::int32_t secondAnchor, float width, const std::function<void()>& onFailure = {});

/// The part of ApplyExtendedOneSide after a successful ExtendOneSide: the
/// widened margin, `onFailure` when it fails, then the follow-up at concave
/// ends when one is pending.
bool WidenAndFinishOneSide(host::HostDocument& doc, RunState& state, float width,
                           const std::function<void()>& onFailure = {});

}  // namespace quorvane::generation
