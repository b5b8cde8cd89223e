/// Tools a module adds to the host's tool palette. Events of a tool go to
/// its module as kQvCallerTool messages (sdk/messages.h).
#ifndef QUORVANE_SDK_TOOL_SUITE_H
#define QUORVANE_SDK_TOOL_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvToolSuite "QV Tool Suite"
enum { kQvToolSuiteVersion = 1 };

/// Options of AddTool.
enum QvToolOptions {
  /// The tool is sent kQvSelectorTrackCursor while the pointer moves.
  kQvToolWantsToTrackCursorOption = 1
};

/// What the palette shows for a tool.
typedef struct QvToolData {
  const char* title;
  const char* tooltip;
  /// Icon resources of the module (normal and dark interface); 0 for none.
  int32_t iconId;
  int32_t darkIconId;
  /// Place the tool beside this one (same group, same set); null for a
  /// group and set of its own.
  QvToolHandle sameGroupAs;
  QvToolHandle sameToolsetAs;
} QvToolData;

typedef struct QvToolSuite {
  /// Adds the tool `name` (unique per host). kQvErrBadParameter for a taken
  /// name or a self the host does not know.
  QvErr (*AddTool)(QvPluginRef self, const char* name, const QvToolData* data, int32_t options,
                   QvToolHandle* tool);
  /// The tool in use; null when it is one of the host's own.
  QvErr (*GetSelectedTool)(QvToolHandle* tool);
} QvToolSuite;

#ifdef __cplusplus
}
#endif

#endif
