// The window around the canvas, driven by real events: status bar, scroll
// bars, the wheel and the zoom keys; recent files and the title, a file that
// fails to open; the Window menu. (How the rulers and the dark interface's
// layers list look is the window screenshots'.)
#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include <fstream>

#include "desktop_fixture.h"

namespace workbench::app::testing {
namespace {

/// The bodice's page height in points.
constexpr double kBodicePageHeight = 1480.0;

class WindowTest : public DesktopApp {
 protected:
  void SetUp() override {
    DesktopApp::SetUp();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    Canvas().setFocus();
  }

  QString Label(const char* name) {
    auto* label = window_->findChild<QLabel*>(QString::fromLatin1(name));
    return label == nullptr ? QString() : label->text();
  }
  /// The document point at the canvas's middle.
  geometry::Point Middle() { return Canvas().View().ToDocument({Canvas().width() / 2.0, Canvas().height() / 2.0}); }
  /// One notch of the wheel at a pixel of the canvas.
  void Wheel(QPoint at, Qt::KeyboardModifiers modifiers) {
    QWheelEvent wheel(QPointF(at), QPointF(Canvas().mapToGlobal(at)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Canvas(), &wheel);
  }
};

// ---- Finding one's way --------------------------------------------------------------

TEST(RulerStep, IsOneTwoOrFiveTimesAPowerOfTenAtLeastTheGivenPixelsApart) {
  EXPECT_DOUBLE_EQ(RulerStep(2.0, 60.0), 50.0);
  EXPECT_DOUBLE_EQ(RulerStep(10.0, 60.0), 10.0);
  EXPECT_DOUBLE_EQ(RulerStep(0.5, 60.0), 200.0);
  EXPECT_DOUBLE_EQ(RulerStep(700.0, 60.0), 0.1);
  EXPECT_DOUBLE_EQ(RulerStep(30.0, 60.0), 2.0);
}

TEST_F(WindowTest, StatusBarGivesThePointerFromThePageTopLeftInMillimetres) {
  // The bodice's left seam at (160, 930) points with y up: 56.44 mm from the
  // page's left edge, (1480 - 930) / 2.835 = 194.03 mm down from its top.
  const geometry::Point seam{160.0, 930.0};
  QTest::mouseMove(&Canvas(), PixelOf(Canvas(), seam));
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("^X: (-?[0-9.]+)  Y: (-?[0-9.]+) mm$")).match(Label("pointerLabel"));
  ASSERT_TRUE(m.hasMatch()) << Label("pointerLabel").toStdString();
  const double reach = 1.0 / Canvas().View().Zoom() / kPointsPerMm;  // a pixel in mm
  EXPECT_NEAR(m.captured(1).toDouble(), 160.0 / kPointsPerMm, reach + 0.01);
  EXPECT_NEAR(m.captured(2).toDouble(), (kBodicePageHeight - 930.0) / kPointsPerMm, reach + 0.01);

