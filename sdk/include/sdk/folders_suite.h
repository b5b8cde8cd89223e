/// Folders the host gives its modules.
#ifndef QUORVANE_SDK_FOLDERS_SUITE_H
#define QUORVANE_SDK_FOLDERS_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvFoldersSuite "QV Folders Suite"
enum { kQvFoldersSuiteVersion = 1 };

typedef struct QvFoldersSuite {
  /// The folder where modules keep their settings and lists (UTF-8, no
  /// trailing separator); as GetArtName. It exists when the call returns.
  QvErr (*GetPreferencesFolder)(char* buffer, int32_t capacity, int32_t* length);
} QvFoldersSuite;

#ifdef __cplusplus
}
#endif

#endif
