// "Rev. forward" and "Rev. backward": a reversed seam allowance at one corner
// of the finish line, the allowance of one edge folded back along the seam
// line of the other.
#pragma once

#include <cstdint>
#include <optional>

#include "quorvane/generation/command_input.h"
#include "quorvane/geometry/outline.h"

namespace quorvane::generation {

/// The margin with its allowance reversed at anchor `anchorNumber` (counted
/// from 1). With `forward` the allowance of the edge before the corner is
/// mirrored across the line of the edge after it; otherwise the allowance
/// of the edge after the corner across the line of the edge before it. The
/// mirrored strip reaches as far from the fold line as the corner of the
/// two construction lines. Where a curve meets the corner its handle gives
/// the edge's direction. None for a bad anchor number, casts that miss the
/// margin within 500 pt or construction lines within 0.01 rad of parallel.
std::optional<geometry::Outline> ReverseCornerOutline(const CommandInput& in, std::int32_t anchorNumber,
                                                      bool forward);

}  // namespace quorvane::generation