  // In inches after View > Units > in.
  window_->findChild<QAction*>(QStringLiteral("unit:in"))->trigger();
  QTest::mouseMove(&Canvas(), PixelOf(Canvas(), seam) + QPoint(1, 0));
  QTest::mouseMove(&Canvas(), PixelOf(Canvas(), seam));
  EXPECT_TRUE(Label("pointerLabel").endsWith(QStringLiteral(" in"))) << Label("pointerLabel").toStdString();
  EXPECT_TRUE(Label("pointerLabel").startsWith(QStringLiteral("X: 2.2"))) << Label("pointerLabel").toStdString();
  window_->findChild<QAction*>(QStringLiteral("unit:mm"))->trigger();
}

TEST_F(WindowTest, WheelScrollsShiftWheelScrollsSidewaysCtrlWheelZoomsAboutThePointer) {
  const QPoint at(Canvas().width() / 3, Canvas().height() / 3);
  const double zoom = Canvas().View().Zoom();
  geometry::Point before = Canvas().View().ToDocument({double(at.x()), double(at.y())});
  Wheel(at, Qt::NoModifier);
  geometry::Point after = Canvas().View().ToDocument({double(at.x()), double(at.y())});
  EXPECT_DOUBLE_EQ(Canvas().View().Zoom(), zoom);
  EXPECT_DOUBLE_EQ(after.x, before.x);
  EXPECT_GT(after.y, before.y) << "the wheel away from the user shows what is above";

  before = after;
  Wheel(at, Qt::ShiftModifier);
  after = Canvas().View().ToDocument({double(at.x()), double(at.y())});
  EXPECT_DOUBLE_EQ(Canvas().View().Zoom(), zoom);
  EXPECT_LT(after.x, before.x);
  EXPECT_DOUBLE_EQ(after.y, before.y);

  before = after;
  Wheel(at, Qt::ControlModifier);
  after = Canvas().View().ToDocument({double(at.x()), double(at.y())});
  EXPECT_GT(Canvas().View().Zoom(), zoom * 1.1);
  EXPECT_NEAR(after.x, before.x, 1e-9);
  EXPECT_NEAR(after.y, before.y, 1e-9);
}

TEST_F(WindowTest, ZoomKeysShowOneToOnePageAndSelection) {
  QScreen* screen = Canvas().screen();
  ASSERT_NE(screen, nullptr);
  QTest::keyClick(window_.get(), Qt::Key_1);
  EXPECT_NEAR(Canvas().View().Zoom(), screen->physicalDotsPerInch() / 72.0, 1e-9);
  EXPECT_EQ(Label("zoomLabel"), QStringLiteral("Zoom: 100%"));

  QTest::keyClick(window_.get(), Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(Label("zoomLabel"), QStringLiteral("Zoom: 125%"));
  QTest::keyClick(window_.get(), Qt::Key_Minus, Qt::ControlModifier);
  QTest::keyClick(window_.get(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(Label("zoomLabel"), QStringLiteral("Zoom: 80%"));

  // The page fits: its longer side fills the canvas less the margins.
  const auto pageFits = [&] {
    const geometry::Point a = Canvas().View().ToScreen({0.0, kBodicePageHeight});
    const geometry::Point b = Canvas().View().ToScreen({Doc().GetPage().width, 0.0});
    EXPECT_GE(a.x, -0.5);
    EXPECT_GE(a.y, -0.5);
    EXPECT_LE(b.x, Canvas().width() + 0.5);
    EXPECT_LE(b.y, Canvas().height() + 0.5);
    EXPECT_TRUE(std::abs(b.y - a.y - (Canvas().height() - 40)) < 1.0 ||
                std::abs(b.x - a.x - (Canvas().width() - 40)) < 1.0);
  };
  QTest::keyClick(window_.get(), Qt::Key_1);
  QTest::keyClick(window_.get(), Qt::Key_5);
  pageFits();
  QTest::keyClick(window_.get(), Qt::Key_1);
  QTest::keyClick(window_.get(), Qt::Key_0, Qt::ControlModifier);
  pageFits();

  // Zoom Selection fits the selected seam's outline: the bodice spans
  // 160..845 points across and 145..1320 up.
  ClickCanvas(kFrontEdgeMiddle);
  ASSERT_EQ(Doc().SelectedArt().size(), 1u);
  QTest::keyClick(window_.get(), Qt::Key_3);
  const geometry::Point low = Canvas().View().ToScreen({160.0, 145.0});
  const geometry::Point high = Canvas().View().ToScreen({845.0, 1320.0});
  EXPECT_NEAR(low.y - high.y, Canvas().height() - 40, 1.0) << "the tall bodice fills the height";
  EXPECT_NEAR((low.x + high.x) / 2, Canvas().width() / 2.0, 1.0);
}

TEST_F(WindowTest, ScrollBarsFollowTheViewAndMoveIt) {
  CanvasArea& area = window_->Area();
  QScrollBar& across = area.HorizontalBar();
  QScrollBar& down = area.VerticalBar();
  QTest::keyClick(window_.get(), Qt::Key_1);  // the page is larger than the canvas now
  const int x = across.value();
  const int y = down.value();
  EXPECT_LT(down.minimum(), down.maximum());
  const geometry::Point before = Middle();
  across.setValue(x + 100);
  down.setValue(y + 50);
  const double zoom = Canvas().View().Zoom();
  EXPECT_NEAR(Middle().x, before.x + 100 / zoom, 1e-6);
  EXPECT_NEAR(Middle().y, before.y - 50 / zoom, 1e-6) << "moving the bar down shows what is below";
  // Panning with the middle button moves the bars with the view.
  const QPoint from(Canvas().width() / 2, Canvas().height() / 2);
  QTest::mousePress(&Canvas(), Qt::MiddleButton, Qt::NoModifier, from);
  QTest::mouseMove(&Canvas(), from + QPoint(30, 20));
  QTest::mouseRelease(&Canvas(), Qt::MiddleButton, Qt::NoModifier, from + QPoint(30, 20));
  EXPECT_EQ(across.value(), x + 70);
  EXPECT_EQ(down.value(), y + 30);
  // The bar reaches the whole page.
  const double pageLeft = Canvas().View().ToScreen({0.0, 0.0}).x;
  EXPECT_LE(across.minimum(), across.value() + pageLeft);
}

// ---- Files --------------------------------------------------------------------------

TEST_F(WindowTest, OpenRecentListsTheLastTenFilesAndOpensThem) {
  TempDir dir;
  std::vector<QString> files;
  for (int i = 0; i < 12; ++i) {
    const std::filesystem::path copy = dir.Path() / ("piece-" + std::to_string(i) + ".svg");
    std::filesystem::copy_file(SampleBodice(), copy);
    files.push_back(QString::fromStdString(copy.string()));
    ASSERT_TRUE(window_->OpenFile(files.back()));
  }
  const QStringList recent = MainWindow::RecentFiles();
  ASSERT_EQ(recent.size(), MainWindow::kRecentLimit);
  EXPECT_EQ(recent.front(), files[11]);
  EXPECT_EQ(recent.back(), files[2]);
  // Opening a listed file again moves it to the top, once.
  ASSERT_TRUE(window_->OpenFile(files[5]));
  EXPECT_EQ(MainWindow::RecentFiles().front(), files[5]);
  EXPECT_EQ(MainWindow::RecentFiles().count(files[5]), 1);

  auto* menu = window_->findChild<QMenu*>(QStringLiteral("recentMenu"));
  ASSERT_NE(menu, nullptr);
  QMetaObject::invokeMethod(menu, "aboutToShow");
  ASSERT_EQ(menu->actions().size(), MainWindow::kRecentLimit);
  EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("piece-11.svg"));
  menu->actions()[1]->trigger();
  EXPECT_EQ(session_.FilePath().filename(), "piece-11.svg");
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("piece-11.svg[*] - Quorvane Workbench"));
}

TEST_F(WindowTest, AFileThatFailsToOpenIsNamedWithItsLineInAMessageBox) {
  TempDir dir;
  const std::filesystem::path broken = dir.Path() / "broken.svg";
  std::ofstream(broken) << "<svg xmlns=\"http://www.w3.org/2000/svg\">\n<path d=\"M0 0 L10 0\"/>\n<g>\n</svg>\n";
  QString text;
  bool missed = false;
  WhenModal(
      [&](QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) text = box->text();
        dialog->close();
      },
      &missed);
  EXPECT_FALSE(window_->OpenFile(QString::fromStdString(broken.string())));
  ASSERT_FALSE(missed);
  EXPECT_TRUE(text.startsWith(QString::fromStdString(broken.string()) + QStringLiteral(":4:"))) << text.toStdString();
  EXPECT_EQ(session_.FilePath().filename(), "front-bodice.svg") << "the open document stays";
}

// ---- Looks --------------------------------------------------------------------------

TEST_F(WindowTest, WindowMenuTogglesTheLayersAndThePanelLeavesWithTheModule) {
  QMenu* menu = MenuNamed(*window_, QStringLiteral("Window"));
  ASSERT_NE(menu, nullptr);
  QMetaObject::invokeMethod(menu, "aboutToShow");
  ASSERT_FALSE(menu->actions().isEmpty());
  EXPECT_EQ(menu->actions().front()->text(), QStringLiteral("Layers"));
  auto* layers = window_->findChild<QDockWidget*>(QStringLiteral("layersDock"));
  ASSERT_NE(layers, nullptr);
  menu->actions().front()->trigger();
  EXPECT_FALSE(layers->isVisible());
  menu->actions().front()->trigger();
  EXPECT_TRUE(layers->isVisible());
  // The module's panel leaves the window with the module.
  ASSERT_NE(window_->PanelDock(panel_), nullptr);
  session_.UnloadModule();
  EXPECT_EQ(window_->PanelDock(panel_), nullptr);
}

}  // namespace
}  // namespace workbench::app::testing
