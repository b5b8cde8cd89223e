// Turning a generator's outline back into the result art: a smooth closed
// path on Work Layer 2, united with what the layer holds.
#pragma once

#include <optional>
#include <span>

#include "quorvane/generation/run_state.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// Fits cubic pieces through `outline` (closed, points, y up) within 1 pt
/// (0.1 pt for scaled drawings), keeping a corner at the outline vertex
/// nearest to each anchor of the source path, and places the path on top
/// of Work Layer 2 (emptied first when `replace`), styled like the source
/// path. It is then divided, united with everything else on Work Layer 2,
/// and the union with the most segments is kept, positively oriented; the
/// source path ends up selected. Returns the kept path, or the uncleaned
/// path when dividing fails; none when the path cannot be made or the union
/// fails. The caller stores the result as the result art.
std::optional<host::ArtRef> BuildResultOutline(host::HostDocument& doc, RunState& state,
                                               std::span<const geometry::OutlinePoint> outline, bool replace);

/// Commits a construction's outcome: false for none; otherwise the outline
/// is built (BuildResultOutline) and stored as the result art, which is none
/// when the build fails. True when it was built.
bool CommitOutline(host::HostDocument& doc, RunState& state, const std::optional<geometry::Outline>& outline,
                   bool replace);

}  // namespace quorvane::generation
