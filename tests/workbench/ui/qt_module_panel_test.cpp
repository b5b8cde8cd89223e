// The real module's panel in the Qt toolkit: its controls are widgets where
// its layout puts them, and a real click on one plays the module's action.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QListWidget>
#include <QTest>

#include <memory>

#include "quorvane/host/plugin_globals.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_state.h"
#include "sdk/errors.h"
#include "support/loaded_module.h"
#include "workbench/ui/qt_toolkit.h"

namespace workbench::ui {
namespace {

class QtModulePanelTest : public quorvane::testing::LoadedModuleTest {
 protected:
  void SetUp() override {
    auto toolkit = std::make_unique<QtToolkit>(2.0);
    qt_ = toolkit.get();
    host_.SetUi(std::move(toolkit));
    LoadAndStart();
    ASSERT_EQ(host_.Notify(kQvApplicationStartedNotifier), kQvNoErr);
    ASSERT_EQ(qt_->Panels().size(), 1u);
    panel_ = qt_->Panels().front();
    window_ = quorvane::panel::StateOf(*Globals()).window;
  }

  QtToolkit* qt_ = nullptr;
  PanelInfo panel_;
  QvWindowHandle window_ = nullptr;
};

TEST_F(QtModulePanelTest, ClicksOnTheWidgetsPlayTheModulesAction) {
  QWidget* widget = qt_->PanelWidget(panel_.handle);
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->width(), panel_.width * 2);
  EXPECT_EQ(panel_.window, window_);

  // "New" at (305, 465) size 80 × 20 in a window 500 units tall.
  auto* newButton = qobject_cast<QAbstractButton*>(qt_->ControlWidget(window_, quorvane::panel::kNewSetButton));
  ASSERT_NE(newButton, nullptr);
  EXPECT_EQ(newButton->geometry(), QRect(610, 30, 160, 40));
  EXPECT_EQ(newButton->text(), "New");

  // With a closed path selected and the module's tool chosen, the panel is
  // enabled; a click on "Preview" is one play of the action.
  const auto square = Square(0.0, 100.0);
  doc_.SetSelected(square, true);
  ASSERT_EQ(host_.SelectTool(Globals()->tool), kQvNoErr);
  auto* preview = qobject_cast<QAbstractButton*>(qt_->ControlWidget(window_, quorvane::panel::kPreviewCheckBox));
  ASSERT_NE(preview, nullptr);
  ASSERT_TRUE(preview->isEnabled());
  widget->show();
  const std::size_t plays = host_.Actions().PlayLog().size();
  QTest::mouseClick(preview, Qt::LeftButton);
  ASSERT_EQ(host_.Actions().PlayLog().size(), plays + 1);
  EXPECT_EQ(host_.Actions().PlayLog().back(), "Quorvane_INSIDECMD");
  EXPECT_TRUE(qt_->ReportedErrors().empty());
}

}  // namespace
}  // namespace workbench::ui
