// Cutting a rectangular notch into the seam allowance at a corner, so that
// near the corner the allowance is only as deep as the command's width.
#pragma once

#include <cstdint>

#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// Notches the current seam margin at finish-line anchor `anchorNumber`
/// (1-based): the corner's two edges offset outward by `width` (user unit)
/// meet at C0, the notch's inner corner; from C0 the notch sides run
/// parallel to the edges, away from them, out to the margin (H3 beside the
/// edge before the corner, H4 beside the edge after it). The margin from
/// just after H3 to just after H4 is replaced by H3, the midpoint of H3 and
/// C0, C0, the midpoint of C0 and H4, and H4. Meant for a width below the
/// allowance already there.
///
/// False, leaving the result art as it was, when the anchor number is not
/// positive or above the finish line's segment count, a path is missing or
/// unreadable, the corner's edges are within 0.01 radian of parallel, or an
/// edge line or a notch side does not meet the margin within 500 pt. When
/// the new outline cannot be built, Work Layer 2 is empty and the result
/// art none.
bool CutOff(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, float width);

}  // namespace quorvane::generation
