// The host's user-interface toolkit behind the UI suite: one virtual a suite
// operation, so that the headless toolkit of the command line and tests and
// the desktop app's widgets serve the module through the same suite.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sdk/errors.h"
#include "sdk/ui_suite.h"

namespace workbench::ui {

/// Every operation returns a host error code: kQvErrBadParameter for an
/// unknown panel, window or control, an index out of range, or a control
/// of the wrong kind for the call. Texts are UTF-8. Frames are window units,
/// y up from the bottom of the window (see sdk/ui_suite.h).
///
/// Setting a text, a selection or a check state from the module never
/// notifies; only the user's actions reach a window's notify procedure.
class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // ---- Panels ---------------------------------------------------------------
  /// A hidden panel with an empty flyout menu and its client window. `id`
  /// is unique per toolkit: kQvErrBadParameter for one in use or empty.
  virtual QvErr NewPanel(QvPluginRef owner, std::string_view id, std::string_view title, std::int32_t width,
                         std::int32_t height, QvPanelHandle* panel) = 0;
  /// Deletes the panel with its window and the window's controls and timers.
  virtual QvErr DeletePanel(QvPanelHandle panel) = 0;
  virtual QvErr PanelWindow(QvPanelHandle panel, QvWindowHandle* window) = 0;
  virtual QvErr ShowPanel(QvPanelHandle panel, bool show) = 0;
  virtual QvErr IsPanelShown(QvPanelHandle panel, bool* shown) = 0;
  /// In units; both must be positive.
  virtual QvErr SetPanelSize(QvPanelHandle panel, std::int32_t width, std::int32_t height) = 0;
  virtual QvErr PanelSize(QvPanelHandle panel, std::int32_t* width, std::int32_t* height) = 0;
  /// Appends a flyout item; "-" is a separator. kQvErrBadParameter for an
  /// item number already in the menu.
  virtual QvErr AddFlyoutItem(QvPanelHandle panel, std::int32_t item, std::string_view text) = 0;
  virtual QvErr CheckFlyoutItem(QvPanelHandle panel, std::int32_t item, bool checked) = 0;

  // ---- Windows and controls -------------------------------------------------
  /// A null `proc` stops the window's notifications.
  virtual QvErr SetNotifyProc(QvWindowHandle window, QvNotifyProc proc, void* data) = 0;
  /// kQvErrBadParameter for an unknown kind or an id other than 0 that the
  /// window already has.
  virtual QvErr CreateControl(QvWindowHandle window, const QvControlDescription& controlDescription) = 0;
  virtual QvErr SetControlText(QvWindowHandle window, std::int32_t control, std::string_view text) = 0;
  virtual QvErr ControlText(QvWindowHandle window, std::int32_t control, std::string* text) = 0;
  virtual QvErr EnableControl(QvWindowHandle window, std::int32_t control, bool enable) = 0;
  virtual QvErr IsControlEnabled(QvWindowHandle window, std::int32_t control, bool* enabled) = 0;
  /// Check boxes and radio buttons only.
  virtual QvErr SetChecked(QvWindowHandle window, std::int32_t control, bool checked) = 0;
  virtual QvErr IsChecked(QvWindowHandle window, std::int32_t control, bool* checked) = 0;

  /// Items: lists and the three kinds of drop-down only.
  virtual QvErr ClearItems(QvWindowHandle window, std::int32_t control) = 0;
  /// Inserts before `index` (0..count); -1 appends.
  virtual QvErr InsertItem(QvWindowHandle window, std::int32_t control, std::int32_t index,
                           std::string_view text) = 0;
  virtual QvErr SetItemText(QvWindowHandle window, std::int32_t control, std::int32_t index,
                            std::string_view text) = 0;
  virtual QvErr DeleteItem(QvWindowHandle window, std::int32_t control, std::int32_t index) = 0;
  virtual QvErr CountItems(QvWindowHandle window, std::int32_t control, std::int32_t* count) = 0;
  virtual QvErr ItemText(QvWindowHandle window, std::int32_t control, std::int32_t index, std::string* text) = 0;
  /// -1 selects nothing; otherwise 0..count-1.
  virtual QvErr SetSelection(QvWindowHandle window, std::int32_t control, std::int32_t index) = 0;
  /// -1 for none.
  virtual QvErr Selection(QvWindowHandle window, std::int32_t control, std::int32_t* index) = 0;

  virtual QvErr FocusControl(QvWindowHandle window, std::int32_t control) = 0;
  /// `control` 0 is the whole window.
  virtual QvErr Invalidate(QvWindowHandle window, std::int32_t control) = 0;
  /// `periodMs` must be positive; starting a running timer restarts it.
  virtual QvErr StartTimer(QvWindowHandle window, std::int32_t timer, std::int32_t periodMs) = 0;
  virtual QvErr StopTimer(QvWindowHandle window, std::int32_t timer) = 0;

  // ---- Dialogs, sound and cursor --------------------------------------------
  /// Builds the dialog's window from the template, sends kQvDialogInit to
  /// `proc` and runs until the module calls EndDialog; `result` gets the
  /// value given there. The window is gone when this returns.
  virtual QvErr RunModalDialog(QvPluginRef owner, const QvDialogTemplate& dialog, QvNotifyProc proc, void* data,
                               std::int32_t* result) = 0;
  /// kQvErrBadParameter for a window that is not a running dialog.
  virtual QvErr EndDialog(QvWindowHandle dialog, std::int32_t result) = 0;
  virtual QvErr Beep() = 0;
  virtual QvErr SetCursor(QvPluginRef owner, std::int32_t cursorId) = 0;
  /// Whether the interface shows its dark theme; light unless a toolkit
  /// says otherwise.
  virtual QvErr IsInterfaceDark(bool* dark) {
    *dark = false;
    return kQvNoErr;
  }

  // ---- Fonts, pointer and tips ---------------------------------------------
  /// The face (UTF-8; a face the host lacks falls back to one it has) and
  /// pixel height in units of the window's controls and of the module's
  /// drawing into them.
  virtual QvErr SetWindowFont(QvWindowHandle window, std::string_view face, std::int32_t heightUnits) = 0;
  /// The pointer in the window's pixels from its top left, whether it is
  /// over this window (not over another one above it) and whether the left
  /// button is down.
  virtual QvErr Pointer(QvWindowHandle window, QvPixelPoint* where, bool* overWindow, bool* leftButtonDown) = 0;
  /// Shows the window's one tip box with its top left at `anchor` (window
  /// pixels); empty text removes it.
  virtual QvErr ShowTip(QvWindowHandle window, std::string_view text, QvPixelPoint anchor) = 0;
  /// A control's frame in window pixels at the toolkit's scale.
  virtual QvErr ControlRect(QvWindowHandle window, std::int32_t control, QvPixelRect* rect) = 0;

  /// Why the last dialog or simulated action failed, readably; empty when
  /// none has failed.
  virtual std::string LastFailure() const = 0;
};

}  // namespace workbench::ui
