// Pathfinder operations on filled shapes: divide, intersect and unite.
#pragma once

#include <vector>

#include "path_data.h"

namespace workbench::geometry {

/// Each operation takes filled shapes (a compound path each, subpaths taken
/// as closed, filled by the nonzero rule) and returns new shapes: one
/// compound path per separate outline, its first subpath the outer outline
/// with a positive signed area (clockwise), then its holes running the other
/// way. Curves stay curves: results are fitted within 0.01 pt of the exact
/// answer.

/// The pieces of the plane cut up by all the shapes' outlines: every region
/// covered by the same set of shapes, split into its connected parts.
std::vector<CompoundPath> Divide(const std::vector<CompoundPath>& shapes);

/// The region that every shape covers; none when they share no area.
std::vector<CompoundPath> Intersect(const std::vector<CompoundPath>& shapes);

/// The region that any shape covers: overlapping shapes merge into one
/// outline, enclosed gaps become holes.
std::vector<CompoundPath> Unite(const std::vector<CompoundPath>& shapes);

}  // namespace workbench::geometry
