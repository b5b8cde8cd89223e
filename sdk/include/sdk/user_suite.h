/// Modal alerts and questions. Each call returns after the user has
/// answered; a host without a display answers from a script and fails with
/// kQvErrNoAnswer for a prompt nobody scripted.
#ifndef QUORVANE_SDK_USER_SUITE_H
#define QUORVANE_SDK_USER_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvUserSuite "QV User Suite"
enum { kQvUserSuiteVersion = 1 };

typedef struct QvUserSuite {
  /// An informational alert with an OK button.
  QvErr (*MessageAlert)(const char* message);
  /// An error alert with an OK button.
  QvErr (*ErrorAlert)(const char* message);
  /// A yes/no question; `*yes` is set when the user answered yes.
  QvErr (*YesNoAlert)(const char* message, QvBool* yes);
} QvUserSuite;

#ifdef __cplusplus
}
#endif

#endif
