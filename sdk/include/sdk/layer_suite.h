/// Layers of the current document, listed from the top (index 0).
#ifndef QUORVANE_SDK_LAYER_SUITE_H
#define QUORVANE_SDK_LAYER_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvLayerSuite "QV Layer Suite"
enum { kQvLayerSuiteVersion = 1 };

typedef struct QvLayerSuite {
  QvErr (*CountLayers)(int32_t* count);
  QvErr (*GetNthLayer)(int32_t index, QvLayerHandle* layer);
  /// The topmost layer whose title is exactly `title`; null (and no error)
  /// when there is none.
  QvErr (*GetLayerByTitle)(QvLayerHandle* layer, const char* title);
  /// A new empty layer placed by kQvPlaceAbove or kQvPlaceBelow relative to
  /// `reference` (null: above or below all).
  QvErr (*InsertLayer)(QvLayerHandle reference, int32_t paintOrder, QvLayerHandle* layer);
  /// Deletes the layer and all its art.
  QvErr (*DeleteLayer)(QvLayerHandle layer);
  /// As GetArtName.
  QvErr (*GetLayerTitle)(QvLayerHandle layer, char* buffer, int32_t capacity, int32_t* length);
  QvErr (*SetLayerTitle)(QvLayerHandle layer, const char* title);
  QvErr (*GetCurrentLayer)(QvLayerHandle* layer);
  QvErr (*SetCurrentLayer)(QvLayerHandle layer);
  QvErr (*GetLayerEditable)(QvLayerHandle layer, QvBool* editable);
  /// A layer that is not editable is locked: its art cannot be selected.
  QvErr (*SetLayerEditable)(QvLayerHandle layer, QvBool editable);
  QvErr (*GetLayerVisible)(QvLayerHandle layer, QvBool* visible);
  QvErr (*SetLayerVisible)(QvLayerHandle layer, QvBool visible);
  QvErr (*DeselectArtOnLayer)(QvLayerHandle layer);
  /// Selects every unlocked art of the layer (locked art is skipped).
  QvErr (*SelectArtOnLayer)(QvLayerHandle layer);
} QvLayerSuite;

#ifdef __cplusplus
}
#endif

#endif
