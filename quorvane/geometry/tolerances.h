// The kernel's tolerances. These are the only ones it has; each is named after
// what it decides and carries its unit.
#pragma once

namespace quorvane::geometry {

/// Two directions closer than this to equal or opposite are parallel, in
/// radians. Lines within it of parallel never meet.
inline constexpr double kParallelAngleTolerance = 0.01;

/// Slack of the tolerant segment crossing, unitless: the segment parameters
/// may stray this far outside [0, 1], and a cross product of the two
/// directions below it (in square points) counts as parallel.
inline constexpr double kTolerantCrossingSlack = 1e-9;

/// A vertex closer than this to a segment lies on it, in points.
inline constexpr double kVertexOnSegmentDistance = 0.01;

/// A vertex closer than this to the reach point stands in for a crossing, in
/// points.
inline constexpr double kVertexSnapDistance = 1.0;

}  // namespace quorvane::geometry
