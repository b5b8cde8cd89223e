#include "workbench/document/rect.h"

#include <algorithm>

namespace workbench::document {

Rect Rect::United(const Rect& o) const {
  return {std::min(left, o.left), std::max(top, o.top), std::max(right, o.right),
          std::min(bottom, o.bottom)};
}

Rect Rect::Including(geometry::Point p) const {
  return {std::min(left, p.x), std::max(top, p.y), std::max(right, p.x), std::min(bottom, p.y)};
}

AffineMatrix AffineMatrix::operator*(const AffineMatrix& f) const {
  return {a * f.a + c * f.b,        b * f.a + d * f.b,        a * f.c + c * f.d,
          b * f.c + d * f.d,        a * f.tx + c * f.ty + tx, b * f.tx + d * f.ty + ty};
}

AffineMatrix AffineMatrix::Inverted() const {
  const double det = a * d - b * c;
  if (det == 0.0) return {};
  const double ia = d / det;
  const double ib = -b / det;
  const double ic = -c / det;
  const double id = a / det;
  return {ia, ib, ic, id, -(ia * tx + ic * ty), -(ib * tx + id * ty)};
}

}  // namespace workbench::document
