// The whole window over the sample bodice, light and dark, compared with
// reference pictures in tests/data/window-screens/ (see
// tests/workbench/ui/screenshots.h for the tolerance, the fonts and how to
// rewrite the references): the rulers, the scroll bars, the status bar with the zoom,
// the layers list with its Visible and Locked boxes, and the module's panel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include "desktop_fixture.h"
#include "workbench/ui/screenshots.h"

namespace workbench::app::testing {
namespace {

namespace shots = quorvane::testing::screenshots;

std::filesystem::path ReferenceDir() { return std::filesystem::path(QUORVANE_TEST_DATA_DIR) / "window-screens"; }
std::filesystem::path OutputDir() { return std::filesystem::path(QUORVANE_SCREENSHOT_OUT_DIR); }

class WindowScreenshot : public DesktopApp, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    if (!shots::FontsInstalled()) GTEST_SKIP() << shots::MissingFonts();
    DesktopApp::SetUp();
  }
};

TEST_P(WindowScreenshot, WindowLooksAsItsReference) {
  const bool dark = GetParam();
  auto* theme = window_->findChild<QAction*>(QStringLiteral("darkInterface"));
  ASSERT_NE(theme, nullptr);
  theme->setChecked(dark);
  // The layer is locked: its Locked box shows checked beside the Visible one.
  ASSERT_TRUE(session_.SetLayerLocked(Doc().LayerAt(0), true));
  window_->resize(1100, 760);
  QApplication::processEvents();
  Canvas().FitDocument();
  QTest::mouseMove(&Canvas(), PixelOf(Canvas(), kBodiceInside) + QPoint(1, 1));
  QTest::mouseMove(&Canvas(), PixelOf(Canvas(), kBodiceInside));
  ASSERT_FALSE(window_->findChild<QLabel*>(QStringLiteral("pointerLabel"))->text().isEmpty());
  const QImage actual = window_->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(actual.size(), QSize(1100, 760));
  shots::ExpectLooksLikeReference(actual, ReferenceDir(), OutputDir(), dark ? "dark" : "light");
  theme->setChecked(false);
}

INSTANTIATE_TEST_SUITE_P(Themes, WindowScreenshot, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "dark" : "light"; });

}  // namespace
}  // namespace workbench::app::testing

int main(int argc, char** argv) { return quorvane::testing::screenshots::RunScreenshotTests(argc, argv, workbench::app::testing::OutputDir()); }
