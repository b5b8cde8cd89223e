// The Offset Path action: outlines at a fixed distance from a closed path.
#pragma once

#include <vector>

#include "path_data.h"

namespace workbench::geometry {

/// How the offset outline turns around a corner of the input.
enum class JoinType {
  kMiter,  ///< the two offset edges extended until they meet, up to the limit
  kRound,  ///< an arc about the corner
  kBevel,  ///< a straight cut between the two offset edges
};

/// The outlines at `distance` points from a path, the path taken as closed.
/// A positive distance goes outward and a negative one inward, whatever the
/// path's orientation. Mitre joins reach out at most `miterLimit` times the
/// distance from their corner (the ratio SVG's stroke-miterlimit uses);
/// beyond it, and for limits below 1, the corner is bevelled. Overlaps of the
/// outline with itself are resolved, so each result is a simple outline,
/// possibly with holes. An inward offset that splits the piece gives several
/// results; one that swallows it gives none. Curves stay curves: results are
/// fitted within 0.01 pt of the exact offset. Each outer outline keeps the
/// input's orientation (a positive signed area for a clockwise input), holes
/// the opposite one. Distance 0 gives the path itself, closed.
std::vector<CompoundPath> OffsetPath(const PathData& path, double distance, double miterLimit,
                                     JoinType join);

}  // namespace workbench::geometry
