// The "Extended one-side" command: along a run of the finish line between
// two anchors the seam allowance takes the command's width instead of the
// basic width, while the margin before and after the run keeps its shape.
#pragma once

#include <optional>
#include <span>

#include "quorvane/generation/one_side_ends.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::generation {

/// What the run's construction reads: the line it is built beside (the
/// finish line, or a copy of it inset into the piece), the current margin,
/// the two anchors the run goes between, and how far out it reaches.
struct OneSideRunInput {
  std::span<const geometry::OutlinePoint> base;
  std::span<const geometry::OutlinePoint> margin;
  geometry::Vec2 firstAnchor;
  geometry::Vec2 secondAnchor;
  /// The command's width + 100, in points.
  double reach = 0.0;
  /// The end records as they stood before the command.
  OneSideEndRecords ends;
};

/// The construction's outcome: the records with this command's concave
/// ends added (also when it fails after recording one), and the margin with
/// the new run spliced in, none on failure.
struct OneSideRun {
  OneSideEndRecords ends;
  std::optional<geometry::Outline> margin;
};

/// The margin beside the run of `in.base` from the vertex nearest to the
/// first anchor forward to the one nearest to the second (wrapping past the
/// outline's start when needed) replaced by an allowance `in.reach` wide,
/// joined to the margin at both ends. A convex or straight end joins where
/// a cast from it meets the margin; a concave end joins at its nearest
/// margin vertex and is recorded for the follow-up. Fails when a cast from
/// a convex end misses the margin or both ends join at the same margin
/// vertex.
OneSideRun OneSideRunOutline(const OneSideRunInput& in);

}  // namespace quorvane::generation
