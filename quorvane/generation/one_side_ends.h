// The follow-up of an "Extended one-side" command at ends that meet a
// concave corner of the finish line: after the widened allowance has been
// trimmed, the margin is straightened across the corner.
#pragma once

#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// Runs only when `state.oneSideEnds.pending` is set, and clears it. For the
/// recorded start (mask 1 or 3), then the recorded end (mask 2 or 3): casts
/// from the margin vertex the end joined, away from the corner, then from
/// that crossing along the finish line away from the run, each cast
/// retried up to 30 times 0.1 pt further to the side; the margin vertices
/// between the two crossings are all moved onto the first of them and the
/// margin is rebuilt (united with Work Layer 2) as the result art. The
/// crossings are kept in the records' slots [2], [3], [7], [8]. The casts are
/// the recorded width (a number in the user's unit, not converted) + 100
/// points long. Stops silently when a margin cannot be read, a search
/// misses or a rebuild fails (the mask then keeps its value); otherwise the
/// mask is set to 0.
void FinishOneSideEnds(host::HostDocument& doc, RunState& state);

}  // namespace quorvane::generation
