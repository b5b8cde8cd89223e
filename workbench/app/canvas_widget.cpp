#include "workbench/app/canvas_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "sdk/messages.h"

namespace workbench::app {

namespace {

constexpr double kWheelStep = 1.2;
constexpr double kFitMarginPixels = 20.0;

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

void CanvasWidget::FitDocument() {
  view_.Fit(DocumentExtent(session_.Doc()), width(), height(), kFitMarginPixels);
  fitted_ = true;
  update();
}

void CanvasWidget::ZoomBy(double factor) {
  view_.ZoomAbout({width() / 2.0, height() / 2.0}, factor);
  update();
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
  if (pressing_ && !panning_ && !ModuleToolActive() && (lastAt_ - pressAt_).manhattanLength() >= kDragPixels) {
    painter.setPen(QPen(look_.selection, 1.0, Qt::DashLine));
    painter.setBrush(QColor(look_.selection.red(), look_.selection.green(), look_.selection.blue(), 32));
    painter.drawRect(QRect(pressAt_, lastAt_).normalized());
  }
}

void CanvasWidget::resizeEvent(QResizeEvent*) {
  if (!fitted_) FitDocument();
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  if (steps == 0.0) return;
  view_.ZoomAbout({event->position().x(), event->position().y()}, std::pow(kWheelStep, steps));
  update();
  event->accept();
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
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (panning_) {
    view_.PanBy(at.x() - lastAt_.x(), at.y() - lastAt_.y());
    lastAt_ = at;
    update();
    return;
  }
  lastAt_ = at;
  if (pressing_) {
    update();
    return;
  }
  if (ModuleToolActive()) session_.ToolTrack(DocPoint(event->position()), ModifierBits(event->modifiers()));
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
