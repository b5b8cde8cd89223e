// The real module in the app: its Window item checked while the panel
// shows, its About item reached through the maker's submenu, and the
// interface brightness passed on. (Its panel driven by clicks, its picks on
// the canvas and its undo steps are the session and editing tests'.)
#include "desktop_fixture.h"
#include "workbench/ui/headless_toolkit.h"

namespace workbench::app::testing {
namespace {

constexpr const char* kPanelId = "Quorvane_INFO_PANEL";

// The module in the headless toolkit, which keeps the dialogs it showed.
class AppModule : public AppTest {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(session_.LoadModule(kModulePath, &error)) << error;
    window_ = std::make_unique<MainWindow>(session_);
    ASSERT_TRUE(window_->OpenFile(QString::fromStdString(SampleBodice().string())));
    NotePrompts();
  }
  void TearDown() override {
    window_.reset();
    session_.UnloadModule();
  }
  ui::HeadlessToolkit& Ui() { return *session_.Host().HeadlessUi(); }

  std::unique_ptr<MainWindow> window_;
};

TEST_F(AppModule, WindowAndAboutMenusAndTheBrightnessReachTheModule) {
  QAction* tool = window_->findChild<QAction*>(QStringLiteral("tool:Quorvane"));
  ASSERT_NE(tool, nullptr);
  ASSERT_TRUE(session_.ClickAt({161, 500}, 4.0, false));
  tool->trigger();

  QMenu* windowMenu = MenuNamed(*window_, QStringLiteral("Window"));
  ASSERT_NE(windowMenu, nullptr);
  emit windowMenu->aboutToShow();
  QAction* item = ActionNamed(windowMenu, QStringLiteral("Quorvane"));
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isChecked()) << "the panel shows while the module's tool is in use";
  // Choosing it hides the panel; the check mark follows.
  item->trigger();
  emit windowMenu->aboutToShow();
  item = ActionNamed(windowMenu, QStringLiteral("Quorvane"));
  ASSERT_NE(item, nullptr);
  EXPECT_FALSE(item->isChecked());
  EXPECT_FALSE(Ui().FindPanel(kPanelId)->shown);

  QMenu* about = MenuNamed(*window_, QStringLiteral("About"));
  ASSERT_NE(about, nullptr);
  emit about->aboutToShow();
  QAction* maker = ActionNamed(about, QStringLiteral("About Plug-ins (OMBRIVEX INC.)"));
  ASSERT_NE(maker, nullptr);
  ASSERT_NE(maker->menu(), nullptr);
  QAction* aboutModule = ActionNamed(maker->menu(), QStringLiteral("Quorvane..."));
  ASSERT_NE(aboutModule, nullptr);
  // The module shows its About box (what it says is the module's tests').
  Ui().AddDialogAnswer({0, {{ui::DialogStep::Kind::kClick, 1, "", -1}}});
  aboutModule->trigger();
  ASSERT_EQ(Ui().ShownDialogs().size(), 1u);
  EXPECT_TRUE(Ui().ShownDialogs()[0].result) << Ui().LastFailure();

  const QvWindowHandle panelWindow = Ui().FindPanel(kPanelId)->window;
  const int invalidations = Ui().WindowInvalidations(panelWindow);
  QAction* dark = window_->findChild<QAction*>(QStringLiteral("darkInterface"));
  ASSERT_NE(dark, nullptr);
  dark->trigger();
  EXPECT_TRUE(session_.DarkInterface());
  EXPECT_GT(Ui().WindowInvalidations(panelWindow), invalidations) << "the panel redraws in the new colours";
}

}  // namespace
}  // namespace workbench::app::testing
