// The toolkit of the desktop app: panels, controls and dialogs as Qt
// widgets. It serves the module exactly as the headless toolkit does:
// setters from the module never notify, the user's actions notify with the
// same control and notification values, and EndDialog ends the modal run.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sdk/errors.h"
#include "workbench/ui/headless_toolkit.h"
#include "workbench/ui/toolkit.h"

class QMenu;
class QPainter;
class QPoint;
class QRect;

namespace workbench::ui {

/// Panels are plain QWidget containers of fixed size (width × s by
/// height × s pixels, s the panel scale) that the app docks where it likes;
/// the toolkit never shows or hides them itself but reports ShowPanel
/// through PanelVisibilityRequested. A control's frame maps to its widget's
/// geometry as left = x·s, top = (H − (y + h))·s, right = (x + w)·s,
/// bottom = (H − y)·s, each truncated, H being the window's height as
/// created.
///
/// Owner drawing: picture buttons always, and push buttons, lists and
/// drop-down lists marked kQvOwnerDrawn, are drawn by the window's notify
/// procedure through kQvDrawItem, with a drawing context over the widget's
/// QPainter in window pixels (y down). List rows are 18·s pixels tall.
///
/// In a panel, Tab and Shift+Tab in an edit field or an editable drop-down
/// move to the next or previous such control (creation order, wrapping)
/// that is visible and enabled and select its text; Enter keeps the focus
/// and selects the text again. Dialogs keep Qt's own keyboard handling,
/// with button 1 as the default button; Escape or closing the window
/// notifies kQvClicked for control 2 and the dialog stays open until the
/// module calls EndDialog.
///
/// Needs a QApplication for its whole life: destroy the toolkit (or the
/// host that owns it) before the application object. Each control's widget
/// is named "control-<id>" for tests and the app. The signals carry raw
/// handles and are meant for direct connections on the UI thread.
class QtToolkit final : public QObject, public Toolkit {
  Q_OBJECT

 public:
  /// `scale` is pixels per unit for every window; must be positive.
  explicit QtToolkit(double scale = 1.0, QObject* parent = nullptr);
  ~QtToolkit() override;
  QtToolkit(const QtToolkit&) = delete;
  QtToolkit& operator=(const QtToolkit&) = delete;

  // ---- Toolkit --------------------------------------------------------------
  QvErr NewPanel(QvPluginRef owner, std::string_view id, std::string_view title, std::int32_t width,
                 std::int32_t height, QvPanelHandle* panel) override;
  QvErr DeletePanel(QvPanelHandle panel) override;
  QvErr PanelWindow(QvPanelHandle panel, QvWindowHandle* window) override;
  QvErr ShowPanel(QvPanelHandle panel, bool show) override;
  QvErr IsPanelShown(QvPanelHandle panel, bool* shown) override;
  QvErr SetPanelSize(QvPanelHandle panel, std::int32_t width, std::int32_t height) override;
  QvErr PanelSize(QvPanelHandle panel, std::int32_t* width, std::int32_t* height) override;
  QvErr AddFlyoutItem(QvPanelHandle panel, std::int32_t item, std::string_view text) override;
  QvErr CheckFlyoutItem(QvPanelHandle panel, std::int32_t item, bool checked) override;

