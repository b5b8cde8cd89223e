// What a command's construction reads of the document, read once by the
// driver before the construction runs. Plain values: a construction that
// takes them touches no document.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/path_segment.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::generation {

/// The finish line and the current margin, in points with y up.
struct CommandInput {
  /// The finish line's anchors, in path order (segment 0 first).
  std::vector<geometry::PathSegment> anchors;
  /// The finish line flattened within 0.1 pt (anchors carry the corner flag).
  geometry::Outline finish;
  /// The current margin (the result art) flattened the same way.
  geometry::Outline margin;

  int AnchorCount() const { return static_cast<int>(anchors.size()); }
  /// Whether `number` (counted from 1) names one of the anchors.
  bool HasAnchor(std::int32_t number) const { return number >= 1 && number <= AnchorCount(); }
};

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

/// The corner of the finish line at anchor `anchorNumber` (counted from 1);
/// none when the number is not one of the anchors or the outline has no
/// vertex with neighbours there.
std::optional<OutlineCorner> CornerAtAnchor(const CommandInput& in, std::int32_t anchorNumber);

}  // namespace quorvane::generation
