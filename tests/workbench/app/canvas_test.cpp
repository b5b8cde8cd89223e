// The canvas draws the document: strokes where the paths run (y up mapped
// to the screen), the paper where nothing is, text in its colour, nothing
// of a hidden layer; zooming keeps the point under the pointer.
#include <gtest/gtest.h>

#include <QImage>

#include "app_test_support.h"
#include "workbench/app/app_session.h"
#include "workbench/app/canvas_widget.h"

namespace workbench::app {
namespace {

using testing::DarkestNear;
using testing::kBodiceInside;
using testing::kBodiceSeams;

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

TEST_F(AppCanvas, StrokesFollowThePathAndThePaperShowsInside) {
  const QImage image = Render();
  ASSERT_EQ(image.size(), QSize(600, 700));
  for (const testing::Seam& seam : kBodiceSeams) {
    for (double t : {0.25, 0.5, 0.75}) {
      const geometry::Point on{seam.a.x + (seam.b.x - seam.a.x) * t, seam.a.y + (seam.b.y - seam.a.y) * t};
      EXPECT_LT(DarkestNear(image, Pixel(on), 1), 100) << "no stroke at " << on.x << "," << on.y;
    }
  }
  const geometry::Point inside = Pixel(kBodiceInside);
  EXPECT_EQ(QColor(image.pixel(int(inside.x), int(inside.y))), QColor(Qt::white));
  // Higher in the document is higher on the screen.
  EXPECT_LT(Pixel({160, 930}).y, Pixel({160, 145}).y);
}

TEST_F(AppCanvas, HiddenLayersAreNotDrawnAndTextShowsInItsColour) {
  document::Document& doc = session_.Doc();
  const document::LayerId layer = doc.LayerAt(0);
  ASSERT_TRUE(session_.SetLayerVisible(layer, false));
  QImage image = Render();
  EXPECT_GT(DarkestNear(image, Pixel(testing::Mid(kBodiceSeams[7])), 1), 200);

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

TEST(AppView, ZoomKeepsTheAnchorAndFitCentres) {
  ViewTransform view;
  view.Fit({0, 100, 200, 0}, 400, 300, 10);
  const geometry::Point centre = view.ToScreen({100, 50});
  EXPECT_DOUBLE_EQ(centre.x, 200);
  EXPECT_DOUBLE_EQ(centre.y, 150);
  // 380 by 280 pixels for 200 by 100 points: the width decides.
  EXPECT_DOUBLE_EQ(view.Zoom(), 1.9);

  const geometry::Point anchor{50, 60};
  const geometry::Point under = view.ToDocument(anchor);
  view.ZoomAbout(anchor, 2.0);
  EXPECT_DOUBLE_EQ(view.Zoom(), 3.8);
  EXPECT_NEAR(view.ToScreen(under).x, anchor.x, 1e-9);
  EXPECT_NEAR(view.ToScreen(under).y, anchor.y, 1e-9);
  view.ZoomAbout(anchor, 1e9);
  EXPECT_DOUBLE_EQ(view.Zoom(), ViewTransform::kMaxZoom);
}

}  // namespace
}  // namespace workbench::app
