// The Qt toolkit behind the UI suite, driven as a module drives it and as a
// user does, on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QByteArray>
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
    const QvControlSpec controlSpec{id, kind, frame, text, options};
    return s_->CreateControl(window, &controlSpec);
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

  // A panel's label is drawn two units higher than its frame, which stays
  // what the toolkit reports; a text wider than the frame widens the label
  // away from its aligned side.
  const int lift = static_cast<int>(2 * s);
  const QvControlFrame labelFrame{15, 475, 154, 14};
  ASSERT_EQ(Create(window, 40, kQvLabelControl, labelFrame, "Command set"), kQvNoErr);
  const QRect label = qt_->ControlWidget(window, 40)->geometry();
  const QvPixelRect labelPixels = *qt_->PixelRect(window, 40);
  EXPECT_EQ(label.top(), labelPixels.top - lift);
  EXPECT_EQ(label.top() + label.height(), labelPixels.bottom - lift);
  EXPECT_EQ(label.left(), labelPixels.left);
  EXPECT_EQ(labelPixels.top, static_cast<int>((500 - 489) * s));
  ASSERT_EQ(Create(window, 48, kQvLabelControl, {305, 325, 10, 14}, "Optimize"), kQvNoErr);
  ASSERT_EQ(Create(window, 42, kQvLabelControl, {45, 333, 10, 14}, "Seam-margin :", kQvAlignRight), kQvNoErr);
  for (const std::int32_t id : {48, 42}) {
    QWidget* wide = qt_->ControlWidget(window, id);
    const QvPixelRect frame = *qt_->PixelRect(window, id);
    EXPECT_GE(wide->width(), wide->sizeHint().width()) << "label " << id;
    EXPECT_GT(wide->width(), frame.right - frame.left) << "label " << id;
    if (id == 48) {
      EXPECT_EQ(wide->x(), frame.left);
    } else {
      EXPECT_EQ(wide->x() + wide->width(), frame.right);
    }
  }

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

TEST_F(QtToolkitTest, FlyoutItemsAndTimersNotifyThePanelWindow) {
  const QvWindowHandle window = MakePanel();
  ASSERT_EQ(s_->AddFlyoutItem(panel_, 1, "Show Option"), kQvNoErr);
  ASSERT_EQ(s_->AddFlyoutItem(panel_, 2, "-"), kQvNoErr);
  ASSERT_EQ(s_->AddFlyoutItem(panel_, 3, "Settings"), kQvNoErr);
  ASSERT_EQ(s_->CheckFlyoutItem(panel_, 1, 1), kQvNoErr);
  QMenu* menu = qt_->FlyoutMenu(panel_);
  ASSERT_EQ(menu->actions().size(), 3);
  EXPECT_TRUE(menu->actions()[1]->isSeparator());
  EXPECT_TRUE(recorder_.notices.empty());

  // Choosing an item leaves its check mark to the module.
  menu->actions()[0]->trigger();
  menu->actions()[2]->trigger();
  EXPECT_EQ(recorder_.notices, (std::vector<Notice>{{1, kQvFlyoutChosen}, {3, kQvFlyoutChosen}}));
  EXPECT_TRUE(menu->actions()[0]->isChecked());
  EXPECT_FALSE(menu->actions()[2]->isChecked());

  recorder_.notices.clear();
  ASSERT_EQ(s_->StartTimer(window, 1001, 5), kQvNoErr);
  EXPECT_TRUE(QTest::qWaitFor([&] { return recorder_.notices.size() >= 2; }, 5000));
  ASSERT_EQ(s_->StopTimer(window, 1001), kQvNoErr);
  EXPECT_EQ(recorder_.notices.front(), (Notice{1001, kQvTimerFired}));
  EXPECT_FALSE(qt_->TimerPeriod(window, 1001).has_value());
}

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

// ---- Colours ---------------------------------------------------------------------------

/// The pixel of `area` farthest from `ground` in any channel: the ink of a
/// text drawn on that ground.
QRgb Ink(const QImage& image, const QRect& area, QvRgb ground) {
  QRgb ink = ground;
  int farthest = -1;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      const int d = std::max({std::abs(qRed(p) - static_cast<int>((ground >> 16) & 0xFF)),
                              std::abs(qGreen(p) - static_cast<int>((ground >> 8) & 0xFF)),
                              std::abs(qBlue(p) - static_cast<int>(ground & 0xFF))});
      if (d > farthest) {
        farthest = d;
        ink = p & 0xFFFFFF;
      }
    }
  }
  return ink;
}

