// "90. forward" and "90. backward": squaring off the seam allowance of one
// edge at a corner of the finish line.
#pragma once

#include <cstdint>

#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// Squares the allowance at anchor `anchorNumber` (counted from 1) of the
/// source path: with `forward` the allowance of the edge after the corner
/// ends in a line at right angles to that edge, otherwise the allowance of
/// the edge before it. The corner region of the result art, between where
/// each edge carried on beyond the corner meets the margin, is replaced by
/// the new corner and the result is rebuilt on Work Layer 2. Uses no width.
/// False, with the result art untouched, for a bad anchor number, unreadable
/// paths, an extension that misses the margin within 500 pt or construction
/// lines within 0.01 rad of parallel; false with the result art none when
/// the rebuilt outline cannot be made.
bool RightAngleCorner(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, bool forward);

}  // namespace quorvane::generation
