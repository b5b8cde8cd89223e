// Cutting a rectangular notch into the seam allowance at a corner, so that
// near the corner the allowance is only as deep as the command's width.
#pragma once

#include <cstdint>
#include <optional>

#include "quorvane/generation/command_input.h"
#include "quorvane/geometry/outline.h"

namespace quorvane::generation {

/// The margin notched at finish-line anchor `anchorNumber` (1-based): the
/// corner's two edges offset outward by `width` (points) meet at C0, the
/// notch's inner corner; from C0 the notch sides run parallel to the edges,
/// away from them, out to the margin (H3 beside the edge before the corner,
/// H4 beside the edge after it). The margin from just after H3 to just
/// after H4 is replaced by H3, the midpoint of H3 and C0, C0, the midpoint
/// of C0 and H4, and H4. Meant for a width below the allowance already
/// there.
///
/// None when the anchor number is not one of the finish line's, the
/// corner's edges are within 0.01 radian of parallel, or an edge line or a
/// notch side does not meet the margin within 500 pt.
std::optional<geometry::Outline> CutOffOutline(const CommandInput& in, std::int32_t anchorNumber, double width);

}  // namespace quorvane::generation
