// The real module in the app: its tool in the palette picking anchors on
// the canvas in document points, its work layer in
// the layers list, a click in its panel recorded as one step that the Edit
// menu undoes and redoes by name, its Window item checked while the panel
// shows, its About item reached through the maker's submenu, and the
// interface brightness passed on.
#include <gtest/gtest.h>

#include <QAction>
#include <QDockWidget>
#include <QToolButton>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <algorithm>

#include "app_test_support.h"
#include "workbench/app/app_session.h"
#include "workbench/app/main_window.h"
#include "workbench/ui/headless_toolkit.h"
#include "workbench/ui/qt_toolkit.h"

namespace workbench::app {
namespace {

constexpr const char* kModulePath = QUORVANE_BUILD_DIR "/plugins/quorvane.so";
// The module's registrations and its panel's "New set" button with the
// set-name dialog it opens.
constexpr const char* kPanelId = "Quorvane_INFO_PANEL";
constexpr std::int32_t kNewSetButton = 10;
constexpr std::int32_t kSetNameDialog = 16258;
constexpr std::int32_t kAddButton = 14;
constexpr std::int32_t kFirstTypeButton = 15;

QMenu* MenuNamed(QMainWindow& window, const QString& title) {
  for (QAction* action : window.menuBar()->actions()) {
    if (action->menu() != nullptr && action->text().remove('&') == title) return action->menu();
  }
  return nullptr;
}

QAction* ActionNamed(QMenu* menu, const QString& text) {
  for (QAction* action : menu->actions()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

class AppModule : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(session_.LoadModule(kModulePath, &error)) << error;
    window_ = std::make_unique<MainWindow>(session_);
    ASSERT_TRUE(window_->OpenFile(QString::fromStdString(testing::SampleBodice().string())));
    // Questions are answered no, alerts noted.
    session_.Host().Prompts().SetDisplay([this](plugin::PromptKind kind, const std::string& text) -> std::optional<bool> {
      prompts_.push_back(text);
      return kind != plugin::PromptKind::kQuestion;
    });
  }
  void TearDown() override {
    window_.reset();
    session_.UnloadModule();
  }
  ui::HeadlessToolkit& Ui() { return *session_.Host().HeadlessUi(); }

  testing::TempDir prefs_;
  AppSession session_{prefs_.Path()};
  std::unique_ptr<MainWindow> window_;
  std::vector<std::string> prompts_;
};

TEST_F(AppModule, APanelClickIsOneStepTheEditMenuUndoesAndRedoes) {
  QAction* tool = window_->findChild<QAction*>(QStringLiteral("tool:Quorvane"));
  ASSERT_NE(tool, nullptr) << "the module's tool is not in the palette";
  ASSERT_TRUE(session_.ClickAt({161, 500}, 4.0, false));
  ASSERT_EQ(session_.Doc().SelectedPaths().size(), 1u);
  tool->trigger();
  ASSERT_NE(session_.Host().Tools().Selected(), nullptr);
  EXPECT_FALSE(window_->Layers().findItems(QStringLiteral("<<Quorvane Work Layer1>>"), Qt::MatchExactly, 2).isEmpty());

  const std::optional<ui::PanelInfo> panel = Ui().FindPanel(kPanelId);
  ASSERT_TRUE(panel);
  Ui().AddDialogAnswer({kSetNameDialog, {{ui::DialogStep::Kind::kSetText, 5, "Sleeve", -1},
                                         {ui::DialogStep::Kind::kClick, 1, "", -1}}});
  const std::size_t plays = session_.Host().Actions().PlayLog().size();
  ASSERT_TRUE(Ui().Click(panel->window, kNewSetButton).delivered);
  ASSERT_EQ(session_.Host().Actions().PlayLog().size(), plays + 1);
  EXPECT_EQ(Ui().FindControl(panel->window, 1)->items, std::vector<std::string>{"Sleeve"});

  // The window notices the played command by itself.
  QAction& undo = window_->UndoAction();
  QAction& redo = window_->RedoAction();
  ASSERT_TRUE(QTest::qWaitFor([&] { return undo.isEnabled() && !redo.isEnabled(); }, 2000));
  const QString stepText = undo.text();
  EXPECT_TRUE(stepText.startsWith(QStringLiteral("Undo"))) << stepText.toStdString();

  // A "Rev. forward" picked on the canvas: the press at anchor 3's pixel
  // reaches the module as that anchor's document point (the file's
  // (250, 40) is (350, 1320) with y up).
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  window_->Canvas().FitDocument();
  ASSERT_TRUE(Ui().Click(panel->window, kFirstTypeButton).delivered);
  ASSERT_TRUE(Ui().Click(panel->window, kAddButton).delivered);
  const geometry::Point anchor3 = window_->Canvas().View().ToScreen({350, 1320});
  QTest::mouseClick(&window_->Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(int(anchor3.x + 0.5), int(anchor3.y + 0.5)));
  const std::vector<std::string> rows = Ui().FindControl(panel->window, 2)->items;
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].rfind("2  Rev. forward       3 ", 0), 0u) << rows[1];

