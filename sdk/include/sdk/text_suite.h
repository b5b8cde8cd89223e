/// Point text: one horizontal line of text that starts at an anchor point,
/// its baseline through that point, at one font size and in one fill
/// colour. The host keeps it as text art of the document.
#ifndef QUORVANE_SDK_TEXT_SUITE_H
#define QUORVANE_SDK_TEXT_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvTextSuite "QV Text Suite"
enum { kQvTextSuiteVersion = 1 };

typedef struct QvTextSuite {
  /// New point text placed by `order` (a QvPaintOrder) relative to `prep`
  /// (null: on top of the current layer), reading `text` (UTF-8) from
  /// `anchor` (document points, y up) to the right, `fontSize` points high
  /// (> 0), filled with `color` (gray, CMYK, RGB or custom).
  QvErr (*NewPointText)(int32_t order, QvArtHandle prep, const QvRealPoint* anchor, const char* text,
                        double fontSize, const QvColor* color, QvArtHandle* newText);
  /// The characters as UTF-8, copied as GetArtName copies a name;
  /// kQvErrWrongArtType unless `text` is text art.
  QvErr (*GetText)(QvArtHandle text, char* buffer, int32_t capacity, int32_t* length);
  /// Font size in points.
  QvErr (*GetFontSize)(QvArtHandle text, double* fontSize);
  /// The anchor point of the first line, in document points.
  QvErr (*GetTextAnchor)(QvArtHandle text, QvRealPoint* anchor);
  QvErr (*GetTextColor)(QvArtHandle text, QvColor* color);
} QvTextSuite;

#ifdef __cplusplus
}
#endif

#endif
