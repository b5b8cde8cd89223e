// The Qt toolkit behind the UI suite, driven as a module drives it and as a
// user does, on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "sdk/errors.h"
#include "sdk/ui_suite.h"
#include "workbench/plugin/host.h"
#include "workbench/ui/qt_toolkit.h"

namespace workbench::ui {
namespace {

struct Notice {
  std::int32_t control;
  std::int32_t notification;
  bool operator==(const Notice& o) const { return control == o.control && notification == o.notification; }
};

/// Records each notification except drawing, then runs the test's handler.
struct Recorder {
  std::vector<Notice> notices;
  std::function<QvErr(QvWindowHandle, std::int32_t, std::int32_t, void*)> handler;

  static QvErr Proc(QvWindowHandle window, std::int32_t control, std::int32_t notification, void* data) {
    // Drawing items carry the item, not the recorder.
    Recorder* self = notification == kQvDrawItem ? Drawing() : static_cast<Recorder*>(data);
    if (notification != kQvDrawItem) self->notices.push_back(Notice{control, notification});
    return self->handler ? self->handler(window, control, notification, data) : kQvNoErr;
  }
  static Recorder*& Drawing() {
    static Recorder* current = nullptr;
    return current;
  }
};

class QtToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto toolkit = std::make_unique<QtToolkit>();
    qt_ = toolkit.get();
    host_.SetUi(std::move(toolkit));
    const void* suite = nullptr;
    ASSERT_EQ(host_.BasicSuite()->AcquireSuite(kQvUiSuite, kQvUiSuiteVersion, &suite), kQvNoErr);
    s_ = static_cast<const QvUiSuite*>(suite);
    Recorder::Drawing() = &recorder_;
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

class QtToolkitFrameTest : public QtToolkitTest, public ::testing::WithParamInterface<double> {};

TEST_P(QtToolkitFrameTest, ControlsSitWhereTheUnitFrameMapsAtTheScale) {
  const double s = GetParam();
  qt_->SetScale(s);
  const QvWindowHandle window = MakePanel();
  const QvControlFrame frames[] = {{15, 475, 154, 14}, {10, 265, 380, 1}, {150, 331, 80, 18},
                                   {366, 15, 19, 20},  {17, 107, 26, 26}, {0, 0, 400, 500}};
  std::int32_t id = 1;
  for (const QvControlFrame& f : frames) {
    ASSERT_EQ(Create(window, id, kQvPushButtonControl, f, "x"), kQvNoErr);
    const QRect g = qt_->ControlWidget(window, id)->geometry();
    // Frames count up from the bottom of a window 500 units tall.
    const int left = static_cast<int>(f.x * s);
    const int top = static_cast<int>((500 - (f.y + f.height)) * s);
    EXPECT_EQ(g.left(), left) << "control " << id;
    EXPECT_EQ(g.top(), top) << "control " << id;
    EXPECT_EQ(g.left() + g.width(), static_cast<int>((f.x + f.width) * s)) << "control " << id;
    EXPECT_EQ(g.top() + g.height(), static_cast<int>((500 - f.y) * s)) << "control " << id;
    ++id;
  }
  QWidget* panel = qt_->PanelWidget(panel_);
  EXPECT_EQ(panel->size(), QSize(static_cast<int>(400 * s), static_cast<int>(500 * s)));

  // A shorter panel shows the top of the same layout: controls stay put.
  const QRect before = qt_->ControlWidget(window, 1)->geometry();
  ASSERT_EQ(s_->SetPanelSize(panel_, 400, 234), kQvNoErr);
  EXPECT_EQ(panel->size(), QSize(static_cast<int>(400 * s), static_cast<int>(234 * s)));
  EXPECT_EQ(qt_->ControlWidget(window, 1)->geometry(), before);
}

INSTANTIATE_TEST_SUITE_P(Scales, QtToolkitFrameTest, ::testing::Values(1.0, 2.0, 1.25));

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
  std::int32_t selection = 0;
  ASSERT_EQ(s_->GetSelection(window, 9, &selection), kQvNoErr);
  EXPECT_EQ(selection, -1);
  EXPECT_EQ(WidgetOf<QComboBox>(window, 9)->currentText(), "9");
  ASSERT_EQ(s_->SetSelection(window, 1, 2), kQvNoErr);
  ASSERT_EQ(s_->DeleteItem(window, 1, 2), kQvNoErr);
  ASSERT_EQ(s_->GetSelection(window, 1, &selection), kQvNoErr);
  EXPECT_EQ(selection, -1);
  ASSERT_EQ(s_->SetSelection(window, 1, 1), kQvNoErr);
  ASSERT_EQ(s_->InsertItem(window, 1, 0, "Z"), kQvNoErr);
  ASSERT_EQ(s_->GetSelection(window, 1, &selection), kQvNoErr);
  EXPECT_EQ(selection, 2) << "the selection stays on its item";
  ASSERT_EQ(s_->DeleteItem(window, 1, 0), kQvNoErr);
  EXPECT_TRUE(recorder_.notices.empty());
  EXPECT_EQ(WidgetOf<QPushButton>(window, 10)->text(), "Renew");

