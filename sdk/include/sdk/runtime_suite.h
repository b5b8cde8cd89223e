/// Facts about the running host.
#ifndef QUORVANE_SDK_RUNTIME_SUITE_H
#define QUORVANE_SDK_RUNTIME_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvRuntimeSuite "QV Runtime Suite"
enum { kQvRuntimeSuiteVersion = 1 };

/// The host's own image-tracing action; a host may not have it.
#define kQvTracingAction "ai_plugin_tracing"

typedef struct QvRuntimeSuite {
  /// The host application's major version number.
  QvErr (*GetAppMajorVersion)(int32_t* version);
} QvRuntimeSuite;

#ifdef __cplusplus
}
#endif

#endif
