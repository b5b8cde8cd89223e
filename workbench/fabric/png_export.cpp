#include "workbench/fabric/png_export.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <system_error>

#include "workbench/fabric/fabric_painter.h"
#include "workbench/fabric/gui_application.h"
#include "workbench/fabric/replace_file.h"

namespace workbench::fabric {

namespace fs = std::filesystem;

namespace {

// Half a gigabyte of pixels at most.
constexpr double kMaxPixels = 128.0 * 1024.0 * 1024.0;

}  // namespace

svg::Result<PixelSize> ExportPng(const FabricLayout& layout, const LineConventions& conventions, int dpi,
                                 const fs::path& file) {
  const DrawingFrame frame = FrameFor(layout, 0.0);
  const double perMm = dpi / 25.4;
  const PixelSize size{static_cast<int>(std::ceil(frame.widthMm * perMm)),
                       static_cast<int>(std::ceil(frame.heightMm * perMm))};
  if (static_cast<double>(size.width) * size.height > kMaxPixels) {
    return svg::Error{file.string(), 0, "a picture of " + std::to_string(size.width) + " x " +
                                            std::to_string(size.height) + " pixels is too large; lower --dpi"};
  }
  GuiApplication gui;
  QImage image(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
  const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(perMm, perMm);
    PaintPieces(painter, layout, conventions, frame);
  }
  const fs::path temporary = TemporaryBeside(file);
  if (!image.save(QString::fromStdString(temporary.string()), "PNG")) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return svg::Error{file.string(), 0, "cannot write the file"};
  }
  auto moved = MoveIntoPlace(temporary, file);
  if (!moved) return moved.error();
  return size;
}

}  // namespace workbench::fabric
