/// Art sets: ordered lists of art handles kept by the host.
#ifndef QUORVANE_SDK_ART_SET_SUITE_H
#define QUORVANE_SDK_ART_SET_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvArtSetSuite "QV Art Set Suite"
enum { kQvArtSetSuiteVersion = 1 };

typedef struct QvArtSetSuite {
  QvErr (*NewArtSet)(QvArtSetHandle* set);
  /// Frees the set (not its art) and nulls the handle.
  QvErr (*DisposeArtSet)(QvArtSetHandle* set);
  QvErr (*CountArtSet)(QvArtSetHandle set, int32_t* count);
  QvErr (*IndexArtSet)(QvArtSetHandle set, int32_t index, QvArtHandle* art);
  QvErr (*AddArtToArtSet)(QvArtSetHandle set, QvArtHandle art);
  QvErr (*ClearArtSet)(QvArtSetHandle set);
  /// Replaces the set's contents with all art of the layer below its top
  /// group, in paint order from the top, descending into groups.
  QvErr (*LayerArtSet)(QvLayerHandle layer, QvArtSetHandle set);
  /// Replaces the set's contents with the selected art, as GetSelectedArtOfType.
  QvErr (*SelectedArtSet)(QvArtSetHandle set);
} QvArtSetSuite;

#ifdef __cplusplus
}
#endif

#endif
