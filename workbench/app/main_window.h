// The desktop app's window: the canvas in the middle, the tools on the
// left, the layers list and the module's panel in docks, the menus File,
// Edit (undo, redo, delete, select all, deselect, preferences), View,
// Window and About, and a status bar with the pointer's
// coordinates and the zoom.
#pragma once

#include <QMainWindow>

#include <map>

#include "workbench/app/app_session.h"
#include "workbench/app/canvas_area.h"
#include "workbench/app/canvas_widget.h"
#include "workbench/app/layers_panel.h"

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;
class QDockWidget;
class QLabel;

namespace workbench::ui {
class QtToolkit;
}  // namespace workbench::ui

namespace workbench::app {

class MainWindow : public QMainWindow {
 public:
  /// The window over `session`, which must outlive it. The module, if any,
  /// should be loaded before, so that its tool and menu items are listed.
  /// With `toolkit` (the session host's toolkit) the modules' panels are
  /// docked; without it they live in the headless toolkit, undocked.
  explicit MainWindow(AppSession& session, ui::QtToolkit* toolkit = nullptr, QWidget* parent = nullptr);
  /// Takes the window's callbacks back from the session and the host.
  ~MainWindow() override;

  CanvasWidget& Canvas() { return *canvas_; }
  CanvasArea& Area() { return *area_; }
  LayersPanel& Layers() { return *layers_; }
  /// The Edit menu's actions, with the texts of the steps they undo/redo.
  QAction& UndoAction() { return *undo_; }
  QAction& RedoAction() { return *redo_; }
  /// The dock holding a module's panel; null when it is not docked.
  QDockWidget* PanelDock(QvPanelHandle panel) const;
  /// Rebuilds the tool palette from the host's tools, each with its
  /// module's icon for the interface theme.
  void RefreshTools();
  /// Brings the canvas, layers, menus and title up to date.
  void Refresh();
  /// Opens a file; a message box tells why when it cannot be read.
  bool OpenFile(const QString& file);
  /// The files last opened or saved, the newest first (QSettings, "recentFiles").
  static QStringList RecentFiles();
  /// How many files File > Open Recent lists.
  static constexpr int kRecentLimit = 10;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void FillWindowMenu();
  void FillAboutMenu();
  void FillRecentMenu();
  /// Puts `file` first in the recent files.
  static void RememberFile(const QString& file);
  void SetUnit(const RulerUnit& unit);
  /// Edit > Preferences: how many undo steps are kept (QSettings "undoLimit").
  void AskPreferences();
  /// Shows the pointer's coordinates and the zoom in the status bar.
  void ShowPointer(geometry::Point doc);
  void ShowZoom();
  void AddMenuGroup(QMenu* menu, const std::string& group);
  /// Asks whether to save unsaved changes; false when the user cancelled.
  bool MaybeSave();
  bool SaveTo(const QString& file);
  bool Save();
  bool SaveAs();
  void OpenDialog();
  void SetDark(bool dark);
  /// Gives the modules' tool buttons the icons of the current theme.
  void ShowToolIcons();
  /// Catches document changes the session did not make itself (the
  /// module's panel commands).
  void Poll();
  void DockPanel(QvPanelHandle panel);
  void UndockPanel(QvPanelHandle panel);

  AppSession& session_;
  ui::QtToolkit* toolkit_ = nullptr;
  /// The docks of the modules' panels, by panel.
  std::map<QvPanelHandle, QDockWidget*> panelDocks_;
  CanvasArea* area_ = nullptr;
  CanvasWidget* canvas_ = nullptr;
  QDockWidget* layersDock_ = nullptr;
  QLabel* pointerLabel_ = nullptr;
  QLabel* zoomLabel_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  LayersPanel* layers_ = nullptr;
  QToolBar* tools_ = nullptr;
  QActionGroup* toolGroup_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QMenu* aboutMenu_ = nullptr;
  std::size_t seenPlays_ = 0;
  std::string seenUndoText_;
  bool seenCanUndo_ = false;
};

}  // namespace workbench::app
