/// Converting between Bezier segments and flattened points, and
/// simplifying paths.
#ifndef QUORVANE_SDK_PATH_CONSTRUCTION_SUITE_H
#define QUORVANE_SDK_PATH_CONSTRUCTION_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvPathConstructionSuite "QV Path Construction Suite"
enum { kQvPathConstructionSuiteVersion = 1 };

typedef struct QvPathConstructionSuite {
  /// Flattens `segmentCount` segments, read as an open path from the first
  /// anchor to the last (repeat segment 0 at the end to get a closed one),
  /// into points no farther than `flatness` points from the curves. Every
  /// anchor becomes a point (corner flag set); no two consecutive points
  /// are more than `maxStep` points apart (0: no limit).
  /// The points come in a block of `allocator`, which the caller frees.
  QvErr (*SegmentsToPoints)(const QvPathSegment* segments, int32_t segmentCount, double flatness,
                            double maxStep, const QvAllocatorPair* allocator, QvOutlinePoint** points,
                            int32_t* pointCount);
  /// Replaces the path's segments with fewer that stay within `tolerance`
  /// points of its curves; corners stay corners.
  QvErr (*OptimizePath)(QvArtHandle path, double tolerance);
} QvPathConstructionSuite;

#ifdef __cplusplus
}
#endif

#endif
