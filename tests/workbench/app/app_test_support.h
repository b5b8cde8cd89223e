// Shared pieces of the app tests: a fresh preferences folder, the sample
// bodice, and pixels of a rendered canvas.
#pragma once

#include <QColor>
#include <QImage>

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

#include "workbench/app/view_transform.h"

namespace workbench::app::testing {

inline std::filesystem::path SampleBodice() { return std::filesystem::path(QUORVANE_SAMPLES_DIR) / "front-bodice.svg"; }

/// The bodice's straight seams by their ends in document points (y up):
/// the file's user units shifted by its view box (-100, -120) and flipped on
/// its 1480 pt page, so (x, y) in the file is (x + 100, 1360 - y) here.
struct Seam {
  geometry::Point a;
  geometry::Point b;
};
inline constexpr Seam kBodiceSeams[] = {
    {{350, 1320}, {600, 1250}}, {{660, 965}, {720, 940}},   {{720, 940}, {720.9118, 785}},
    {{722, 600}, {835, 575}},   {{835, 575}, {845, 425}},   {{845, 425}, {728, 375}},
    {{728, 375}, {790, 210}},   {{160, 145}, {160, 930}},
};
/// A point well inside the bodice, away from every line.
inline constexpr geometry::Point kBodiceInside{400, 600};

inline geometry::Point Mid(const Seam& s) { return {(s.a.x + s.b.x) / 2, (s.a.y + s.b.y) / 2}; }

/// A temporary folder removed with this object.
class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("quorvane-app-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

/// The darkest lightness (0..255) within `radius` pixels of `pixel`.
inline int DarkestNear(const QImage& image, geometry::Point pixel, int radius) {
  int darkest = 255;
  for (int dy = -radius; dy <= radius; ++dy) {
    for (int dx = -radius; dx <= radius; ++dx) {
      const int x = static_cast<int>(pixel.x + 0.5) + dx;
      const int y = static_cast<int>(pixel.y + 0.5) + dy;
      if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) continue;
      darkest = std::min(darkest, QColor(image.pixel(x, y)).lightness());
    }
  }
  return darkest;
}

}  // namespace workbench::app::testing
