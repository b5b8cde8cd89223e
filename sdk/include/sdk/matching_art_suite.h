/// Lists of art of the current document that match a condition. A list
/// is a block of the host's allocator; free it with DisposeMatchingArt.
#ifndef QUORVANE_SDK_MATCHING_ART_SUITE_H
#define QUORVANE_SDK_MATCHING_ART_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvMatchingArtSuite "QV Matching Art Suite"
enum { kQvMatchingArtSuiteVersion = 1 };

typedef struct QvMatchingArtSuite {
  /// Every selected art object whose type is `type` (kQvUnknownArt for any
  /// type), in paint order from the top of the document, descending into
  /// groups. `*list` is null when `*count` is 0.
  QvErr (*GetSelectedArtOfType)(int32_t type, QvArtHandle** list, int32_t* count);
  /// Every art object of `type` (kQvUnknownArt: any, groups excluded) whose
  /// QvArtUserAttr bits under `attrMask` equal those of `attrValue`.
  QvErr (*GetMatchingArt)(int32_t type, int32_t attrMask, int32_t attrValue, QvArtHandle** list,
                          int32_t* count);
  QvErr (*DisposeMatchingArt)(QvArtHandle* list);
} QvMatchingArtSuite;

#ifdef __cplusplus
}
#endif

#endif
