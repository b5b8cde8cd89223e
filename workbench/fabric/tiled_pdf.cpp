#include "workbench/fabric/tiled_pdf.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "workbench/fabric/fabric_painter.h"
#include "workbench/fabric/gui_application.h"
#include "workbench/fabric/replace_file.h"

namespace workbench::fabric {

namespace fs = std::filesystem;

namespace {

// Device units per inch of the PDF writer; any resolution gives exact
// sizes, this one keeps coordinates whole at 0.01 mm.
constexpr int kResolution = 2540;
constexpr double kMarkLineMm = 0.2;
constexpr double kAlignRadiusMm = 3.0;

void AlignmentMark(QPainter& painter, QPointF at) {
  painter.drawEllipse(at, kAlignRadiusMm, kAlignRadiusMm);
  const double arm = kAlignRadiusMm * 1.6;
  painter.drawLine(QPointF(at.x() - arm, at.y()), QPointF(at.x() + arm, at.y()));
  painter.drawLine(QPointF(at.x(), at.y() - arm), QPointF(at.x(), at.y() + arm));
}

// Marks where pages meet, in drawing millimetres: in the middle of each
// shared strip, a quarter and three quarters along the page's side.
void AlignmentMarks(QPainter& painter, const TilePlan& plan) {
  for (int column = 0; column + 1 < plan.columns; ++column) {
    const double x = (column + 1) * plan.stepXMm + plan.overlapMm / 2.0;
    for (int row = 0; row < plan.rows; ++row) {
      for (double f : {0.25, 0.75}) AlignmentMark(painter, {x, row * plan.stepYMm + f * plan.printableHeightMm});
    }
  }
  for (int row = 0; row + 1 < plan.rows; ++row) {
    const double y = (row + 1) * plan.stepYMm + plan.overlapMm / 2.0;
    for (int column = 0; column < plan.columns; ++column) {
      for (double f : {0.25, 0.75}) AlignmentMark(painter, {column * plan.stepXMm + f * plan.printableWidthMm, y});
    }
  }
}

void TestSquares(QPainter& painter) {
  const double at = kTestSquareAtMm;
  painter.drawRect(QRectF(at, at, kTestSquareMm, kTestSquareMm));
  PaintText(painter, QPointF(at + 3.0, at + 8.0), QStringLiteral("5 cm"), 5.0);
  const double inchAt = at + kTestSquareMm + 8.0;
  painter.drawRect(QRectF(inchAt, at, kTestSquareInchMm, kTestSquareInchMm));
  PaintText(painter, QPointF(inchAt + 3.0, at + 8.0), QStringLiteral("2 in"), 5.0);
}

// Short lines in the margin continuing the printable area's sides past its
// corners, for cutting the margin off.
void CutMarks(QPainter& painter, const TilePlan& plan) {
  const double m = plan.marginMm;
  const double length = std::min(m * 0.8, 6.0);
  const double gap = std::min(m * 0.1, 1.0);
  for (double x : {m, m + plan.printableWidthMm}) {
    for (double y : {m, m + plan.printableHeightMm}) {
      const double sx = x == m ? -1.0 : 1.0;
      const double sy = y == m ? -1.0 : 1.0;
      painter.drawLine(QPointF(x + sx * gap, y), QPointF(x + sx * (gap + length), y));
      painter.drawLine(QPointF(x, y + sy * gap), QPointF(x, y + sy * (gap + length)));
    }
  }
}

}  // namespace

svg::Result<TilePlan> PrintTiledPdf(const FabricLayout& layout, const LineConventions& conventions,
                                    const PrintOptions& options, const fs::path& file) {
  const DrawingFrame frame = FrameFor(layout, kTestSquareStripMm);
  const std::optional<TilePlan> planned =
      PlanTiles(options.paper, options.marginMm, options.overlapMm, frame.widthMm, frame.heightMm);
  if (!planned) {
    return svg::Error{file.string(), 0, "the margin and overlap leave no room on " + options.paper.name + " paper"};
  }
  const TilePlan plan = *planned;
  GuiApplication gui;
  const fs::path temporary = TemporaryBeside(file);
  {
    QPdfWriter writer(QString::fromStdString(temporary.string()));
    writer.setResolution(kResolution);
    writer.setCreator(QStringLiteral("Quorvane"));
    writer.setTitle(QString::fromStdString(options.title));
    const QPageSize size(QSizeF(plan.pageWidthMm, plan.pageHeightMm), QPageSize::Millimeter,
                         QString::fromStdString(options.paper.name), QPageSize::ExactMatch);
    writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) return svg::Error{file.string(), 0, "cannot write the file"};
    const double scale = kResolution / 25.4;
    const int pages = plan.rows * plan.columns;
    for (int row = 0; row < plan.rows; ++row) {
      for (int column = 0; column < plan.columns; ++column) {
        const int page = row * plan.columns + column + 1;
        if (page > 1) writer.newPage();
        painter.resetTransform();
        painter.scale(scale, scale);
        painter.setPen(QPen(Qt::black, kMarkLineMm));
        painter.setBrush(Qt::NoBrush);
        CutMarks(painter, plan);
        const QString where = QStringLiteral("%1  row %2, column %3  (page %4 of %5)  %6 paper, overlap %7 mm")
                                  .arg(QString::fromStdString(options.title))
                                  .arg(row + 1)
                                  .arg(column + 1)
                                  .arg(page)
                                  .arg(pages)
                                  .arg(QString::fromStdString(options.paper.name))
                                  .arg(plan.overlapMm);
        PaintText(painter, QPointF(plan.marginMm, plan.pageHeightMm - plan.marginMm * 0.35),
                  where, std::min(3.0, plan.marginMm * 0.4));
        painter.save();
        painter.setClipRect(QRectF(plan.marginMm, plan.marginMm, plan.printableWidthMm, plan.printableHeightMm));
        painter.translate(plan.marginMm - column * plan.stepXMm, plan.marginMm - row * plan.stepYMm);
        if (row == 0 && column == 0) TestSquares(painter);
        AlignmentMarks(painter, plan);
        PaintPieces(painter, layout, conventions, frame);
        painter.restore();
      }
    }
    if (!painter.end()) return svg::Error{file.string(), 0, "cannot write the file"};
  }
  auto moved = MoveIntoPlace(temporary, file);
  if (!moved) return moved.error();
  return plan;
}

}  // namespace workbench::fabric
