// The "Lapel" command: between a second point and a corner the allowance is
// made twice as deep, and at the corner its end is closed by the mirror
// image of the ordinary allowance's end in the allowance line, so that the
// extra part folds back over the allowance.
#pragma once

#include <cstdint>

#include <optional>

#include "quorvane/generation/command_input.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::generation {

/// The margin doubled in depth along the shorter way (measured along the
/// anchors) between anchor `anchorNumber` (1-based, the corner) and
/// `secondPoint`, the point at a curve parameter of segment `segmentNumber`
/// (1-based), which may lie before or after the corner. The finish-line
/// vertex nearest to the second point moves onto it. The depth is taken
/// from the current margin beside the corner. None on bad numbers, or when
/// a cast from the corner or the second point misses the margin, or the
/// second point's normal meets the margin where the corner edge's line
/// does.
std::optional<geometry::Outline> LapelOutline(const CommandInput& in, std::int32_t anchorNumber,
                                              std::int32_t segmentNumber, geometry::Vec2 secondPoint);

}  // namespace quorvane::generation
