#include "quorvane/settings/settings_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>

namespace quorvane::settings {
namespace {

struct Loaded {
  Settings settings;
  std::vector<Diagnostic> problems;
};

Loaded Load(std::string_view text) {
  Loaded loaded;
  loaded.problems = ReadSettingsText(text, "prefs/Quorvane.ini", loaded.settings);
  return loaded;
}

std::string Save(const Settings& settings) {
  std::string out;
  const std::optional<std::string> problem = SettingsText(settings, out);
  EXPECT_FALSE(problem) << *problem;
  return out;
}

// The file as saved for the defaults with the default colours.
constexpr std::string_view kDefaultFile =
    "language = ENGLISH\r\nshowoption = 1\r\ncbfl_trevask = 10\r\nseam_allowance_line = 1\r\n"
    "seam_allowance_line_width = 0.5\r\nseam_allowance_line_color = 0\r\nfinish_line = 0\r\n"
    "finish_line_width = 0.5\r\nfinish_line_color = 0\r\ntrevask_unit = 0\r\nscaled_drawing = 0\r\n"
    "PlateColor_001_name = \"Black\"\r\nPlateColor_001_color = 1, 0, 0, 0, 1\r\n"
    "PlateColor_002_name = \"Cyan\"\r\nPlateColor_002_color = 1, 1, 0, 0, 0\r\n"
    "PlateColor_003_name = \"Magenta\"\r\nPlateColor_003_color = 1, 0, 1, 0, 0\r\n"
    "PlateColor_004_name = \"Yellow\"\r\nPlateColor_004_color = 1, 0, 0, 1, 0\r\n"
    "PlateColor_005_name = \"Red\"\r\nPlateColor_005_color = 1, 0, 1, 1, 0\r\n"
    "PlateColor_006_name = \"Blue\"\r\nPlateColor_006_color = 1, 1, 1, 0, 0\r\n"
    "PlateColor_007_name = \"Green\"\r\nPlateColor_007_color = 1, 1, 0, 1, 0\r\n";

TEST(SettingsText, EmptyFileGivesDefaultsAndTheirExactFile) {
  const Loaded loaded = Load("");
  EXPECT_TRUE(loaded.problems.empty());
  EXPECT_EQ(Save(loaded.settings), kDefaultFile);
  // Reading it back and saving again gives the same bytes.
  EXPECT_EQ(Save(Load(kDefaultFile).settings), kDefaultFile);
}

// Written the way users edit the file by hand: CR LF, tabs,
// comments, loose spacing, a code page 932 name (紺色, and ソ表 whose second
// bytes are backslashes).
constexpr std::string_view kHandWritten =
    "' Quorvane settings\r\n"
    "language = JAPANESE\r\n"
    "showoption=0\r\n"
    "cbfl_trevask = 12.5\r\n"
    "\r\n"
    "seam_allowance_line = 1\r\n"
    "seam_allowance_line_width = 0.3\r\n"
    "seam_allowance_line_color\t= 2\r\n"
    "finish_line = 1\r\n"
    "finish_line_width = 0.25\r\n"
    "'finish_line_color = 1\r\n"
    "finish_line_color = 1\r\n"
    "trevask_unit = 1\r\n"
    "scaled_drawing = 1\r\n"
    "PlateColor_001_name = \"\x8D\xAE\x90\x46\"\r\n"
    "PlateColor_001_color = 1, 0.9, 0.7, 0, 0.2\r\n"
    "PlateColor_002_name = \"Light Gray\"\r\n"
    "PlateColor_002_color = 0, 0.25\r\n"
    "PlateColor_003_name = \"\x83\x5C\x95\x5C\"\r\n"
    "PlateColor_003_color = 5, 1, 0.5, 0\r\n";

TEST(SettingsText, HandWrittenFileLoadsEveryValue) {
  const Loaded loaded = Load(kHandWritten);
  for (const Diagnostic& d : loaded.problems) ADD_FAILURE() << d.ToString();
  const Settings& s = loaded.settings;
  EXPECT_EQ(s.language, text::Language::kJapanese);
  EXPECT_EQ(s.showOption, 0);
  EXPECT_EQ(s.basicFinishLineMargin, 12.5f);
  EXPECT_EQ(s.seamAllowanceLine, 1);
  EXPECT_EQ(s.seamAllowanceLineWidth, static_cast<double>(0.3f));
  EXPECT_EQ(s.seamAllowanceLineColor, 2);
  EXPECT_EQ(s.finishLine, 1);
  EXPECT_EQ(s.finishLineWidth, 0.25);
  EXPECT_EQ(s.finishLineColor, 1);
  EXPECT_EQ(s.unit, kUnitCentimetre);
  EXPECT_EQ(s.unitFactor, 72.0 / 2.54);
  EXPECT_EQ(s.scaledDrawing, 1);
  ASSERT_EQ(s.plateColorCount, 3);
  EXPECT_EQ(PlateColorName(s.plateColors[0]), "\xE7\xB4\xBA\xE8\x89\xB2");
  EXPECT_EQ(s.plateColors[0].kind, kColorKindFourColor);
  EXPECT_EQ(s.plateColors[0].components[0], 0.9);
  EXPECT_EQ(s.plateColors[0].components[1], 0.7);
  EXPECT_EQ(s.plateColors[0].components[2], 0.0);
  EXPECT_EQ(s.plateColors[0].components[3], 0.2);
  EXPECT_EQ(PlateColorName(s.plateColors[1]), "Light Gray");
  EXPECT_EQ(s.plateColors[1].kind, kColorKindGray);
  EXPECT_EQ(s.plateColors[1].components[0], 0.25);
  EXPECT_EQ(PlateColorName(s.plateColors[2]), "\xE3\x82\xBD\xE8\xA1\xA8");
  EXPECT_EQ(s.plateColors[2].kind, kColorKindThreeColor);
  EXPECT_EQ(s.plateColors[2].components[0], 1.0);
  EXPECT_EQ(s.plateColors[2].components[1], 0.5);
}

TEST(SettingsText, SavedFileRoundTripsByteForByte) {
  const std::string saved = Save(Load(kHandWritten).settings);
  // The names go back to code page 932, between quotes.
  EXPECT_NE(saved.find("PlateColor_001_name = \"\x8D\xAE\x90\x46\"\r\n"), std::string::npos);
  EXPECT_NE(saved.find("PlateColor_003_color = 5, 1, 0.5, 0\r\n"), std::string::npos);
  EXPECT_NE(saved.find("PlateColor_002_color = 0, 0.25\r\n"), std::string::npos);
  const Loaded again = Load(saved);
  EXPECT_TRUE(again.problems.empty());
  EXPECT_EQ(Save(again.settings), saved);
}

struct QuirkCase {
  const char* name;
  std::string text;
  std::function<void(const Settings&, const std::string& saved)> check;
};

class SettingsQuirks : public ::testing::TestWithParam<QuirkCase> {};

TEST_P(SettingsQuirks, ReadAndWrittenAsTheFileAlwaysWas) {
  const QuirkCase& q = GetParam();
  const Loaded loaded = Load(q.text);
  for (const Diagnostic& d : loaded.problems) ADD_FAILURE() << d.ToString();
  q.check(loaded.settings, Save(loaded.settings));
}

bool Has(const std::string& saved, std::string_view line) { return saved.find(line) != std::string::npos; }

INSTANTIATE_TEST_SUITE_P(
    File, SettingsQuirks,
    ::testing::Values(
        QuirkCase{"GoldInSlotThree",
                  "PlateColor_003_name = \"Gold\"\nPlateColor_003_color = 1, 0, 0.2, 0.8, 0.1\n",
                  [](const Settings& s, const std::string& saved) {
                    ASSERT_EQ(s.plateColorCount, 3);  // no defaults: the count is not 0
                    EXPECT_EQ(PlateColorName(s.plateColors[2]), "Gold");
                    EXPECT_EQ(s.plateColors[2].components[2], 0.8);
                    EXPECT_EQ(s.plateColors[2].components[3], 0.1);
                    EXPECT_EQ(PlateColorName(s.plateColors[0]), "");
                    EXPECT_TRUE(Has(saved, "PlateColor_001_name = \"\"\r\nPlateColor_001_color = 0, 0\r\n"));
                    EXPECT_TRUE(Has(saved, "PlateColor_003_color = 1, 0, 0.2, 0.8, 0.1\r\n"));
                  }},
        QuirkCase{"LanguageCaseMatters", "language = english\n",
                  [](const Settings& s, const std::string& saved) {
                    EXPECT_EQ(s.language, text::Language::kJapanese);
                    EXPECT_TRUE(Has(saved, "language = JAPANESE\r\n"));
                  }},
        QuirkCase{"Korean", "language = KOREAN\n",
                  [](const Settings& s, const std::string&) { EXPECT_EQ(s.language, text::Language::kKorean); }},
        QuirkCase{"WidthPassesSinglePrecision", "seam_allowance_line_width = 0.3\n",
                  [](const Settings& s, const std::string& saved) {
                    EXPECT_EQ(s.seamAllowanceLineWidth, static_cast<double>(0.3f));
                    EXPECT_NE(s.seamAllowanceLineWidth, 0.3);
                    EXPECT_TRUE(Has(saved, "seam_allowance_line_width = 0.3\r\n"));
                  }},
        QuirkCase{"SpacesSurviveOnlyInQuotes",
                  "PlateColor_001_name = \"Dark Blue\"\nPlateColor_002_name = Dark Blue\n",
                  [](const Settings& s, const std::string&) {
                    EXPECT_EQ(PlateColorName(s.plateColors[0]), "Dark Blue");
                    EXPECT_EQ(PlateColorName(s.plateColors[1]), "DarkBlue");
                  }},
        QuirkCase{"QuotedSeparators", "PlateColor_001_name = \"Red, = Blue\"\n",
                  [](const Settings& s, const std::string&) {
                    EXPECT_EQ(PlateColorName(s.plateColors[0]), "Red, = Blue");
                  }},
        QuirkCase{"CommentChangesNothing", "'showoption = 0\n",
                  [](const Settings& s, const std::string&) { EXPECT_EQ(s.showOption, 1); }},
        QuirkCase{"UnknownUnitKeepsFactor", "trevask_unit = 2\ntrevask_unit = 7\n",
                  [](const Settings& s, const std::string& saved) {
                    EXPECT_EQ(s.unit, 7);
                    EXPECT_EQ(s.unitFactor, 72.0);
                    EXPECT_TRUE(Has(saved, "trevask_unit = 7\r\n"));
                  }},
        QuirkCase{"LaterLinesWinAndKeysAreCaseSensitive",
                  "finish_line = 1\nfinish_line = 0\nFinish_Line = 1\nfinish_line_width = 2\n",
                  [](const Settings& s, const std::string&) {
                    EXPECT_EQ(s.finishLine, 0);
                    EXPECT_EQ(s.finishLineWidth, 2.0);
                  }},
        QuirkCase{"EmptyValueIgnored", "showoption =\nshowoption = \"\"\n",
                  [](const Settings& s, const std::string&) { EXPECT_EQ(s.showOption, 1); }},
        QuirkCase{"UnknownKindKeepsNameLineOnly",
                  "PlateColor_001_name = \"Spot\"\nPlateColor_001_color = 3, 0.5\n",
                  [](const Settings& s, const std::string& saved) {
                    EXPECT_EQ(s.plateColors[0].kind, 3);
                    EXPECT_TRUE(Has(saved, "PlateColor_001_name = \"Spot\"\r\n"));
                    EXPECT_FALSE(Has(saved, "PlateColor_001_color"));
                  }},
        QuirkCase{"ColourLineSetsOnlyTheComponentsOfItsKind",
                  "PlateColor_001_color = 1, 0.1, 0.2, 0.3, 0.4\nPlateColor_001_color = 0, 0.5\n",
                  [](const Settings& s, const std::string& saved) {
                    EXPECT_EQ(s.plateColors[0].kind, 0);
                    EXPECT_EQ(s.plateColors[0].components[0], 0.5);
                    EXPECT_EQ(s.plateColors[0].components[1], 0.2);
                    EXPECT_EQ(s.plateColors[0].components[3], 0.4);
                    EXPECT_TRUE(Has(saved, "PlateColor_001_color = 0, 0.5\r\n"));
                  }},
        QuirkCase{"ThreeColourComponents", "PlateColor_001_color = 5, 0.2, 0.4, 0.6\n",
                  [](const Settings& s, const std::string& saved) {
                    EXPECT_EQ(s.plateColors[0].components[2], 0.6);
                    EXPECT_EQ(s.plateColors[0].components[3], 0.0);
                    EXPECT_TRUE(Has(saved, "PlateColor_001_color = 5, 0.2, 0.4, 0.6\r\n"));
                  }}),
    [](const auto& info) { return info.param.name; });

struct MalformedCase {
  const char* name;
  std::string text;
  int problemLine;
  std::function<void(const Settings&)> check;
};

class SettingsMalformed : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(SettingsMalformed, ReadsWhatItCanAndReportsTheLine) {
  const MalformedCase& m = GetParam();
  const Loaded loaded = Load(m.text);
  ASSERT_EQ(loaded.problems.size(), 1u);
  EXPECT_EQ(loaded.problems[0].file, "prefs/Quorvane.ini");
  EXPECT_EQ(loaded.problems[0].line, m.problemLine) << loaded.problems[0].ToString();
  m.check(loaded.settings);
}

INSTANTIATE_TEST_SUITE_P(
    File, SettingsMalformed,
    ::testing::Values(
        MalformedCase{"TrailingJunk", "language = ENGLISH\nshowoption = 12abc\n", 2,
                      [](const Settings& s) { EXPECT_EQ(s.showOption, 12); }},
        MalformedCase{"NotANumber", "finish_line_width = wide\n", 1,
                      [](const Settings& s) { EXPECT_EQ(s.finishLineWidth, 0.0); }},
        // Numbers read as atof reads them: NaN, infinities, overflow.
        MalformedCase{"NotFinite", "cbfl_trevask = nan\n", 1,
                      [](const Settings& s) { EXPECT_TRUE(std::isnan(s.basicFinishLineMargin)); }},
        MalformedCase{"Infinite", "finish_line_width = -inf\n", 1,
                      [](const Settings& s) { EXPECT_EQ(s.finishLineWidth, -HUGE_VAL); }},
        MalformedCase{"BeyondDoubleRange", "\nPlateColor_001_color = 0, 1e999\n", 2,
                      [](const Settings& s) { EXPECT_EQ(s.plateColors[0].components[0], HUGE_VAL); }},
        MalformedCase{"BelowDoubleRange", "\nPlateColor_001_color = 0, -1e-999\n", 2,
                      [](const Settings& s) {
                        EXPECT_EQ(s.plateColors[0].components[0], 0.0);
                        EXPECT_TRUE(std::signbit(s.plateColors[0].components[0]));
                      }},
        MalformedCase{"WidthBeyondSinglePrecision", "finish_line_width = 1e39\n", 1,
                      [](const Settings& s) { EXPECT_EQ(s.finishLineWidth, HUGE_VAL); }},
        MalformedCase{"SlotNotDigits", "PlateColor_0x1_name = \"A\"\n", 1,
                      [](const Settings& s) { EXPECT_EQ(s.plateColorCount, 7); }},  // defaults
        MalformedCase{"SlotZero", "PlateColor_000_color = 1, 1, 0, 0, 0\n", 1,
                      [](const Settings& s) { EXPECT_EQ(PlateColorName(s.plateColors[0]), "Black"); }},
        MalformedCase{"SlotBeyondTable", "PlateColor_001_name = \"A\"\nPlateColor_101_name = \"B\"\n", 2,
                      [](const Settings& s) { EXPECT_EQ(s.plateColorCount, 1); }},
        MalformedCase{"LineTooLong", "scaled_drawing = 1\nshowoption = 0" + std::string(250, '0') + "\n", 2,
                      [](const Settings& s) {
                        EXPECT_EQ(s.scaledDrawing, 1);
                        EXPECT_EQ(s.showOption, 1);
                      }},
        MalformedCase{"ColourIndexOutsideTable", "finish_line = 1\nfinish_line_color = 9\n", 2,
                      [](const Settings& s) { EXPECT_EQ(s.finishLineColor, 0); }},
        MalformedCase{"NameNotCp932", "PlateColor_002_name = \"A\x81\"\nPlateColor_001_name = \"B\"\n", 1,
                      [](const Settings& s) {
                        EXPECT_EQ(s.plateColorCount, 2);
                        EXPECT_EQ(PlateColorName(s.plateColors[0]), "B");
                        EXPECT_EQ(PlateColorName(s.plateColors[1]), "");
                      }},
        MalformedCase{"MissingComponents", "\nPlateColor_001_color = 1, 0.5\n", 2,
                      [](const Settings& s) {
                        EXPECT_EQ(s.plateColors[0].components[0], 0.5);
                        EXPECT_EQ(s.plateColors[0].components[1], 0.0);
                      }},
        MalformedCase{"NulEndsText", std::string("showoption = 0\r\nfinish_line = 1\0\r\nscaled_drawing = 1\r\n", 50),
                      2,
                      [](const Settings& s) {
                        EXPECT_EQ(s.showOption, 0);
                        EXPECT_EQ(s.finishLine, 1);
                        EXPECT_EQ(s.scaledDrawing, 0);
                      }}),
    [](const auto& info) { return info.param.name; });

TEST(SettingsText, LongNameIsCutAtCharacterBoundary) {
  // 40 two-byte characters: 80 bytes, one too many; the cut drops the whole
  // last character rather than half of it.
  std::string name;
  for (int i = 0; i < 40; ++i) name += "\x90\xD4";  // 赤
  const Loaded loaded = Load("PlateColor_001_name = \"" + name + "\"\n");
  ASSERT_EQ(loaded.problems.size(), 1u);
  std::string expected;
  for (int i = 0; i < 39; ++i) expected += "\xE8\xB5\xA4";
  EXPECT_EQ(PlateColorName(loaded.settings.plateColors[0]), expected);
}

TEST(SettingsText, RefusesToWriteANameItCannotCarry) {
  Settings s;
  FillDefaultPlateColors(s);
  std::strcpy(s.plateColors[3].name, "Rose \xF0\x9F\x8C\xB9");  // set around the checks
  std::string out = "untouched";
  const std::optional<std::string> problem = SettingsText(s, out);
  ASSERT_TRUE(problem);
  EXPECT_NE(problem->find("Plate colour 4"), std::string::npos) << *problem;
  EXPECT_EQ(out, "untouched");
}

}  // namespace
}  // namespace quorvane::settings

namespace quorvane::settings {
namespace {

TEST(SettingsText, DecimalsAreWrittenAsPrintfG) {
  // printf in the C locale is the reference; widths pass single precision.
  for (const double width : {0.0, 0.1, 0.3, 1.0 / 3.0, 2.5e-7, 123456.7, 1234567.0, -4.25, 1e30}) {
    Settings s;
    s.finishLineWidth = width;
    s.basicFinishLineMargin = static_cast<float>(width);
    std::string out;
    ASSERT_FALSE(SettingsText(s, out));
    char expected[64];
    std::snprintf(expected, sizeof expected, "finish_line_width = %g\r\n", static_cast<double>(static_cast<float>(width)));
    EXPECT_NE(out.find(expected), std::string::npos) << expected;
    std::snprintf(expected, sizeof expected, "cbfl_trevask = %g\r\n", static_cast<double>(static_cast<float>(width)));
    EXPECT_NE(out.find(expected), std::string::npos) << expected;
  }
}

}  // namespace
}  // namespace quorvane::settings
