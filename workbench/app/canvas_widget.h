// The canvas: draws the document and takes the pointer for the tool in use.
// The wheel scrolls (with Shift sideways), Ctrl+wheel and +/- zoom, the
// middle button or space with the left button pan. With the selection tool
// a click picks, shift adds, a drag from selected art moves the selection,
// a drag from anywhere else draws a rubber band, and the arrow keys nudge
// the selection by 1 mm (Shift: 10 mm); with a module's tool the pointer's moves and presses go to
// the module in document points.
#pragma once

#include <QPoint>
#include <QWidget>

#include <functional>

#include "workbench/app/app_session.h"
#include "workbench/app/document_painter.h"
#include "workbench/app/view_transform.h"

namespace workbench::app {

class CanvasWidget : public QWidget {
 public:
  explicit CanvasWidget(AppSession& session, QWidget* parent = nullptr);

  /// Zooms and pans so that the page and all art fit the widget.
  void FitDocument();
  /// Zooms about the canvas's middle.
  void ZoomBy(double factor);
  /// Shows the document at its physical size on the canvas's screen.
  void ZoomOneToOne();
  /// Fits the page, or the selected art (nothing when none is selected).
  void ZoomPage();
  void ZoomSelection();
  /// The zoom that shows the document at its physical size: the screen's
  /// pixels per inch over the 72 points of an inch.
  double OneToOneZoom() const;
  /// Moves the document by a number of pixels.
  void PanBy(double dx, double dy);
  const ViewTransform& View() const { return view_; }
  /// The page and all art, in document points.
  document::Rect Extent() const;
  double PageHeight() const;
  /// Called after every change of the zoom or the position.
  void SetViewListener(std::function<void()> listener) { viewListener_ = std::move(listener); }
  /// Called with the pointer's pixel when it moves over the canvas.
  void SetPointerListener(std::function<void(QPointF)> listener) { pointerListener_ = std::move(listener); }
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
  void FitRect(const document::Rect& bounds);
  /// Moves the selection being dragged so that it has moved as far as the
  /// pointer from where it was pressed.
  void DragTo(QPoint at);
  /// Repaints and tells the listener after the view moved.
  void ViewMoved();

  AppSession& session_;
  ViewTransform view_;
  CanvasLook look_;
  bool fitted_ = false;
  bool spaceHeld_ = false;
  bool panning_ = false;
  bool pressing_ = false;
  /// The press was on selected art: the drag moves the selection.
  bool movingSelection_ = false;
  /// How far the drag has moved the selection so far, in document points.
  geometry::Point moved_;
  QPoint pressAt_;
  QPoint lastAt_;
  std::function<void()> viewListener_;
  std::function<void(QPointF)> pointerListener_;
};

}  // namespace workbench::app
