// Axis-aligned rectangles and affine matrices in document points (y up).
#pragma once

#include "workbench/geometry/point.h"

namespace workbench::document {

/// A rectangle in document points with y up: `top` >= `bottom` and
/// `right` >= `left` for any rectangle that encloses something.
struct Rect {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;

  friend bool operator==(const Rect&, const Rect&) = default;

  double Width() const { return right - left; }
  double Height() const { return top - bottom; }
  /// The smallest rectangle holding both.
  Rect United(const Rect& o) const;
  /// The smallest rectangle holding this one and `p`.
  Rect Including(geometry::Point p) const;
};

/// The affine map p -> (a x + c y + tx, b x + d y + ty), as SVG's
/// matrix(a b c d tx ty).
struct AffineMatrix {
  double a = 1.0;
  double b = 0.0;
  double c = 0.0;
  double d = 1.0;
  double tx = 0.0;
  double ty = 0.0;

  friend bool operator==(const AffineMatrix&, const AffineMatrix&) = default;

  geometry::Point Apply(geometry::Point p) const {
    return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty};
  }
  /// This map applied after `first`: (this * first)(p) = this(first(p)).
  AffineMatrix operator*(const AffineMatrix& first) const;
  /// The inverse map, or the identity when this one is singular.
  AffineMatrix Inverted() const;
  bool IsIdentity() const { return *this == AffineMatrix{}; }

  static AffineMatrix Translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
  static AffineMatrix Scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
};

}  // namespace workbench::document
