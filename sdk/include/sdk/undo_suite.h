/// The texts of the Undo and Redo menu items for the current step.
#ifndef QUORVANE_SDK_UNDO_SUITE_H
#define QUORVANE_SDK_UNDO_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvUndoSuite "QV Undo Suite"
enum { kQvUndoSuiteVersion = 1 };

typedef struct QvUndoSuite {
  /// Names the step being recorded: "Undo <undoText>", "Redo <redoText>".
  QvErr (*SetUndoText)(const char* undoText, const char* redoText);
  /// As GetArtName (without lengths): the text of the step Undo would
  /// revert and of the step Redo would restore, each empty when none.
  QvErr (*GetUndoText)(char* undoBuffer, int32_t undoCapacity, char* redoBuffer, int32_t redoCapacity);
} QvUndoSuite;

#ifdef __cplusplus
}
#endif

#endif
