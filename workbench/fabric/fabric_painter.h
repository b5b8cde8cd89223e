// Drawing pieces with Qt as the cutting room wants them: the cut line solid
// and heavier, the finish line thinner and dashed, notches on the cut line,
// each piece's name. The painter works in millimetres of the drawing (x to
// the right, y down from the drawing's top-left corner).
#pragma once

#include <QPainter>
#include <QPointF>
#include <QString>

#include "workbench/fabric/fabric_pieces.h"
#include "workbench/fabric/line_conventions.h"

namespace workbench::fabric {

/// Room left around the pieces, in mm.
inline constexpr double kDrawingPaddingMm = 5.0;

/// Where the pieces sit in a drawing.
struct DrawingFrame {
  /// The document point at the top-left corner of the pieces' area.
  double leftPt = 0.0;
  double topPt = 0.0;
  /// A strip above the pieces' area (for a print's test squares), in mm.
  double headerMm = 0.0;
  double widthMm = 0.0;
  double heightMm = 0.0;

  /// A document point (y up) in drawing millimetres (y down).
  QPointF ToMm(Point p) const;
};

/// The frame holding the layout's pieces with kDrawingPaddingMm around them
/// and a strip of `headerMm` above.
DrawingFrame FrameFor(const FabricLayout& layout, double headerMm);

/// Paints every piece; the painter maps drawing millimetres to its device.
void PaintPieces(QPainter& painter, const FabricLayout& layout, const LineConventions& conventions,
                 const DrawingFrame& frame);

/// Real text `heightMm` tall (its font's em) with its baseline's left end at
/// `at`, in the painter's millimetres.
void PaintText(QPainter& painter, QPointF at, const QString& text, double heightMm);

}  // namespace workbench::fabric
