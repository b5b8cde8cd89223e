#include "quorvane/settings/settings.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace quorvane::settings {
namespace {

TEST(UnitFactor, ExactBitsPerUnit) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(*UnitFactor(kUnitMillimetre)), 0x4006AD5AB56AD5ACu);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(*UnitFactor(kUnitCentimetre)), 0x403C58B162C58B16u);
  EXPECT_EQ(*UnitFactor(kUnitInch), 72.0);
  EXPECT_FALSE(UnitFactor(3));
  EXPECT_FALSE(UnitFactor(-1));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(Settings{}.unitFactor), 0x4006AD5AB56AD5ACu);
}

TEST(FillDefaultPlateColors, SevenFourColourEntriesWithNothingStaleLeft) {
  Settings s;
  s.plateColors[2].components[3] = 0.7;  // stale values are cleared
  std::strcpy(s.plateColors[2].name, "Leftover name that is longer");
  FillDefaultPlateColors(s);
  ASSERT_EQ(s.plateColorCount, 7);
  EXPECT_NE(PlateColorName(s.plateColors[2]), "Leftover name that is longer");
  EXPECT_NE(s.plateColors[2].components[3], 0.7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(s.plateColors[i].kind, kColorKindFourColor) << i;
}

struct NameCase {
  const char* label;
  std::string name;
  bool accepted;
};

class SetPlateColorNameTable : public ::testing::TestWithParam<NameCase> {};

TEST_P(SetPlateColorNameTable, AcceptsOnlyWhatTheFileCanCarry) {
  const NameCase& t = GetParam();
  PlateColor color;
  std::strcpy(color.name, "Before");
  const std::optional<std::string> problem = SetPlateColorName(color, t.name);
  EXPECT_EQ(!problem, t.accepted) << problem.value_or("");
  EXPECT_EQ(PlateColorName(color), t.accepted ? t.name : std::string("Before"));
  if (problem) {
    EXPECT_NE(problem->find(t.name), std::string::npos) << "the message names the colour";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, SetPlateColorNameTable,
    ::testing::Values(NameCase{"Ascii", "Dark Blue", true},
                      NameCase{"Japanese", "\xE7\xB4\xBA\xE8\x89\xB2", true},  // 紺色
                      NameCase{"Longest", std::string(79, 'x'), true},
                      NameCase{"TooLong", std::string(80, 'x'), false},
                      // 40 two-byte characters are 80 bytes in code page 932.
                      NameCase{"TooLongJapanese",
                               [] {
                                 std::string s;
                                 for (int i = 0; i < 40; ++i) s += "\xE8\xB5\xA4";  // 赤
                                 return s;
                               }(),
                               false},
                      NameCase{"Emoji", "Rose \xF0\x9F\x8C\xB9", false},
                      NameCase{"Quote", "The \"Red\"", false},
                      NameCase{"Tab", "Red\tBlue", false},
                      NameCase{"LineBreak", "Red\nBlue", false}),
    [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace quorvane::settings
