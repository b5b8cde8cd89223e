// The map between document points (y up) and the canvas's pixels (y down).
#pragma once

#include "workbench/document/rect.h"
#include "workbench/geometry/point.h"

namespace workbench::app {

/// screen = (x * zoom + panX, -y * zoom + panY): the document's y axis points
/// up, the screen's down, so the flip lives here and nowhere else. `zoom` is
/// pixels per point and always positive.
class ViewTransform {
 public:
  ViewTransform() = default;
  ViewTransform(double zoom, double panX, double panY) : zoom_(zoom), panX_(panX), panY_(panY) {}

  /// Pixels of a document point.
  geometry::Point ToScreen(geometry::Point doc) const { return {doc.x * zoom_ + panX_, -doc.y * zoom_ + panY_}; }
  /// The document point under a pixel.
  geometry::Point ToDocument(geometry::Point screen) const {
    return {(screen.x - panX_) / zoom_, -(screen.y - panY_) / zoom_};
  }

  double Zoom() const { return zoom_; }
  double PanX() const { return panX_; }
  double PanY() const { return panY_; }
  /// Multiplies the zoom by `factor`, keeping the document point under the
  /// pixel `anchor` where it is. The zoom stays within kMinZoom..kMaxZoom.
  void ZoomAbout(geometry::Point anchor, double factor);
  /// Moves the document by a number of pixels.
  void PanBy(double dx, double dy) {
    panX_ += dx;
    panY_ += dy;
  }
  /// Centres `bounds` in a viewport of width x height pixels with `margin`
  /// pixels free on every side. An empty or degenerate rectangle keeps the
  /// zoom and centres its middle.
  void Fit(const document::Rect& bounds, double width, double height, double margin);

  static constexpr double kMinZoom = 0.01;
  static constexpr double kMaxZoom = 640.0;

 private:
  double zoom_ = 1.0;
  double panX_ = 0.0;
  double panY_ = 0.0;
};

}  // namespace workbench::app
