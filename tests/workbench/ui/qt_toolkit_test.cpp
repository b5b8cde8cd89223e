// The Qt toolkit behind the UI suite, driven as a module drives it and as a
// user does, on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <vector>

#include "ui_test_support.h"
#include "workbench/ui/qt_toolkit.h"

namespace workbench::ui {
namespace {

using testing::Notice;
using testing::Recorder;
using testing::SelectionOf;

class QtToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto toolkit = std::make_unique<QtToolkit>();
    qt_ = toolkit.get();
    host_.SetUi(std::move(toolkit));
    const void* suite = nullptr;
    ASSERT_EQ(host_.BasicSuite()->AcquireSuite(kQvUiSuite, kQvUiSuiteVersion, &suite), kQvNoErr);
    s_ = static_cast<const QvUiSuite*>(suite);
  }

  /// A 400 × 500 panel whose notifications go to the recorder.
  QvWindowHandle MakePanel() {
    EXPECT_EQ(s_->NewPanel(self_, "test-panel", "Test", 400, 500, &panel_), kQvNoErr);
    QvWindowHandle window = nullptr;
    EXPECT_EQ(s_->GetPanelWindow(panel_, &window), kQvNoErr);
    EXPECT_EQ(s_->SetNotifyProc(window, Recorder::Proc, &recorder_), kQvNoErr);
    return window;
  }
  QvErr Create(QvWindowHandle window, std::int32_t id, std::int32_t kind, QvControlFrame frame,
               const char* text = nullptr, std::int32_t options = 0) {
    const QvControlDescription controlDescription{id, kind, frame, text, options};
    return s_->CreateControl(window, &controlDescription);
  }
  template <typename Widget>
  Widget* WidgetOf(QvWindowHandle window, std::int32_t id) {
    return qobject_cast<Widget*>(qt_->ControlWidget(window, id));
  }

  plugin::Host host_;
  QtToolkit* qt_ = nullptr;
  const QvUiSuite* s_ = nullptr;
  QvPluginRef self_ = reinterpret_cast<QvPluginRef>(&host_);
  QvPanelHandle panel_ = nullptr;
  Recorder recorder_;
};

// ---- Frames --------------------------------------------------------------------------

// At a scale the panel screenshots (1 and 2) do not pin, the frames of a
// window 500 units tall counted up from its bottom; a shorter panel shows
// the top of the same layout.
TEST_F(QtToolkitTest, ControlsSitWhereTheUnitFrameMapsAtTheScale) {
  const double s = 1.25;
  qt_->SetScale(s);
  const QvWindowHandle window = MakePanel();
  const QvControlFrame frames[] = {{15, 475, 154, 14}, {10, 265, 380, 1}, {366, 15, 19, 20}, {0, 0, 400, 500}};
  std::int32_t id = 1;
  for (const QvControlFrame& f : frames) {
    ASSERT_EQ(Create(window, id, kQvPushButtonControl, f, "x"), kQvNoErr);
    const int left = static_cast<int>(f.x * s), top = static_cast<int>((500 - (f.y + f.height)) * s);
    const int right = static_cast<int>((f.x + f.width) * s), bottom = static_cast<int>((500 - f.y) * s);
    EXPECT_EQ(qt_->ControlWidget(window, id)->geometry(), QRect(left, top, right - left, bottom - top)) << id;
    ++id;
  }
  QWidget* panel = qt_->PanelWidget(panel_);
  EXPECT_EQ(panel->size(), QSize(500, 625));
  const QRect before = qt_->ControlWidget(window, 1)->geometry();
  ASSERT_EQ(s_->SetPanelSize(panel_, 400, 234), kQvNoErr);
  EXPECT_EQ(panel->size(), QSize(500, static_cast<int>(234 * s)));
  EXPECT_EQ(qt_->ControlWidget(window, 1)->geometry(), before);
}

// ---- Notifications -------------------------------------------------------------------

