/// Named colours of the current document.
#ifndef QUORVANE_SDK_CUSTOM_COLOR_SUITE_H
#define QUORVANE_SDK_CUSTOM_COLOR_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvCustomColorSuite "QV Custom Color Suite"
enum { kQvCustomColorSuiteVersion = 1 };

typedef struct QvCustomColorSuite {
  /// A new custom colour; `color` must be gray, CMYK or RGB.
  QvErr (*NewCustomColor)(const QvColor* color, QvBool spot, const char* name, QvCustomColorHandle* handle);
  QvErr (*DisposeCustomColor)(QvCustomColorHandle handle);
  QvErr (*CountCustomColors)(int32_t* count);
  QvErr (*GetNthCustomColor)(int32_t index, QvCustomColorHandle* handle);
  /// Null (no error) when no colour has that exact name.
  QvErr (*FindCustomColor)(const char* name, QvCustomColorHandle* handle);
  QvErr (*GetCustomColor)(QvCustomColorHandle handle, QvColor* color, QvBool* spot);
  /// As GetArtName.
  QvErr (*GetCustomColorName)(QvCustomColorHandle handle, char* buffer, int32_t capacity, int32_t* length);
} QvCustomColorSuite;

#ifdef __cplusplus
}
#endif

#endif
