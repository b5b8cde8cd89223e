// What the app tests share: the sample bodice and its seams, and the
// desktop app as a user meets it, for tests that drive it by real widget
// events: the main window over the real module in the Qt toolkit, its panel
// docked, the sample bodice open, and helpers that press the panel's
// buttons, type into its fields, click the canvas at a document point's
// pixel and answer modal dialogs by clicking their widgets.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "workbench/cli/cli_test_support.h"
#include "workbench/app/app_session.h"
#include "workbench/app/main_window.h"
#include "workbench/ui/qt_toolkit.h"

namespace workbench::app::testing {

using cli::testing::kPointsPerMm;
using cli::testing::Slurp;
using cli::testing::TempDir;

inline std::filesystem::path SampleBodice() { return std::filesystem::path(QUORVANE_SAMPLES_DIR) / "front-bodice.svg"; }

/// Points of the sample bodice in document points (y up): the file's user
/// units shifted by its view box (-100, -120) and flipped on its 1480 pt
/// page, so (x, y) in the file is (x + 100, 1360 - y) here. The middle of
/// the straight front edge (160, 145)-(160, 930), and a point well inside,
/// away from every line.
inline constexpr geometry::Point kFrontEdgeMiddle{160, 537.5};
inline constexpr geometry::Point kBodiceInside{400, 600};

inline constexpr const char* kModulePath = QUORVANE_BUILD_DIR "/plugins/quorvane.so";
/// How long a modal dialog may take to show, in 10 ms polls.
inline constexpr int kModalPolls = 300;

/// The pixel (rounded) that shows a document point on the canvas.
inline QPoint PixelOf(const CanvasWidget& canvas, geometry::Point doc) {
  const geometry::Point p = canvas.View().ToScreen(doc);
  return {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
}

/// Runs `answer` on the modal dialog that the next action opens, from the
/// event loop that dialog runs. When no dialog shows in time, `missed` is
/// set; an answer that leaves the dialog open must close it itself, so a
/// failed answer never hangs the test.
inline void WhenModal(std::function<void(QWidget*)> answer, bool* missed, int polls = kModalPolls) {
  QTimer::singleShot(10, [answer = std::move(answer), missed, polls] {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      answer(dialog);
    } else if (polls > 0) {
      WhenModal(answer, missed, polls - 1);
    } else {
      *missed = true;
    }
  });
}

/// The menu bar's menu titled `title` (its '&' marks ignored), or null.
inline QMenu* MenuNamed(QMainWindow& window, const QString& title) {
  for (QAction* action : window.menuBar()->actions()) {
    if (action->menu() != nullptr && action->text().remove('&') == title) return action->menu();
  }
  return nullptr;
}

/// The item of `menu` titled `text` (its '&' marks ignored), or null.
inline QAction* ActionNamed(QMenu* menu, const QString& text) {
  for (QAction* action : menu != nullptr ? menu->actions() : QList<QAction*>{}) {
    if (action->text().remove('&') == text) return action;
  }
  return nullptr;
}

/// Replaces a line edit's text as a user does: select all, then type.
inline void TypeInto(QLineEdit* edit, const QString& text) {
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(edit, text);
}

/// What a shell command prints (standard output only); its status in `status`.
inline std::string Output(const std::string& command, int* status = nullptr) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  const int ended = pclose(pipe);
  if (status != nullptr) *status = ended;
  return out;
}

// Controls of the module's dialogs: the one field and OK.
inline constexpr int kDialogField = 5;
inline constexpr int kDialogOk = 1;

inline QWidget* DialogControl(QWidget* dialog, int id) {
  return dialog->findChild<QWidget*>(QStringLiteral("control-%1").arg(id));
}

// Clicks a dialog's button, when it has one of that id.
inline void ClickDialogButton(QWidget* dialog, int id) {
  auto* button = qobject_cast<QAbstractButton*>(DialogControl(dialog, id));
  if (button != nullptr) QTest::mouseClick(button, Qt::LeftButton);
}

// Types `text` into the dialog's field and clicks OK. When the field is
// missing the dialog is cancelled, so that the test goes on.
inline void TypeAndConfirm(QWidget* dialog, const QString& text, std::string* failure) {
  auto* field = qobject_cast<QLineEdit*>(DialogControl(dialog, kDialogField));
  if (field == nullptr) {
    *failure = "the dialog has no field " + std::to_string(kDialogField);
    QTest::keyClick(dialog, Qt::Key_Escape);
    return;
  }
  TypeInto(field, text);
  ClickDialogButton(dialog, kDialogOk);
}

