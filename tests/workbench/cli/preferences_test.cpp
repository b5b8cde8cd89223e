// The preferences folder the command line hands the module: settings lines
// replaced by key, temporary folders seeded and removed.
#include "workbench/cli/preferences.h"

#include <gtest/gtest.h>

#include "cli_test_support.h"

namespace workbench::cli {
namespace {

namespace fs = std::filesystem;
using testing::Slurp;
using testing::Spill;

TEST(Preferences, SettingsValuesReplaceTheirOwnKeysOnly) {
  testing::TempDir dir;
  Spill(dir / kSettingsFileName, "language = ENGLISH\r\n'trevask_unit = 1\r\ntrevask_unit=1\nPlateColor_001_name = \"Black\"");
  ASSERT_EQ(SetSettingsValues(dir.Path(), {{"trevask_unit", "2"}, {"language", "JAPANESE"}}), std::nullopt);
  EXPECT_EQ(Slurp(dir / kSettingsFileName),
            "'trevask_unit = 1\r\nPlateColor_001_name = \"Black\"\r\ntrevask_unit = 2\r\nlanguage = JAPANESE\r\n");
}

TEST(Preferences, ATemporaryFolderIsSeededFromTheUsersConfigAndRemoved) {
  testing::TempDir home;
  fs::create_directories(home / "quorvane");
  Spill(home / "quorvane" / kListFileName, "#Seed\n");
  setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
  std::string error;
  fs::path made;
  {
    std::optional<PreferencesFolder> folder = PreferencesFolder::Make(std::nullopt, &error);
    ASSERT_TRUE(folder) << error;
    made = folder->Path();
    EXPECT_NE(made, home / "quorvane");
    EXPECT_EQ(Slurp(made / kListFileName), "#Seed\n");
  }
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_FALSE(fs::exists(made));
  EXPECT_TRUE(fs::exists(home / "quorvane" / kListFileName)) << "the user's own file stays";
}

}  // namespace
}  // namespace workbench::cli
