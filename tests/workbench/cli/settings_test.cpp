// The settings file as the command line meets it: a file the module cannot
// use is reported, and a settings save that fails at the end of a run is a
// failure of the run. (The language and the layer titles it gives are the
// module's settings tests'.)
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "workbench/cli/pieces.h"

namespace workbench::cli::testing {
namespace {

namespace fs = std::filesystem;

// The run works in the folder itself: its own list file, no other.
std::vector<std::string> ApplyBodice(const fs::path& dir) {
  fs::create_directories(dir / "prefs");
  fs::copy_file(EveryKindList(), dir / "prefs" / "Trevask-list.txt", fs::copy_options::overwrite_existing);
  return {"apply", (Samples() / "front-bodice.svg").string(), "--set", "Basic 10 mm",
          "--prefs", (dir / "prefs").string(), "-o", (dir / "out.svg").string()};
}

TEST(SettingsCli, ASettingsFileTheModuleCannotUseIsReportedAndOneItCannotSaveFailsTheRun) {
  TempDir dir;
  fs::create_directory(dir / "prefs");
  Spill(dir / "prefs" / "Quorvane.ini", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR garbage", 24));
  const Ran ran = RunQuorvane(ApplyBodice(dir.Path()));
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_NE(ran.err.find("warning: " + (dir / "prefs" / "Quorvane.ini").string() + ": ignored"), std::string::npos)
      << ran.err;
  EXPECT_NE(ran.err.find("default settings"), std::string::npos) << ran.err;

  // A folder where the file should be: the module can neither read nor
  // replace it.
  fs::remove(dir / "prefs" / "Quorvane.ini");
  fs::remove(dir / "out.svg");
  fs::create_directories(dir / "prefs" / "Quorvane.ini");
  const Ran failed = RunQuorvane(ApplyBodice(dir.Path()));
  EXPECT_EQ(failed.status, 1) << failed.err;
  EXPECT_NE(failed.err.find("settings were not saved"), std::string::npos) << failed.err;
  EXPECT_NE(failed.err.find("Quorvane.ini"), std::string::npos) << failed.err;
  // The document itself was saved.
  EXPECT_EQ(ClosedPathsOnLayer(Read(dir / "out.svg"), "Front bodice(Auto seam-margin generate)").size(), 1u);
}

}  // namespace
}  // namespace workbench::cli::testing
