// The real module's hover tip in the Qt toolkit: the pointer put over a
// command-type button of the panel's widget, the module's timer ticking,
// and the tip window read back: its text, where it sits on the screen, its
// size in the window's font and its colours.
#include <gtest/gtest.h>

#include <QCursor>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <memory>
#include <optional>

#include "quorvane/host/plugin_globals.h"
#include "quorvane/panel/hover_tip.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_state.h"
#include "support/loaded_module.h"
#include "workbench/ui/qt_toolkit.h"

namespace workbench::ui {
namespace {

namespace panel = quorvane::panel;

constexpr double kScale = 2.0;
// How long a tip may take to follow the pointer with the timer sped up.
constexpr int kWaitMs = 3000;
constexpr QPoint kPanelAt(40, -400);

class QtHoverTipTest : public quorvane::testing::LoadedModuleTest {
 protected:
  void SetUp() override {
    auto toolkit = std::make_unique<QtToolkit>(kScale);
    qt_ = toolkit.get();
    host_.SetUi(std::move(toolkit));
    LoadAndStart();
    ASSERT_EQ(host_.Notify(kQvApplicationStartedNotifier), kQvNoErr);
    ASSERT_EQ(qt_->Panels().size(), 1u);
    window_ = panel::StateOf(*Globals()).window;
    widget_ = qt_->PanelWidget(qt_->Panels().front().handle);
    ASSERT_NE(widget_, nullptr);
    // The panel is 1000 pixels tall at scale 2, taller than the offscreen
    // screen: its lower part, with the type buttons, is put on the screen.
    widget_->move(kPanelAt);
    widget_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widget_));
    ASSERT_EQ(qt_->TimerPeriod(window_, panel::kHoverTipTimer),
              std::optional<std::int32_t>(panel::kHoverTipPeriodMs));
    // The module's own timer ticks every few milliseconds instead of every
    // half second, so that the test waits for ticks rather than for time.
    ASSERT_EQ(qt_->StartTimer(window_, panel::kHoverTipTimer, 5), kQvNoErr);
  }
  void TearDown() override { EXPECT_TRUE(qt_->ReportedErrors().empty()); }

  /// The centre of a control's widget on the screen.
  QPoint CentreOf(std::int32_t control) {
    QWidget* button = qt_->ControlWidget(window_, control);
    return button->mapToGlobal(button->rect().center());
  }
  QLabel* Tip() { return qobject_cast<QLabel*>(qt_->TipWidget(window_)); }

  QtToolkit* qt_ = nullptr;
  QvWindowHandle window_ = nullptr;
  QWidget* widget_ = nullptr;
};

TEST_F(QtHoverTipTest, AStillPointerOverATypeButtonShowsItsNameBelowIt) {
  const std::int32_t code10 = panel::kFirstTypeButton + 10;
  QCursor::setPos(CentreOf(code10));
  ASSERT_EQ(QCursor::pos(), CentreOf(code10)) << "the platform does not move the pointer";
  ASSERT_TRUE(QTest::qWaitFor([&] { return Tip() != nullptr; }, kWaitMs));
  QLabel* tip = Tip();
  EXPECT_EQ(tip->text(), "45. forward");

  // The frame 17, 107, 26 × 26 of a window 500 units tall at scale 2:
  // x 34..86, y 734..786; the tip's top left at (60, 796) in the window.
  EXPECT_EQ(tip->pos(), widget_->mapToGlobal(QPoint(60, 796)));
  // In the window's font, 2 units wider than the text on either side.
  EXPECT_EQ(tip->font(), widget_->font());
  const int textWidth = QFontMetrics(widget_->font()).horizontalAdvance("45. forward");
  EXPECT_EQ(tip->width(), textWidth + static_cast<int>(4 * kScale));

  // Grey ground beside the text, the text itself in dark grey.
  const QImage image = tip->grab().toImage();
  EXPECT_EQ(image.pixel(static_cast<int>(kScale), image.height() / 2) & 0xFFFFFF, 0xF2F2F2u);
  QRgb darkest = 0xFFFFFF;
  for (int y = 1; y + 1 < image.height(); ++y) {
    for (int x = 1; x + 1 < image.width(); ++x) darkest = std::min(darkest, image.pixel(x, y) & 0xFFFFFF);
  }
  EXPECT_EQ(darkest, 0x444444u);

  // The left button held down takes the tip away; released, it comes back.
  const QPoint onButton = widget_->mapFromGlobal(CentreOf(code10));
  QTest::mousePress(widget_->windowHandle(), Qt::LeftButton, {}, onButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Tip() == nullptr; }, kWaitMs));
  QTest::mouseRelease(widget_->windowHandle(), Qt::LeftButton, {}, onButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Tip() != nullptr; }, kWaitMs));

  // Resting off the buttons, the pointer takes it away too.
  QCursor::setPos(widget_->mapToGlobal(QPoint(400, 600)));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Tip() == nullptr; }, kWaitMs));
}

}  // namespace
}  // namespace workbench::ui
