// The settings file as the command line meets it: the language is the one
// the module read, a file the module cannot use is reported, and a settings
// save that fails at the end of a run is a failure of the run.
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "workbench/cli/pieces.h"
#include "workbench/svg/svg_io.h"

namespace workbench::cli::testing {
namespace {

namespace fs = std::filesystem;

const std::string kList = (Samples() / "every-kind-list.txt").string();

// The run works in the folder itself: its own list file, no other.
std::vector<std::string> ApplyBodice(const fs::path& dir) {
  fs::create_directories(dir / "prefs");
  fs::copy_file(kList, dir / "prefs" / "Trevask-list.txt", fs::copy_options::overwrite_existing);
  return {"apply", (Samples() / "front-bodice.svg").string(), "--set", "Basic 10 mm",
          "--prefs", (dir / "prefs").string(), "-o", (dir / "out.svg").string()};
}

std::size_t ResultsOn(const fs::path& file, const std::string& layer) {
  auto read = svg::ReadSvgFile(file);
  return read ? ClosedPathsOnLayer(read.value(), layer).size() : 0;
}

TEST(SettingsCli, TheDialogsAreAnsweredInTheLanguageTheModuleRead) {
  struct Case {
    std::string line;
    std::string layer;
  };
  // A language line longer than the module keeps is skipped: English stays.
  const std::string tooLong = "language = " + std::string(300, 'J');
  for (const Case& c : {Case{tooLong, "Front bodice(Auto seam-margin generate)"},
                        Case{"language = ENGLISH", "Front bodice(Auto seam-margin generate)"},
                        Case{"language = JAPANESE", "Front bodice" + std::string(kSeamLayerSuffixJapanese)},
                        // Korean: English dialogs, Japanese texts and layer titles.
                        Case{"language = KOREAN", "Front bodice" + std::string(kSeamLayerSuffixJapanese)}}) {
    TempDir dir;
    fs::create_directory(dir / "prefs");
    Spill(dir / "prefs" / "Quorvane.ini", c.line + "\r\n");
    const Ran ran = RunQuorvane(ApplyBodice(dir.Path()));
    EXPECT_EQ(ran.status, 0) << c.line.substr(0, 40) << ": " << ran.err;
    EXPECT_EQ(ResultsOn(dir / "out.svg", c.layer), 1u) << c.line.substr(0, 40);
    EXPECT_EQ(ran.err.find("warning"), std::string::npos) << ran.err;
  }
}

TEST(SettingsCli, ASettingsFileTheModuleCannotUseIsReported) {
  TempDir dir;
  fs::create_directory(dir / "prefs");
  Spill(dir / "prefs" / "Quorvane.ini", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR garbage", 24));
  const Ran ran = RunQuorvane(ApplyBodice(dir.Path()));
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_NE(ran.err.find("warning: " + (dir / "prefs" / "Quorvane.ini").string() + ": ignored"), std::string::npos)
      << ran.err;
  EXPECT_NE(ran.err.find("default settings"), std::string::npos) << ran.err;
}

TEST(SettingsCli, ASettingsSaveThatFailsAtTheEndFailsTheRun) {
  TempDir dir;
  // A folder where the file should be: the module can neither read nor
  // replace it.
  fs::create_directories(dir / "prefs" / "Quorvane.ini");
  const Ran ran = RunQuorvane(ApplyBodice(dir.Path()));
  EXPECT_EQ(ran.status, 1) << ran.err;
  EXPECT_NE(ran.err.find("settings were not saved"), std::string::npos) << ran.err;
  EXPECT_NE(ran.err.find("Quorvane.ini"), std::string::npos) << ran.err;
  // The document itself was saved.
  EXPECT_EQ(ResultsOn(dir / "out.svg", "Front bodice(Auto seam-margin generate)"), 1u);
}

}  // namespace
}  // namespace workbench::cli::testing
