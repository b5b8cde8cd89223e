#include "workbench/app/canvas_area.h"

#include <QGridLayout>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

#include "workbench/app/document_painter.h"

namespace workbench::app {

namespace {

// Labelled ticks stand at least this far apart; the ruler shows five or ten
// small ticks between them.
constexpr double kLabelPixels = 60.0;
// The scroll bars reach this far beyond the page and the art, in pixels.
constexpr double kScrollMarginPixels = 200.0;
constexpr int kWheelScrollSteps = 40;

}  // namespace

geometry::Point UserCoordinates(const document::Document& doc, geometry::Point doc_point, const RulerUnit& unit) {
  return {doc_point.x / unit.points, (doc.GetPage().height - doc_point.y) / unit.points};
}

double RulerStep(double pixelsPerUnit, double minPixels) {
  double power = std::pow(10.0, std::floor(std::log10(minPixels / pixelsPerUnit)));
  for (;;) {
    for (const double mantissa : {1.0, 2.0, 5.0}) {
      if (mantissa * power * pixelsPerUnit >= minPixels) return mantissa * power;
    }
    power *= 10.0;
  }
}

Ruler::Ruler(Qt::Orientation orientation, CanvasWidget& canvas, QWidget* parent)
    : QWidget(parent), orientation_(orientation), canvas_(canvas) {
  if (orientation_ == Qt::Horizontal) {
    setFixedHeight(kThickness);
  } else {
    setFixedWidth(kThickness);
  }
}

void Ruler::SetUnit(const RulerUnit& unit) {
  unit_ = unit;
  update();
}

void Ruler::SetPointer(double pixel) {
  pointer_ = pixel;
  update();
}

void Ruler::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  painter.fillRect(rect(), colours.color(QPalette::Window));
  painter.setPen(colours.color(QPalette::WindowText));
  QFont font = painter.font();
  font.setPixelSize(9);
  painter.setFont(font);

  const bool across = orientation_ == Qt::Horizontal;
  const ViewTransform& view = canvas_.View();
  const double pixelsPerUnit = view.Zoom() * unit_.points;
  const double step = RulerStep(pixelsPerUnit, kLabelPixels);
  // Steps of 2 split in four, steps of 1 and 5 in five.
  const double mantissa = std::round(step / std::pow(10.0, std::floor(std::log10(step))));
  const double minor = step / (mantissa == 2.0 ? 4.0 : 5.0);
  // The ruler's pixel of a user coordinate, and the user coordinate at a
  // pixel: x from the page's left, y from its top, downwards.
  const double pageTop = canvas_.PageHeight();
  const auto pixelOf = [&](double u) {
    return across ? view.ToScreen({u * unit_.points, 0.0}).x : view.ToScreen({0.0, pageTop - u * unit_.points}).y;
  };
  const double length = across ? width() : height();
  const double u0 = across ? view.ToDocument({0.0, 0.0}).x / unit_.points
                           : (pageTop - view.ToDocument({0.0, 0.0}).y) / unit_.points;
  const double u1 = across ? view.ToDocument({length, 0.0}).x / unit_.points
                           : (pageTop - view.ToDocument({0.0, length}).y) / unit_.points;
  const long first = static_cast<long>(std::floor(std::min(u0, u1) / minor));
  const long last = static_cast<long>(std::ceil(std::max(u0, u1) / minor));
  for (long i = first; i <= last; ++i) {
    const double u = static_cast<double>(i) * minor;
    const double p = std::round(pixelOf(u)) + 0.5;
    const bool labelled = std::abs(u / step - std::round(u / step)) < 1e-6;
    const double tick = labelled ? kThickness : kThickness / 4.0;
    if (across) {
      painter.drawLine(QPointF(p, kThickness - tick), QPointF(p, kThickness));
    } else {
      painter.drawLine(QPointF(kThickness - tick, p), QPointF(kThickness, p));
    }
    if (!labelled) continue;
    const QString label = QString::number(std::abs(u) < step / 2 ? 0.0 : u, 'g', 6);
    if (across) {
      painter.drawText(QPointF(p + 2.0, 9.0), label);
    } else {
      // Turned to read upwards, below its tick.
      painter.save();
      painter.translate(9.0, p + 2.0 + painter.fontMetrics().horizontalAdvance(label));
      painter.rotate(-90.0);
      painter.drawText(QPointF(0.0, 0.0), label);
      painter.restore();
    }
  }
  painter.drawLine(across ? QLineF(0, kThickness - 0.5, width(), kThickness - 0.5)
                          : QLineF(kThickness - 0.5, 0, kThickness - 0.5, height()));
  if (pointer_ >= 0.0) {
    painter.setPen(colours.color(QPalette::Highlight));
    painter.drawLine(across ? QLineF(pointer_, 0, pointer_, kThickness) : QLineF(0, pointer_, kThickness, pointer_));
  }
}

