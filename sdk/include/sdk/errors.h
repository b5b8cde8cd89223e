/// Host error codes. Every suite function and PluginMain return one; 0 is
/// success. The others are four-character codes, the first character in the
/// most significant byte.
#ifndef QUORVANE_SDK_ERRORS_H
#define QUORVANE_SDK_ERRORS_H

#include "sdk/plugin_main.h"
#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/// A four-character error code as a 32-bit signed value.
#define QV_ERROR_CODE(a, b, c, d) ((QvErr)QV_FOURCC(a, b, c, d))

enum QvErrorCode {
  kQvNoErr = 0,
  /// The host has no suite of that name and version.
  kQvErrSuiteNotFound = QV_ERROR_CODE('S', '!', 'F', 'd'),
  /// The user cancelled; not worth a message.
  kQvErrCancel = QV_ERROR_CODE('S', 'T', 'O', 'P'),
  /// A parameter is null, out of range or of the wrong kind.
  kQvErrBadParameter = QV_ERROR_CODE('P', 'A', 'R', 'M'),
  /// The art handle names no art of the current document.
  kQvErrNoSuchArt = QV_ERROR_CODE('A', 'R', 'T', '?'),
  /// The layer handle names no layer of the current document.
  kQvErrNoSuchLayer = QV_ERROR_CODE('L', 'Y', 'R', '?'),
  /// The art has no tag of that name.
  kQvErrNoSuchTag = QV_ERROR_CODE('T', 'A', 'G', '?'),
  /// A parameter block has no value under that key, or not of that kind.
  kQvErrNoSuchKey = QV_ERROR_CODE('K', 'E', 'Y', '?'),
  /// No action event of that name is registered.
  kQvErrNoSuchAction = QV_ERROR_CODE('A', 'C', 'T', '?'),
  /// The art is of the wrong type for the call (not a path, not a group).
  kQvErrWrongArtType = QV_ERROR_CODE('T', 'Y', 'P', '!'),
  /// The art or layer is locked; nothing was changed.
  kQvErrLocked = QV_ERROR_CODE('L', 'C', 'K', '!'),
  /// A block could not be allocated.
  kQvErrOutOfMemory = QV_ERROR_CODE('!', 'M', 'E', 'M'),
  /// The block was not allocated by this host, or was freed already.
  kQvErrBadBlock = QV_ERROR_CODE('B', 'L', 'K', '!'),
  /// There is no current document.
  kQvErrNoDocument = QV_ERROR_CODE('D', 'O', 'C', '?'),
  /// The host does not implement this function yet.
  kQvErrNotImplemented = QV_ERROR_CODE('!', 'I', 'M', 'P'),
  /// The host has no such feature at all (an action event it does not
  /// offer, such as image tracing on the workbench).
  kQvErrNotAvailable = QV_ERROR_CODE('N', 'A', 'V', '!'),
  /// A modal alert or question could not be answered (headless host with no
  /// scripted answer for it).
  kQvErrNoAnswer = QV_ERROR_CODE('A', 'N', 'S', '?'),
  /// A geometry operation found its input degenerate or failed.
  kQvErrGeometry = QV_ERROR_CODE('G', 'E', 'O', '!'),
  /// Anything else that went wrong inside the host.
  kQvErrInternal = QV_ERROR_CODE('I', 'N', 'T', '!')
};

#ifdef __cplusplus
}
#endif

#endif
