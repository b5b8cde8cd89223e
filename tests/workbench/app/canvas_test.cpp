// The canvas draws text in its colour and nothing of a hidden layer. (How
// it draws the bodice is the window screenshots'; zooming about the pointer
// the window tests'.)
#include <gtest/gtest.h>

#include <QImage>

#include "desktop_fixture.h"
#include "workbench/app/app_session.h"
#include "workbench/app/canvas_widget.h"

namespace workbench::app {
namespace {

using testing::kBodiceInside;

// The darkest lightness (0..255) within `radius` pixels of `pixel`.
int DarkestNear(const QImage& image, geometry::Point pixel, int radius) {
  int darkest = 255;
  for (int dy = -radius; dy <= radius; ++dy) {
    for (int dx = -radius; dx <= radius; ++dx) {
      const int x = static_cast<int>(pixel.x + 0.5) + dx;
      const int y = static_cast<int>(pixel.y + 0.5) + dy;
      if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) {
        darkest = std::min(darkest, QColor(image.pixel(x, y)).lightness());
      }
    }
  }
  return darkest;
}

class AppCanvas : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(session_.Open(testing::SampleBodice(), &error)) << error;
    canvas_.resize(600, 700);
    canvas_.FitDocument();
  }
  QImage Render() { return canvas_.grab().toImage(); }
  geometry::Point Pixel(geometry::Point doc) const { return canvas_.View().ToScreen(doc); }

  testing::TempDir prefs_;
  AppSession session_{prefs_.Path()};
  CanvasWidget canvas_{session_};
};

TEST_F(AppCanvas, HiddenLayersAreNotDrawnAndTextShowsInItsColour) {
  document::Document& doc = session_.Doc();
  const document::LayerId layer = doc.LayerAt(0);
  ASSERT_TRUE(session_.SetLayerVisible(layer, false));
  QImage image = Render();
  EXPECT_GT(DarkestNear(image, Pixel(testing::kFrontEdgeMiddle), 1), 200);

  // Red text, 40 pt, its baseline at (150, 300): glyphs land above the
  // baseline on the screen.
  ASSERT_TRUE(session_.SetLayerVisible(layer, true));
  const document::ArtId text =
      doc.NewArt(document::ArtType::kText, document::PaintOrder::kPlaceInsideOnTop, doc.LayerGroup(layer));
  document::PlacedData placed;
  placed.placement = document::AffineMatrix::Translate(150, 300) * document::AffineMatrix::Scale(1, -1);
  placed.contents = "MMM";
  placed.fontSize = 40;
  placed.localBounds = {0, -40, 72, 0};
  placed.textColor = document::Color::Rgb(1, 0, 0);
  ASSERT_TRUE(doc.SetPlaced(text, placed));
  image = Render();
  int redAbove = 0;
  int redBelow = 0;
  const geometry::Point base = Pixel({150, 300});
  for (int y = 0; y < image.height(); ++y) {
    for (int x = int(base.x); x < int(Pixel({230, 300}).x); ++x) {
      const QColor c(image.pixel(x, y));
      if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++(y <= base.y ? redAbove : redBelow);
    }
  }
  EXPECT_GT(redAbove, 50);
  EXPECT_EQ(redBelow, 0);
}

}  // namespace
}  // namespace workbench::app
