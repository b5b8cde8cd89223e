// Reading a closed path of the document as a flattened outline, the form
// every generator edits.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "quorvane/geometry/outline.h"
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
  /// The block comes from the host's allocator and goes with this record.
  host::ScratchArray<geometry::OutlinePoint> outline;

  /// The path's own segment count (without the repeated first).
  int SegmentCount() const { return static_cast<int>(segments.size()) - 1; }
  std::span<const geometry::OutlinePoint> Outline() const { return {outline.Data(), outline.Size()}; }
};

/// Flattens the path `art` with the host's path construction service. None
/// when the path cannot be read, has no segments, or flattens to nothing.
std::optional<PathOutline> ReadOutline(host::HostDocument& doc, host::ArtRef art);

/// The finish line's corner at an anchor, as the corner commands read it:
/// the outline vertex nearest to the anchor and its two neighbours.
struct OutlineCorner {
  geometry::Vec2 p;
  geometry::Vec2 prev;
  geometry::Vec2 next;
  /// The edge before the corner, pointing out through it: p - prev.
  geometry::Vec2 PrevEdge() const { return p - prev; }
  /// The edge after the corner, pointing back out through it: p - next.
  geometry::Vec2 NextEdge() const { return p - next; }
};

/// The corner of `path` at anchor `anchorNumber` (counted from 1); none
/// when the number is not one of the path's anchors or the outline has no
/// vertex with neighbours there.
std::optional<OutlineCorner> CornerAtAnchor(const PathOutline& path, std::int32_t anchorNumber);

/// The index of the outline vertex nearest to `p`; of equal distances the
/// first wins. -1 for an empty outline.
int NearestOutlineVertex(geometry::Vec2 p, std::span<const geometry::OutlinePoint> outline);

}  // namespace quorvane::generation
