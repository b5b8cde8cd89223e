#include "workbench/fabric/fabric_painter.h"

#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <algorithm>

namespace workbench::fabric {

namespace {

// Text is set in a font this many units tall and scaled to size, since a
// font's pixel size is a whole number.
constexpr int kFontUnits = 100;

QPen Pen(double widthMm, const std::vector<double>& dashMm = {}) {
  QPen pen(Qt::black, widthMm, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  if (!dashMm.empty()) {
    // Qt counts dashes in pen widths.
    QList<qreal> pattern;
    for (double d : dashMm) pattern.append(d / widthMm);
    pen.setDashPattern(pattern);
  }
  return pen;
}

QPolygonF ToPolygon(const std::vector<Point>& points, const DrawingFrame& frame) {
  QPolygonF polygon;
  for (Point p : points) polygon.append(frame.ToMm(p));
  return polygon;
}

}  // namespace

QPointF DrawingFrame::ToMm(Point p) const {
  return {(p.x - leftPt) / kPointsPerMm, headerMm + (topPt - p.y) / kPointsPerMm};
}

DrawingFrame FrameFor(const FabricLayout& layout, double headerMm) {
  const document::Rect box = LayoutBounds(layout).value_or(document::Rect{});
  const double pad = kDrawingPaddingMm * kPointsPerMm;
  DrawingFrame frame;
  frame.leftPt = box.left - pad;
  frame.topPt = box.top + pad;
  frame.headerMm = headerMm;
  frame.widthMm = (box.right - box.left + 2.0 * pad) / kPointsPerMm;
  frame.heightMm = headerMm + (box.top - box.bottom + 2.0 * pad) / kPointsPerMm;
  return frame;
}

void PaintText(QPainter& painter, QPointF at, const QString& text, double heightMm) {
  painter.save();
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(kFontUnits);
  painter.setFont(font);
  painter.setPen(QPen(Qt::black));
  painter.translate(at);
  painter.scale(heightMm / kFontUnits, heightMm / kFontUnits);
  painter.drawText(QPointF(0.0, 0.0), text);
  painter.restore();
}

void PaintPieces(QPainter& painter, const FabricLayout& layout, const LineConventions& conventions,
                 const DrawingFrame& frame) {
  painter.save();
  painter.setBrush(Qt::NoBrush);
  for (const FabricPiece& piece : layout.pieces) {
    if (piece.cut) {
      painter.setPen(Pen(conventions.finishWidthMm, conventions.finishDashMm));
      painter.drawPolygon(ToPolygon(piece.finishOutline, frame));
    }
    painter.setPen(Pen(conventions.cutWidthMm));
    painter.drawPolygon(ToPolygon(piece.boundary, frame));
    painter.setPen(Pen(conventions.notchWidthLineMm));
    for (const PieceNotch& notch : piece.notches) {
      for (const std::vector<Point>& stroke : notch.strokes) painter.drawPolyline(ToPolygon(stroke, frame));
    }
    // The name sits inside the finish line, near its middle.
    QRectF box = ToPolygon(piece.finishOutline, frame).boundingRect();
    const double height = std::clamp(box.height() / 20.0, 3.0, 8.0);
    PaintText(painter, QPointF(box.center().x() - box.width() / 4.0, box.center().y()),
              QString::fromStdString(piece.name), height);
  }
  painter.restore();
}

}  // namespace workbench::fabric
