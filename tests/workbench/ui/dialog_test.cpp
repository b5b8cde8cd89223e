// Modal dialogs through the UI suite, answered from scripts: a dialog nobody
// answered, or answered with a step that cannot be played, fails instead of
// hanging. (A procedure refusing a field and closing on OK is the module's
// dialog tests'.)
#include <cstdlib>

#include "ui_test_support.h"

namespace workbench::ui::testing {
namespace {

// A margin dialog as the module makes one: field 5 with OK and Cancel; OK
// closes only on a positive number, otherwise it beeps and refocuses.
struct MarginDialog {
  explicit MarginDialog(const QvUiSuite* suite) : s(suite) {}
  const QvUiSuite* s = nullptr;
  double margin = 10.0;

  static QvErr Proc(QvWindowHandle window, std::int32_t control, std::int32_t notification, void* data) {
    auto* self = static_cast<MarginDialog*>(data);
    const QvUiSuite* s = self->s;
    if (notification == kQvDialogInit) return s->SetControlText(window, 5, std::to_string(self->margin).c_str());
    if (notification != kQvClicked) return kQvNoErr;
    if (control == 2) return s->EndDialog(window, 2);
    char text[80] = {};
    s->GetControlText(window, 5, text, sizeof text, nullptr);
    const double value = std::strtod(text, nullptr);
    if (value <= 0.0) {
      s->FocusControl(window, 5);
      return s->Beep();
    }
    self->margin = value;
    return s->EndDialog(window, 1);
  }

  std::vector<QvControlDescription> controls{
      {0, kQvLabelControl, {10, 60, 80, 14}, "Seam-margin:", 0},
      {5, kQvEditControl, {90, 60, 60, 18}, "", 0},
      {0, kQvLabelControl, {155, 60, 20, 14}, "mm", 0},
      {1, kQvPushButtonControl, {60, 10, 60, 20}, "OK", 0},
      {2, kQvPushButtonControl, {130, 10, 60, 20}, "Cancel", 0}};
  QvDialogTemplate Template() const {
    return QvDialogTemplate{16257, "Create basic finish line", 200, 90, controls.data(),
                            static_cast<std::int32_t>(controls.size())};
  }
};

class DialogTest : public UiHostTest {
 protected:
  QvErr Run(const MarginDialog& dialog, std::int32_t* result) {
    const QvDialogTemplate t = dialog.Template();
    return s_->RunModalDialog(self_, &t, &MarginDialog::Proc, const_cast<MarginDialog*>(&dialog), result);
  }
  void Answer(const char* text) {
    std::string error;
    auto answer = ParseDialogAnswer(text, &error);
    ASSERT_TRUE(answer) << error;
    Ui().AddDialogAnswer(*answer);
  }
};

TEST_F(DialogTest, ScriptThatRunsOutOrCannotBePlayedLeavesTheDialogUnansweredWithItsTexts) {
  MarginDialog dialog{s_};
  Answer("16257:text 5=0;ok");
  std::int32_t result = -7;
  EXPECT_EQ(Run(dialog, &result), kQvErrNoAnswer);
  EXPECT_EQ(result, -7);
  EXPECT_DOUBLE_EQ(dialog.margin, 10.0);
  const std::string failure = Ui().LastFailure();
  EXPECT_NE(failure.find("\"Create basic finish line\""), std::string::npos) << failure;
  EXPECT_NE(failure.find("16257"), std::string::npos) << failure;
  EXPECT_NE(failure.find("5 \"0\""), std::string::npos) << failure;
  ASSERT_EQ(Ui().ShownDialogs().size(), 1U);
  EXPECT_FALSE(Ui().ShownDialogs()[0].result);
  EXPECT_EQ(Ui().ShownDialogs()[0].failure, failure);

  // A step that cannot be played fails the dialog, naming the step.
  Answer("16257:click 9");
  EXPECT_EQ(Run(dialog, &result), kQvErrNoAnswer);
  EXPECT_NE(Ui().LastFailure().find("step 1 (click 9)"), std::string::npos) << Ui().LastFailure();
}

TEST_F(DialogTest, UnscriptedDialogFailsAndAnAnswerForAnotherDialogWaits) {
  MarginDialog dialog{s_};
  Answer("16259:ok");
  std::int32_t result = 0;
  EXPECT_EQ(Run(dialog, &result), kQvErrNoAnswer);
  EXPECT_NE(Ui().LastFailure().find("nobody answered dialog \"Create basic finish line\" (resource 16257)"),
            std::string::npos)
      << Ui().LastFailure();
  EXPECT_EQ(Ui().PendingDialogAnswers(), 1U);

  // An answer for any dialog is taken by this one; Cancel is the module's
  // to honour.
  Answer("*:cancel");
  ASSERT_EQ(Run(dialog, &result), kQvNoErr) << Ui().LastFailure();
  EXPECT_EQ(result, 2);
  EXPECT_EQ(Ui().PendingDialogAnswers(), 1U);
}

// A list dialog: the procedure fills list 5 at init and reads its choice on OK.
struct ChoiceDialog {
  const QvUiSuite* s = nullptr;
  std::vector<const char*> names;
  std::int32_t chosen = -2;
  static QvErr Proc(QvWindowHandle window, std::int32_t control, std::int32_t notification, void* data) {
    auto* self = static_cast<ChoiceDialog*>(data);
    if (notification == kQvDialogInit) {
      for (const char* name : self->names) self->s->InsertItem(window, 5, -1, name);
      return self->s->SetSelection(window, 5, 0);
    }
    if (notification == kQvClicked && control == 1) {
      self->s->GetSelection(window, 5, &self->chosen);
      return self->s->EndDialog(window, 1);
    }
    return kQvNoErr;
  }
};

TEST_F(DialogTest, ItemIsChosenByItsExactTextOrRow) {
  const QvControlDescription controls[] = {{5, kQvDropDownListControl, {10, 40, 150, 20}, nullptr, 0},
                                    {1, kQvPushButtonControl, {10, 10, 60, 20}, "OK", 0}};
  const QvDialogTemplate t{16259, "Batch Application", 200, 70, controls, 2};
  ChoiceDialog dialog{s_, {"basic", "ジャケット", "skirt"}};
  std::int32_t result = 0;

  Answer("16259:select 5=ジャケット;ok");
  ASSERT_EQ(s_->RunModalDialog(self_, &t, &ChoiceDialog::Proc, &dialog, &result), kQvNoErr) << Ui().LastFailure();
  EXPECT_EQ(dialog.chosen, 1);
  EXPECT_EQ(Ui().ShownDialogs().back().Text(5), "ジャケット");

  Answer("16259:select 5#2;ok");
  ASSERT_EQ(s_->RunModalDialog(self_, &t, &ChoiceDialog::Proc, &dialog, &result), kQvNoErr) << Ui().LastFailure();
  EXPECT_EQ(dialog.chosen, 2);

  Answer("16259:select 5=jacket;ok");
  EXPECT_EQ(s_->RunModalDialog(self_, &t, &ChoiceDialog::Proc, &dialog, &result), kQvErrNoAnswer);
  EXPECT_NE(Ui().LastFailure().find("no item \"jacket\""), std::string::npos) << Ui().LastFailure();
}

}  // namespace
}  // namespace workbench::ui::testing
