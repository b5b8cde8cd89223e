// The real quorvane-workbench program, offscreen and on a virtual X
// server: opens a file, saves a picture of its window and quits.
#include <QImage>

#include <cstdlib>
#include <set>

#include "desktop_fixture.h"
#include "support/shared_data.h"

namespace workbench::app::testing {
namespace {

constexpr const char* kProgram = QUORVANE_BUILD_DIR "/bin/quorvane-workbench";

// Runs the program on `file` and returns its exit status; the picture goes
// to `png`. `launcher` goes before the program, after its environment.
int Screenshot(const std::filesystem::path& file, const std::filesystem::path& prefs, const std::filesystem::path& png,
               const std::string& platform = "offscreen", const std::string& launcher = "") {
  const std::string command = "QT_QPA_PLATFORM=" + platform + " XDG_CONFIG_HOME='" + prefs.string() + "/config' " +
                              launcher + " '" + kProgram + "' '" + file.string() + "' --prefs '" + prefs.string() +
                              "' --screenshot '" + png.string() + "' --quit";
  return std::system(command.c_str());
}

// The picture is of a window showing a piece: more than ten colours, and
// more than 100 dark pixels (lightness below 80) in its middle region,
// where the canvas is.
void ExpectAPieceShown(const std::filesystem::path& png) {
  const QImage image(QString::fromStdString(png.string()));
  ASSERT_FALSE(image.isNull()) << png;
  EXPECT_GE(image.width(), 400);
  std::set<QRgb> colours;
  int darkInMiddle = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      colours.insert(pixel);
      const bool middle = x > image.width() / 4 && x < image.width() * 3 / 4 && y > image.height() / 4 &&
                          y < image.height() * 3 / 4;
      if (middle && QColor(pixel).lightness() < 80) ++darkInMiddle;
    }
  }
  EXPECT_GT(colours.size(), 10u) << "a blank picture";
  EXPECT_GT(darkInMiddle, 100) << "the piece's outlines are missing";
}

TEST(AppProgram, SavesAPictureOfTheSampleAndQuitsAndRefusesAMissingFile) {
  TempDir dir;
  EXPECT_NE(Screenshot(dir.Path() / "missing.svg", dir.Path() / "prefs", dir.Path() / "missing.png"), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "missing.png"));
  const std::filesystem::path png = dir.Path() / "window.png";
  ASSERT_EQ(Screenshot(SampleBodice(), dir.Path() / "prefs", png), 0);
  ExpectAPieceShown(png);
}

// The smoke test of the desktop build: a real X server (Xvfb) and Qt's xcb
// platform, as a user's display runs it.
TEST(AppProgram, ShowsACorpusPieceOnAVirtualXServer) {
  if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
  const std::optional<std::filesystem::path> shared = quorvane::testing::SharedDir();
  if (!shared) GTEST_SKIP() << quorvane::testing::kNoSharedDir;
  const std::filesystem::path piece = *shared / "corpus" / "freesewing" / "aaron-cisFemaleAdult34.svg";
  if (!std::filesystem::exists(piece)) GTEST_SKIP() << "the corpus has no " << piece.filename();
  TempDir dir;
  const std::filesystem::path png = dir.Path() / "xvfb.png";
  ASSERT_EQ(Screenshot(piece, dir.Path() / "prefs", png, "xcb", "timeout 120 xvfb-run -a -s '-screen 0 1280x1024x24'"),
            0);
  ExpectAPieceShown(png);
}

// The program prints its help and version with no display to open.
TEST(AppProgram, HelpAndVersionNeedNoDisplay) {
  const auto run = [](const std::string& option, int* status) {
    return Output("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb '" + std::string(kProgram) + "' " + option +
                      " 2>&1",
                  status);
  };
  int status = -1;
  const std::string version = run("--version", &status);
  EXPECT_EQ(status, 0) << version;
  EXPECT_NE(version.find(std::string("quorvane-workbench ") + QUORVANE_VERSION), std::string::npos) << version;
  const std::string help = run("--help", &status);
  EXPECT_EQ(status, 0) << help;
  EXPECT_NE(help.find("--screenshot"), std::string::npos) << help;
}

}  // namespace
}  // namespace workbench::app::testing