/// Whether two colours differ by at most `tolerance` in every channel.
bool Near(QRgb a, QvRgb b, int tolerance) {
  return std::abs(qRed(a) - static_cast<int>((b >> 16) & 0xFF)) <= tolerance &&
         std::abs(qGreen(a) - static_cast<int>((b >> 8) & 0xFF)) <= tolerance &&
         std::abs(qBlue(a) - static_cast<int>(b & 0xFF)) <= tolerance;
}

TEST_F(QtToolkitTest, PanelColoursFollowTheInterfaceTheme) {
  const QvWindowHandle window = MakePanel();
  ASSERT_EQ(Create(window, 40, kQvLabelControl, {15, 475, 154, 14}, "HHHH"), kQvNoErr);
  // The panel's separator has no id; one here lets the test find it.
  ASSERT_EQ(Create(window, 90, kQvSeparatorControl, {10, 265, 380, 1}), kQvNoErr);
  ASSERT_EQ(Create(window, 6, kQvEditControl, {150, 331, 80, 18}, "8888"), kQvNoErr);
  ASSERT_EQ(Create(window, 35, kQvCheckBoxControl, {305, 380, 80, 16}, "HHHH"), kQvNoErr);
  QWidget* panel = qt_->PanelWidget(panel_);

  struct Expected {
    bool dark;
    QvRgb ground, text, editGround, separator;
  };
  // The same panel in both themes, the dark one after the light one.
  for (const Expected& e : {Expected{false, 0xF0F0F0, 0x333333, 0xE5E5E5, 0x999999},
                            Expected{true, 0x535353, 0xCCCCCC, 0xCCCCCC, 0x666666}}) {
    SCOPED_TRACE(e.dark ? "dark" : "light");
    qt_->SetInterfaceDark(e.dark);
    const QImage image = panel->grab().toImage();
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, e.ground);

    // The separator: one line through its middle, ground around it.
    const QRect line = qt_->ControlWidget(window, 90)->geometry();
    const int middle = line.top() + line.height() / 2;
    EXPECT_EQ(image.pixel(200, middle) & 0xFFFFFF, e.separator);
    EXPECT_EQ(image.pixel(200, middle - 2) & 0xFFFFFF, e.ground);
    EXPECT_EQ(image.pixel(200, middle + 2) & 0xFFFFFF, e.ground);

    const QRect label = qt_->ControlWidget(window, 40)->geometry();
    // Anti-aliasing may leave no pixel wholly inked.
    const QRgb labelInk = Ink(image, label, e.ground);
    EXPECT_TRUE(Near(labelInk, e.text, 16)) << std::hex << labelInk;
    // Past the indicator: the caption.
    const QRect check = qt_->ControlWidget(window, 35)->geometry().adjusted(24, 0, 0, 0);
    const QRgb checkInk = Ink(image, check, e.ground);
    EXPECT_TRUE(Near(checkInk, e.text, 16)) << std::hex << checkInk;

    // Black text on the edit ground, inside the field's border.
    const QRect field = qt_->ControlWidget(window, 6)->geometry().adjusted(3, 3, -3, -3);
    EXPECT_EQ(image.pixel(field.right() - 2, field.center().y()) & 0xFFFFFF, e.editGround);
    const QRgb fieldInk = Ink(image, field, e.editGround);
    EXPECT_TRUE(Near(fieldInk, 0x000000, 24)) << std::hex << fieldInk;
  }
}

// ---- Owner drawing -------------------------------------------------------------------

constexpr QvRgb kSelectedFill = 0xCC2200;
constexpr QvRgb kRowFill = 0x0033CC;
constexpr QvRgb kButtonFill = 0x22AA44;
constexpr QvRgb kButtonFrame = 0x000000;
constexpr QvRgb kFaceFill = 0x7722EE;

