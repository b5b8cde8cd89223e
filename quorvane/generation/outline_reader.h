// Reading a closed path of the document as a flattened outline, the form
// every generator edits.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/vec2.h"
#include "quorvane/host/host_document.h"

namespace quorvane::generation {

/// A path as the generators read it.
struct PathOutline {
  /// The path's n segments followed by a copy of segment 0 (n + 1 in all),
  /// which makes the closing curve explicit.
  std::vector<host::PathSegment> segments;
  /// The flattened path within 0.1 pt, in points with y up: closed, the
  /// first vertex not repeated at the end; anchors carry the corner flag.
  /// The block comes from the host's allocator and goes with this record.
  host::ScratchArray<geometry::OutlinePoint> outline;

  /// The path's own segment count (without the repeated first).
  int SegmentCount() const { return static_cast<int>(segments.size()) - 1; }
  std::span<const geometry::OutlinePoint> Outline() const { return {outline.Data(), outline.Size()}; }
};

/// Flattens the path `art` with the host's path construction service. None
/// when the path cannot be read, has no segments, or flattens to nothing.
std::optional<PathOutline> ReadOutline(host::HostDocument& doc, host::ArtRef art);

/// The index of the outline vertex nearest to `p`; of equal distances the
/// first wins. -1 for an empty outline.
int NearestOutlineVertex(geometry::Vec2 p, std::span<const geometry::OutlinePoint> outline);

}  // namespace quorvane::generation
