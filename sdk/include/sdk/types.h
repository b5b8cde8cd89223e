/// Plain C types shared by every suite: booleans, points, rectangles,
/// matrices, path segments, colours, styles and the opaque handles of host
/// objects. Coordinates are document points, 64-bit floats, y up.
#ifndef QUORVANE_SDK_TYPES_H
#define QUORVANE_SDK_TYPES_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/// A host error code: 0 for success (see sdk/errors.h).
typedef int32_t QvErr;

/// A one-byte boolean: 0 false, anything else true.
typedef uint8_t QvBool;

/// Builds a four-character code from its characters, the first in the most
/// significant byte ('ofst' is QV_FOURCC('o','f','s','t') == 0x6F667374).
#define QV_FOURCC(a, b, c, d)                                               \
  ((uint32_t)(((uint32_t)(uint8_t)(a) << 24) | ((uint32_t)(uint8_t)(b) << 16) | \
              ((uint32_t)(uint8_t)(c) << 8) | (uint32_t)(uint8_t)(d)))

/// A point or vector in document points, y up.
typedef struct QvRealPoint {
  double h;
  double v;
} QvRealPoint;

/// A rectangle in document points, y up: top >= bottom for a non-empty one.
typedef struct QvRealRect {
  double left;
  double top;
  double right;
  double bottom;
} QvRealRect;

/// The affine map p -> (a x + c y + tx, b x + d y + ty).
typedef struct QvRealMatrix {
  double a;
  double b;
  double c;
  double d;
  double tx;
  double ty;
} QvRealMatrix;

/// A cubic Bezier from p0 to p3 with control points p1 and p2.
typedef struct QvRealBezier {
  QvRealPoint p0;
  QvRealPoint p1;
  QvRealPoint p2;
  QvRealPoint p3;
} QvRealBezier;

/// One segment of a path: the anchor `p`, the handle of the curve arriving
/// at it (`in`), the handle of the curve leaving it (`out`), and whether the
/// anchor is a corner. A handle on its anchor makes that end straight.
typedef struct QvPathSegment {
  QvRealPoint p;
  QvRealPoint in;
  QvRealPoint out;
  QvBool corner;
} QvPathSegment;

/// One vertex of a flattened path: 24 bytes, the corner flag in a 4-byte
/// slot after the two coordinates. `corner` is 1 where the vertex is an
/// anchor of the path.
typedef struct QvOutlinePoint {
  double h;
  double v;
  QvBool corner;
  uint8_t reserved[3];
} QvOutlinePoint;

/// How a colour is given.
enum QvColorKind {
  kQvColorGray = 0,   /**< `gray`: ink, 0 white, 1 black */
  kQvColorCmyk = 1,   /**< cyan, magenta, yellow, black: ink 0..1 */
  kQvColorRgb = 2,    /**< red, green, blue: light 0..1 */
  kQvColorCustom = 3  /**< the custom colour `custom` lightened by `tint` (0 full, 1 white) */
};

typedef struct QvCustomColorOpaque* QvCustomColorHandle;

typedef struct QvColor {
  int32_t kind; /**< a QvColorKind */
  double gray;
  double cyan;
  double magenta;
  double yellow;
  double black;
  double red;
  double green;
  double blue;
  QvCustomColorHandle custom;
  double tint;
} QvColor;

enum QvLineCap { kQvButtCap = 0, kQvRoundCap = 1, kQvProjectingCap = 2 };
enum QvLineJoin { kQvMiterJoin = 0, kQvRoundJoin = 1, kQvBevelJoin = 2 };

/// The most dash lengths a style carries.
enum { kQvMaxDashes = 16 };

typedef struct QvFillStyle {
  QvColor color;
  QvBool overprint;
} QvFillStyle;

typedef struct QvStrokeStyle {
  QvColor color;
  QvBool overprint;
  double width;          /**< points */
  double dashOffset;     /**< points */
  int32_t dashCount;     /**< 0 for a solid line, at most kQvMaxDashes */
  double dashes[kQvMaxDashes];
  int32_t cap;           /**< a QvLineCap */
  int32_t join;          /**< a QvLineJoin */
  double miterLimit;     /**< ratio of miter length to stroke width */
} QvStrokeStyle;

/// The paint of a path: copying a style copies fill and stroke.
typedef struct QvPathStyle {
  QvBool fillPaint;
  QvFillStyle fill;
  QvBool strokePaint;
  QvStrokeStyle stroke;
  QvBool evenOdd; /**< fill rule: even-odd when set, non-zero otherwise */
} QvPathStyle;

/// Opaque handles of host objects. The null handle names nothing.
typedef struct QvPluginOpaque* QvPluginRef;
typedef struct QvArtOpaque* QvArtHandle;
typedef struct QvLayerOpaque* QvLayerHandle;
typedef struct QvArtSetOpaque* QvArtSetHandle;
typedef struct QvActionParamValueOpaque* QvActionParamValueRef;
typedef struct QvActionParamTypeOpaque* QvActionParamTypeRef;
typedef struct QvMenuItemOpaque* QvMenuItemHandle;
typedef struct QvMenuGroupOpaque* QvMenuGroupHandle;
typedef struct QvToolOpaque* QvToolHandle;
typedef struct QvNotifierOpaque* QvNotifierHandle;
typedef struct QvPanelOpaque* QvPanelHandle;

/// Where new art or a new layer goes, relative to a reference object.
enum QvPaintOrder {
  kQvPlaceAbove = 1,         /**< directly above the reference (null reference: above all) */
  kQvPlaceBelow = 2,         /**< directly below the reference (null reference: below all) */
  kQvPlaceInsideOnTop = 3,   /**< first child of the reference group */
  kQvPlaceInsideOnBottom = 4 /**< last child of the reference group */
};

/// A pair of block functions that a service allocates its results with, so
/// that the caller frees them with the matching one.
typedef struct QvAllocatorPair {
  QvErr (*allocate)(int64_t size, void** block);
  QvErr (*release)(void* block);
} QvAllocatorPair;

#ifdef __cplusplus
}
#endif

#endif
