// The "Opening" command: a stretch of the finish line between two points
// gets its own allowance depth, joined to the old allowance by straight
// steps along the finish line's normals.
#pragma once

#include <optional>

#include "quorvane/generation/command_input.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::generation {

/// The margin beside the finish line from `firstPoint` forward (in the
/// path's order) to `secondPoint` replaced by the finish line offset `width`
/// (points) to its left. The points lie exactly on the finish line's curves.
/// Taking the points in the other order re-offsets the other part of the
/// outline. None when a point has no normal (it coincides with the vertex
/// it is measured to) or the normals at the two points do not both meet the
/// margin on different margin vertices.
std::optional<geometry::Outline> OpeningOutline(const CommandInput& in, geometry::Vec2 firstPoint,
                                                geometry::Vec2 secondPoint, double width);

}  // namespace quorvane::generation
