/// Evaluating cubic Bezier curves.
#ifndef QUORVANE_SDK_REAL_BEZIER_SUITE_H
#define QUORVANE_SDK_REAL_BEZIER_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvRealBezierSuite "QV Real Bezier Suite"
enum { kQvRealBezierSuiteVersion = 1 };

typedef struct QvRealBezierSuite {
  /// The point at parameter t (0 at p0, 1 at p3).
  QvErr (*BezierEvaluate)(const QvRealBezier* b, double t, QvRealPoint* p);
  /// The first derivative at t.
  QvErr (*BezierTangent)(const QvRealBezier* b, double t, QvRealPoint* d);
} QvRealBezierSuite;

#ifdef __cplusplus
}
#endif

#endif
