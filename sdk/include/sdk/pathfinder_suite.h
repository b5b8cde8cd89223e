/// Boolean operations on paths. Results replace their inputs on the
/// inputs' layer and come out selected; locked art is never touched.
#ifndef QUORVANE_SDK_PATHFINDER_SUITE_H
#define QUORVANE_SDK_PATHFINDER_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvPathfinderSuite "QV Pathfinder Suite"
enum { kQvPathfinderSuiteVersion = 1 };

typedef struct QvPathfinderData {
  /// Points; curves are flattened this finely, results refitted.
  double precision;
  QvBool removeRedundantPoints;
  /// The input art, or null (with artCount 0) for the current selection.
  const QvArtHandle* art;
  int32_t artCount;
} QvPathfinderData;

typedef struct QvPathfinderSuite {
  /// Splits the inputs into the pieces their outlines cut each other into.
  QvErr (*DoDivideEffect)(const QvPathfinderData* data);
  /// The area common to all inputs.
  QvErr (*DoIntersectEffect)(const QvPathfinderData* data);
  /// The union of the inputs.
  QvErr (*DoUniteEffect)(const QvPathfinderData* data);
} QvPathfinderSuite;

#ifdef __cplusplus
}
#endif

#endif