TEST_F(QtToolkitTest, OnlyTheUsersActionsNotify) {
  const QvWindowHandle window = MakePanel();
  ASSERT_EQ(Create(window, 10, kQvPushButtonControl, {305, 465, 80, 20}, "New"), kQvNoErr);
  ASSERT_EQ(Create(window, 6, kQvEditControl, {150, 331, 80, 18}), kQvNoErr);
  ASSERT_EQ(Create(window, 9, kQvEditableDropDownControl, {150, 280, 80, 20}, "9"), kQvNoErr);
  ASSERT_EQ(Create(window, 1, kQvListControl, {15, 360, 275, 110}), kQvNoErr);
  ASSERT_EQ(Create(window, 35, kQvCheckBoxControl, {305, 380, 80, 16}, "Preview"), kQvNoErr);
  qt_->PanelWidget(panel_)->show();

  // The module's own changes are silent, and a combo box does not move the
  // module's selection when items arrive.
  ASSERT_EQ(s_->SetControlText(window, 10, "Renew"), kQvNoErr);
  ASSERT_EQ(s_->SetControlText(window, 6, "12.5"), kQvNoErr);
  ASSERT_EQ(s_->SetChecked(window, 35, 1), kQvNoErr);
  for (const char* item : {"3", "4", "5"}) ASSERT_EQ(s_->InsertItem(window, 9, -1, item), kQvNoErr);
  for (const char* item : {"A", "B", "C"}) ASSERT_EQ(s_->InsertItem(window, 1, -1, item), kQvNoErr);
  EXPECT_EQ(SelectionOf(s_, window, 9), -1);
  EXPECT_EQ(WidgetOf<QComboBox>(window, 9)->currentText(), "9");
  ASSERT_EQ(s_->SetSelection(window, 1, 2), kQvNoErr);
  ASSERT_EQ(s_->DeleteItem(window, 1, 2), kQvNoErr);
  EXPECT_EQ(SelectionOf(s_, window, 1), -1);
  ASSERT_EQ(s_->SetSelection(window, 1, 1), kQvNoErr);
  ASSERT_EQ(s_->InsertItem(window, 1, 0, "Z"), kQvNoErr);
  EXPECT_EQ(SelectionOf(s_, window, 1), 2) << "the selection stays on its item";
  ASSERT_EQ(s_->DeleteItem(window, 1, 0), kQvNoErr);
  EXPECT_TRUE(recorder_.notices.empty());
  EXPECT_EQ(WidgetOf<QPushButton>(window, 10)->text(), "Renew");

  // The user's.
  QTest::mouseClick(WidgetOf<QPushButton>(window, 10), Qt::LeftButton);
  QTest::keyClicks(WidgetOf<QLineEdit>(window, 6), "7");
  auto* list = WidgetOf<QListWidget>(window, 1);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  QTest::mouseClick(WidgetOf<QWidget>(window, 35), Qt::LeftButton);
  EXPECT_EQ(recorder_.notices, (std::vector<Notice>{{window, 10, kQvClicked},
                                                    {window, 6, kQvTextChanged},
                                                    {window, 1, kQvSelectionChanged},
                                                    {window, 35, kQvClicked}}));
  EXPECT_EQ(SelectionOf(s_, window, 1), 0);
  QvBool checked = 1;
  ASSERT_EQ(s_->IsChecked(window, 35, &checked), kQvNoErr);
  EXPECT_EQ(checked, 0);

  // A disabled button takes no clicks.
  recorder_.notices.clear();
  ASSERT_EQ(s_->EnableControl(window, 10, 0), kQvNoErr);
  QTest::mouseClick(WidgetOf<QPushButton>(window, 10), Qt::LeftButton);
  EXPECT_TRUE(recorder_.notices.empty());
}

// (Owner-drawn rows and buttons painted through the module are the panel
// screenshots', at scale 1 and 2.)

// ---- Modal dialogs -------------------------------------------------------------------

