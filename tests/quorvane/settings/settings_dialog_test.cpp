// The settings dialog answered by script in the workbench host: what OK
// writes back, what Cancel keeps, and the panel's flyout item that opens
// it, with the unit label and the settings file that follow.
#include "quorvane/settings/settings_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "quorvane/panel/panel_layout.h"
#include "quorvane/panel/panel_test_support.h"
#include "quorvane/settings/settings_file.h"
#include "quorvane/settings/settings_text.h"
#include "quorvane/text/file_io.h"
#include "support/decimal_comma_locale.h"
#include "workbench/ui/dialog_script.h"

namespace quorvane::settings {
namespace {

using workbench::ui::DialogAnswer;
using workbench::ui::DialogStep;
using Step = DialogStep::Kind;

DialogStep SelectStep(std::int32_t control, std::string text) { return {Step::kSelectText, control, std::move(text), -1}; }
DialogStep TypeStep(std::int32_t control, std::string text) { return {Step::kSetText, control, std::move(text), -1}; }
DialogStep ClickStep(std::int32_t control) { return {Step::kClick, control, "", -1}; }

class SettingsDialogTest : public panel::testing::PanelFixture {
 protected:
  SettingsDialogTest() { FillDefaultPlateColors(Globals().settings); }
  bool Run() { return RunSettingsDialog(Ctx().ui, Globals().self, Globals().settings); }
  const workbench::ui::ShownDialog& LastDialog() { return Ui().ShownDialogs().back(); }
};

TEST_F(SettingsDialogTest, OkTakesColoursWidthsUnitAndSwitches) {
  Settings& s = Globals().settings;
  Ui().AddDialogAnswer(DialogAnswer{kSettingsDialogEnglish,
                                    {SelectStep(kSeamLineColorList, "Magenta"), TypeStep(kSeamLineWidthField, " 0.3pt"),
                                     SelectStep(kFinishLineColorList, "Green"), TypeStep(kFinishLineWidthField, "-2"),
                                     SelectStep(kUnitList, "cm"), ClickStep(kFinishLineCheck), ClickStep(kScaledDrawingCheck),
                                     ClickStep(kSeamLineCheck), ClickStep(kSettingsOk)}});
  ASSERT_TRUE(Run());
  const workbench::ui::ShownDialog& shown = LastDialog();
  EXPECT_EQ(shown.title, "Quorvane Settings");
  EXPECT_EQ(s.seamAllowanceLineColor, 2);
  EXPECT_EQ(s.finishLineColor, 6);
  EXPECT_DOUBLE_EQ(s.seamAllowanceLineWidth, 0.3) << "the number before the unit text";
  EXPECT_DOUBLE_EQ(s.finishLineWidth, -2.0) << "taken as typed, without range checks";
  EXPECT_EQ(s.unit, kUnitCentimetre);
  EXPECT_DOUBLE_EQ(s.unitFactor, 28.346456692913385);
  EXPECT_EQ(s.finishLine, 1);
  EXPECT_EQ(s.scaledDrawing, 1);
  EXPECT_EQ(s.seamAllowanceLine, 0);
}

TEST_F(SettingsDialogTest, OpensWithTheCurrentValuesAndCancelKeepsThem) {
  Settings& s = Globals().settings;
  s.language = text::Language::kJapanese;
  s.finishLineWidth = 0.25;
  s.finishLineColor = 4;
  s.unit = kUnitInch;
  s.unitFactor = kPointsPerInch;
  Ui().AddDialogAnswer(DialogAnswer{
      kSettingsDialogJapanese, {SelectStep(kUnitList, "mm"), TypeStep(kSeamLineWidthField, "9"), ClickStep(kSettingsCancel)}});
  EXPECT_FALSE(Run());
  const workbench::ui::ShownDialog& shown = LastDialog();
  EXPECT_EQ(shown.title, "Quorvane 設定");
  EXPECT_EQ(shown.Text(kFinishLineWidthField), "0.25");
  EXPECT_EQ(shown.Text(kFinishLineColorList), "Red");
  EXPECT_EQ(s.unit, kUnitInch);
  EXPECT_EQ(s.seamAllowanceLineWidth, 0.5);
}

TEST_F(SettingsDialogTest, ADecimalCommaLocaleNeitherShowsNorSavesCommas) {
  quorvane::testing::DecimalCommaLocale locale;
  QUORVANE_REQUIRE_DECIMAL_COMMA(locale);
  Settings& s = Globals().settings;
  s.finishLineWidth = 7.5;
  Ui().AddDialogAnswer(DialogAnswer{kSettingsDialogEnglish, {ClickStep(kSettingsOk)}});
  ASSERT_TRUE(Run());
  EXPECT_EQ(LastDialog().Text(kSeamLineWidthField), "0.5");
  EXPECT_EQ(LastDialog().Text(kFinishLineWidthField), "7.5");
  EXPECT_DOUBLE_EQ(s.seamAllowanceLineWidth, 0.5) << "OK alone changes no width";
  EXPECT_DOUBLE_EQ(s.finishLineWidth, 7.5);
  std::string saved;
  ASSERT_FALSE(SettingsText(s, saved));
  EXPECT_NE(saved.find("finish_line_width = 7.5\r\n"), std::string::npos) << saved;
}

TEST_F(SettingsDialogTest, FlyoutItemChangesTheUnitLabelAndWritesTheFile) {
  CreatePanelIn(text::Language::kEnglish);
  EXPECT_EQ(Control(panel::kPointWidthLabel).text, "Point Width (mm)");
  Ui().AddDialogAnswer(DialogAnswer{kSettingsDialogEnglish, {SelectStep(kUnitList, "in"), ClickStep(kSettingsOk)}});
  const workbench::ui::ActionOutcome chosen = Ui().ChooseFlyoutItem(Globals().panel, 1);
  ASSERT_TRUE(chosen.delivered) << chosen.refusal;
  EXPECT_EQ(chosen.result, kQvNoErr);

  EXPECT_EQ(Control(panel::kPointWidthLabel).text, "Point Width (in)");
  EXPECT_DOUBLE_EQ(Globals().run.pointsPerUnit, 72.0) << "generation takes the new unit";
  const std::string written = text::ReadFileBytes(SettingsFile(bound_.Prefs()).Path()).value_or("");
  EXPECT_NE(written.find("trevask_unit = 2\r\n"), std::string::npos) << "written at once: " << written;

  // Cancel leaves both the label and the file.
  Ui().AddDialogAnswer(DialogAnswer{kSettingsDialogEnglish, {SelectStep(kUnitList, "cm"), ClickStep(kSettingsCancel)}});
  ASSERT_TRUE(Ui().ChooseFlyoutItem(Globals().panel, 1).delivered);
  EXPECT_EQ(Control(panel::kPointWidthLabel).text, "Point Width (in)");
}

}  // namespace
}  // namespace quorvane::settings
