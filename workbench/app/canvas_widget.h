// The canvas: draws the document and takes the pointer for the tool in use.
// The wheel and +/- zoom, the middle button or space with the left button
// pan. With the selection tool a click picks, shift adds, and a drag draws a
// rubber band; with a module's tool the pointer's moves and presses go to
// the module in document points.
#pragma once

#include <QPoint>
#include <QWidget>

#include "workbench/app/app_session.h"
#include "workbench/app/document_painter.h"
#include "workbench/app/view_transform.h"

namespace workbench::app {

class CanvasWidget : public QWidget {
 public:
  explicit CanvasWidget(AppSession& session, QWidget* parent = nullptr);

  /// Zooms and pans so that the page and all art fit the widget.
  void FitDocument();
  void ZoomBy(double factor);
  const ViewTransform& View() const { return view_; }
  void SetLook(const CanvasLook& look);

  /// How far a click reaches, in pixels.
  static constexpr double kPickPixels = 4.0;
  /// A press that moves less than this many pixels is a click.
  static constexpr int kDragPixels = 3;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  geometry::Point DocPoint(QPointF pixel) const;
  bool ModuleToolActive();

  AppSession& session_;
  ViewTransform view_;
  CanvasLook look_;
  bool fitted_ = false;
  bool spaceHeld_ = false;
  bool panning_ = false;
  bool pressing_ = false;
  QPoint pressAt_;
  QPoint lastAt_;
};

}  // namespace workbench::app
