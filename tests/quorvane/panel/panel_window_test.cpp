// The panel's window: creation with its flyout menu and controls in both
// languages, the routing of the user's actions into commands, and the
// texts it shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <tuple>

#include "panel_test_support.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/host/command_dispatch.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_drawing.h"
#include "quorvane/panel/panel_layout.h"
#include "quorvane/panel/panel_texts.h"
#include "quorvane/panel/panel_window.h"
#include "quorvane/text/cp932.h"
#include "quorvane/text/messages.h"
#include "support/decimal_comma_locale.h"

namespace quorvane::panel::testing {
namespace {

using commands::CommandType;
using PanelWindow = PanelFixture;

TEST_F(PanelWindow, CreationMakesTheDisabledPanelWithItsFlyoutAndEveryControl) {
  // A work layer left from an earlier session goes.
  ASSERT_TRUE(Doc().InsertLayer({}).has_value());
  Doc().SetLayerTitle(*Doc().CurrentLayer(), generation::kWorkLayer1Title);
  Globals().settings.showOption = 0;
  CreatePanelIn(text::Language::kEnglish);

  const auto panel = Ui().FindPanel(kPanelId);
  ASSERT_TRUE(panel);
  EXPECT_EQ(panel->height, 234) << "the option area hidden";
  ASSERT_EQ(panel->flyout.size(), 6u);
  EXPECT_FALSE(panel->flyout[2].checked);
  EXPECT_EQ(panel->flyout[5].item, 9);

  // Nothing selected and no set: the panel starts disabled, type button 21
  // pressed, busy cleared and no work layer left.
  EXPECT_EQ(State().enabled, 0);
  EXPECT_FALSE(Enabled(kSetList));
  EXPECT_FALSE(Enabled(kAddButton));
  EXPECT_EQ(PressedTypeButton(Globals()), 21);
  EXPECT_EQ(Globals().panelBusy, 0);
  EXPECT_FALSE(Doc().FindLayer(generation::kWorkLayer1Title).value_or(host::LayerRef{}));
}

// Rows the list-file reader leaves out (command types and point counts
// outside their ranges) are told once when the panel opens, each with its
// file and line; the rest of the file still loads.
TEST_F(PanelWindow, ListFileRowsLeftOutAreToldWithTheirLines) {
  std::ofstream(ListFilePath(), std::ios::binary) << "#Kept\r\n10.000000\r\n*Commands-type,point,haba,num\r\n"
                                                     "8,2,,5.000000,1\r\n"     // line 4: kept
                                                     "11,1,,5.000000,1\r\n"    // 5: type above 10
                                                     "-1,1,,5.000000,1\r\n"    // 6: type below 0
                                                     "8,2,,5.000000,3\r\n"     // 7: three point slots
                                                     "8,2,,5.000000,-1\r\n"    // 8: a negative count
                                                     "10,3,a,5.000000,2\r\n";  // 9: kept
  std::vector<std::string> told;
  Prompts().SetDisplay([&](workbench::plugin::PromptKind, const std::string& text) -> std::optional<bool> {
    told.push_back(text);
    return true;
  });
  CreatePanelIn(text::Language::kEnglish);
  ASSERT_EQ(told.size(), 1u);
  const std::string& text = told[0];
  for (int line = 4; line <= 9; ++line) {
    const bool told = line != 4 && line != 9;
    EXPECT_EQ(text.find(ListFilePath() + ":" + std::to_string(line) + ": ") != std::string::npos, told) << text;
  }
  EXPECT_EQ(Rows(kSetList), (std::vector<std::string>{"Kept"}));
  ASSERT_EQ(Globals().commandSets.GetSetCount(), 1);
  const commands::CCommandSet& kept = *Globals().commandSets.GetSet(0);
  ASSERT_EQ(kept.GetCommandCount(), 2);
  EXPECT_EQ(kept.GetCommandType(0), commands::CommandType::kCutOff);
  EXPECT_EQ(kept.GetCommandType(1), commands::CommandType::kFortyFiveForward);
}

TEST_F(PanelWindow, TextsFollowTheLanguageAndTheUnitLabelIsEnglishUnlessJapanese) {
  Globals().settings.unit = settings::kUnitCentimetre;
  CreatePanelIn(text::Language::kJapanese);
  EXPECT_EQ(Control(kPointWidthLabel).text, "ポイント 幅 (cm)");
  EXPECT_EQ(Control(kOptimizeList).items, (std::vector<std::string>{"なし", "１", "２"}));
  EXPECT_EQ(Ui().FindPanel(kPanelId)->flyout[5].text, "一括適用...");
  // Korean: the Japanese texts, the unit label in English.
  DestroyPanel(Globals(), Ctx().ui);
  Globals().settings.unit = settings::kUnitInch;
  CreatePanelIn(text::Language::kKorean);
  EXPECT_EQ(Control(kPointWidthLabel).text, "Point Width (in)");
  EXPECT_EQ(Control(kAddButton).text, "コマンド追加");
}

TEST_F(PanelWindow, FlyoutTogglesTheOptionAreaAndRunsTheDocumentCommands) {
  CreatePanelIn(text::Language::kEnglish);
  const QvPanelHandle panel = Globals().panel;
  for (const auto& [height, checked] : {std::pair{234, false}, {500, true}}) {
    ASSERT_TRUE(Ui().ChooseFlyoutItem(panel, kShowOptionFlyoutItem).delivered);
    EXPECT_EQ(Ui().Panel(panel)->height, height);
    EXPECT_EQ(Ui().Panel(panel)->flyout[2].checked, checked);
  }
  // Each command runs and, with nothing selected, says what it needs; items
  // 6 and 7 are not in the menu but chosen all the same run theirs.
  for (const auto& [item, command, alert] :
       {std::tuple{kCreateFinishLineFlyoutItem, host::kCreateBasicFinishLineCommand, "Please select a closed path."},
        {kBatchApplyFlyoutItem, host::kBatchApplyCommand, "Please select one or more closed path."},
        {kMakePatternFlyoutItem, host::kMakePatternCommand, "Please select objects."},
        {kTraceRasterFlyoutItem, host::kTraceRasterCommand, "Please select a raster art."}}) {
    ExpectAlert(alert);
    EXPECT_EQ(PanelNotifyProc(State().window, item, kQvFlyoutChosen, &Globals()), kQvNoErr);
    EXPECT_EQ(Globals().pendingCommand, command);
  }
}

TEST_F(PanelWindow, TypeButtonsPressOneFlagInvalidateOnChangeAndPlayEachClick) {
  Globals().commandSets.AddSet("A");
  StartWithSquare();
  const auto& plays = bound_.Host().Actions().PlayLog();
  const std::size_t before = plays.size();
  const int oldInvalidations = Control(21).invalidations;
  Click(kFirstTypeButton + 5);
  EXPECT_EQ(plays.size(), before + 1);
  EXPECT_EQ(PressedTypeButton(Globals()), 20);
  EXPECT_EQ(std::count(std::begin(Globals().commandTypeButtons), std::end(Globals().commandTypeButtons), 1), 1);
  EXPECT_EQ(Control(21).invalidations, oldInvalidations + 1);
  const int sameInvalidations = Control(20).invalidations;
  Click(kFirstTypeButton + 5);
  EXPECT_EQ(plays.size(), before + 2);
  EXPECT_EQ(Control(20).invalidations, sameInvalidations);
  EXPECT_EQ(Globals().commandTypeButtons[5], 1);
}

TEST_F(PanelWindow, BusyPanelAndUncountedNotificationsPlayNothing) {
  Globals().commandSets.AddSet("A");
  StartWithSquare();
  const auto& plays = bound_.Host().Actions().PlayLog();
  const std::size_t before = plays.size();
  Type(kBasicWidthField, "12");  // fields 6 to 9 only hold values
  Type(kStartPointField, "2");
  EXPECT_EQ(plays.size(), before);
  Type(kAdjustField, "2");  // the adjust field regenerates the preview
  EXPECT_EQ(plays.size(), before + 1);
  Globals().panelBusy = 1;
  Click(kNewSetButton);
  EXPECT_EQ(plays.size(), before + 1);
  EXPECT_EQ(Globals().commandSets.GetSetCount(), 1);
}

// The texts: proposed names, the fixed-width rows of the command list in
// both languages and the values read from fields.
TEST(PanelTexts, ProposedNamesAndTheDiscardQuestionNameTheSet) {
  EXPECT_EQ(ProposedSetName(12, text::Language::kJapanese), "コマンドセット12");
  EXPECT_EQ(text::TextWith(text::Message::kDiscardQuestion, text::Language::kJapanese, "前身頃"),
            "前身頃は変更されています。変更を破棄してもよろしいですか？");
}

// In the list file's code page the Japanese rows keep the English rows'
// columns: the points start at byte 22 and the width at byte 29.
TEST(PanelTexts, JapaneseRowsKeepTheColumnsInCodePage932) {
  commands::CCommandSet set("S");
  for (CommandType type : {CommandType::kFortyFiveForward, CommandType::kExtendedCrossing, CommandType::kOpening}) {
    const int i = set.AddCommand(type) - 1;
    set.SetCommandPoint(i, 0, "12");
    set.SetCommandWidth(i, 3.0f);
  }
  for (int i = 0; i < set.GetCommandCount(); ++i) {
    const std::string row = text::Utf8ToCp932(CommandRowText(set, i, text::Language::kJapanese)).value_or("");
    EXPECT_EQ(row.substr(22, 7), "12     ") << i;
    if (commands::CommandTypeHasWidth(set.GetCommandType(i))) {
      EXPECT_EQ(row.substr(29), "3.0") << i;
    }
  }
  const std::string basic = text::Utf8ToCp932(BasicRowText(1.5f, text::Language::kJapanese)).value_or("");
  EXPECT_EQ(basic.size(), 32u);
  EXPECT_EQ(basic.substr(29), "1.5");
}

// (Rows of every command type are the command line's "sets" tests'.)
TEST(PanelTexts, FieldValuesAreReadAsTheCLibraryReadsThemAndADecimalCommaLocaleChangesNothing) {
  EXPECT_DOUBLE_EQ(DecimalValue(" 12.5mm"), 12.5);
  EXPECT_DOUBLE_EQ(DecimalValue("-3"), -3.0);
  EXPECT_DOUBLE_EQ(DecimalValue("+2.5"), 2.5);
  EXPECT_DOUBLE_EQ(DecimalValue("abc"), 0.0);
  EXPECT_EQ(IntegerValue("3.7"), 3);
  EXPECT_EQ(IntegerValue(" -2"), -2);
  EXPECT_EQ(IntegerValue("x1"), 0);
  EXPECT_EQ(IntegerValue("99999999999"), 2147483647);
  EXPECT_EQ(BasicRowText(-0.25f, text::Language::kEnglish).substr(29), "-0.2");

  // Neither the row nor the value read back takes the locale's comma.
  quorvane::testing::DecimalCommaLocale locale;
  QUORVANE_REQUIRE_DECIMAL_COMMA(locale);
  EXPECT_EQ(BasicRowText(7.5f, text::Language::kEnglish), "1  Basic seam-margin         7.5");
  EXPECT_DOUBLE_EQ(DecimalValue("7.5"), 7.5);
}

// The panel's own drawing in the states a still picture does not show (the
// reference screenshots of the workbench's toolkit test the rest, in both
// themes), asked for through the headless toolkit at a scale of 1.5 so that
// every length shows its truncation.
using workbench::ui::DrawOp;
using Kind = workbench::ui::DrawOp::Kind;

class PanelDrawing : public PanelFixture {
 protected:
  void SetUp() override {
    Ui().SetScale(1.5);
    StartWithSquare();
  }
  std::vector<DrawOp> Draw(std::int32_t control, std::int32_t item, std::int32_t state = 0) {
    std::vector<DrawOp> ops;
    const workbench::ui::ActionOutcome outcome = Ui().DrawItem(Window(), control, item, state, &ops);
    EXPECT_TRUE(outcome.delivered && outcome.result == kQvNoErr) << outcome.refusal;
    return ops;
  }
  /// The operations of `kind`, or the text operation drawing `text`.
  static std::vector<DrawOp> Only(const std::vector<DrawOp>& ops, Kind kind, const std::string& text = "") {
    std::vector<DrawOp> out;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(out),
                 [&](const DrawOp& op) { return op.kind == kind && (text.empty() || op.text == text); });
    return out;
  }
  static DrawOp TextOp(const std::vector<DrawOp>& ops, const std::string& text) {
    const std::vector<DrawOp> found = Only(ops, Kind::kText, text);
    EXPECT_EQ(found.size(), 1u) << text;
    return found.empty() ? DrawOp{} : found[0];
  }
};

TEST_F(PanelDrawing, CommandRowsByStateWithTheirColumns) {
  commands::CCommandSet set("S");
  set.AddCommand(commands::CommandType::kOpening);
  set.SetCommandPoint(0, 0, "a");
  set.SetCommandPoint(0, 1, "b");
  set.SetCommandWidth(0, 12.5f);
  Ctx().ui.ClearItems(Window(), kCommandList);
  Ctx().ui.AddItem(Window(), kCommandList, BasicRowText(10.0f, text::Language::kEnglish));
  Ctx().ui.AddItem(Window(), kCommandList, CommandRowText(set, 0, text::Language::kEnglish));
  const std::int32_t left = Ui().PixelRect(Window(), kCommandList)->left;

  struct Case {
    const char* name;
    bool select, disable;
    QvRgb base, mainText, otherText;
  };
  for (const Case& c : {Case{"selected", true, false, 0x808080, 0xFFFFFF, 0x444444},
                        Case{"disabled", false, true, 0xC0C0C0, 0x707070, 0x707070}}) {
    SCOPED_TRACE(c.name);
    Ctx().ui.SetSelection(Window(), kCommandList, c.select ? 1 : -1);
    Ctx().ui.Enable(Window(), kCommandList, !c.disable);
    const std::vector<DrawOp> ops = Draw(kCommandList, 1);
    const std::vector<DrawOp> fills = Only(ops, Kind::kFill);
    ASSERT_EQ(fills.size(), 3u);
    ASSERT_EQ(Only(ops, Kind::kLine).size(), 2u);
    // Row 1 of 27-pixel rows; number column to 30·s, value column from 180·s.
    EXPECT_EQ(fills[0].rect.top - Ui().PixelRect(Window(), kCommandList)->top, 27);
    EXPECT_EQ(fills[0].color, c.base);
    EXPECT_EQ(fills[1].rect.right - left, 45);
    EXPECT_EQ(fills[2].rect.left - left, 270);
    EXPECT_EQ(TextOp(ops, "a,b").x1 - left, 276);
    EXPECT_EQ(TextOp(ops, "Opening").color, c.mainText);
    EXPECT_EQ(TextOp(ops, "a,b").color, c.otherText);
  }
}

TEST_F(PanelDrawing, PushButtonsPressedDisabledAndDark) {
  Ctx().ui.Enable(Window(), kSaveButton, true);
  const std::vector<DrawOp> up = Draw(kSaveButton, -1);
  ASSERT_EQ(up.size(), 3u);
  EXPECT_EQ(up[2].rect.top - up[0].rect.top, 3) << "caption moved down by 2·s";
  EXPECT_EQ(Draw(kSaveButton, -1, kQvItemPressed)[0].color, 0x444444u);
  Ctx().ui.Enable(Window(), kSaveButton, false);
  EXPECT_EQ(Draw(kSaveButton, -1)[2].color, 0x444444u) << "a disabled caption takes the frame colour";

  Ui().SetInterfaceDark(true);
  Ctx().ui.Enable(Window(), kSaveButton, true);
  const std::vector<DrawOp> down = Draw(kSaveButton, -1, kQvItemPressed);
  EXPECT_EQ(down[0].color, 0xAAAAAAu);
  EXPECT_EQ(down[2].color, 0xCCCCCCu);
}

// (The pressed button's highlight and picture in both themes are the
// reference screenshots'.)
TEST_F(PanelDrawing, TypeButtonsHighlightTheFocusedOneAndAClickMovesThePressedOne) {
  const std::int32_t created = kFirstTypeButton + 6;  // pressed at creation
  const std::int32_t other = kFirstTypeButton;
  EXPECT_EQ(Draw(other, -1)[0].color, 0xF0F0F0u);
  EXPECT_EQ(Draw(other, -1, kQvItemFocused)[0].color, 0x808080u);
  Ctx().ui.Enable(Window(), other, true);
  Click(other);
  EXPECT_EQ(Draw(created, -1)[0].color, 0xF0F0F0u);
  EXPECT_EQ(Draw(other, -1)[0].color, 0x808080u);
}

TEST_F(PanelDrawing, OptimizeListFaceAndItems) {
  Ctx().ui.Enable(Window(), kOptimizeList, true);
  EXPECT_EQ(Draw(kOptimizeList, 1)[0].color, 0xFFFFFFu);
  EXPECT_EQ(Draw(kOptimizeList, 1, kQvItemFocused)[0].color, kSystemLightGrey);
  Ctx().ui.Enable(Window(), kOptimizeList, false);
  Ui().SetInterfaceDark(true);
  EXPECT_EQ(Draw(kOptimizeList, -1)[1].color, 0x7F7F7Fu);
}

}  // namespace
}  // namespace quorvane::panel::testing