TEST_F(QtToolkitTest, OwnerDrawnRowsAndButtonsPaintThroughTheModule) {
  qt_->SetScale(2.0);
  const QvWindowHandle window = MakePanel();
  ASSERT_EQ(Create(window, 1, kQvListControl, {15, 360, 275, 110}, nullptr, kQvOwnerDrawn), kQvNoErr);
  ASSERT_EQ(Create(window, 10, kQvPushButtonControl, {305, 465, 80, 20}, "New", kQvOwnerDrawn), kQvNoErr);
  for (const char* item : {"A", "B", "C"}) ASSERT_EQ(s_->InsertItem(window, 1, -1, item), kQvNoErr);
  ASSERT_EQ(s_->SetSelection(window, 1, 1), kQvNoErr);
  ASSERT_EQ(Create(window, 6, kQvEditControl, {150, 331, 80, 18}), kQvNoErr);
  ASSERT_EQ(s_->EnableControl(window, 6, 0), kQvNoErr);
  // A picture button is always drawn by the module; its text is kept.
  ASSERT_EQ(Create(window, 20, kQvPictureButtonControl, {67, 200, 26, 26}, "5"), kQvNoErr);
  ASSERT_EQ(Create(window, 37, kQvDropDownListControl, {305, 300, 80, 20}, nullptr, kQvOwnerDrawn), kQvNoErr);
  QByteArray icon;
  {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(QColor(0x11, 0xBB, 0x99));
    QBuffer buffer(&icon);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(picture.save(&buffer, "PNG"));
  }

  std::vector<QvDrawItem> drawn;
  recorder_.handler = [&](QvWindowHandle, std::int32_t, std::int32_t notification, void* data) -> QvErr {
    if (notification != kQvDrawItem) return kQvNoErr;
    const auto* item = static_cast<const QvDrawItem*>(data);
    drawn.push_back(*item);
    const QvDrawContext& dc = *item->draw;
    if (item->control == 37) return dc.FillRect(dc.context, item->rect, item->item == -1 ? kFaceFill : kRowFill);
    if (item->control == 20) {
      return dc.Image(dc.context, item->rect, icon.constData(), static_cast<std::int32_t>(icon.size()));
    }
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

  const QvPixelRect picture = *qt_->PixelRect(window, 20);
  EXPECT_EQ(image.pixel((picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2) & 0xFFFFFF,
            0x11BB99u);
  // A drop-down list's closed face is item -1.
  const QvPixelRect face = *qt_->PixelRect(window, 37);
  EXPECT_EQ(image.pixel(face.left + 2, face.bottom - 2) & 0xFFFFFF, kFaceFill);
  char text[4] = {};
  ASSERT_EQ(s_->GetControlText(window, 20, text, sizeof text, nullptr), kQvNoErr);
  EXPECT_STREQ(text, "5");

  // The host paints a disabled field grey.
  const QvPixelRect field = *qt_->PixelRect(window, 6);
  EXPECT_EQ(image.pixel((field.left + field.right) / 2, (field.top + field.bottom) / 2) & 0xFFFFFF, 0xC0C0C0u);
}

// ---- Modal dialogs -------------------------------------------------------------------

/// Clicks control `id` of the modal dialog once it runs.
void ClickInModalDialog(int id, int tries = 200) {
  QTimer::singleShot(10, [=] {
    QWidget* dialog = QApplication::activeModalWidget();
    auto* button = dialog != nullptr ? dialog->findChild<QPushButton*>(QStringLiteral("control-%1").arg(id)) : nullptr;
    if (button != nullptr) {
      QTest::mouseClick(button, Qt::LeftButton);
    } else if (tries > 0) {
      ClickInModalDialog(id, tries - 1);
    }
  });
}

TEST_F(QtToolkitTest, ModalDialogEndsWithTheModulesResult) {
  const QvControlSpec controls[] = {
      {3, kQvEditControl, {10, 40, 100, 18}, "", 0},
      {1, kQvPushButtonControl, {10, 10, 60, 20}, "OK", 0},
      {2, kQvPushButtonControl, {80, 10, 60, 20}, "Cancel", 0},
  };
  const QvDialogTemplate dialog{16400, "Margin", 160, 70, controls, 3};
  std::string readOnOk;
  recorder_.handler = [&](QvWindowHandle window, std::int32_t control, std::int32_t notification, void*) -> QvErr {
    if (notification == kQvDialogInit) return s_->SetControlText(window, 3, "12.5");
    if (notification == kQvClicked && control == 1) {
      char text[32] = {};
      s_->GetControlText(window, 3, text, sizeof text, nullptr);
      readOnOk = text;
      return s_->EndDialog(window, 7);
    }
    if (notification == kQvClicked && control == 2) return s_->EndDialog(window, 0);
    return kQvNoErr;
  };

  std::int32_t result = -1;
  ClickInModalDialog(1);
  ASSERT_EQ(s_->RunModalDialog(self_, &dialog, Recorder::Proc, &recorder_, &result), kQvNoErr);
  EXPECT_EQ(result, 7);
  EXPECT_EQ(readOnOk, "12.5");
  EXPECT_EQ(recorder_.notices, (std::vector<Notice>{{0, kQvDialogInit}, {1, kQvClicked}}));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  // Escape is the module's Cancel.
  recorder_.notices.clear();
  QTimer::singleShot(10, [] {
    if (QWidget* d = QApplication::activeModalWidget()) QTest::keyClick(d, Qt::Key_Escape);
  });
  ASSERT_EQ(s_->RunModalDialog(self_, &dialog, Recorder::Proc, &recorder_, &result), kQvNoErr);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(recorder_.notices, (std::vector<Notice>{{0, kQvDialogInit}, {2, kQvClicked}}));
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
