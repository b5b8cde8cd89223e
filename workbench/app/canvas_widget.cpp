#include "workbench/app/canvas_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <optional>

#include "sdk/messages.h"
#include "workbench/app/art_picking.h"

namespace workbench::app {

namespace {

constexpr double kWheelStep = 1.2;
constexpr double kFitMarginPixels = 20.0;
// One notch of the wheel scrolls this many pixels.
constexpr double kWheelScrollPixels = 40.0;
constexpr double kPointsPerInch = 72.0;
// The arrow keys move the selection by 1 mm, with Shift by 10 mm.
constexpr double kNudgePoints = kPointsPerInch / 25.4;
constexpr double kShiftNudgePoints = 10.0 * kNudgePoints;

int ModifierBits(Qt::KeyboardModifiers modifiers) {
  int bits = 0;
  if (modifiers & Qt::ShiftModifier) bits |= kQvShiftKey;
  if (modifiers & Qt::AltModifier) bits |= kQvOptionKey;
  if (modifiers & Qt::ControlModifier) bits |= kQvCommandKey;
  return bits;
}

}  // namespace

CanvasWidget::CanvasWidget(AppSession& session, QWidget* parent) : QWidget(parent), session_(session) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(200, 200);
}

void CanvasWidget::FitDocument() { FitRect(Extent()); }

void CanvasWidget::FitRect(const document::Rect& bounds) {
  view_.Fit(bounds, width(), height(), kFitMarginPixels);
  fitted_ = true;
  ViewMoved();
}

void CanvasWidget::ZoomBy(double factor) {
  view_.ZoomAbout({width() / 2.0, height() / 2.0}, factor);
  ViewMoved();
}

double CanvasWidget::OneToOneZoom() const {
  const QScreen* shown = screen();
  // Qt gives the density in device-independent pixels, the canvas's own.
  const double dpi = shown != nullptr ? shown->physicalDotsPerInch() : logicalDpiX();
  return (dpi > 0.0 ? dpi : logicalDpiX()) / kPointsPerInch;
}

void CanvasWidget::ZoomOneToOne() { ZoomBy(OneToOneZoom() / view_.Zoom()); }

void CanvasWidget::ZoomPage() {
  const document::Page& page = session_.Doc().GetPage();
  FitRect({0.0, page.height, page.width, 0.0});
}

void CanvasWidget::ZoomSelection() {
  const document::Document& doc = session_.Doc();
  std::optional<document::Rect> bounds;
  for (const document::ArtId art : doc.SelectedArt()) {
    const std::optional<document::Rect> b = doc.Bounds(art);
    if (b) bounds = bounds ? bounds->United(*b) : *b;
  }
  if (bounds) FitRect(*bounds);
}

void CanvasWidget::PanBy(double dx, double dy) {
  view_.PanBy(dx, dy);
  ViewMoved();
}

document::Rect CanvasWidget::Extent() const { return DocumentExtent(session_.Doc()); }

double CanvasWidget::PageHeight() const { return session_.Doc().GetPage().height; }

void CanvasWidget::ViewMoved() {
  update();
  if (viewListener_) viewListener_();
}

void CanvasWidget::SetLook(const CanvasLook& look) {
  look_ = look;
  update();
}

geometry::Point CanvasWidget::DocPoint(QPointF pixel) const { return view_.ToDocument({pixel.x(), pixel.y()}); }

bool CanvasWidget::ModuleToolActive() { return session_.Host().Tools().Selected() != nullptr; }

void CanvasWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintDocument(painter, session_.Doc(), view_, look_);
  if (pressing_ && !movingSelection_ && !panning_ && !ModuleToolActive() &&
      (lastAt_ - pressAt_).manhattanLength() >= kDragPixels) {
    painter.setPen(QPen(look_.selection, 1.0, Qt::DashLine));
    painter.setBrush(QColor(look_.selection.red(), look_.selection.green(), look_.selection.blue(), 32));
    painter.drawRect(QRect(pressAt_, lastAt_).normalized());
  }
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
  if (!fitted_) {
    FitDocument();
    return;
  }
  // The point in the middle stays there when docks come and go.
  const QSize before = event->oldSize();
  if (before.isValid()) view_.PanBy((width() - before.width()) / 2.0, (height() - before.height()) / 2.0);
  ViewMoved();
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  const double steps = (delta.y() != 0 ? delta.y() : delta.x()) / 120.0;
  if (steps == 0.0) return;
  event->accept();
  if (event->modifiers() & Qt::ControlModifier) {
    view_.ZoomAbout({event->position().x(), event->position().y()}, std::pow(kWheelStep, steps));
    ViewMoved();
  } else if ((event->modifiers() & Qt::ShiftModifier) || delta.y() == 0) {
    PanBy(steps * kWheelScrollPixels, 0.0);
  } else {
    PanBy(0.0, steps * kWheelScrollPixels);
  }
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      ZoomBy(kWheelStep);
      return;
    case Qt::Key_Minus:
      ZoomBy(1.0 / kWheelStep);
      return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const double step = (event->modifiers() & Qt::ShiftModifier) ? kShiftNudgePoints : kNudgePoints;
      const int key = event->key();
      // Up is towards the top of the page: y grows upwards in the document.
      const geometry::Point delta{key == Qt::Key_Left ? -step : key == Qt::Key_Right ? step : 0.0,
                                  key == Qt::Key_Down ? -step : key == Qt::Key_Up ? step : 0.0};
      if (!ModuleToolActive()) session_.NudgeSelection(delta);
      return;
    }
    case Qt::Key_Space:
      spaceHeld_ = true;
      if (!event->isAutoRepeat()) setCursor(Qt::OpenHandCursor);
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void CanvasWidget::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    spaceHeld_ = false;
    unsetCursor();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  lastAt_ = pressAt_ = event->position().toPoint();
  if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld_)) {
    panning_ = true;
    setCursor(Qt::ClosedHandCursor);
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  if (ModuleToolActive()) {
    session_.ToolMouseDown(DocPoint(event->position()), ModifierBits(event->modifiers()));
    update();
    return;
  }
  pressing_ = true;
  // A press on selected art drags the selection; anywhere else it starts a
  // click or a rubber band.
  const document::ArtId hit = ArtAt(session_.Doc(), DocPoint(event->position()), kPickPixels / view_.Zoom());
  const document::Art* art = session_.Doc().FindArt(hit);
  movingSelection_ = art != nullptr && art->selected;
  moved_ = {0.0, 0.0};
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (pointerListener_) pointerListener_(event->position());
  if (panning_) {
    const QPoint moved = at - lastAt_;
    lastAt_ = at;
    PanBy(moved.x(), moved.y());
    return;
  }
  lastAt_ = at;
  if (pressing_ && movingSelection_) {
    DragTo(at);
    return;
  }
  if (pressing_) {
    update();
    return;
  }
  if (ModuleToolActive()) session_.ToolTrack(DocPoint(event->position()), ModifierBits(event->modifiers()));
}

void CanvasWidget::DragTo(QPoint at) {
  // The selection stays put until the pointer has moved as far as a drag.
  if ((at - pressAt_).manhattanLength() < kDragPixels && moved_.x == 0.0 && moved_.y == 0.0) return;
  const geometry::Point to = DocPoint(at) - DocPoint(pressAt_);
  session_.DragSelection(to - moved_);
  moved_ = to;
  update();
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (panning_) {
    panning_ = false;
    if (spaceHeld_) {
      setCursor(Qt::OpenHandCursor);
    } else {
      unsetCursor();
    }
    return;
  }
  if (!pressing_ || event->button() != Qt::LeftButton) return;
  pressing_ = false;
  if (movingSelection_) {
    DragTo(at);
    movingSelection_ = false;
    if (session_.EndDrag()) {
      update();
      return;
    }
  }
  const bool extend = (event->modifiers() & Qt::ShiftModifier) != 0;
  if ((at - pressAt_).manhattanLength() < kDragPixels) {
    session_.ClickAt(DocPoint(pressAt_), kPickPixels / view_.Zoom(), extend);
  } else {
    const geometry::Point a = DocPoint(pressAt_);
    const geometry::Point b = DocPoint(at);
    session_.SelectInRect({std::min(a.x, b.x), std::max(a.y, b.y), std::max(a.x, b.x), std::min(a.y, b.y)}, extend);
  }
  update();
}

}  // namespace workbench::app
