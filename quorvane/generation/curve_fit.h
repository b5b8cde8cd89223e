// Fitting cubic Bezier pieces through a flattened outline, so that a
// generator's polygon comes back as a smooth path of few segments.
#pragma once

#include <span>
#include <vector>

#include "quorvane/geometry/vec2.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// A cubic from p0 to p3 with control points p1 and p2, in points. A
/// straight piece has p1 = p0 and p2 = p3.
struct BezierPiece {
  geometry::Vec2 p0;
  geometry::Vec2 p1;
  geometry::Vec2 p2;
  geometry::Vec2 p3;

  friend constexpr bool operator==(const BezierPiece&, const BezierPiece&) = default;
};

/// The point of the piece at parameter t in [0, 1].
geometry::Vec2 PointAt(const BezierPiece& piece, double t);

/// Fits pieces through `points` in order, each within `tolerance` points of
/// the points it covers. Points that repeat the point before them are
/// dropped first. A run of points ends, and a new piece starts, where the
/// outline turns by a degree or more and at every point whose index is in
/// `cornerIndices`. For a closed outline pass its first point again at the
/// end: the pieces then join up end to start.
std::vector<BezierPiece> FitBezierPieces(std::span<const geometry::Vec2> points, std::span<const int> cornerIndices,
                                         double tolerance);

/// The closed path through `pieces`, one segment a piece, every segment a
/// corner: segment k has anchor p0 and out-handle p1 of piece k, and the
/// in-handle p2 of the piece before it (the last piece for segment 0).
std::vector<host::PathSegment> ClosedPathFromPieces(std::span<const BezierPiece> pieces);

}  // namespace quorvane::generation
