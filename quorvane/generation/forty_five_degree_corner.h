// Widening the seam allowance along a stretch of the finish line that ends
// at a corner, with a 45-degree slope from the old width up to the new one.
#pragma once

#include <cstdint>
#include <optional>

#include "quorvane/generation/command_input.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::generation {

/// The margin widened to ext + rise along the finish line between the
/// corner anchor `anchorNumber` (1-based) and `secondPoint` (the point the
/// command names, exactly on its curve). `extensionWidth` (ext) is the
/// width the stretch had so far and `widthDelta` (rise) what is added; both
/// in points. Backward
/// widens the stretch from the second point forward to the corner, forward
/// the stretch from the corner forward to the second point. The step up
/// leaves the old margin at the second point at 45 degrees; at the corner
/// the widened allowance meets the old allowance on the corner's other side.
/// The outward side is the left of the finish line's direction (positive
/// orientation, y up); the orientation is not tested.
///
/// None when the anchor number is not one of the finish line's, a normal
/// misses the margin within 500 pt, both normals meet the margin on the same
/// vertex, or the slope's top does not drop onto the finish line within the
/// new width + 10 pt.
std::optional<geometry::Outline> FortyFiveDegreeOutline(const CommandInput& in, std::int32_t anchorNumber,
                                                        geometry::Vec2 secondPoint, double extensionWidth,
                                                        double widthDelta, bool backward);

}  // namespace quorvane::generation
