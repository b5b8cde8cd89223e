// The tolerances and fixed parameters of seam-allowance generation, each
// named after what it decides, with its unit.
#pragma once

namespace quorvane::generation {

// ---- Reading paths as outlines -------------------------------------------

/// Largest distance of a flattened outline from the curves, in points.
inline constexpr double kReadFlatness = 0.1;
/// Second parameter of the host's flattening, passed on unchanged; this host
/// reads it as the longest step between two points, in points.
inline constexpr double kReadStep = 0.5;
/// Distance that no outline vertex reaches: the start of a nearest search.
inline constexpr double kNoNearestDistance = 9999999.9;

// ---- Curve fitting ---------------------------------------------------------

/// How far a fitted curve may stray from the outline, in points.
inline constexpr double kFitTolerance = 1.0;
/// The same for drawings at a reduced scale, in points.
inline constexpr double kFitToleranceScaled = 0.1;
/// A point this close to the one before it is a repeat, in square points.
inline constexpr double kFitRepeatSquaredDistance = 1e-5;
/// A turn of at least this much ends a fitted run, in degrees.
inline constexpr double kFitCornerAngleDegrees = 1.0;
/// Edges shorter than this have no direction and never end a run, in points.
inline constexpr double kFitShortEdgeLength = 1e-9;
/// Least-squares systems with a determinant at or below this are singular.
inline constexpr double kFitSingularDeterminant = 1e-12;
/// Inner control points closer than this to the chord make a straight piece,
/// in square points (0.1 pt).
inline constexpr double kFitStraightSquaredDistance = 0.01;

// ---- Pathfinder ------------------------------------------------------------

/// The precision handed to every pathfinder operation, in points.
inline constexpr double kPathfinderPrecision = 10.0;
/// A path counts as inside another when every sample of it lies inside or
/// within this distance of the other's outline, in points.
inline constexpr double kContainmentSlack = 2.0;
/// Samples per cubic piece in the containment test.
inline constexpr int kContainmentSamplesPerPiece = 128;

// ---- Widths ----------------------------------------------------------------

/// The widest margin a run works with, in points: the side of the largest
/// canvas a document can have (227 inches). A wider width, or one that is
/// not a number, makes its command fail at once, since offsets that wide
/// only take time and memory and give nothing a document can hold.
inline constexpr double kLargestWidth = 16344.0;

// ---- Offset Path action -----------------------------------------------------

/// The mitre limit the margin is offset with: corners are never bevelled.
inline constexpr double kOffsetMiterLimit = 10000.0;

}  // namespace quorvane::generation
