// The "Opening" command: a stretch of the finish line between two points
// gets its own allowance depth, joined to the old allowance by straight
// steps along the finish line's normals.
#pragma once

#include <cstdint>

#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// Replaces the seam margin beside the finish line from the first point
/// forward (in the path's order) to the second by the finish line offset
/// `width` (user unit) to its left. Each point is a 1-based segment number of
/// the source path and a curve parameter in [0, 1]. Taking the points in
/// the other order re-offsets the other part of the outline. On success the
/// new margin, rebuilt alone on Work Layer 2, is the result art. False on bad
/// inputs, unreadable paths, or when the normals at the two points do not
/// both meet the margin on different margin vertices; the result art then
/// stays as it was, unless the final rebuild itself fails (the result is
/// then none).
bool Opening(host::HostDocument& doc, RunState& state, std::int32_t firstSegment, double firstT,
             std::int32_t secondSegment, double secondT, float width);

}  // namespace quorvane::generation
