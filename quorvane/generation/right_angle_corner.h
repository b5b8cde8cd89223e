// "90. forward" and "90. backward": squaring off the seam allowance of one
// edge at a corner of the finish line.
#pragma once

#include <cstdint>
#include <optional>

#include "quorvane/generation/command_input.h"
#include "quorvane/geometry/outline.h"

namespace quorvane::generation {

/// The margin squared at anchor `anchorNumber` (counted from 1): with
/// `forward` the allowance of the edge after the corner ends in a line at
/// right angles to that edge, otherwise the allowance of the edge before it.
/// The corner region, between where each edge carried on beyond the corner
/// meets the margin, is replaced by the new corner. Uses no width. None for
/// a bad anchor number, an extension that misses the margin within 500 pt
/// or construction lines within 0.01 rad of parallel.
std::optional<geometry::Outline> RightAngleCornerOutline(const CommandInput& in, std::int32_t anchorNumber,
                                                         bool forward);

}  // namespace quorvane::generation
