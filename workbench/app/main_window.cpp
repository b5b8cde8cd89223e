#include "workbench/app/main_window.h"

#include <QAction>
#include <QFileInfo>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QSettings>
#include <QStatusBar>
#include <QMenuBar>
#include <QMessageBox>
#include <QPalette>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

#include "sdk/menu_suite.h"
#include "workbench/app/module_pictures.h"
#include "workbench/fabric/print_dialog.h"
#include "workbench/plugin/registrations.h"
#include "workbench/ui/qt_toolkit.h"

// The toolkit's signals carry the SDK's opaque handles; Qt needs to be told
// that they are pointers it must not look through.
Q_DECLARE_OPAQUE_POINTER(QvPanelHandle)
Q_DECLARE_OPAQUE_POINTER(QvPluginRef)

namespace workbench::app {

namespace {

constexpr int kPollMilliseconds = 250;
constexpr const char* kRecentKey = "recentFiles";
constexpr const char* kUnitKey = "rulerUnit";
constexpr const char* kUndoLimitKey = "undoLimit";
// The most undo steps the preferences offer to keep.
constexpr int kMostUndoSteps = 10000;
constexpr RulerUnit kUnits[] = {kMillimetres, kCentimetres, kInches};

QString Q(const std::string& text) { return QString::fromStdString(text); }

QPalette DarkPalette() {
  QPalette p;
  p.setColor(QPalette::Window, QColor(0x32, 0x32, 0x32));
  p.setColor(QPalette::WindowText, QColor(0xdc, 0xdc, 0xdc));
  p.setColor(QPalette::Base, QColor(0x26, 0x26, 0x26));
  p.setColor(QPalette::AlternateBase, QColor(0x3a, 0x3a, 0x3a));
  p.setColor(QPalette::Text, QColor(0xdc, 0xdc, 0xdc));
  p.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
  p.setColor(QPalette::ButtonText, QColor(0xdc, 0xdc, 0xdc));
  p.setColor(QPalette::Highlight, QColor(0x1e, 0x78, 0xe6));
  p.setColor(QPalette::HighlightedText, Qt::white);
  return p;
}

// A panel's dock. Closing it is the user hiding the panel, which the module
// asks about through the toolkit.
class PanelDockWidget : public QDockWidget {
 public:
  PanelDockWidget(const QString& title, QWidget* parent, std::function<void()> closed)
      : QDockWidget(title, parent), closed_(std::move(closed)) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    QDockWidget::closeEvent(event);
    if (closed_) closed_();
  }

 private:
  std::function<void()> closed_;
};

}  // namespace

