// Trimming the seam allowance at a corner along the straight line between
// the points where the corner's two edges, carried on beyond it, leave the
// allowance.
#pragma once

#include <cstdint>
#include <optional>

#include "quorvane/generation/command_input.h"
#include "quorvane/geometry/outline.h"

namespace quorvane::generation {

/// The margin around finish-line anchor `anchorNumber` (1-based) replaced
/// by the straight line from H1 to H2: H1 where the line of the edge after
/// the corner, carried on beyond it, meets the margin, H2 where the line of
/// the edge before it does. Both lines are followed up to 500 pt beyond the
/// corner; the corner's direction is not tested.
///
/// None when the anchor number is not one of the finish line's, an
/// extension misses the margin, or both extensions land on the same margin
/// vertex.
std::optional<geometry::Outline> ExtendedCrossingOutline(const CommandInput& in, std::int32_t anchorNumber);

}  // namespace quorvane::generation
