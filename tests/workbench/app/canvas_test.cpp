// The canvas draws text in its colour and nothing of a hidden layer. (How
// it draws the bodice is the window screenshots'; zooming about the pointer
// the window tests'.)
#include <QImage>

#include "desktop_fixture.h"

namespace workbench::app::testing {
namespace {

class AppCanvas : public AppTest {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(session_.Open(SampleBodice(), &error)) << error;
    canvas_.resize(600, 700);
    canvas_.FitDocument();
  }
  QImage Render() { return canvas_.grab().toImage(); }
  geometry::Point Pixel(geometry::Point doc) const { return canvas_.View().ToScreen(doc); }

  CanvasWidget canvas_{session_};
};

TEST_F(AppCanvas, HiddenLayersAreNotDrawnAndTextShowsInItsColour) {
  document::Document& doc = Doc();
  const document::LayerId layer = doc.LayerAt(0);
  // Around the front edge's pixel, drawn when the layer shows, nothing dark.
  const auto darkestOnEdge = [&] {
    const QImage image = Render();
    const QPoint at = PixelOf(canvas_, kFrontEdgeMiddle);
    int darkest = 255;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        darkest = std::min(darkest, QColor(image.pixel(at + QPoint(dx, dy))).lightness());
      }
    }
    return darkest;
  };
  EXPECT_LT(darkestOnEdge(), 100);
  ASSERT_TRUE(session_.SetLayerVisible(layer, false));
  EXPECT_GT(darkestOnEdge(), 200);

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
  const QImage image = Render();
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
}  // namespace workbench::app::testing
