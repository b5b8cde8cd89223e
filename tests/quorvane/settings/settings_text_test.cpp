#include "quorvane/settings/settings_text.h"

#include <gtest/gtest.h>

#include <cmath>
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

// Written the way users edit the file by hand: CR LF, tabs, comments, loose
// spacing, code page 932 names (紺色, and ソ表 whose second bytes are
// backslashes). Saved, it comes back in the file's own spelling.
constexpr std::string_view kHandWritten =
    "' Quorvane settings\r\nlanguage = JAPANESE\r\nshowoption=0\r\ncbfl_trevask = 12.5\r\n\r\n"
    "seam_allowance_line = 1\r\nseam_allowance_line_width = 0.3\r\nseam_allowance_line_color\t= 2\r\n"
    "finish_line = 1\r\nfinish_line_width = 0.25\r\n'finish_line_color = 1\r\nfinish_line_color = 1\r\n"
    "trevask_unit = 1\r\nscaled_drawing = 1\r\n"
    "PlateColor_001_name = \"\x8D\xAE\x90\x46\"\r\nPlateColor_001_color = 1, 0.9, 0.7, 0, 0.2\r\n"
    "PlateColor_002_name = \"Light Gray\"\r\nPlateColor_002_color = 0, 0.25\r\n"
    "PlateColor_003_name = \"\x83\x5C\x95\x5C\"\r\nPlateColor_003_color = 5, 1, 0.5, 0\r\n";

TEST(SettingsText, HandWrittenFileLoadsEveryValueAndSavesBackInItsOwnSpelling) {
  const Loaded loaded = Load(kHandWritten);
  for (const Diagnostic& d : loaded.problems) ADD_FAILURE() << d.ToString();
  // Every value comes back in the saved text; widths pass single precision.
  const Settings& s = loaded.settings;
  const std::string saved = Save(s);
  for (const char* line :
       {"language = JAPANESE", "showoption = 0", "cbfl_trevask = 12.5", "seam_allowance_line = 1",
        "seam_allowance_line_width = 0.3", "seam_allowance_line_color = 2", "finish_line = 1", "finish_line_width = 0.25",
        "finish_line_color = 1", "trevask_unit = 1", "scaled_drawing = 1", "PlateColor_001_name = \"\x8D\xAE\x90\x46\"",
        "PlateColor_001_color = 1, 0.9, 0.7, 0, 0.2", "PlateColor_002_name = \"Light Gray\"", "PlateColor_002_color = 0, 0.25",
        "PlateColor_003_name = \"\x83\x5C\x95\x5C\"", "PlateColor_003_color = 5, 1, 0.5, 0"}) {
    EXPECT_NE(saved.find(std::string(line) + "\r\n"), std::string::npos) << line;
  }
  EXPECT_EQ(s.seamAllowanceLineWidth, static_cast<double>(0.3f));
  EXPECT_EQ(s.unitFactor, 72.0 / 2.54);
  ASSERT_EQ(s.plateColorCount, 3);
  EXPECT_EQ(PlateColorName(s.plateColors[0]), "紺色");
  EXPECT_EQ(PlateColorName(s.plateColors[2]), "ソ表");
  const Loaded again = Load(saved);
  EXPECT_TRUE(again.problems.empty());
  EXPECT_EQ(Save(again.settings), saved);
  // No file at all: the defaults, which also read back to the same bytes.
  const std::string defaults = Save(Load("").settings);
  EXPECT_EQ(Save(Load(defaults).settings), defaults);
}

// One file each: the line of its one problem (0: none), lines its saved form
// holds, and what else it must have read.
struct FileCase {
  const char* name;
  std::string text;
  int problemLine;
  std::vector<std::string> saved;
  std::function<void(const Settings&)> check = [](const Settings&) {};
};

class SettingsFileText : public ::testing::TestWithParam<FileCase> {};

