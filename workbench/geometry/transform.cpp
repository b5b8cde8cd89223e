#include "transform.h"

#include <cmath>

namespace workbench::geometry {

Matrix Matrix::Rotation(double radians) {
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  return {c, s, -s, c, 0.0, 0.0};
}

Matrix Concat(const Matrix& first, const Matrix& second) {
  const Matrix& f = first;
  const Matrix& s = second;
  return {s.a * f.a + s.c * f.b,        s.b * f.a + s.d * f.b,
          s.a * f.c + s.c * f.d,        s.b * f.c + s.d * f.d,
          s.a * f.tx + s.c * f.ty + s.tx, s.b * f.tx + s.d * f.ty + s.ty};
}

PathData TransformPath(const PathData& path, const Matrix& m) {
  PathData out = path;
  for (PathSegment& s : out.segments) {
    s.anchor = m.Apply(s.anchor);
    s.in = m.Apply(s.in);
    s.out = m.Apply(s.out);
  }
  return out;
}

double TransformStrokeWidth(double width, const Matrix& m) {
  return width * std::sqrt(std::fabs(m.Determinant()));
}

}  // namespace workbench::geometry
