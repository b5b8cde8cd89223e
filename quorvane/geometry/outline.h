// Flattened closed outlines: vertices in points (y up), always closed. Edge i
// runs from vertex i to vertex i + 1; the closing edge, number n − 1, runs from
// vertex n − 1 to vertex 0. The first vertex is not repeated at the end.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "quorvane/geometry/vec2.h"

namespace quorvane::geometry {

/// One vertex of an outline, as the host's flattening gives it.
struct OutlinePoint {
  Vec2 p;
  /// Whether the host marked the vertex a corner; no operation reads it.
  bool corner = false;

  friend constexpr bool operator==(const OutlinePoint&, const OutlinePoint&) = default;
};

// The host hands outlines over as arrays of 24-byte records.
static_assert(sizeof(OutlinePoint) == 24);

/// A closed outline. Indices into it are 32-bit signed, like the host's.
using Outline = std::vector<OutlinePoint>;

/// The cyclic neighbours of one outline vertex.
struct Neighbours {
  Vec2 prev;  ///< vertex i − 1, or vertex n − 1 for i = 0
  Vec2 next;  ///< vertex i + 1, or vertex 0 for i = n − 1

  friend constexpr bool operator==(const Neighbours&, const Neighbours&) = default;
};

/// The neighbours of vertex i; none unless 0 ≤ i < n.
std::optional<Neighbours> OutlineNeighbours(std::span<const OutlinePoint> outline, int i);

/// The index of the vertex nearest to p; of equal distances the first wins.
/// Only finite distances count: none for an empty outline, and for a point
/// with a NaN or infinite coordinate (no vertex is nearest to it, so a
/// command that needs one fails).
std::optional<int> NearestOutlinePoint(Vec2 p, std::span<const OutlinePoint> outline);

}  // namespace quorvane::geometry