  QvErr SetNotifyProc(QvWindowHandle window, QvNotifyProc proc, void* data) override;
  QvErr CreateControl(QvWindowHandle window, const QvControlDescription& controlDescription) override;
  QvErr SetControlText(QvWindowHandle window, std::int32_t control, std::string_view text) override;
  QvErr ControlText(QvWindowHandle window, std::int32_t control, std::string* text) override;
  QvErr EnableControl(QvWindowHandle window, std::int32_t control, bool enable) override;
  QvErr IsControlEnabled(QvWindowHandle window, std::int32_t control, bool* enabled) override;
  QvErr SetChecked(QvWindowHandle window, std::int32_t control, bool checked) override;
  QvErr IsChecked(QvWindowHandle window, std::int32_t control, bool* checked) override;
  QvErr ClearItems(QvWindowHandle window, std::int32_t control) override;
  QvErr InsertItem(QvWindowHandle window, std::int32_t control, std::int32_t index, std::string_view text) override;
  QvErr SetItemText(QvWindowHandle window, std::int32_t control, std::int32_t index, std::string_view text) override;
  QvErr DeleteItem(QvWindowHandle window, std::int32_t control, std::int32_t index) override;
  QvErr CountItems(QvWindowHandle window, std::int32_t control, std::int32_t* count) override;
  QvErr ItemText(QvWindowHandle window, std::int32_t control, std::int32_t index, std::string* text) override;
  QvErr SetSelection(QvWindowHandle window, std::int32_t control, std::int32_t index) override;
  QvErr Selection(QvWindowHandle window, std::int32_t control, std::int32_t* index) override;
  QvErr FocusControl(QvWindowHandle window, std::int32_t control) override;
  QvErr Invalidate(QvWindowHandle window, std::int32_t control) override;
  QvErr StartTimer(QvWindowHandle window, std::int32_t timer, std::int32_t periodMs) override;
  QvErr StopTimer(QvWindowHandle window, std::int32_t timer) override;

  QvErr RunModalDialog(QvPluginRef owner, const QvDialogTemplate& dialog, QvNotifyProc proc, void* data,
                       std::int32_t* result) override;
  QvErr EndDialog(QvWindowHandle dialog, std::int32_t result) override;
  QvErr Beep() override;
  QvErr SetCursor(QvPluginRef owner, std::int32_t cursorId) override;
  /// What the app set with SetInterfaceDark; otherwise whether the
  /// application palette's window colour is dark.
  QvErr IsInterfaceDark(bool* dark) override;

  QvErr SetWindowFont(QvWindowHandle window, std::string_view face, std::int32_t heightUnits) override;
  /// From QCursor::pos(), the widget under it and the mouse buttons held.
  QvErr Pointer(QvWindowHandle window, QvPixelPoint* where, bool* overWindow, bool* leftButtonDown) override;
  /// A frameless tool-tip window: grey box, dark text, the window's font.
  QvErr ShowTip(QvWindowHandle window, std::string_view text, QvPixelPoint anchor) override;
  QvErr ControlRect(QvWindowHandle window, std::int32_t control, QvPixelRect* rect) override;

  std::string LastFailure() const override { return lastFailure_; }

  // ---- For the app ----------------------------------------------------------
  double Scale() const { return scale_; }
  /// Changes the scale and lays out every window and control again.
  void SetScale(double scale);
  /// The panel's widget to dock; null for an unknown panel. The toolkit
  /// owns it: the app may reparent it but must not delete it.
  QWidget* PanelWidget(QvPanelHandle panel) const;
  /// The panel's flyout menu (owned by the toolkit); choosing an item
  /// notifies the panel's window of kQvFlyoutChosen. Null for an unknown
  /// panel.
  QMenu* FlyoutMenu(QvPanelHandle panel) const;
  /// Every panel in creation order, as the headless toolkit describes them.
  std::vector<PanelInfo> Panels() const;
  std::optional<PanelInfo> Panel(QvPanelHandle panel) const;
  /// The theme the app shows; the app sends the module its brightness
  /// notifier itself when it changes the theme.
  void SetInterfaceDark(bool dark) { interfaceDark_ = dark; }
  /// The parent of modal dialogs (the main window); may be null.
  void SetDialogParent(QWidget* parent) { dialogParent_ = parent; }
  /// The cursor a module set last; none when it set none.
  std::optional<std::int32_t> CursorOf(QvPluginRef owner) const;
  /// The cursor set last by any module; 0 for none.
  std::int32_t CurrentCursor() const { return currentCursor_; }
  /// Non-zero results of notify procedures, described, in order.
  const std::vector<std::string>& ReportedErrors() const { return reported_; }

