/// Segments of path art. Segment indices start at 0.
#ifndef QUORVANE_SDK_PATH_SUITE_H
#define QUORVANE_SDK_PATH_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvPathSuite "QV Path Suite"
enum { kQvPathSuiteVersion = 1 };

typedef struct QvPathSuite {
  QvErr (*GetPathSegmentCount)(QvArtHandle path, int32_t* count);
  /// Copies segments first .. first + count - 1.
  QvErr (*GetPathSegments)(QvArtHandle path, int32_t first, int32_t count, QvPathSegment* segments);
  /// Overwrites segments first .. first + count - 1; writing past the end
  /// appends (first may equal the current count).
  QvErr (*SetPathSegments)(QvArtHandle path, int32_t first, int32_t count, const QvPathSegment* segments);
  /// Inserts `count` segments before index `at` (0 .. segment count).
  QvErr (*InsertPathSegments)(QvArtHandle path, int32_t at, int32_t count, const QvPathSegment* segments);
  QvErr (*DeletePathSegments)(QvArtHandle path, int32_t first, int32_t count);
  QvErr (*GetPathClosed)(QvArtHandle path, QvBool* closed);
  QvErr (*SetPathClosed)(QvArtHandle path, QvBool closed);
  /// The signed area in square points; positive when the enclosed area lies
  /// to the right of the direction (clockwise with y up). An open path
  /// counts as closed by a straight line.
  QvErr (*GetPathArea)(QvArtHandle path, double* area);
  /// Reverses the order of the segments (and swaps each one's handles).
  QvErr (*ReversePathSegments)(QvArtHandle path);
  /// The cubic leaving segment `index` (the closing one for the last index
  /// of a closed path).
  QvErr (*GetPathBezier)(QvArtHandle path, int32_t index, QvRealBezier* bezier);
} QvPathSuite;

#ifdef __cplusplus
}
#endif

#endif
