/// Named string tags on art; values are arbitrary bytes (zero bytes
/// included), kept exactly.
#ifndef QUORVANE_SDK_TAG_SUITE_H
#define QUORVANE_SDK_TAG_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvTagSuite "QV Tag Suite"
enum { kQvTagSuiteVersion = 1 };

typedef struct QvTagSuite {
  QvErr (*SetTag)(QvArtHandle art, const char* name, const char* value, int32_t length);
  /// Copies up to `capacity` bytes of the value (no terminator added) and
  /// gives its full length; kQvErrNoSuchTag when the art has no such tag.
  QvErr (*GetTag)(QvArtHandle art, const char* name, char* buffer, int32_t capacity, int32_t* length);
  QvErr (*HasTag)(QvArtHandle art, const char* name, QvBool* has);
  /// Removing a tag the art does not have is not an error.
  QvErr (*RemoveTag)(QvArtHandle art, const char* name);
  QvErr (*CountTags)(QvArtHandle art, int32_t* count);
  /// The name of tag `index`, in name order; as GetArtName.
  QvErr (*GetNthTagName)(QvArtHandle art, int32_t index, char* buffer, int32_t capacity, int32_t* length);
} QvTagSuite;

#ifdef __cplusplus
}
#endif

#endif