  // Undo and redo of the last step, by its name.
  const QString lastText = undo.text();
  undo.trigger();
  EXPECT_TRUE(redo.isEnabled());
  EXPECT_EQ(redo.text(), QString(lastText).replace(0, 4, QStringLiteral("Redo")));
  redo.trigger();
  EXPECT_FALSE(redo.isEnabled());
  EXPECT_EQ(undo.text(), lastText);
}

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
  // The module answers with its name and version, in an alert or a dialog.
  Ui().AddDialogAnswer({0, {{ui::DialogStep::Kind::kClick, 1, "", -1}}});
  aboutModule->trigger();
  std::vector<std::string> texts = prompts_;
  for (const ui::ShownDialog& dialog : Ui().ShownDialogs()) {
    for (const ui::ControlState& control : dialog.controls) texts.push_back(control.text);
  }
  EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return t.rfind("Quorvane Ver", 0) == 0; }),
            1);

  const QvWindowHandle panelWindow = Ui().FindPanel(kPanelId)->window;
  const int invalidations = Ui().WindowInvalidations(panelWindow);
  QAction* dark = window_->findChild<QAction*>(QStringLiteral("darkInterface"));
  ASSERT_NE(dark, nullptr);
  dark->trigger();
  EXPECT_TRUE(session_.DarkInterface());
  EXPECT_GT(Ui().WindowInvalidations(panelWindow), invalidations) << "the panel redraws in the new colours";
}

TEST(AppPanelDock, TheModulesPanelIsDockedWithItsFlyoutAndLeavesWithTheModule) {
  testing::TempDir prefs;
  AppSession session(prefs.Path());
  auto toolkit = std::make_unique<ui::QtToolkit>();
  ui::QtToolkit* widgets = toolkit.get();
  session.SetToolkit(std::move(toolkit));
  std::string error;
  ASSERT_TRUE(session.LoadModule(kModulePath, &error)) << error;
  MainWindow window(session, widgets);
  ASSERT_TRUE(session.Open(testing::SampleBodice(), &error)) << error;

  ASSERT_EQ(widgets->Panels().size(), 1u);
  const QvPanelHandle panel = widgets->Panels()[0].handle;
  QDockWidget* dock = window.findChild<QDockWidget*>(QStringLiteral("panel:") + kPanelId);
  ASSERT_NE(dock, nullptr);
  EXPECT_EQ(window.PanelDock(panel), dock);
  EXPECT_TRUE(dock->isAncestorOf(widgets->PanelWidget(panel)));
  auto* flyout = dock->findChild<QToolButton*>(QStringLiteral("flyout"));
  ASSERT_NE(flyout, nullptr);
  EXPECT_EQ(flyout->menu(), widgets->FlyoutMenu(panel));
  EXPECT_FALSE(flyout->menu()->actions().isEmpty());

  // The module shows its panel when its tool is taken up.
  ASSERT_TRUE(session.ClickAt({161, 500}, 4.0, false));
  window.findChild<QAction*>(QStringLiteral("tool:Quorvane"))->trigger();
  EXPECT_FALSE(dock->isHidden());

  session.UnloadModule();
  EXPECT_EQ(window.PanelDock(panel), nullptr);
}

}  // namespace
}  // namespace workbench::app
