// The real module's panel as the Qt toolkit draws it, compared with reference
// pictures in tests/data/panel-screens/ (see screenshots.h for the
// tolerance, the fonts and how to rewrite the references): light and dark
// theme, English and Japanese texts, at scale 1 and once at scale 2. The
// list file beside the pictures gives the panel three sets; the first is
// chosen so that both lists show rows. The panel font the module asks for
// is checked as well, in the headless toolkit: "Segoe UI" in English, the
// Japanese face otherwise.
#include <QListWidget>

#include <algorithm>
#include <memory>

#include "quorvane/host/plugin_globals.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_state.h"
#include "support/loaded_module.h"
#include "workbench/ui/screenshots.h"
#include "workbench/ui/headless_toolkit.h"
#include "workbench/ui/qt_toolkit.h"

namespace workbench::ui {
namespace {

namespace fs = std::filesystem;
namespace panel = quorvane::panel;
using namespace quorvane::testing::screenshots;
using quorvane::text::Language;


fs::path ReferenceDir() { return fs::path(QUORVANE_TEST_DATA_DIR) / "panel-screens"; }
fs::path OutputDir() { return fs::path(QUORVANE_SCREENSHOT_OUT_DIR); }

// ---- The font the module asks for ----------------------------------------------------

class PanelFontTest : public quorvane::testing::LoadedModuleTest,
                      public ::testing::WithParamInterface<Language> {};

TEST_P(PanelFontTest, EnglishTakesSegoeUiEveryOtherLanguageTheJapaneseFace) {
  LoadAndStart();
  Globals()->settings.language = GetParam();
  ASSERT_EQ(host_.Notify(kQvApplicationStartedNotifier), kQvNoErr);
  const QvWindowHandle window = panel::StateOf(*Globals()).window;
  ASSERT_NE(window, nullptr);
  const std::optional<HeadlessToolkit::WindowFont> font = host_.HeadlessUi()->FontOf(window);
  ASSERT_TRUE(font.has_value()) << "the panel got no font";
  EXPECT_EQ(font->face, GetParam() == Language::kEnglish ? "Segoe UI" : "IPAゴシック");
  EXPECT_EQ(font->heightUnits, 12);
}

INSTANTIATE_TEST_SUITE_P(Languages, PanelFontTest,
                         ::testing::Values(Language::kEnglish, Language::kJapanese, Language::kKorean));

// ---- Pictures -----------------------------------------------------------------------

struct Shot {
  const char* name;
  bool dark;
  Language language;
  double scale;
};

void PrintTo(const Shot& shot, std::ostream* os) { *os << shot.name; }

class PanelScreenshotTest : public quorvane::testing::LoadedModuleTest,
                            public ::testing::WithParamInterface<Shot> {
 protected:
  void SetUp() override {
    if (!FontsInstalled()) GTEST_SKIP() << MissingFonts();
    const Shot& shot = GetParam();
    fs::create_directories(prefs_);
    fs::copy_file(ReferenceDir() / "Trevask-list.txt", prefs_ / "Trevask-list.txt",
                  fs::copy_options::overwrite_existing);
    auto toolkit = std::make_unique<QtToolkit>(shot.scale);
    qt_ = toolkit.get();
    qt_->SetInterfaceDark(shot.dark);
    host_.SetUi(std::move(toolkit));
    LoadAndStart();
    Globals()->settings.language = shot.language;
    ASSERT_EQ(host_.Notify(kQvApplicationStartedNotifier), kQvNoErr);
    ASSERT_EQ(qt_->Panels().size(), 1u);
    panel_ = qt_->Panels().front().handle;
    window_ = panel::StateOf(*Globals()).window;

    // A closed path and the module's tool enable the panel; choosing the
    // first set fills the command list.
    doc_.SetSelected(Square(0.0, 200.0), true);
    ASSERT_EQ(host_.SelectTool(Globals()->tool), kQvNoErr);
    auto* sets = qobject_cast<QListWidget*>(qt_->ControlWidget(window_, panel::kSetList));
    ASSERT_NE(sets, nullptr);
    ASSERT_EQ(sets->count(), 3);
    sets->setCurrentRow(-1);
    sets->setCurrentRow(0);
    auto* commands = qobject_cast<QListWidget*>(qt_->ControlWidget(window_, panel::kCommandList));
    ASSERT_NE(commands, nullptr);
    ASSERT_GT(commands->count(), 1) << "the chosen set's commands are listed";
    ASSERT_TRUE(qt_->ReportedErrors().empty()) << qt_->ReportedErrors().front();
  }

  QtToolkit* qt_ = nullptr;
  QvPanelHandle panel_ = nullptr;
  QvWindowHandle window_ = nullptr;
};

TEST_P(PanelScreenshotTest, PanelLooksAsItsReference) {
  const Shot& shot = GetParam();
  QWidget* widget = qt_->PanelWidget(panel_);
  ASSERT_NE(widget, nullptr);
  const QImage actual = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(actual.size(), QSize(static_cast<int>(400 * shot.scale), static_cast<int>(500 * shot.scale)));
  ExpectLooksLikeReference(actual, ReferenceDir(), OutputDir(), shot.name);
}

INSTANTIATE_TEST_SUITE_P(ThemesAndLanguages, PanelScreenshotTest,
                         ::testing::Values(Shot{"light-en", false, Language::kEnglish, 1.0},
                                           Shot{"dark-en", true, Language::kEnglish, 1.0},
                                           Shot{"light-ja", false, Language::kJapanese, 1.0},
                                           Shot{"dark-ja", true, Language::kJapanese, 1.0},
                                           Shot{"light-en-2x", false, Language::kEnglish, 2.0}),
                         [](const ::testing::TestParamInfo<Shot>& info) {
                           std::string n = info.param.name;
                           std::replace(n.begin(), n.end(), '-', '_');
                           return n;
                         });

}  // namespace
}  // namespace workbench::ui

int main(int argc, char** argv) { return quorvane::testing::screenshots::RunScreenshotTests(argc, argv, workbench::ui::OutputDir()); }
