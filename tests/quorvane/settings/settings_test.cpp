// The settings: their values, and the settings file in the preferences
// folder.
#include "quorvane/settings/settings.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#include "quorvane/settings/settings_file.h"
#include "quorvane/text/file_io.h"
#include "support/shared_data.h"

namespace quorvane::settings {
namespace {

TEST(Settings, UnitFactorsHaveExactBitsAndDefaultColoursLeaveNothingStale) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(*UnitFactor(kUnitMillimetre)), 0x4006AD5AB56AD5ACu);
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

class SettingsFileTest : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path folder_ = testing::FreshTempPath("quorvane-settings-");
};

TEST_F(SettingsFileTest, MissingFileKeepsTheValuesAndCreatesTheFolder) {
  const SettingsFile file(folder_ / "Prefs");
  EXPECT_EQ(file.Path(), folder_ / "Prefs" / "Quorvane.ini");
  Settings s;
  s.showOption = 0;
  const SettingsLoadResult result = file.Load(s);
  EXPECT_FALSE(result.read);
  EXPECT_TRUE(result.problems.empty());
  EXPECT_EQ(s.showOption, 0);
  EXPECT_EQ(s.plateColorCount, 7);
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / "Prefs"));
}

TEST_F(SettingsFileTest, SavedFileLoadsBackAndARefusedSaveKeepsIt) {
  const SettingsFile file(folder_);
  Settings s;
  FillDefaultPlateColors(s);
  s.unit = kUnitInch;
  s.unitFactor = 72.0;
  ASSERT_FALSE(file.Save(s));
  const std::optional<std::string> first = text::ReadFileBytes(file.Path());
  Settings loaded;
  EXPECT_TRUE(file.Load(loaded).read);
  EXPECT_EQ(loaded.unitFactor, 72.0);

  std::strcpy(s.plateColors[0].name, "Rose \xF0\x9F\x8C\xB9");
  const std::optional<std::string> problem = file.Save(s);
  ASSERT_TRUE(problem);
  EXPECT_NE(problem->find(file.Path().string()), std::string::npos) << *problem;
  EXPECT_EQ(text::ReadFileBytes(file.Path()), first);
}

}  // namespace
}  // namespace quorvane::settings
