/// Notifiers: a module asks to hear of host events by type name (the
/// notification types of sdk/messages.h). Each event sends every notifier
/// of its type kQvCallerNotifier / kQvSelectorNotify with its handle.
#ifndef QUORVANE_SDK_NOTIFIER_SUITE_H
#define QUORVANE_SDK_NOTIFIER_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvNotifierSuite "QV Notifier Suite"
enum { kQvNotifierSuiteVersion = 1 };

typedef struct QvNotifierSuite {
  /// Registers `name` (unique per host) for notifications of `type`.
  /// kQvErrBadParameter for a taken name or a self the host does not know.
  QvErr (*AddNotifier)(QvPluginRef self, const char* name, const char* type, QvNotifierHandle* notifier);
} QvNotifierSuite;

#ifdef __cplusplus
}
#endif

#endif
