// Reading a closed path of the document as a flattened outline, the form
// every generator edits.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/path_segment.h"
#include "quorvane/geometry/vec2.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// A path as the generators read it.
struct PathOutline {
  /// The path's n segments followed by a copy of segment 0 (n + 1 in all),
  /// which makes the closing curve explicit.
  std::vector<host::PathSegment> segments;
  /// The flattened path within 0.1 pt, in points with y up: closed, the
  /// first vertex not repeated at the end; anchors carry the corner flag.
  geometry::Outline outline;

  /// The path's own segment count (without the repeated first).
  int SegmentCount() const { return static_cast<int>(segments.size()) - 1; }
  std::span<const geometry::OutlinePoint> Outline() const { return outline; }
  /// The path's own segments as geometry (without the repeated first).
  std::vector<geometry::PathSegment> Anchors() const;
};

/// Flattens the path `art` with the host's path construction service. None
/// when the path cannot be read, has no segments, or flattens to nothing.
std::optional<PathOutline> ReadOutline(host::HostDocument& doc, host::ArtRef art);

}  // namespace quorvane::generation
