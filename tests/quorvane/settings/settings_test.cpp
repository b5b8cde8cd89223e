#include "quorvane/settings/settings.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace quorvane::settings {
namespace {

TEST(Settings, UnitFactorsHaveExactBitsAndDefaultColoursLeaveNothingStale) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(*UnitFactor(kUnitMillimetre)), 0x4006AD5AB56AD5ACu);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(*UnitFactor(kUnitCentimetre)), 0x403C58B162C58B16u);
  EXPECT_EQ(*UnitFactor(kUnitInch), 72.0);
  EXPECT_FALSE(UnitFactor(3));
  EXPECT_FALSE(UnitFactor(-1));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(Settings{}.unitFactor), 0x4006AD5AB56AD5ACu);

  Settings s;
  s.plateColors[2].components[3] = 0.7;
  std::strcpy(s.plateColors[2].name, "Leftover name that is longer");
  FillDefaultPlateColors(s);
  ASSERT_EQ(s.plateColorCount, 7);
  EXPECT_NE(PlateColorName(s.plateColors[2]), "Leftover name that is longer");
  EXPECT_NE(s.plateColors[2].components[3], 0.7);
}

TEST(Settings, PlateColourNamesAreTakenOnlyWhenTheFileCanCarryThem) {
  std::string japanese80;  // 40 two-byte characters are 80 bytes in code page 932
  for (int i = 0; i < 40; ++i) japanese80 += "赤";
  for (const auto& [name, accepted] :
       std::initializer_list<std::pair<std::string, bool>>{{"Dark Blue", true}, {"紺色", true},
                                                           {std::string(79, 'x'), true}, {std::string(80, 'x'), false},
                                                           {japanese80, false}, {"Rose \xF0\x9F\x8C\xB9", false},
                                                           {"The \"Red\"", false}, {"Red\tBlue", false},
                                                           {"Red\nBlue", false}}) {
    PlateColor color;
    std::strcpy(color.name, "Before");
    const std::optional<std::string> problem = SetPlateColorName(color, name);
    EXPECT_EQ(!problem, accepted) << name;
    EXPECT_EQ(PlateColorName(color), accepted ? name : std::string("Before"));
    if (problem) {
      EXPECT_NE(problem->find(name), std::string::npos) << "the message names the colour";
    }
  }
}

}  // namespace
}  // namespace quorvane::settings
