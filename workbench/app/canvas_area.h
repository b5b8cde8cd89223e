// The canvas with what surrounds it: a ruler above and one to the left in
// the user's unit, with the origin at the page's top-left corner and y
// growing downwards (as drawing programs show SVG coordinates), and scroll
// bars right and below that move the view over the page and the art.
#pragma once

#include <QWidget>

#include <functional>

#include "workbench/app/canvas_widget.h"

class QScrollBar;

namespace workbench::app {

/// A length unit of the rulers and the status bar.
struct RulerUnit {
  const char* name;  // as shown: "mm"
  double points;     // points per unit
};
inline constexpr RulerUnit kMillimetres{"mm", 72.0 / 25.4};
inline constexpr RulerUnit kCentimetres{"cm", 72.0 / 2.54};
inline constexpr RulerUnit kInches{"in", 72.0};

/// The user's coordinates of a document point (points, y up from the
/// page's bottom): from the page's top-left corner, y down, in `unit`.
geometry::Point UserCoordinates(const document::Document& doc, geometry::Point doc_point, const RulerUnit& unit);

/// The distance between labelled ruler ticks, in units: 1, 2 or 5 times a
/// power of ten, the least that is at least `minPixels` apart at
/// `pixelsPerUnit`.
double RulerStep(double pixelsPerUnit, double minPixels);

class Ruler : public QWidget {
 public:
  Ruler(Qt::Orientation orientation, CanvasWidget& canvas, QWidget* parent);
  void SetUnit(const RulerUnit& unit);
  /// Marks the pointer's position along the ruler, in canvas pixels.
  void SetPointer(double pixel);

  static constexpr int kThickness = 20;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Qt::Orientation orientation_;
  CanvasWidget& canvas_;
  RulerUnit unit_ = kMillimetres;
  double pointer_ = -1.0;
};

class CanvasArea : public QWidget {
 public:
  CanvasArea(AppSession& session, QWidget* parent);

  CanvasWidget& Canvas() { return *canvas_; }
  Ruler& HorizontalRuler() { return *top_; }
  Ruler& VerticalRuler() { return *left_; }
  QScrollBar& HorizontalBar() { return *horizontal_; }
  QScrollBar& VerticalBar() { return *vertical_; }
  void SetUnit(const RulerUnit& unit);
  const RulerUnit& Unit() const { return unit_; }
  /// Called with the pointer's document point when it moves on the canvas.
  void SetPointerCallback(std::function<void(geometry::Point)> callback) { pointer_ = std::move(callback); }
  /// Called when the zoom or the position changed.
  void SetViewCallback(std::function<void()> callback) { viewChanged_ = std::move(callback); }

 private:
  /// Brings the scroll bars and rulers up to the canvas's view.
  void ViewChanged();
  void Scrolled();

  CanvasWidget* canvas_ = nullptr;
  Ruler* top_ = nullptr;
  Ruler* left_ = nullptr;
  QScrollBar* horizontal_ = nullptr;
  QScrollBar* vertical_ = nullptr;
  RulerUnit unit_ = kMillimetres;
  bool syncing_ = false;
  /// The bars' values that match the view.
  int shownX_ = 0;
  int shownY_ = 0;
  std::function<void(geometry::Point)> pointer_;
  std::function<void()> viewChanged_;
};

}  // namespace workbench::app
