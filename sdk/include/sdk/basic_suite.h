/// The basic suite, handed to the module in every message: it acquires and
/// releases the other suites, compares names and allocates blocks.
#ifndef QUORVANE_SDK_BASIC_SUITE_H
#define QUORVANE_SDK_BASIC_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvBasicSuite "SP Basic Suite"
enum { kQvBasicSuiteVersion = 1 };

typedef struct QvBasicSuite {
  /// Gives the suite `name` at exactly `version` in `*suite` and counts one
  /// more acquisition of it. Unknown name or version: kQvErrSuiteNotFound
  /// and `*suite` null.
  QvErr (*AcquireSuite)(const char* name, int32_t version, const void** suite);
  /// Counts one acquisition fewer. A suite not acquired: kQvErrSuiteNotFound.
  QvErr (*ReleaseSuite)(const char* name, int32_t version);
  /// `*equal` is set when the two names are the same text (exact bytes).
  QvErr (*IsEqual)(const char* a, const char* b, QvBool* equal);
  /// A block of `size` bytes (zero-filled) in `*block`; kQvErrOutOfMemory
  /// when it cannot be had, kQvErrBadParameter for a negative size.
  QvErr (*AllocateBlock)(int64_t size, void** block);
  /// Frees a block this host allocated; null is accepted and does nothing.
  QvErr (*FreeBlock)(void* block);
  /// Resizes a block, keeping its bytes; the old block is gone on success.
  QvErr (*ReallocateBlock)(void* block, int64_t newSize, void** newBlock);
} QvBasicSuite;

/*
 * Each further suite is a struct of its own header beside this one: menus
 * (menu_suite.h), tools (tool_suite.h), notifiers (notifier_suite.h), the
 * runtime (runtime_suite.h). Still to come: panels and their flyout menus,
 * the user-interface theme, and the UI toolkit (controls, owner drawing,
 * timers, modal dialogs from a control template).
 */

#ifdef __cplusplus
}
#endif

#endif
