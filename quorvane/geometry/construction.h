// Constructions the seam-allowance generators share: normals, offset
// vertices, casts from the finish line onto the margin, and splicing a new
// run into an outline. In points, y up; the outward side of a direction along
// the finish line is its left.
#pragma once

#include <optional>
#include <span>

#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/outline_intersection.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::geometry {

/// How far a cast from the finish line looks for the margin, in points: a
/// margin farther than this from where the cast starts is not found.
inline constexpr double kCastReach = 500.0;

/// d turned by +π/2 with RotateVector (so rounded through cos and sin, not
/// swapped exactly): the outward normal of a direction along the finish line.
Vec2 LeftNormal(Vec2 d);

/// i taken cyclically into 0..n−1 (n > 0), for negative i too.
constexpr int CyclicIndex(int i, int n) { return ((i % n) + n) % n; }

/// Vertex v between prev and next moved `distance` to the left of its edges:
/// after a right turn the mitre of the two moved edges, after a left turn, a
/// straight run, or edges whose lines do not meet, v moved along the unit
/// left normal of the arriving edge.
Vec2 MitredOffsetVertex(Vec2 prev, Vec2 v, Vec2 next, double distance);

/// Distance from p to the segment a–b (to the nearer end beyond the ends).
double DistanceToSegment(Vec2 p, Vec2 a, Vec2 b);

/// Where the cast from `from` to `to` first crosses the outline, seen from
/// `from` (IntersectSegmentWithOutline). A cast along an axis has a bounding
/// box of zero height (or width), and the exact crossing test then misses an
/// edge it plainly crosses whenever the crossing rounds off the cast's line;
/// only then the tolerant test (reach 0) decides, so the result is the exact
/// one wherever that exists.
std::optional<OutlineCrossing> CastOntoOutline(Vec2 from, Vec2 to, std::span<const OutlinePoint> outline,
                                               bool takeStart);

/// The outline's vertices from `from` forward to `to` with `run` after `to`,
/// as one closed outline: vertices from..to then the run when from < to;
/// otherwise the kept stretch wraps past vertex 0, which stays first:
/// vertices 0..to, the run, vertices from..n−1.
Outline SpliceRun(std::span<const OutlinePoint> outline, int from, int to, std::span<const OutlinePoint> run);

/// The outline with its vertices from `first` forward to `last` (both
/// included, cyclically) replaced by `run`: vertices 0..first−1, the run,
/// vertices last+1..n−1 when first ≤ last; otherwise the kept stretch
/// last+1..first−1 comes first, then the run.
Outline ReplaceRun(std::span<const OutlinePoint> outline, int first, int last, std::span<const OutlinePoint> run);

}  // namespace quorvane::geometry
