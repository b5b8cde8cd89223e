#include "quorvane/settings/settings_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "quorvane/text/file_io.h"
#include "support/shared_data.h"

namespace quorvane::settings {
namespace {

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
