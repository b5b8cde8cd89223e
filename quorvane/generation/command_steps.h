// The driver's step for each command: it reads what the command needs from
// the document once, runs the command's construction on those values, and
// commits the new outline as the result art on Work Layer 2. Every step
// first finds or makes Work Layer 2 (once its numbers and paths are known
// to be there); a construction that fails leaves the result art as it was;
// a new outline that cannot be made into a path leaves Work Layer 2 empty
// and the result art none.
#pragma once

#include <cstdint>
#include <functional>

#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// "Rev. forward" (`forward`) and "Rev. backward" at anchor `anchorNumber`
/// (1-based): ReverseCornerOutline.
bool ApplyReverseCorner(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, bool forward);

/// "90. forward" and "90. backward": RightAngleCornerOutline.
bool ApplyRightAngleCorner(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, bool forward);

/// "Extended crossing": ExtendedCrossingOutline.
bool ApplyExtendedCrossing(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber);

/// "Cut off" at `width` (user unit): CutOffOutline.
bool ApplyCutOff(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, float width);

/// "45. backward" (`backward`) and "45. forward": the second point is the
/// point at parameter `t` of the curve leaving anchor `segmentNumber`
/// (1-based); widths in the user's unit. FortyFiveDegreeOutline; false
/// also when the second point cannot be evaluated.
bool ApplyFortyFiveDegreeCorner(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber,
                                std::int32_t segmentNumber, double t, float extensionWidth, float widthDelta,
                                bool backward);

/// "Lapel" between anchor `anchorNumber` and the point at parameter `t` of
/// segment `segmentNumber`: LapelOutline.
bool ApplyLapel(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, std::int32_t segmentNumber,
                double t);

/// "Opening" between the points at parameters in [0, 1] of two segments
/// (1-based), `width` in the user's unit: OpeningOutline.
bool ApplyOpening(host::HostDocument& doc, RunState& state, std::int32_t firstSegment, double firstT,
                  std::int32_t secondSegment, double secondT, float width);

/// The run of an "Extended one-side" from anchor `firstAnchor` to
/// `secondAnchor` (1-based), `width` (user unit) + 100 points wide, united
/// with the margin on Work Layer 2 (OneSideRunOutline). With a basic width
/// of 0 or less the run is built beside a copy of the finish line inset by
/// 0.1 pt more than the basic width. Concave ends are recorded in
/// `state.oneSideEnds`. BuildWidenedMargin then trims the run to the width.
bool ApplyOneSideRun(host::HostDocument& doc, RunState& state, std::int32_t firstAnchor, std::int32_t secondAnchor,
                     float width);

/// Runs only when `state.oneSideEnds.pending` is set, and clears it. For the
/// recorded start (mask 1 or 3), then the recorded end (mask 2 or 3): the
/// margin is read, straightened (StraightenOneSideEnd) and rebuilt (united
/// with Work Layer 2) as the result art; the crossings go into the records'
/// slots [2], [3], [7], [8]. Stops silently when a margin cannot be read, a
/// search misses or a rebuild fails (the mask then keeps its value);
/// otherwise the mask is set to 0.
void FinishOneSideEnds(host::HostDocument& doc, RunState& state);

/// The rebuild that host version 25 needs before the first command of a
/// set when it is an "Extended one-side": the current margin is read and
/// rebuilt alone on Work Layer 2. Failures leave the result as it was.
void PrepareOneSideMargin(host::HostDocument& doc, RunState& state);

/// The driver's whole treatment of an "Extended one-side" command at
/// position `commandIndex` of the set: skipped (true) when the basic width is
/// above 0 and `width` is not larger; the version 25 rebuild for the first
/// command; ApplyOneSideRun; the widened margin at `width` (plus the basic
/// width when that is 0 or less); and the follow-up at concave ends when one
/// is pending, also after the widened margin failed. False when the run or
/// the widened margin fails; `onFailure` (the driver's alert) is then
/// called, before any follow-up.
bool ApplyExtendedOneSide(host::HostDocument& doc, RunState& state, int commandIndex, std::int32_t firstAnchor,
                          std::int32_t secondAnchor, float width, const std::function<void()>& onFailure = {});

/// The part of ApplyExtendedOneSide after a successful run: the widened
/// margin, `onFailure` when it fails, then the follow-up at concave ends
/// when one is pending.
bool WidenAndFinishOneSide(host::HostDocument& doc, RunState& state, float width,
                           const std::function<void()>& onFailure = {});

}  // namespace quorvane::generation
