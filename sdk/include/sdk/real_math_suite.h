/// Small arithmetic on reals, points and matrices.
#ifndef QUORVANE_SDK_REAL_MATH_SUITE_H
#define QUORVANE_SDK_REAL_MATH_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvRealMathSuite "QV Real Math Suite"
enum { kQvRealMathSuiteVersion = 1 };

typedef struct QvRealMathSuite {
  QvErr (*RealMatrixSetIdentity)(QvRealMatrix* m);
  QvErr (*RealMatrixSetTranslate)(QvRealMatrix* m, double tx, double ty);
  QvErr (*RealMatrixSetScale)(QvRealMatrix* m, double sx, double sy);
  /// m := m followed by a translation.
  QvErr (*RealMatrixConcatTranslate)(QvRealMatrix* m, double tx, double ty);
  /// m := m followed by a scaling about the origin.
  QvErr (*RealMatrixConcatScale)(QvRealMatrix* m, double sx, double sy);
  /// result := first followed by second.
  QvErr (*RealMatrixConcat)(const QvRealMatrix* first, const QvRealMatrix* second, QvRealMatrix* result);
  QvErr (*TransformPoint)(const QvRealMatrix* m, const QvRealPoint* p, QvRealPoint* result);
  QvErr (*RealPointLength)(const QvRealPoint* a, const QvRealPoint* b, double* distance);
  /// kQvErrBadParameter for a negative argument.
  QvErr (*RealSqrt)(double a, double* root);
} QvRealMathSuite;

#ifdef __cplusplus
}
#endif

#endif