  // The user's.
  QTest::mouseClick(WidgetOf<QPushButton>(window, 10), Qt::LeftButton);
  QTest::keyClicks(WidgetOf<QLineEdit>(window, 6), "7");
  auto* list = WidgetOf<QListWidget>(window, 1);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  QTest::mouseClick(WidgetOf<QWidget>(window, 35), Qt::LeftButton);
  EXPECT_EQ(recorder_.notices, (std::vector<Notice>{{10, kQvClicked},
                                                    {6, kQvTextChanged},
                                                    {1, kQvSelectionChanged},
                                                    {35, kQvClicked}}));
  ASSERT_EQ(s_->GetSelection(window, 1, &selection), kQvNoErr);
  EXPECT_EQ(selection, 0);
  QvBool checked = 1;
  ASSERT_EQ(s_->IsChecked(window, 35, &checked), kQvNoErr);
  EXPECT_EQ(checked, 0);

  // A disabled button takes no clicks.
  recorder_.notices.clear();
  ASSERT_EQ(s_->EnableControl(window, 10, 0), kQvNoErr);
  QTest::mouseClick(WidgetOf<QPushButton>(window, 10), Qt::LeftButton);
  EXPECT_TRUE(recorder_.notices.empty());
}

// (The panel's colours in either theme are the screenshot tests'.)
TEST_F(QtToolkitTest, TheThemeFollowsThePaletteUnlessTheAppSetsIt) {
  const QPalette original = QApplication::palette();
  QvBool dark = 1;
  QPalette palette = original;
  palette.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
  QApplication::setPalette(palette);
  ASSERT_EQ(s_->IsInterfaceDark(&dark), kQvNoErr);
  EXPECT_EQ(dark, 0);
  palette.setColor(QPalette::Window, QColor(0x32, 0x32, 0x32));
  QApplication::setPalette(palette);
  ASSERT_EQ(s_->IsInterfaceDark(&dark), kQvNoErr);
  EXPECT_NE(dark, 0);
  qt_->SetInterfaceDark(false);
  ASSERT_EQ(s_->IsInterfaceDark(&dark), kQvNoErr);
  EXPECT_EQ(dark, 0);
  QApplication::setPalette(original);
}

// ---- Owner drawing -------------------------------------------------------------------

constexpr QvRgb kSelectedFill = 0xCC2200;
constexpr QvRgb kRowFill = 0x0033CC;
constexpr QvRgb kButtonFill = 0x22AA44;
constexpr QvRgb kButtonFrame = 0x000000;

// (Picture buttons and drop-down faces the module draws are the panel
// screenshots'.)
TEST_F(QtToolkitTest, OwnerDrawnRowsAndButtonsPaintThroughTheModule) {
  qt_->SetScale(2.0);
  const QvWindowHandle window = MakePanel();
  ASSERT_EQ(Create(window, 1, kQvListControl, {15, 360, 275, 110}, nullptr, kQvOwnerDrawn), kQvNoErr);
  ASSERT_EQ(Create(window, 10, kQvPushButtonControl, {305, 465, 80, 20}, "New", kQvOwnerDrawn), kQvNoErr);
  for (const char* item : {"A", "B", "C"}) ASSERT_EQ(s_->InsertItem(window, 1, -1, item), kQvNoErr);
  ASSERT_EQ(s_->SetSelection(window, 1, 1), kQvNoErr);

  std::vector<QvDrawItem> drawn;
  recorder_.handler = [&](QvWindowHandle, std::int32_t, std::int32_t notification, void* data) -> QvErr {
    if (notification != kQvDrawItem) return kQvNoErr;
    const auto* item = static_cast<const QvDrawItem*>(data);
    drawn.push_back(*item);
    const QvDrawContext& dc = *item->draw;
    if (item->control == 1) {
      return dc.FillRect(dc.context, item->rect, (item->state & kQvItemSelected) != 0 ? kSelectedFill : kRowFill);
    }
    dc.FillRect(dc.context, item->rect, kButtonFill);
    return dc.FrameRect(dc.context, item->rect, kButtonFrame);
  };

  QWidget* panel = qt_->PanelWidget(panel_);
  QImage image(panel->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  panel->render(&image);

  const QvPixelRect list = *qt_->PixelRect(window, 1);
  std::vector<QvDrawItem> rows;
  const QvDrawItem* button = nullptr;
  for (const QvDrawItem& item : drawn) {
    if (item.control == 1) rows.push_back(item);
    if (item.control == 10) button = &item;
  }
  ASSERT_EQ(rows.size(), 3u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const QvPixelRect& r = rows[i].rect;
    EXPECT_EQ(rows[i].item, static_cast<std::int32_t>(i));
    EXPECT_EQ(r.bottom - r.top, 36) << "rows are 18 units at scale 2";
    EXPECT_TRUE(r.left >= list.left && r.right <= list.right && r.top >= list.top && r.bottom <= list.bottom);
    if (i > 0) {
      EXPECT_EQ(r.top, rows[i - 1].rect.bottom);
    }
    EXPECT_EQ((rows[i].state & kQvItemSelected) != 0, i == 1);
    // Each row's colour lands where the module was told the row is.
    const QRgb centre = image.pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_EQ(centre & 0xFFFFFF, i == 1 ? kSelectedFill : kRowFill) << "row " << i;
  }

  ASSERT_NE(button, nullptr);
  const QvPixelRect b = button->rect;
  const QvPixelRect expected = *qt_->PixelRect(window, 10);
  EXPECT_EQ(std::vector<int>({b.left, b.top, b.right, b.bottom}),
            std::vector<int>({expected.left, expected.top, expected.right, expected.bottom}));
  EXPECT_EQ(image.pixel(b.left, b.top) & 0xFFFFFF, kButtonFrame);
  EXPECT_EQ(image.pixel(b.right - 1, b.bottom - 1) & 0xFFFFFF, kButtonFrame);
  EXPECT_EQ(image.pixel(b.left + 3, b.top + 3) & 0xFFFFFF, kButtonFill);
  const QRgb outside = image.pixel(b.left - 1, (b.top + b.bottom) / 2) & 0xFFFFFF;
  EXPECT_TRUE(outside != kButtonFill && outside != kButtonFrame) << "nothing drawn outside the button";
  EXPECT_TRUE(qt_->ReportedErrors().empty());
}

// ---- Modal dialogs -------------------------------------------------------------------

// (A module's dialog answered by clicks on its OK is the app's session
// tests'.)
TEST_F(QtToolkitTest, EscapeIsTheModulesCancelOfAModalDialog) {
  const QvControlDescription controls[] = {
      {1, kQvPushButtonControl, {10, 10, 60, 20}, "OK", 0},
      {2, kQvPushButtonControl, {80, 10, 60, 20}, "Cancel", 0},
  };
  const QvDialogTemplate dialog{16400, "Margin", 160, 70, controls, 2};
  recorder_.handler = [&](QvWindowHandle window, std::int32_t control, std::int32_t notification, void*) -> QvErr {
    return notification == kQvClicked ? s_->EndDialog(window, control == 1 ? 7 : 0) : kQvNoErr;
  };
  QTimer::singleShot(10, [] {
    if (QWidget* d = QApplication::activeModalWidget()) QTest::keyClick(d, Qt::Key_Escape);
  });
  std::int32_t result = -1;
  ASSERT_EQ(s_->RunModalDialog(self_, &dialog, Recorder::Proc, &recorder_, &result), kQvNoErr);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(recorder_.notices, (std::vector<Notice>{{0, kQvDialogInit}, {2, kQvClicked}}));
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

int main(int argc, char** argv) {
  // No display in tests, including the run that lists them.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
