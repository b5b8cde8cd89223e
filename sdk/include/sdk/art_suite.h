/// Art of the current document: creating, disposing and duplicating it,
/// walking the tree, and its attributes, bounds and name.
#ifndef QUORVANE_SDK_ART_SUITE_H
#define QUORVANE_SDK_ART_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvArtSuite "QV Art Suite"
enum { kQvArtSuiteVersion = 1 };

/// Art types.
enum QvArtType {
  kQvUnknownArt = 0,
  kQvGroupArt = 1,
  kQvPathArt = 2,
  kQvCompoundPathArt = 3,
  kQvTextArt = 4,
  kQvPlacedArt = 5,
  kQvForeignArt = 6
};

/// User attributes of art, as bits.
enum QvArtUserAttr {
  kQvArtSelected = 1,
  kQvArtLocked = 2,
  kQvArtHidden = 4
};

typedef struct QvArtSuite {
  /// New empty art of `type` (group or path) placed by `paintOrder` (a
  /// QvPaintOrder) relative to `prep`; inside orders need a group. The new
  /// art is not selected.
  QvErr (*NewArt)(int32_t type, int32_t paintOrder, QvArtHandle prep, QvArtHandle* newArt);
  /// Removes the art and everything inside it.
  QvErr (*DisposeArt)(QvArtHandle art);
  /// An independent deep copy of `art` placed by `paintOrder` relative to
  /// `prep`; it keeps the original's selected attribute, name, style and tags.
  QvErr (*DuplicateArt)(QvArtHandle art, int32_t paintOrder, QvArtHandle prep, QvArtHandle* newArt);
  /// The layer's top group.
  QvErr (*GetFirstArtOfLayer)(QvLayerHandle layer, QvArtHandle* group);
  QvErr (*GetLayerOfArt)(QvArtHandle art, QvLayerHandle* layer);
  /// A QvArtType.
  QvErr (*GetArtType)(QvArtHandle art, int32_t* type);
  /// The group holding the art; null for a layer's top group.
  QvErr (*GetArtParent)(QvArtHandle art, QvArtHandle* parent);
  /// The topmost child of a group or compound path; null when empty.
  QvErr (*GetArtFirstChild)(QvArtHandle art, QvArtHandle* child);
  /// The art directly below in the same group; null for the last one.
  QvErr (*GetArtSibling)(QvArtHandle art, QvArtHandle* sibling);
  /// The QvArtUserAttr bits of `whichAttr` that are set, in `*attr`.
  QvErr (*GetArtUserAttr)(QvArtHandle art, int32_t whichAttr, int32_t* attr);
  /// Sets the bits of `whichAttr` to those of `attr`. Locking deselects;
  /// locked art cannot be selected (its selected bit is ignored).
  QvErr (*SetArtUserAttr)(QvArtHandle art, int32_t whichAttr, int32_t attr);
  /// The bounds of the art's curves (not handles); kQvErrGeometry for art
  /// with nothing to bound (an empty group or path).
  QvErr (*GetArtBounds)(QvArtHandle art, QvRealRect* bounds);
  QvErr (*GetArtShowCenter)(QvArtHandle art, QvBool* show);
  QvErr (*SetArtShowCenter)(QvArtHandle art, QvBool show);
  /// Copies up to `capacity` - 1 bytes of the name and a terminating zero
  /// into `buffer` (when capacity > 0); `*length` gets the full length.
  QvErr (*GetArtName)(QvArtHandle art, char* buffer, int32_t capacity, int32_t* length);
  QvErr (*SetArtName)(QvArtHandle art, const char* name);
  /// `*valid` is set when the handle names art of the current document.
  QvErr (*ValidArt)(QvArtHandle art, QvBool* valid);
} QvArtSuite;

#ifdef __cplusplus
}
#endif

#endif