MainWindow::MainWindow(AppSession& session, ui::QtToolkit* toolkit, QWidget* parent)
    : QMainWindow(parent), session_(session), toolkit_(toolkit) {
  area_ = new CanvasArea(session_, this);
  canvas_ = &area_->Canvas();
  setCentralWidget(area_);
  pointerLabel_ = new QLabel(this);
  pointerLabel_->setObjectName(QStringLiteral("pointerLabel"));
  zoomLabel_ = new QLabel(this);
  zoomLabel_->setObjectName(QStringLiteral("zoomLabel"));
  statusBar()->addPermanentWidget(pointerLabel_);
  statusBar()->addPermanentWidget(zoomLabel_);
  area_->SetPointerCallback([this](geometry::Point doc) { ShowPointer(doc); });
  area_->SetViewCallback([this] { ShowZoom(); });

  layersDock_ = new QDockWidget(tr("Layers"), this);
  layersDock_->setObjectName(QStringLiteral("layersDock"));
  layers_ = new LayersPanel(session_, layersDock_);
  layersDock_->setWidget(layers_);
  addDockWidget(Qt::RightDockWidgetArea, layersDock_);

  tools_ = new QToolBar(tr("Tools"), this);
  tools_->setObjectName(QStringLiteral("tools"));
  addToolBar(Qt::LeftToolBarArea, tools_);
  toolGroup_ = new QActionGroup(this);
  toolGroup_->setExclusive(true);

  BuildMenus();
  RefreshTools();

  session_.SetChangedCallback([this] { Refresh(); });
  session_.Host().SetRedrawCallback([this] { canvas_->update(); });
  // Alerts and questions of the modules, when nobody scripted an answer.
  session_.Host().Prompts().SetDisplay([this](plugin::PromptKind kind, const std::string& text) -> std::optional<bool> {
    switch (kind) {
      case plugin::PromptKind::kQuestion:
        return QMessageBox::question(this, windowTitle(), Q(text), QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
      case plugin::PromptKind::kError:
        QMessageBox::warning(this, windowTitle(), Q(text));
        return true;
      case plugin::PromptKind::kAlert:
        QMessageBox::information(this, windowTitle(), Q(text));
        return true;
    }
    return std::nullopt;
  });

  if (toolkit_ != nullptr) {
    toolkit_->SetDialogParent(this);
    for (const ui::PanelInfo& panel : toolkit_->Panels()) DockPanel(panel.handle);
    connect(toolkit_, &ui::QtToolkit::PanelCreated, this, [this](QvPanelHandle panel) { DockPanel(panel); });
    connect(toolkit_, &ui::QtToolkit::PanelDeleted, this, [this](QvPanelHandle panel) { UndockPanel(panel); });
    connect(toolkit_, &ui::QtToolkit::PanelVisibilityRequested, this, [this](QvPanelHandle panel, bool shown) {
      if (QDockWidget* dock = PanelDock(panel)) dock->setVisible(shown);
    });
    connect(toolkit_, &ui::QtToolkit::PanelResized, this, [this](QvPanelHandle panel, int, int) {
      if (QDockWidget* dock = PanelDock(panel)) dock->adjustSize();
    });
    connect(toolkit_, &ui::QtToolkit::CursorChanged, this, [this](QvPluginRef owner, int cursorId) {
      // The module's own picture; a cursor it carries no picture for shows
      // as a cross hair.
      if (cursorId == 0) {
        canvas_->unsetCursor();
      } else if (std::optional<QCursor> cursor = ModuleCursor(session_.Host(), owner, cursorId)) {
        canvas_->setCursor(*cursor);
      } else {
        canvas_->setCursor(Qt::CrossCursor);
      }
    });
  }

  auto* poll = new QTimer(this);
  connect(poll, &QTimer::timeout, this, [this] { Poll(); });
  poll->start(kPollMilliseconds);

  const QString unit = QSettings().value(QString::fromLatin1(kUnitKey)).toString();
  SetUnit(kUnits[0]);
  for (const RulerUnit& known : kUnits) {
    if (unit == QLatin1String(known.name)) SetUnit(known);
  }
  bool known = false;
  const int undoLimit = QSettings().value(QString::fromLatin1(kUndoLimitKey)).toInt(&known);
  if (known && undoLimit >= 0) session_.SetHistoryLimit(static_cast<std::size_t>(undoLimit));
  resize(1100, 760);
  Refresh();
}

MainWindow::~MainWindow() {
  // The toolkit owns the panels' widgets and outlives this window.
  while (!panelDocks_.empty()) UndockPanel(panelDocks_.begin()->first);
  session_.SetChangedCallback(nullptr);
  session_.Host().SetRedrawCallback(nullptr);
  session_.Host().Prompts().SetDisplay(nullptr);
}

QDockWidget* MainWindow::PanelDock(QvPanelHandle panel) const {
  const auto it = panelDocks_.find(panel);
  return it == panelDocks_.end() ? nullptr : it->second;
}

void MainWindow::DockPanel(QvPanelHandle panel) {
  QWidget* widget = toolkit_->PanelWidget(panel);
  const std::optional<ui::PanelInfo> info = toolkit_->Panel(panel);
  if (widget == nullptr || !info || PanelDock(panel) != nullptr) return;
  auto* dock = new PanelDockWidget(Q(info->title), this, [this, panel] {
    bool shown = false;
    if (toolkit_->IsPanelShown(panel, &shown) == 0 && shown) toolkit_->ShowPanel(panel, false);
  });
  dock->setObjectName(Q("panel:" + info->id));
  // The flyout menu opens from a button above the panel's controls.
  auto* holder = new QWidget(dock);
  auto* column = new QVBoxLayout(holder);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* row = new QHBoxLayout();
  row->addStretch(1);
  auto* flyout = new QToolButton(holder);
  flyout->setObjectName(QStringLiteral("flyout"));
  flyout->setText(QStringLiteral("\u2261"));
  flyout->setAutoRaise(true);
  flyout->setPopupMode(QToolButton::InstantPopup);
  flyout->setMenu(toolkit_->FlyoutMenu(panel));
  row->addWidget(flyout);
  column->addLayout(row);
  column->addWidget(widget);
  column->addStretch(1);
  dock->setWidget(holder);
  addDockWidget(Qt::RightDockWidgetArea, dock);
  dock->setVisible(info->shown);
  panelDocks_[panel] = dock;
}

void MainWindow::UndockPanel(QvPanelHandle panel) {
  QDockWidget* dock = PanelDock(panel);
  if (dock == nullptr) return;
  panelDocks_.erase(panel);
  // Hand the widget back before the dock goes: the toolkit deletes it.
  if (QWidget* widget = toolkit_->PanelWidget(panel)) widget->setParent(nullptr);
  if (auto* flyout = dock->findChild<QToolButton*>(QStringLiteral("flyout"))) flyout->setMenu(nullptr);
  removeDockWidget(dock);
  dock->deleteLater();
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  QAction* open = file->addAction(tr("&Open..."), this, [this] { OpenDialog(); });
  open->setShortcut(QKeySequence::Open);
  recentMenu_ = file->addMenu(tr("Open &Recent"));
  recentMenu_->setObjectName(QStringLiteral("recentMenu"));
  connect(recentMenu_, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
  FillRecentMenu();
  QAction* save = file->addAction(tr("&Save"), this, [this] { Save(); });
  save->setShortcut(QKeySequence::Save);
  QAction* saveAs = file->addAction(tr("Save &As..."), this, [this] { SaveAs(); });
  saveAs->setShortcut(QKeySequence::SaveAs);
  file->addAction(tr("&Print to PDF..."), this,
                  [this] { fabric::PrintToPdfDialog(this, session_.Doc(), session_.FilePath()); });
  file->addSeparator();
  QAction* quit = file->addAction(tr("&Quit"), this, [this] { close(); });
  quit->setShortcut(QKeySequence::Quit);

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  undo_ = edit->addAction(tr("Undo"), this, [this] { session_.Undo(); });
  undo_->setObjectName(QStringLiteral("undo"));
  undo_->setShortcut(QKeySequence::Undo);
  redo_ = edit->addAction(tr("Redo"), this, [this] { session_.Redo(); });
  redo_->setObjectName(QStringLiteral("redo"));
  redo_->setShortcut(QKeySequence::Redo);
  edit->addSeparator();
  // Text fields take these keys first (Qt lets a focused line edit claim
  // its editing keys), so typing in a panel never deletes art.
  QAction* remove = edit->addAction(tr("&Delete"), this, [this] { session_.DeleteSelection(); });
  remove->setObjectName(QStringLiteral("delete"));
  remove->setShortcuts({QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_Backspace)});
  QAction* selectAll = edit->addAction(tr("Select &All"), this, [this] { session_.SelectAll(); });
  selectAll->setObjectName(QStringLiteral("selectAll"));
  selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  QAction* deselect = edit->addAction(tr("D&eselect"), this, [this] { session_.Deselect(); });
  deselect->setObjectName(QStringLiteral("deselect"));
  deselect->setShortcut(QKeySequence(Qt::Key_Escape));
  edit->addSeparator();
  QAction* preferences = edit->addAction(tr("&Preferences..."), this, [this] { AskPreferences(); });
  preferences->setObjectName(QStringLiteral("preferences"));

  QMenu* view = menuBar()->addMenu(tr("&View"));
  QAction* zoomIn = view->addAction(tr("Zoom &In"), this, [this] { canvas_->ZoomBy(1.25); });
  zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  QAction* zoomOut = view->addAction(tr("Zoom &Out"), this, [this] { canvas_->ZoomBy(0.8); });
  zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  QAction* oneToOne = view->addAction(tr("Zoom &1:1"), this, [this] { canvas_->ZoomOneToOne(); });
  oneToOne->setShortcut(QKeySequence(Qt::Key_1));
  QAction* zoomSelection = view->addAction(tr("Zoom &Selection"), this, [this] { canvas_->ZoomSelection(); });
  zoomSelection->setShortcut(QKeySequence(Qt::Key_3));
  QAction* zoomPage = view->addAction(tr("Zoom &Page"), this, [this] { canvas_->ZoomPage(); });
  zoomPage->setShortcuts({QKeySequence(Qt::Key_5), QKeySequence(Qt::CTRL | Qt::Key_0)});
  view->addAction(tr("&Fit Document"), this, [this] { canvas_->FitDocument(); });
  QMenu* units = view->addMenu(tr("&Units"));
  auto* unitGroup = new QActionGroup(units);
  for (const RulerUnit& unit : kUnits) {
    QAction* choice = units->addAction(QString::fromLatin1(unit.name));
    choice->setObjectName(QStringLiteral("unit:") + QString::fromLatin1(unit.name));
    choice->setCheckable(true);
    unitGroup->addAction(choice);
    connect(choice, &QAction::triggered, this, [this, unit] {
      QSettings().setValue(QString::fromLatin1(kUnitKey), QString::fromLatin1(unit.name));
      SetUnit(unit);
    });
  }
  view->addSeparator();
  QAction* dark = view->addAction(tr("&Dark Interface"));
  dark->setObjectName(QStringLiteral("darkInterface"));
  dark->setCheckable(true);
  connect(dark, &QAction::toggled, this, [this](bool on) { SetDark(on); });

  windowMenu_ = menuBar()->addMenu(tr("&Window"));
  connect(windowMenu_, &QMenu::aboutToShow, this, [this] { FillWindowMenu(); });
  aboutMenu_ = menuBar()->addMenu(tr("&About"));
  connect(aboutMenu_, &QMenu::aboutToShow, this, [this] { FillAboutMenu(); });
  FillWindowMenu();
  FillAboutMenu();
}

void MainWindow::AddMenuGroup(QMenu* menu, const std::string& group) {
  plugin::MenuRegistry& menus = session_.Host().Menus();
  for (const std::string& name : menus.ItemNamesOf(group)) {
    const QvMenuItemHandle handle = menus.FindItem(name);
    const plugin::MenuItem* item = menus.Item(handle);
    if (item == nullptr) continue;
    if (!item->submenuGroup.empty()) {
      AddMenuGroup(menu->addMenu(Q(item->text)), item->submenuGroup);
      continue;
    }
    QAction* action = menu->addAction(Q(item->text));
    action->setCheckable(item->checked);
    action->setChecked(item->checked);
    connect(action, &QAction::triggered, this, [this, handle] {
      session_.Host().ChooseMenuItem(handle);
      Refresh();
    });
  }
}

void MainWindow::FillWindowMenu() {
  // The modules set their check marks when asked.
  session_.Host().UpdateMenus();
  windowMenu_->clear();
  // The window's own Layers list first, then the modules' panels.
  windowMenu_->addAction(layersDock_->toggleViewAction());
  AddMenuGroup(windowMenu_, kQvWindowMenuGroup);
}

void MainWindow::FillAboutMenu() {
  aboutMenu_->clear();
  aboutMenu_->addAction(tr("About Quorvane Workbench"), this, [this] {
    QMessageBox::about(this, tr("About Quorvane Workbench"),
                       tr("Quorvane Workbench %1: a host for the Quorvane seam-allowance module.")
                           .arg(QStringLiteral(QUORVANE_VERSION)));
  });
  AddMenuGroup(aboutMenu_, kQvAboutMenuGroup);
}

QStringList MainWindow::RecentFiles() {
  QStringList files = QSettings().value(QString::fromLatin1(kRecentKey)).toStringList();
  if (files.size() > kRecentLimit) files.erase(files.begin() + kRecentLimit, files.end());
  return files;
}

void MainWindow::RememberFile(const QString& file) {
  const QString full = QFileInfo(file).absoluteFilePath();
  QStringList files = RecentFiles();
  files.removeAll(full);
  files.prepend(full);
  if (files.size() > kRecentLimit) files.erase(files.begin() + kRecentLimit, files.end());
  QSettings().setValue(QString::fromLatin1(kRecentKey), files);
}

void MainWindow::FillRecentMenu() {
  recentMenu_->clear();
  const QStringList files = RecentFiles();
  for (const QString& file : files) {
    recentMenu_->addAction(QFileInfo(file).fileName(), this, [this, file] {
      if (MaybeSave()) OpenFile(file);
    })->setToolTip(file);
  }
  if (files.isEmpty()) recentMenu_->addAction(tr("(none)"))->setEnabled(false);
}

void MainWindow::AskPreferences() {
  bool ok = false;
  const int steps = QInputDialog::getInt(this, tr("Preferences"), tr("Undo steps kept:"),
                                         static_cast<int>(session_.HistoryLimit()), 0, kMostUndoSteps, 1, &ok);
  if (!ok) return;
  QSettings().setValue(QString::fromLatin1(kUndoLimitKey), steps);
  session_.SetHistoryLimit(static_cast<std::size_t>(steps));
}

void MainWindow::SetUnit(const RulerUnit& unit) {
  area_->SetUnit(unit);
  const QString name = QStringLiteral("unit:") + QString::fromLatin1(unit.name);
  for (QAction* choice : findChildren<QAction*>()) {
    if (choice->objectName().startsWith(QStringLiteral("unit:"))) choice->setChecked(choice->objectName() == name);
  }
  pointerLabel_->clear();
}

void MainWindow::ShowPointer(geometry::Point doc) {
  const RulerUnit& unit = area_->Unit();
  const geometry::Point user = UserCoordinates(session_.Doc(), doc, unit);
  pointerLabel_->setText(tr("X: %1  Y: %2 %3")
                             .arg(user.x, 0, 'f', 2)
                             .arg(user.y, 0, 'f', 2)
                             .arg(QString::fromLatin1(unit.name)));
}

void MainWindow::ShowZoom() {
  // 100% is the document at its physical size.
  const double percent = canvas_->View().Zoom() / canvas_->OneToOneZoom() * 100.0;
  zoomLabel_->setText(tr("Zoom: %1%").arg(std::lround(percent)));
}

void MainWindow::RefreshTools() {
  for (QAction* action : toolGroup_->actions()) {
    toolGroup_->removeAction(action);
    tools_->removeAction(action);
    action->deleteLater();
  }
  QAction* selection = tools_->addAction(tr("Selection"));
  selection->setObjectName(QStringLiteral("selectionTool"));
  selection->setCheckable(true);
  toolGroup_->addAction(selection);
  connect(selection, &QAction::triggered, this, [this] { session_.UseTool(nullptr); });
  const plugin::ToolRegistry& registry = session_.Host().Tools();
  for (const plugin::Tool& tool : registry.Tools()) {
    const QvToolHandle handle = registry.FindNamed(tool.name);
    QAction* action = tools_->addAction(Q(tool.title.empty() ? tool.name : tool.title));
    action->setToolTip(Q(tool.tooltip.empty() ? tool.name : tool.tooltip));
    action->setObjectName(Q("tool:" + tool.name));
    action->setCheckable(true);
    toolGroup_->addAction(action);
    connect(action, &QAction::triggered, this, [this, handle] { session_.UseTool(handle); });
    if (registry.Selected() == handle) action->setChecked(true);
  }
  if (registry.Selected() == nullptr) selection->setChecked(true);
  ShowToolIcons();
}

void MainWindow::ShowToolIcons() {
  // A tool without a picture keeps its text on the button.
  const plugin::ToolRegistry& registry = session_.Host().Tools();
  const QString prefix = QStringLiteral("tool:");
  for (QAction* action : toolGroup_->actions()) {
    if (!action->objectName().startsWith(prefix)) continue;
    const std::string name = action->objectName().mid(prefix.size()).toStdString();
    const plugin::Tool* tool = registry.Find(registry.FindNamed(name));
    if (tool != nullptr) action->setIcon(ToolIcon(session_.Host(), *tool, session_.DarkInterface()));
  }
}

void MainWindow::Refresh() {
  canvas_->update();
  layers_->Refresh();
  const document::Document& doc = session_.Doc();
  undo_->setEnabled(doc.CanUndo());
  redo_->setEnabled(doc.CanRedo());
  const std::string undoText = doc.UndoText();
  const std::string redoText = doc.RedoText();
  undo_->setText(undoText.empty() ? tr("Undo") : Q(undoText));
  redo_->setText(redoText.empty() ? tr("Redo") : Q(redoText));
  seenPlays_ = session_.Host().Actions().PlayCount();
  seenUndoText_ = undoText;
  seenCanUndo_ = doc.CanUndo();
  const QString name = session_.FilePath().empty() ? tr("Untitled") : Q(session_.FilePath().filename().string());
  setWindowTitle(name + QStringLiteral("[*] - Quorvane Workbench"));
  setWindowModified(session_.IsModified());
  const std::string crossing = session_.CrossingNotice();
  if (crossing.empty()) {
    statusBar()->clearMessage();
  } else {
    statusBar()->showMessage(Q(crossing));
  }
}

void MainWindow::Poll() {
  const document::Document& doc = session_.Doc();
  if (session_.Host().Actions().PlayCount() != seenPlays_ || doc.UndoText() != seenUndoText_ ||
      doc.CanUndo() != seenCanUndo_) {
    Refresh();
  }
}

bool MainWindow::OpenFile(const QString& file) {
  std::string error;
  if (!session_.Open(file.toStdString(), &error)) {
    QMessageBox::warning(this, tr("Open"), Q(error));
    return false;
  }
  RememberFile(file);
  canvas_->FitDocument();
  Refresh();
  return true;
}

void MainWindow::OpenDialog() {
  if (!MaybeSave()) return;
  const QString file = QFileDialog::getOpenFileName(this, tr("Open"), QString(), tr("SVG files (*.svg)"));
  if (!file.isEmpty()) OpenFile(file);
}

bool MainWindow::SaveTo(const QString& file) {
  std::string error;
  if (!session_.Save(file.toStdString(), &error)) {
    QMessageBox::warning(this, tr("Save"), Q(error));
    return false;
  }
  RememberFile(file);
  Refresh();
  return true;
}

bool MainWindow::Save() {
  if (session_.FilePath().empty()) return SaveAs();
  return SaveTo(Q(session_.FilePath().string()));
}

bool MainWindow::SaveAs() {
  const QString file = QFileDialog::getSaveFileName(this, tr("Save As"), Q(session_.FilePath().string()),
                                                    tr("SVG files (*.svg)"));
  return !file.isEmpty() && SaveTo(file);
}

bool MainWindow::MaybeSave() {
  if (!session_.IsModified()) return true;
  const QMessageBox::StandardButton answer =
      QMessageBox::question(this, tr("Unsaved changes"), tr("The document has unsaved changes. Save them?"),
                            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return Save();
  return answer == QMessageBox::Discard;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (MaybeSave()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::SetDark(bool dark) {
  if (toolkit_ != nullptr) toolkit_->SetInterfaceDark(dark);
  qApp->setPalette(dark ? DarkPalette() : qApp->style()->standardPalette());
  layers_->SetDark(dark);
  CanvasLook look;
  if (dark) look.pasteboard = QColor(0x44, 0x44, 0x44);
  canvas_->SetLook(look);
  session_.SetDarkInterface(dark);
  ShowToolIcons();
}

}  // namespace workbench::app
