// The UI suite as a module calls it, over the host's headless toolkit, and
// the user's actions simulated on it. (What the module's panel tests use of
// it every day is left to them.) (Owner drawing and timers in the
// headless toolkit are the module's panel drawing and hover tip tests'.)
#include "ui_test_support.h"

namespace workbench::ui::testing {
namespace {

using UiSuite = UiHostTest;

class UiWindow : public UiHostTest {
 protected:
  void SetUp() override {
    UiHostTest::SetUp();
    ASSERT_EQ(s_->NewPanel(self_, "Quorvane_INFO_PANEL", "Quorvane", 400, 500, &panel_), kQvNoErr);
    ASSERT_EQ(s_->GetPanelWindow(panel_, &window_), kQvNoErr);
    ASSERT_EQ(s_->SetNotifyProc(window_, &Recorder::Proc, &recorder_), kQvNoErr);
  }
  QvPanelHandle panel_ = nullptr;
  QvWindowHandle window_ = nullptr;
  Recorder recorder_;
};

TEST_F(UiSuite, PanelStartsHiddenAndKeepsItsShowStateAndSize) {
  QvPanelHandle panel = nullptr;
  ASSERT_EQ(s_->NewPanel(self_, "Quorvane_INFO_PANEL", "Quorvane", 400, 500, &panel), kQvNoErr);
  QvPanelHandle again = nullptr;
  EXPECT_EQ(s_->NewPanel(self_, "Quorvane_INFO_PANEL", "Other", 10, 10, &again), kQvErrBadParameter);

  QvBool shown = 1;
  ASSERT_EQ(s_->IsPanelShown(panel, &shown), kQvNoErr);
  EXPECT_EQ(shown, 0);
  ASSERT_EQ(s_->ShowPanel(panel, 1), kQvNoErr);
  ASSERT_EQ(s_->IsPanelShown(panel, &shown), kQvNoErr);
  EXPECT_NE(shown, 0);

  ASSERT_EQ(s_->SetPanelSize(panel, 400, 234), kQvNoErr);
  EXPECT_EQ(s_->SetPanelSize(panel, 400, 0), kQvErrBadParameter);
  std::int32_t width = 0;
  std::int32_t height = 0;
  ASSERT_EQ(s_->GetPanelSize(panel, &width, &height), kQvNoErr);
  EXPECT_EQ(width, 400);
  EXPECT_EQ(height, 234);

  auto info = Ui().FindPanel("Quorvane_INFO_PANEL");
  ASSERT_TRUE(info);
  EXPECT_EQ(info->title, "Quorvane");

  ASSERT_EQ(s_->DeletePanel(panel), kQvNoErr);
  EXPECT_FALSE(Ui().FindPanel("Quorvane_INFO_PANEL"));
  EXPECT_EQ(Create(info->window, 1, kQvListControl), kQvErrBadParameter);
}

TEST_F(UiWindow, ControlsAreMadeByUniqueIdAndKeepJapaneseTexts) {
  ASSERT_EQ(Create(window_, 40, kQvLabelControl, "コマンドセット"), kQvNoErr);
  EXPECT_EQ(Create(window_, 40, kQvEditControl), kQvErrBadParameter);
  EXPECT_EQ(Create(window_, 41, 42), kQvErrBadParameter);
  // Id 0 is for controls nobody addresses, any number of them.
  EXPECT_EQ(Create(window_, 0, kQvSeparatorControl), kQvNoErr);
  EXPECT_EQ(Create(window_, 0, kQvLabelControl, "Optimize"), kQvNoErr);
  EXPECT_EQ(Ui().Controls(window_).size(), 3U);

  EXPECT_EQ(Text(window_, 40), "コマンドセット");
  std::int32_t length = 0;
  char cut[4];
  ASSERT_EQ(s_->GetControlText(window_, 40, cut, sizeof cut, &length), kQvNoErr);
  EXPECT_EQ(length, 21);  // seven characters of three bytes
  EXPECT_EQ(std::string(cut), "コ");

  ASSERT_EQ(s_->SetControlText(window_, 40, "基本縫代："), kQvNoErr);
  EXPECT_EQ(Ui().FindControl(window_, 40)->text, "基本縫代：");
  EXPECT_EQ(s_->SetControlText(window_, 99, "x"), kQvErrBadParameter);
}

TEST_F(UiWindow, ItemsKeepTheirSelectionWithinBounds) {
  ASSERT_EQ(Create(window_, 1, kQvListControl), kQvNoErr);
  ASSERT_EQ(Create(window_, 37, kQvDropDownListControl), kQvNoErr);
  ASSERT_EQ(Create(window_, 10, kQvPushButtonControl, "New"), kQvNoErr);
  for (const char* name : {"basic", "jacket", "skirt"}) ASSERT_EQ(s_->InsertItem(window_, 1, -1, name), kQvNoErr);
  EXPECT_EQ(s_->InsertItem(window_, 1, 5, "far"), kQvErrBadParameter);
  EXPECT_EQ(s_->InsertItem(window_, 10, -1, "no items on a button"), kQvErrBadParameter);

  EXPECT_EQ(SelectionOf(s_, window_, 1), -1);
  ASSERT_EQ(s_->SetSelection(window_, 1, 1), kQvNoErr);
  EXPECT_EQ(s_->SetSelection(window_, 1, 3), kQvErrBadParameter);
  EXPECT_EQ(s_->SetSelection(window_, 1, -2), kQvErrBadParameter);

  // The selection follows its item when rows come and go before it.
  ASSERT_EQ(s_->InsertItem(window_, 1, 0, "<art set>"), kQvNoErr);
  EXPECT_EQ(SelectionOf(s_, window_, 1), 2);
  ASSERT_EQ(s_->DeleteItem(window_, 1, 0), kQvNoErr);
  EXPECT_EQ(SelectionOf(s_, window_, 1), 1);
  ASSERT_EQ(s_->DeleteItem(window_, 1, 1), kQvNoErr);
  EXPECT_EQ(SelectionOf(s_, window_, 1), -1);
  char buffer[32];
  EXPECT_EQ(s_->GetItemText(window_, 1, 2, buffer, sizeof buffer, nullptr), kQvErrBadParameter);

  // A drop-down list shows its selected item.
  for (const char* item : {"N", "1", "2"}) ASSERT_EQ(s_->InsertItem(window_, 37, -1, item), kQvNoErr);
  ASSERT_EQ(s_->SetSelection(window_, 37, 2), kQvNoErr);
  EXPECT_EQ(Text(window_, 37), "2");
  ASSERT_EQ(s_->ClearItems(window_, 37), kQvNoErr);
  EXPECT_EQ(Text(window_, 37), "");
  EXPECT_EQ(SelectionOf(s_, window_, 37), -1);
}

TEST_F(UiWindow, OnlyTheUsersActionsNotifyWithTheirControlAndKind) {
  ASSERT_EQ(Create(window_, 1, kQvListControl), kQvNoErr);
  ASSERT_EQ(Create(window_, 6, kQvEditControl), kQvNoErr);
  ASSERT_EQ(Create(window_, 7, kQvEditableDropDownControl, "0"), kQvNoErr);
  ASSERT_EQ(Create(window_, 13, kQvPushButtonControl, "Apply"), kQvNoErr);
  ASSERT_EQ(Create(window_, 35, kQvCheckBoxControl, "Preview"), kQvNoErr);
  for (const char* name : {"basic", "jacket"}) ASSERT_EQ(s_->InsertItem(window_, 1, -1, name), kQvNoErr);
  for (const char* width : {"0.5", "1"}) ASSERT_EQ(s_->InsertItem(window_, 7, -1, width), kQvNoErr);

  ASSERT_EQ(s_->SetControlText(window_, 6, "10"), kQvNoErr);
  ASSERT_EQ(s_->SetSelection(window_, 1, 0), kQvNoErr);
  ASSERT_EQ(s_->SetChecked(window_, 35, 1), kQvNoErr);
  EXPECT_EQ(s_->SetChecked(window_, 13, 1), kQvErrBadParameter);
  EXPECT_TRUE(recorder_.notices.empty());

  // The procedure sees the new state already set when it is called.
  std::vector<std::string> seen;
  recorder_.onNotice = [&](const Notice& n) {
    QvBool checked = 0;
    if (n.control == 35) s_->IsChecked(n.window, 35, &checked);
    seen.push_back(n.notification == kQvSelectionChanged ? std::to_string(SelectionOf(s_, n.window, n.control))
                   : n.control == 35                    ? std::to_string(checked)
                                                        : Text(n.window, n.control));
    return kQvNoErr;
  };
  EXPECT_TRUE(Ui().SelectRow(window_, 1, 1));
  EXPECT_TRUE(Ui().TypeText(window_, 6, "12.5"));
  EXPECT_TRUE(Ui().SelectRow(window_, 7, 0));
  EXPECT_TRUE(Ui().TypeText(window_, 7, "2.25"));
  EXPECT_TRUE(Ui().Click(window_, 35));
  EXPECT_TRUE(Ui().Click(window_, 13));
  EXPECT_EQ(recorder_.notices, (std::vector<Notice>{{window_, 1, kQvSelectionChanged},
                                                    {window_, 6, kQvTextChanged},
                                                    {window_, 7, kQvSelectionChanged},
                                                    {window_, 7, kQvTextChanged},
                                                    {window_, 35, kQvClicked},
                                                    {window_, 13, kQvClicked}}));
  EXPECT_EQ(seen, (std::vector<std::string>{"1", "12.5", "0", "2.25", "0", "Apply"}));
  EXPECT_EQ(Text(window_, 7), "2.25");
}

TEST_F(UiWindow, RefusedActionsChangeNothingAndSayWhy) {
  ASSERT_EQ(Create(window_, 1, kQvListControl), kQvNoErr);
  ASSERT_EQ(Create(window_, 13, kQvPushButtonControl, "Apply"), kQvNoErr);
  ASSERT_EQ(Create(window_, 35, kQvCheckBoxControl, "Preview"), kQvNoErr);
  ASSERT_EQ(Create(window_, 40, kQvLabelControl, "Command set"), kQvNoErr);
  ASSERT_EQ(s_->InsertItem(window_, 1, -1, "basic"), kQvNoErr);
  ASSERT_EQ(s_->EnableControl(window_, 13, 0), kQvNoErr);
  ASSERT_EQ(s_->EnableControl(window_, 35, 0), kQvNoErr);

  const ActionOutcome disabled = Ui().Click(window_, 13);
  EXPECT_FALSE(disabled);
  EXPECT_NE(disabled.refusal.find("disabled"), std::string::npos) << disabled.refusal;
  EXPECT_FALSE(Ui().Click(window_, 35));
  EXPECT_FALSE(Ui().FindControl(window_, 35)->checked);
  EXPECT_FALSE(Ui().Click(window_, 40));
  EXPECT_FALSE(Ui().Click(window_, 77));
  EXPECT_FALSE(Ui().SelectRow(window_, 1, 1));
  EXPECT_EQ(Ui().FindControl(window_, 1)->selection, -1);
  EXPECT_FALSE(Ui().TypeText(window_, 1, "typed"));
  EXPECT_TRUE(recorder_.notices.empty());
  // (A window without a notify procedure is the module's panel tests'.)
}

}  // namespace
}  // namespace workbench::ui::testing
