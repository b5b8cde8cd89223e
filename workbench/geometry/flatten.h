// Flattening host paths into points.
#pragma once

#include <cstddef>
#include <vector>

#include "bezier.h"
#include "path_data.h"

namespace workbench::geometry {

/// One vertex of a flattened path.
struct FlatPoint {
  Point point;
  /// True when the vertex is an anchor of the path.
  bool anchor = false;
  /// The anchor's corner flag; false for points inside a curve.
  bool corner = false;
  /// The anchor's index; for a point inside a curve, the index of the anchor
  /// that curve leaves.
  std::size_t index = 0;
  friend bool operator==(const FlatPoint&, const FlatPoint&) = default;
};

/// Flattens a path into vertices. Every anchor is a vertex, in order. Between
/// anchors, every curve stays within `flatness` points of its chords, and no
/// two consecutive vertices are more than `maxSegmentLength` points apart,
/// straight segments included (0 or less: no length limit). An open path's
/// vertices run from its first anchor to its last; a closed path's cover the
/// closing curve too and do not repeat the first vertex at the end.
std::vector<FlatPoint> FlattenPath(const PathData& path, double flatness,
                                   double maxSegmentLength);

/// The vertices of one curve strictly between its ends, in order, as curve
/// parameters, with the same two limits. A straight curve whose handles lie
/// on its chord between its ends is cut into pieces of equal length.
std::vector<double> FlattenCurveParameters(const CubicBezier& curve, double flatness,
                                           double maxSegmentLength);

/// How far along its chord a straight curve is at parameter t, as a
/// fraction of the chord: a cubic in t that never falls when the handles lie
/// on the chord between the ends.
class StraightProgress {
 public:
  explicit StraightProgress(const CubicBezier& straight);
  double At(double t) const;
  /// The derivative of At.
  double Slope(double t) const;
 private:
  // The handles' places along the chord, as fractions of it.
  double a1_ = 0.0, a2_ = 0.0;
};

}  // namespace workbench::geometry
