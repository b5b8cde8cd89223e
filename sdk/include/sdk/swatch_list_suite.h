/// The current document's swatch list.
#ifndef QUORVANE_SDK_SWATCH_LIST_SUITE_H
#define QUORVANE_SDK_SWATCH_LIST_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvSwatchListSuite "QV Swatch List Suite"
enum { kQvSwatchListSuiteVersion = 1 };

typedef struct QvSwatchListSuite {
  QvErr (*CountSwatches)(int32_t* count);
  /// As GetArtName for the name; either output may be null.
  QvErr (*GetNthSwatch)(int32_t index, char* name, int32_t capacity, QvColor* color);
  /// Index of the first swatch named exactly `name`, -1 when none.
  QvErr (*FindSwatch)(const char* name, int32_t* index);
  /// Appends a swatch.
  QvErr (*AddSwatch)(const char* name, const QvColor* color);
  QvErr (*RemoveSwatch)(int32_t index);
} QvSwatchListSuite;

#ifdef __cplusplus
}
#endif

#endif