CanvasArea::CanvasArea(AppSession& session, QWidget* parent) : QWidget(parent) {
  canvas_ = new CanvasWidget(session, this);
  top_ = new Ruler(Qt::Horizontal, *canvas_, this);
  top_->setObjectName(QStringLiteral("horizontalRuler"));
  left_ = new Ruler(Qt::Vertical, *canvas_, this);
  left_->setObjectName(QStringLiteral("verticalRuler"));
  horizontal_ = new QScrollBar(Qt::Horizontal, this);
  horizontal_->setObjectName(QStringLiteral("horizontalScrollBar"));
  vertical_ = new QScrollBar(Qt::Vertical, this);
  vertical_->setObjectName(QStringLiteral("verticalScrollBar"));
  auto* corner = new QWidget(this);
  corner->setFixedSize(Ruler::kThickness, Ruler::kThickness);
  corner->setAutoFillBackground(true);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  grid->addWidget(corner, 0, 0);
  grid->addWidget(top_, 0, 1);
  grid->addWidget(left_, 1, 0);
  grid->addWidget(canvas_, 1, 1);
  grid->addWidget(vertical_, 1, 2);
  grid->addWidget(horizontal_, 2, 1);

  canvas_->SetViewListener([this] { ViewChanged(); });
  canvas_->SetPointerListener([this](QPointF pixel) {
    top_->SetPointer(pixel.x());
    left_->SetPointer(pixel.y());
    if (pointer_) pointer_(canvas_->View().ToDocument({pixel.x(), pixel.y()}));
  });
  connect(horizontal_, &QScrollBar::valueChanged, this, [this] { Scrolled(); });
  connect(vertical_, &QScrollBar::valueChanged, this, [this] { Scrolled(); });
}

void CanvasArea::SetUnit(const RulerUnit& unit) {
  unit_ = unit;
  top_->SetUnit(unit);
  left_->SetUnit(unit);
}

void CanvasArea::ViewChanged() {
  // The bars count pixels of the document at the present zoom, y down:
  // the viewport's left edge is at -panX, its top at -panY.
  const ViewTransform& view = canvas_->View();
  const document::Rect extent = canvas_->Extent();
  const geometry::Point topLeft = view.ToScreen({extent.left, extent.top});
  const geometry::Point bottomRight = view.ToScreen({extent.right, extent.bottom});
  const double w = canvas_->width();
  const double h = canvas_->height();
  const double x = -view.PanX();
  const double y = -view.PanY();
  syncing_ = true;
  horizontal_->setRange(static_cast<int>(std::floor(std::min(x, topLeft.x + x - kScrollMarginPixels))),
                        static_cast<int>(std::ceil(std::max(x, bottomRight.x + x + kScrollMarginPixels - w))));
  vertical_->setRange(static_cast<int>(std::floor(std::min(y, topLeft.y + y - kScrollMarginPixels))),
                      static_cast<int>(std::ceil(std::max(y, bottomRight.y + y + kScrollMarginPixels - h))));
  horizontal_->setPageStep(static_cast<int>(w));
  vertical_->setPageStep(static_cast<int>(h));
  horizontal_->setSingleStep(kWheelScrollSteps);
  vertical_->setSingleStep(kWheelScrollSteps);
  horizontal_->setValue(static_cast<int>(std::lround(x)));
  vertical_->setValue(static_cast<int>(std::lround(y)));
  shownX_ = horizontal_->value();
  shownY_ = vertical_->value();
  syncing_ = false;
  top_->update();
  left_->update();
  if (viewChanged_) viewChanged_();
}

void CanvasArea::Scrolled() {
  if (syncing_) return;
  // By the bars' moves, so that the view's fraction of a pixel stays.
  const int dx = horizontal_->value() - shownX_;
  const int dy = vertical_->value() - shownY_;
  shownX_ = horizontal_->value();
  shownY_ = vertical_->value();
  canvas_->PanBy(-dx, -dy);
}

}  // namespace workbench::app
