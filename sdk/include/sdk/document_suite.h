/// The current document as a whole.
#ifndef QUORVANE_SDK_DOCUMENT_SUITE_H
#define QUORVANE_SDK_DOCUMENT_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvDocumentSuite "QV Document Suite"
enum { kQvDocumentSuiteVersion = 1 };

typedef struct QvDocumentSuite {
  /// Asks the host to repaint the document's views.
  QvErr (*RedrawDocument)(void);
  /// `*has` is set when a document is open.
  QvErr (*HasDocument)(QvBool* has);
} QvDocumentSuite;

#ifdef __cplusplus
}
#endif

#endif
