/// Moving, scaling and otherwise transforming art by a matrix.
#ifndef QUORVANE_SDK_TRANSFORM_ART_SUITE_H
#define QUORVANE_SDK_TRANSFORM_ART_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvTransformArtSuite "QV Transform Art Suite"
enum { kQvTransformArtSuiteVersion = 1 };

/// What TransformArt changes, as bits.
enum QvTransformFlags {
  kQvTransformObjects = 1,     /**< the geometry */
  kQvTransformStrokeWidths = 2 /**< stroke widths, multiplied by lineScale */
};

typedef struct QvTransformArtSuite {
  /// Transforms the art (and everything inside a group) by `matrix`.
  QvErr (*TransformArt)(QvArtHandle art, const QvRealMatrix* matrix, double lineScale, int32_t flags);
} QvTransformArtSuite;

#ifdef __cplusplus
}
#endif

#endif
