// "Rev. forward" and "Rev. backward": a reversed seam allowance at one corner
// of the finish line, the allowance of one edge folded back along the seam
// line of the other.
#pragma once

#include <cstdint>

#include "quorvane/generation/run_state.h"
#include "quorvane/geometry/vec2.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {


/// Reverses the allowance at anchor `anchorNumber` (counted from 1) of the
/// source path. With `forward` the allowance of the edge before the corner
/// is mirrored across the line of the edge after it; otherwise the
/// allowance of the edge after the corner across the line of the edge
/// before it. The mirrored strip reaches as far from the fold line as the
/// corner of the two construction lines. The result art is rebuilt on Work
/// Layer 2. `basicWidth` (user unit) has no effect. False, with the result
/// art untouched, for a bad anchor number, unreadable paths, casts that
/// miss the margin within 500 pt or construction lines within 0.01 rad of
/// parallel; false with the result art none when the rebuilt outline
/// cannot be made.
bool ReverseCorner(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, bool forward,
                   float basicWidth);

}  // namespace quorvane::generation
