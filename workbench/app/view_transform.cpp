#include "workbench/app/view_transform.h"

#include <algorithm>

namespace workbench::app {

void ViewTransform::ZoomAbout(geometry::Point anchor, double factor) {
  const geometry::Point fixed = ToDocument(anchor);
  zoom_ = std::clamp(zoom_ * factor, kMinZoom, kMaxZoom);
  panX_ = anchor.x - fixed.x * zoom_;
  panY_ = anchor.y + fixed.y * zoom_;
}

void ViewTransform::Fit(const document::Rect& bounds, double width, double height, double margin) {
  const double availableW = std::max(1.0, width - 2.0 * margin);
  const double availableH = std::max(1.0, height - 2.0 * margin);
  if (bounds.Width() > 0.0 && bounds.Height() > 0.0) {
    zoom_ = std::clamp(std::min(availableW / bounds.Width(), availableH / bounds.Height()), kMinZoom, kMaxZoom);
  }
  const geometry::Point middle{(bounds.left + bounds.right) / 2.0, (bounds.top + bounds.bottom) / 2.0};
  panX_ = width / 2.0 - middle.x * zoom_;
  panY_ = height / 2.0 + middle.y * zoom_;
}

}  // namespace workbench::app
