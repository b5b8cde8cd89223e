// Widening the seam allowance along a stretch of the finish line that ends
// at a corner, with a 45-degree slope from the old width up to the new one.
#pragma once

#include <cstdint>

#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// Widens the current seam margin to ext + rise along the finish line
/// between the corner anchor `anchorNumber` (1-based) and the second point,
/// the point at parameter `t` of the curve leaving anchor `segmentNumber`
/// (1-based). `extensionWidth` (ext) is the width the stretch had so far and
/// `widthDelta` (rise) what is added; both in the user's unit. Backward
/// widens the stretch from the second point forward to the corner, forward
/// the stretch from the corner forward to the second point. The step up
/// leaves the old margin at the second point at 45 degrees; at the corner
/// the widened allowance meets the old allowance on the corner's other side.
/// The outward side is the left of the finish line's direction (positive
/// orientation, y up); the orientation is not tested.
///
/// False, leaving the result art as it was, when a number is not positive or
/// above the finish line's segment count, a path is missing or unreadable,
/// the second point cannot be evaluated, a normal misses the margin within
/// 500 pt, both normals meet the margin on the same vertex, or the slope's
/// top does not drop onto the finish line within the new width + 10 pt.
/// When the new outline cannot be built, Work Layer 2 is empty and the
/// result art none.
bool FortyFiveDegreeCorner(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber,
                           std::int32_t segmentNumber, double t, float extensionWidth, float widthDelta,
                           bool backward);

}  // namespace quorvane::generation
