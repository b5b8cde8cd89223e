// Trimming the seam allowance at a corner along the straight line between
// the points where the corner's two edges, carried on beyond it, leave the
// allowance.
#pragma once

#include <cstdint>

#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// Replaces the current seam margin around finish-line anchor `anchorNumber`
/// (1-based) by the straight line from H1 to H2: H1 where the line of the
/// edge after the corner, carried on beyond it, meets the margin, H2 where
/// the line of the edge before it does. Both lines are followed up to 500 pt
/// beyond the corner; the corner's direction is not tested.
///
/// False, leaving the result art as it was, when the anchor number is not
/// positive or above the finish line's segment count, a path is missing or
/// unreadable, an extension misses the margin, or both extensions land on
/// the same margin vertex. When the new outline cannot be built, Work
/// Layer 2 is empty and the result art none.
bool ExtendedCrossing(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber);

}  // namespace quorvane::generation