TEST_P(SettingsFileText, ReadsWhatItCanReportsTheLineAndSavesAsTheFileAlwaysWas) {
  const FileCase& c = GetParam();
  const Loaded loaded = Load(c.text);
  if (c.problemLine == 0) {
    for (const Diagnostic& d : loaded.problems) ADD_FAILURE() << d.ToString();
  } else {
    ASSERT_EQ(loaded.problems.size(), 1u);
    EXPECT_EQ(loaded.problems[0].file, "prefs/Quorvane.ini");
    EXPECT_EQ(loaded.problems[0].line, c.problemLine) << loaded.problems[0].ToString();
  }
  const std::string saved = Save(loaded.settings);
  for (const std::string& line : c.saved) EXPECT_NE(saved.find(line + "\r\n"), std::string::npos) << line;
  c.check(loaded.settings);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsFileText,
    ::testing::Values(
        // Colours in slot three only: no defaults, empty slots before it.
        FileCase{"GoldInSlotThree", "PlateColor_003_name = \"Gold\"\nPlateColor_003_color = 1, 0, 0.2, 0.8, 0.1\n", 0,
                 {"PlateColor_001_name = \"\"\r\nPlateColor_001_color = 0, 0", "PlateColor_003_name = \"Gold\"",
                  "PlateColor_003_color = 1, 0, 0.2, 0.8, 0.1"},
                 [](const Settings& s) { EXPECT_EQ(s.plateColorCount, 3); }},
        FileCase{"LanguageCaseMatters", "language = english\n", 0, {"language = JAPANESE"}},
        FileCase{"Korean", "language = KOREAN\n", 0, {"language = KOREAN"}},
        FileCase{"SpacesSurviveOnlyInQuotes", "PlateColor_001_name = \"Dark Blue\"\nPlateColor_002_name = Dark Blue\n",
                 0, {"PlateColor_001_name = \"Dark Blue\"", "PlateColor_002_name = \"DarkBlue\""}},
        FileCase{"QuotedSeparators", "PlateColor_001_name = \"Red, = Blue\"\n", 0,
                 {"PlateColor_001_name = \"Red, = Blue\""}},
        FileCase{"CommentChangesNothing", "'showoption = 0\n", 0, {"showoption = 1"}},
        FileCase{"UnknownUnitKeepsFactor", "trevask_unit = 2\ntrevask_unit = 7\n", 0, {"trevask_unit = 7"},
                 [](const Settings& s) { EXPECT_EQ(s.unitFactor, 72.0); }},
        FileCase{"LaterLinesWinAndKeysAreCaseSensitive",
                 "finish_line = 1\nfinish_line = 0\nFinish_Line = 1\nfinish_line_width = 2\n", 0,
                 {"finish_line = 0", "finish_line_width = 2"}},
        FileCase{"EmptyValueIgnored", "showoption =\nshowoption = \"\"\n", 0, {"showoption = 1"}},
        FileCase{"UnknownKindKeepsNameLineOnly", "PlateColor_001_name = \"Spot\"\nPlateColor_001_color = 3, 0.5\n", 0,
                 {"PlateColor_001_name = \"Spot\""},
                 [](const Settings& s) { EXPECT_EQ(s.plateColors[0].kind, 3); }},
        FileCase{"ColourLineSetsOnlyTheComponentsOfItsKind",
                 "PlateColor_001_color = 1, 0.1, 0.2, 0.3, 0.4\nPlateColor_001_color = 0, 0.5\n", 0,
                 {"PlateColor_001_color = 0, 0.5"},
                 [](const Settings& s) { EXPECT_EQ(s.plateColors[0].components[3], 0.4); }},
        FileCase{"TrailingJunk", "language = ENGLISH\nshowoption = 12abc\n", 2, {"showoption = 12"}},
        FileCase{"NotANumber", "finish_line_width = wide\n", 1, {"finish_line_width = 0"}},
        // Numbers read as atof reads them: NaN, infinities, overflow.
        FileCase{"NotFinite", "cbfl_trevask = nan\n", 1, {},
                 [](const Settings& s) { EXPECT_TRUE(std::isnan(s.basicFinishLineMargin)); }},
        FileCase{"BeyondDoubleRange", "\nPlateColor_001_color = 0, 1e999\n", 2, {},
                 [](const Settings& s) { EXPECT_EQ(s.plateColors[0].components[0], HUGE_VAL); }},
        FileCase{"WidthBeyondSinglePrecision", "finish_line_width = 1e39\n", 1, {},
                 [](const Settings& s) { EXPECT_EQ(s.finishLineWidth, HUGE_VAL); }},
        FileCase{"SlotNotDigits", "PlateColor_0x1_name = \"A\"\n", 1, {"PlateColor_007_name = \"Green\""}},
        FileCase{"SlotZero", "PlateColor_000_color = 1, 1, 0, 0, 0\n", 1, {"PlateColor_001_name = \"Black\""}},
        FileCase{"SlotBeyondTable", "PlateColor_001_name = \"A\"\nPlateColor_101_name = \"B\"\n", 2, {},
                 [](const Settings& s) { EXPECT_EQ(s.plateColorCount, 1); }},
        FileCase{"LineTooLong", "scaled_drawing = 1\nshowoption = 0" + std::string(250, '0') + "\n", 2,
                 {"showoption = 1", "scaled_drawing = 1"}},
        FileCase{"ColourIndexOutsideTable", "finish_line = 1\nfinish_line_color = 9\n", 2, {"finish_line_color = 0"}},
        FileCase{"NameNotCp932", "PlateColor_002_name = \"A\x81\"\nPlateColor_001_name = \"B\"\n", 1,
                 {"PlateColor_001_name = \"B\"", "PlateColor_002_name = \"\""}},
        FileCase{"MissingComponents", "\nPlateColor_001_color = 1, 0.5\n", 2, {"PlateColor_001_color = 1, 0.5, 0, 0, 0"}},
        FileCase{"NulEndsText", std::string("showoption = 0\r\nfinish_line = 1\0\r\nscaled_drawing = 1\r\n", 50), 2,
                 {"showoption = 0", "finish_line = 1", "scaled_drawing = 0"}},
        // 40 two-byte characters are 80 bytes, one too many: the whole last
        // character goes.
        FileCase{"LongNameIsCutAtCharacterBoundary",
                 [] {
                   std::string line = "PlateColor_001_name = \"";
                   for (int i = 0; i < 40; ++i) line += "\x90\xD4";  // 赤
                   return line + "\"\n";
                 }(),
                 1, {},
                 [](const Settings& s) { EXPECT_EQ(std::string(PlateColorName(s.plateColors[0])).size(), 39u * 3); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsText, DecimalsAreWrittenAsPrintfG) {
  // printf in the C locale is the reference; widths pass single precision.
  for (const double width : {0.1, 1.0 / 3.0, 2.5e-7, 123456.7, 1234567.0, -4.25, 1e30}) {
    Settings s;
    s.finishLineWidth = width;
    const std::string out = Save(s);
    char expected[64];
    std::snprintf(expected, sizeof expected, "finish_line_width = %g\r\n", static_cast<double>(static_cast<float>(width)));
    EXPECT_NE(out.find(expected), std::string::npos) << expected;
  }
}

}  // namespace
}  // namespace quorvane::settings
