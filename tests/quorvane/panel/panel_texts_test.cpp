// The panel's texts: proposed names, the fixed-width rows of the command list
// in both languages and the values read from fields.
#include <gtest/gtest.h>

#include <string>

#include "quorvane/commands/command_set.h"
#include "quorvane/panel/panel_texts.h"
#include "quorvane/text/cp932.h"
#include "quorvane/text/messages.h"
#include "support/decimal_comma_locale.h"

namespace quorvane::panel {
namespace {

using commands::CommandType;

TEST(PanelTexts, ProposedNamesAndTheDiscardQuestionNameTheSet) {
  EXPECT_EQ(ProposedSetName(2, text::Language::kEnglish), "Command set 2");
  EXPECT_EQ(ProposedSetName(12, text::Language::kJapanese), "コマンドセット12");
  EXPECT_EQ(text::TextWith(text::Message::kDiscardQuestion, text::Language::kJapanese, "前身頃"),
            "前身頃は変更されています。変更を破棄してもよろしいですか？");
}

// (Rows of every command type are the command line's "sets" tests'.)
TEST(PanelTexts, RowsShowPointsAndOnlyTheWidthsTheirTypeCarries) {
  commands::CCommandSet set("S");
  set.AddCommand(CommandType::kOpening);
  set.SetCommandPoint(0, 0, "a");
  set.SetCommandPoint(0, 1, "b");
  set.SetCommandWidth(0, 12.5f);
  set.AddCommand(CommandType::kCutOff);
  EXPECT_EQ(CommandRowText(set, 0, text::Language::kEnglish), "2  Opening            a,b    12.5");
  EXPECT_EQ(CommandRowText(set, 1, text::Language::kEnglish), "3  Cut off                   0.0");
  EXPECT_EQ(CommandRowText(set, 2, text::Language::kEnglish), "");
  EXPECT_EQ(CommandRowText(set, -1, text::Language::kEnglish), "");
  EXPECT_EQ(BasicRowText(-0.25f, text::Language::kEnglish).substr(29), "-0.2");

  // A decimal-comma locale changes neither the row nor the value read back.
  quorvane::testing::DecimalCommaLocale locale;
  QUORVANE_REQUIRE_DECIMAL_COMMA(locale);
  EXPECT_EQ(BasicRowText(7.5f, text::Language::kEnglish), "1  Basic seam-margin         7.5");
  EXPECT_DOUBLE_EQ(DecimalValue("7.5"), 7.5);
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

TEST(PanelTexts, FieldValuesAreReadAsTheCLibraryReadsThem) {
  EXPECT_DOUBLE_EQ(DecimalValue(" 12.5mm"), 12.5);
  EXPECT_DOUBLE_EQ(DecimalValue("-3"), -3.0);
  EXPECT_DOUBLE_EQ(DecimalValue("+2.5"), 2.5);
  EXPECT_DOUBLE_EQ(DecimalValue("abc"), 0.0);
  EXPECT_EQ(IntegerValue("3.7"), 3);
  EXPECT_EQ(IntegerValue(" -2"), -2);
  EXPECT_EQ(IntegerValue("x1"), 0);
  EXPECT_EQ(IntegerValue("99999999999"), 2147483647);
}

}  // namespace
}  // namespace quorvane::panel