  // ---- Looking in (tests and the app) ---------------------------------------
  /// The widget of a window (a panel's container or a running dialog).
  QWidget* WindowWidget(QvWindowHandle window) const;
  /// The widget of a control; null for an unknown window or control.
  QWidget* ControlWidget(QvWindowHandle window, std::int32_t control) const;
  /// The control whose widget has the window's focus; 0 for none.
  std::int32_t FocusedControl(QvWindowHandle window) const;
  /// A control's frame in window pixels; none for an unknown control.
  std::optional<QvPixelRect> PixelRect(QvWindowHandle window, std::int32_t control) const;
  /// The period of a running timer; none when it is not running.
  std::optional<std::int32_t> TimerPeriod(QvWindowHandle window, std::int32_t timer) const;
  /// The window's tip box while it is shown; null otherwise.
  QWidget* TipWidget(QvWindowHandle window) const;

 signals:
  void PanelCreated(QvPanelHandle panel);
  /// Sent before the panel's widget is scheduled for deletion.
  void PanelDeleted(QvPanelHandle panel);
  void PanelVisibilityRequested(QvPanelHandle panel, bool shown);
  /// The new size in units; the widget already has its new fixed size.
  void PanelResized(QvPanelHandle panel, int width, int height);
  /// A module asked for cursor `cursorId`; the app shows its picture.
  void CursorChanged(QvPluginRef owner, int cursorId);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Control;
  struct Window;
  struct PanelEntry;
  friend class QtControlDelegate;
  template <typename QtBase>
  friend class QtOwnerDrawn;
  friend class QtDialogWindow;

  Window* FindWindow(std::uint64_t key) const;
  Window* FindWindow(QvWindowHandle window) const;
  PanelEntry* FindPanelEntry(QvPanelHandle panel) const;
  Control* FindControl(QvWindowHandle window, std::int32_t control) const;
  std::uint64_t NewWindow(std::int32_t width, std::int32_t height, QWidget* widget, bool isDialog);
  void DestroyWindow(std::uint64_t key);
  QRect FrameToPixels(const Window& window, const QvControlFrame& frame) const;
  void LayOut(Window& window);
  void Connect(std::uint64_t window, Control& control);

  /// Calls the window's procedure, if it has one, with the window's data.
  void Deliver(std::uint64_t window, std::int32_t control, std::int32_t notification);
  /// Asks the procedure to draw `item` (-1: the face) of an owner-drawn
  /// control on `painter`, whose origin is at `origin` in window pixels.
  /// False when the window has no procedure, so that Qt draws instead.
  bool DrawThroughModule(std::uint64_t window, const Control& control, std::int32_t item, std::int32_t state,
                         const QRect& windowRect, QPainter* painter, const QPoint& origin);
  /// Tab, Shift+Tab and Enter in a panel's edit fields.
  bool HandlePanelKey(Window& window, Control& control, int key);
  /// A click on a flyout item: keeps the module's check state, notifies.
  void FlyoutTriggered(std::uint64_t panel, std::int32_t item);
  /// Escape or the close box of a dialog.
  void DialogCancelled(std::uint64_t window);
  /// After an item change: the selection the module expects, quietly.
  void ApplySelection(Control& control, std::int32_t selection, const std::string& editText);

  std::map<std::uint64_t, std::unique_ptr<PanelEntry>> panels_;
  std::map<std::uint64_t, std::unique_ptr<Window>> windows_;
  // One counter for panels and windows, as in the headless toolkit: no
  // handle of one names the other, none is reused.
  std::uint64_t nextHandle_ = 1;
  double scale_ = 1.0;
  QPointer<QWidget> dialogParent_;
  std::map<QvPluginRef, std::int32_t> cursors_;
  std::int32_t currentCursor_ = 0;
  std::optional<bool> interfaceDark_;
  std::vector<std::string> reported_;
  std::string lastFailure_;
};

}  // namespace workbench::ui