/// A session of the app with a preferences folder of its own, its module's
/// alerts noted and questions answered no (instead of message boxes that
/// nobody would close).
class AppTest : public ::testing::Test {
 protected:
  void NotePrompts() {
    session_.Host().Prompts().SetDisplay([this](plugin::PromptKind kind, const std::string& text) -> std::optional<bool> {
      prompts_.push_back(text);
      return kind != plugin::PromptKind::kQuestion;
    });
  }
  document::Document& Doc() { return session_.Doc(); }
  /// A closed square of `size` points with its lower left corner at (x, y),
  /// on the given layer (the first one by default).
  document::ArtId Square(double x, double y, double size, document::LayerId layer = {}) {
    std::vector<geometry::PathSegment> segments;
    for (geometry::Point p : {geometry::Point{x, y}, {x, y + size}, {x + size, y + size}, {x + size, y}}) {
      segments.push_back(geometry::PathSegment::Corner(p));
    }
    return Doc().NewPath(Doc().LayerGroup(layer ? layer : Doc().LayerAt(0)), segments, true);
  }

  TempDir prefs_;
  AppSession session_{prefs_.Path()};
  std::vector<std::string> prompts_;
};

class DesktopApp : public AppTest {
 protected:
  /// Runs before the module starts, which reads the preferences folder.
  virtual void PreparePreferences() {}

  void SetUp() override {
    PreparePreferences();
    auto toolkit = std::make_unique<ui::QtToolkit>();
    widgets_ = toolkit.get();
    session_.SetToolkit(std::move(toolkit));
    std::string error;
    ASSERT_TRUE(session_.LoadModule(kModulePath, &error)) << error;
    window_ = std::make_unique<MainWindow>(session_, widgets_);
    NotePrompts();
    ASSERT_TRUE(window_->OpenFile(QString::fromStdString(SampleBodice().string())));
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    window_->Canvas().FitDocument();
    ASSERT_EQ(widgets_->Panels().size(), 1u);
    panel_ = widgets_->Panels().front().handle;
    panelWindow_ = widgets_->Panels().front().window;
  }
  void TearDown() override {
    window_.reset();
    session_.UnloadModule();
  }

  CanvasWidget& Canvas() { return window_->Canvas(); }

  /// A click of the left button on the canvas at a document point.
  void ClickCanvas(geometry::Point doc) {
    QTest::mouseClick(&Canvas(), Qt::LeftButton, Qt::NoModifier, PixelOf(Canvas(), doc));
  }
  /// Chooses a tool by a click on its button in the palette.
  void ChooseTool(const QString& objectName) {
    auto* tools = window_->findChild<QToolBar*>(QStringLiteral("tools"));
    ASSERT_NE(tools, nullptr);
    QAction* action = window_->findChild<QAction*>(objectName);
    ASSERT_NE(action, nullptr) << objectName.toStdString();
    QWidget* button = tools->widgetForAction(action);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(action->isChecked());
  }
  /// The panel's control widget, or null.
  QWidget* Control(std::int32_t id) const { return widgets_->ControlWidget(panelWindow_, id); }
  /// A click on a panel button, which must be shown and enabled.
  void Press(std::int32_t id) {
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    ASSERT_NE(button, nullptr) << "control " << id;
    ASSERT_TRUE(button->isVisible() && button->isEnabled()) << "control " << id << " cannot be pressed";
    QTest::mouseClick(button, Qt::LeftButton);
  }
  /// Types into a panel field: an edit field or an editable drop-down.
  void Type(std::int32_t id, const QString& text) {
    QWidget* widget = Control(id);
    QLineEdit* edit = qobject_cast<QLineEdit*>(widget);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) edit = combo->lineEdit();
    ASSERT_NE(edit, nullptr) << "control " << id << " takes no typing";
    ASSERT_TRUE(edit->isEnabled()) << "control " << id << " is disabled";
    TypeInto(edit, text);
  }
  /// The rows of a panel list.
  std::vector<std::string> Rows(std::int32_t id) {
    std::int32_t count = 0;
    std::vector<std::string> rows;
    if (widgets_->CountItems(panelWindow_, id, &count) != kQvNoErr) return rows;
    for (std::int32_t i = 0; i < count; ++i) {
      std::string text;
      widgets_->ItemText(panelWindow_, id, i, &text);
      rows.push_back(text);
    }
    return rows;
  }
  /// Chooses `item` in the flyout menu of the panel's dock.
  void ChooseFlyoutItem(const QString& item) {
    QDockWidget* dock = window_->PanelDock(panel_);
    ASSERT_NE(dock, nullptr);
    auto* flyout = dock->findChild<QToolButton*>(QStringLiteral("flyout"));
    ASSERT_NE(flyout, nullptr);
    QAction* action = ActionNamed(flyout->menu(), item);
    ASSERT_NE(action, nullptr) << "no flyout item " << item.toStdString();
    action->trigger();
  }

  ui::QtToolkit* widgets_ = nullptr;
  std::unique_ptr<MainWindow> window_;
  QvPanelHandle panel_ = nullptr;
  QvWindowHandle panelWindow_ = nullptr;
};

}  // namespace workbench::app::testing
