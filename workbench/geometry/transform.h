// Affine transforms of host paths.
#pragma once

#include "path_data.h"

namespace workbench::geometry {

/// An affine map of the plane, y up: x' = a x + c y + tx, y' = b x + d y + ty.
struct Matrix {
  double a = 1.0;
  double b = 0.0;
  double c = 0.0;
  double d = 1.0;
  double tx = 0.0;
  double ty = 0.0;

  friend bool operator==(const Matrix&, const Matrix&) = default;

  static Matrix Identity() { return {}; }
  static Matrix Translation(double dx, double dy) { return {1.0, 0.0, 0.0, 1.0, dx, dy}; }
  static Matrix Scaling(double sx, double sy) { return {sx, 0.0, 0.0, sy, 0.0, 0.0}; }
  /// Counter-clockwise rotation by `radians` about the origin.
  static Matrix Rotation(double radians);

  Point Apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
  double Determinant() const { return a * d - b * c; }
};

/// The map that applies `first`, then `second`.
Matrix Concat(const Matrix& first, const Matrix& second);

/// The path with anchors and handles mapped by m; corner flags and the closed
/// flag kept. A mirroring matrix (negative determinant) reverses the sign of
/// the signed area.
PathData TransformPath(const PathData& path, const Matrix& m);

/// A stroke width after the art is transformed by m: scaled by the square
/// root of the area factor, so uniform scales scale it exactly.
double TransformStrokeWidth(double width, const Matrix& m);

}  // namespace workbench::geometry
