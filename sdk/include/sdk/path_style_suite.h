/// Fill and stroke of path and compound path art.
#ifndef QUORVANE_SDK_PATH_STYLE_SUITE_H
#define QUORVANE_SDK_PATH_STYLE_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvPathStyleSuite "QV Path Style Suite"
enum { kQvPathStyleSuiteVersion = 1 };

typedef struct QvPathStyleSuite {
  QvErr (*GetPathStyle)(QvArtHandle art, QvPathStyle* style);
  /// kQvErrBadParameter for more than kQvMaxDashes dashes or an unknown
  /// custom colour.
  QvErr (*SetPathStyle)(QvArtHandle art, const QvPathStyle* style);
} QvPathStyleSuite;

#ifdef __cplusplus
}
#endif

#endif