// (A module's dialog answered by clicks on its OK is the app's session
// tests'.)
TEST_F(QtToolkitTest, EscapeIsTheModulesCancelOfAModalDialog) {
  const QvControlDescription controls[] = {
      {1, kQvPushButtonControl, {10, 10, 60, 20}, "OK", 0},
      {2, kQvPushButtonControl, {80, 10, 60, 20}, "Cancel", 0},
  };
  const QvDialogTemplate dialog{16400, "Margin", 160, 70, controls, 2};
  recorder_.onNotice = [&](const Notice& n) -> QvErr {
    return n.notification == kQvClicked ? s_->EndDialog(n.window, n.control == 1 ? 7 : 0) : kQvNoErr;
  };
  QTimer::singleShot(10, [] {
    if (QWidget* d = QApplication::activeModalWidget()) QTest::keyClick(d, Qt::Key_Escape);
  });
  std::int32_t result = -1;
  ASSERT_EQ(s_->RunModalDialog(self_, &dialog, Recorder::Proc, &recorder_, &result), kQvNoErr);
  EXPECT_EQ(result, 0);
  ASSERT_EQ(recorder_.notices.size(), 2u);
  const QvWindowHandle dialogWindow = recorder_.notices[0].window;
  EXPECT_EQ(recorder_.notices, (std::vector<Notice>{{dialogWindow, 0, kQvDialogInit}, {dialogWindow, 2, kQvClicked}}));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// ---- Keyboard ------------------------------------------------------------------------

TEST_F(QtToolkitTest, TabMovesAmongEnabledFieldsAndEnterSelectsTheText) {
  const QvWindowHandle window = MakePanel();
  ASSERT_EQ(Create(window, 6, kQvEditControl, {150, 331, 80, 18}, "1.0"), kQvNoErr);
  ASSERT_EQ(Create(window, 32, kQvPushButtonControl, {240, 330, 50, 20}, "Create"), kQvNoErr);
  ASSERT_EQ(Create(window, 7, kQvEditableDropDownControl, {15, 30, 80, 20}, "0"), kQvNoErr);
  ASSERT_EQ(Create(window, 8, kQvEditableDropDownControl, {150, 305, 80, 20}, "1"), kQvNoErr);
  ASSERT_EQ(Create(window, 36, kQvEditControl, {350, 350, 35, 18}, "2"), kQvNoErr);
  ASSERT_EQ(s_->EnableControl(window, 7, 0), kQvNoErr);
  QWidget* panel = qt_->PanelWidget(panel_);
  panel->show();
  QApplication::setActiveWindow(panel);
  ASSERT_TRUE(QTest::qWaitForWindowActive(panel));

  ASSERT_EQ(s_->FocusControl(window, 6), kQvNoErr);
  const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    return qt_->FocusedControl(window);
  };
  EXPECT_EQ(press(Qt::Key_Tab), 8) << "the button and the disabled drop-down are skipped";
  EXPECT_EQ(WidgetOf<QComboBox>(window, 8)->lineEdit()->selectedText(), "1");
  EXPECT_EQ(press(Qt::Key_Tab), 36);
  EXPECT_EQ(press(Qt::Key_Tab), 6) << "the order wraps";
  EXPECT_EQ(press(Qt::Key_Tab, Qt::ShiftModifier), 36);
  EXPECT_EQ(press(Qt::Key_Backtab, Qt::ShiftModifier), 8);

  // A shorter panel hides the drop-down at the bottom: Tab passes it by.
  ASSERT_EQ(s_->EnableControl(window, 7, 1), kQvNoErr);
  ASSERT_EQ(s_->SetPanelSize(panel_, 400, 234), kQvNoErr);
  EXPECT_EQ(press(Qt::Key_Tab), 36);

  auto* edit = WidgetOf<QLineEdit>(window, 36);
  edit->deselect();
  EXPECT_EQ(press(Qt::Key_Return), 36);
  EXPECT_EQ(edit->selectedText(), "2");
  EXPECT_TRUE(recorder_.notices.empty());
}

}  // namespace
}  // namespace workbench::ui
