/// Finding the art under a point of the document.
#ifndef QUORVANE_SDK_HIT_TEST_SUITE_H
#define QUORVANE_SDK_HIT_TEST_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvHitTestSuite "QV Hit Test Suite"
enum { kQvHitTestSuiteVersion = 1 };

/// What a hit test looks for, as bits.
enum QvHitRequest {
  kQvHitAnchors = 2, /**< anchors of paths */
  kQvHitSegments = 4 /**< the curves between anchors */
};

enum QvHitKind {
  kQvHitNothing = 0,
  kQvHitAnchor = 1,  /**< `segmentIndex` is the anchor's index, `t` 0 */
  /** the curve arriving at anchor `segmentIndex` (0 for the closing curve
      of a closed path), at parameter `t` from its start */
  kQvHitSegment = 2
};

typedef struct QvHitResult {
  int32_t kind; /**< a QvHitKind */
  QvArtHandle art;
  int32_t segmentIndex;
  double t;
  /// The point of the art that was hit.
  QvRealPoint point;
} QvHitResult;

typedef struct QvHitTestSuite {
  /// The topmost unlocked, visible path within `tolerance` points of `p`;
  /// anchors win over curves. `art` null: all art of the document, else
  /// that art only. Nothing hit is a result, not an error.
  QvErr (*HitTest)(QvArtHandle art, const QvRealPoint* p, double tolerance, int32_t request,
                   QvHitResult* result);
} QvHitTestSuite;

#ifdef __cplusplus
}
#endif

#endif
