// The "Lapel" command: between a second point and a corner the allowance is
// made twice as deep, and at the corner its end is closed by the mirror
// image of the ordinary allowance's end in the allowance line, so that the
// extra part folds back over the allowance.
#pragma once

#include <cstdint>

#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// Doubles the depth of the margin along the shorter way (measured along the
/// anchors) between anchor `anchorNumber` (1-based, the corner) and the
/// point at parameter t of segment `segmentNumber` (1-based), which may lie
/// before or after the corner. The depth is taken from the current margin
/// beside the corner. On success the new margin, rebuilt alone on Work Layer
/// 2, is the result art. False on bad inputs, unreadable paths, or when a
/// cast from the corner or the second point misses the margin, or the second
/// point's normal meets the margin where the corner edge's line does; the
/// result art then stays as it was, unless the final rebuild itself fails
/// (the result is then none).
bool Lapel(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, std::int32_t segmentNumber,
           double t);

}  // namespace quorvane::generation
