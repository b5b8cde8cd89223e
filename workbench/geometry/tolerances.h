// Tolerances of the geometry services, each named after what it bounds.
#pragma once

namespace workbench::geometry {

/// Largest distance (points) between an input curve and the polygon that
/// stands in for it inside offsets and booleans.
inline constexpr double kClipperFlatness = 0.002;

/// Largest distance (points) between the dense polygon Clipper returns and
/// the curves fitted back through it. With kClipperFlatness this keeps
/// offsets and booleans within 0.01 pt of the exact result.
inline constexpr double kResultFitTolerance = 0.007;

/// Integer units per point handed to Clipper when the coordinates allow it.
inline constexpr double kClipperScale = 10000.0;

/// Largest absolute Clipper coordinate we produce: below Clipper's loRange,
/// so it stays on its fast 64-bit arithmetic.
inline constexpr double kClipperMaxCoordinate = 1.0e9;

/// A turn (radians) above which a vertex of a dense polygon is a corner of the
/// shape rather than a step along a flattened curve.
inline constexpr double kCornerTurn = 0.2;

/// A change of tangent direction (radians) at an anchor below which the two
/// curves meeting there count as one smooth curve.
inline constexpr double kSmoothTangentTurn = 1.0e-3;

/// Polygon edges at least this long (points) become straight segments when
/// curves are fitted: a flattened curve has edges this long only where it is
/// practically straight.
inline constexpr double kLongStraightEdge = 10.0;

/// Points closer than this (points) are one point.
inline constexpr double kSamePoint = 1.0e-7;

}  // namespace workbench::geometry
