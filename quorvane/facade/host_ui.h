// A thin C++ facade over the host's UI toolkit suite, as HostDocument is over
// the document suites: texts are UTF-8 std::strings, results are optionals
// or error codes, and LastError() keeps the code of the last failure.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sdk/errors.h"
#include "sdk/ui_suite.h"

namespace quorvane::host {

/// One control of a dialog template, with owned text.
struct DialogControl {
  std::int32_t id = 0;
  std::int32_t kind = kQvLabelControl;
  QvControlFrame frame{};
  std::string text;
  std::int32_t options = 0;
};

/// A modal dialog as the module describes it.
struct DialogTemplate {
  std::int32_t resourceId = 0;
  std::string title;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<DialogControl> controls;
};

class HostUi {
 public:
  /// `suite` may be null: every call then fails with kQvErrSuiteNotFound.
  explicit HostUi(const QvUiSuite* suite) : s_(suite) {}

  bool Available() const { return s_ != nullptr; }
  QvErr LastError() const { return lastError_; }

  // ---- Panels ---------------------------------------------------------------
  std::optional<QvPanelHandle> NewPanel(QvPluginRef self, std::string_view id, std::string_view title,
                                        std::int32_t width, std::int32_t height);
  QvErr DeletePanel(QvPanelHandle panel);
  std::optional<QvWindowHandle> PanelWindow(QvPanelHandle panel);
  QvErr ShowPanel(QvPanelHandle panel, bool show);
  std::optional<bool> IsPanelShown(QvPanelHandle panel);
  QvErr SetPanelSize(QvPanelHandle panel, std::int32_t width, std::int32_t height);
  /// Width and height in units.
  std::optional<std::pair<std::int32_t, std::int32_t>> PanelSize(QvPanelHandle panel);
  QvErr AddFlyoutItem(QvPanelHandle panel, std::int32_t item, std::string_view text);
  QvErr CheckFlyoutItem(QvPanelHandle panel, std::int32_t item, bool checked);

  // ---- Controls -------------------------------------------------------------
  QvErr SetNotifyProc(QvWindowHandle window, QvNotifyProc proc, void* data);
  QvErr CreateControl(QvWindowHandle window, const DialogControl& control);
  QvErr SetText(QvWindowHandle window, std::int32_t control, std::string_view text);
  std::optional<std::string> Text(QvWindowHandle window, std::int32_t control);
  QvErr Enable(QvWindowHandle window, std::int32_t control, bool enable);
  std::optional<bool> IsEnabled(QvWindowHandle window, std::int32_t control);
  QvErr SetChecked(QvWindowHandle window, std::int32_t control, bool checked);
  std::optional<bool> IsChecked(QvWindowHandle window, std::int32_t control);
  QvErr ClearItems(QvWindowHandle window, std::int32_t control);
  /// Appends when `index` is -1.
  QvErr InsertItem(QvWindowHandle window, std::int32_t control, std::int32_t index, std::string_view text);
  QvErr AddItem(QvWindowHandle window, std::int32_t control, std::string_view text) {
    return InsertItem(window, control, -1, text);
  }
  QvErr SetItemText(QvWindowHandle window, std::int32_t control, std::int32_t index, std::string_view text);
  QvErr DeleteItem(QvWindowHandle window, std::int32_t control, std::int32_t index);
  std::optional<std::int32_t> ItemCount(QvWindowHandle window, std::int32_t control);
  std::optional<std::string> ItemText(QvWindowHandle window, std::int32_t control, std::int32_t index);
  QvErr SetSelection(QvWindowHandle window, std::int32_t control, std::int32_t index);
  /// -1 for none.
  std::optional<std::int32_t> Selection(QvWindowHandle window, std::int32_t control);
  QvErr Focus(QvWindowHandle window, std::int32_t control);
  QvErr Invalidate(QvWindowHandle window, std::int32_t control = 0);
  QvErr StartTimer(QvWindowHandle window, std::int32_t timer, std::int32_t periodMs);
  QvErr StopTimer(QvWindowHandle window, std::int32_t timer);

  // ---- Dialogs and cursor ---------------------------------------------------
  /// Runs the dialog modally; the value given to EndDialog, or none (a
  /// dialog nobody answered fails with kQvErrNoAnswer).
  std::optional<std::int32_t> RunModalDialog(QvPluginRef self, const DialogTemplate& dialog, QvNotifyProc proc,
                                             void* data);
  QvErr EndDialog(QvWindowHandle dialog, std::int32_t result);
  QvErr Beep();
  QvErr SetCursor(QvPluginRef self, std::int32_t cursorId);

  // ---- Interface theme ------------------------------------------------------
  /// Whether the host shows its dark theme; none when it cannot say.
  std::optional<bool> IsInterfaceDark();

  // ---- Font, pointer and tips -----------------------------------------------
  QvErr SetWindowFont(QvWindowHandle window, const std::string& face, std::int32_t heightUnits);
  struct PointerState {
    QvPixelPoint where{};
    bool overWindow = false;
    bool leftButtonDown = false;
  };
  /// Where the pointer is over the window; none when the host cannot say.
  std::optional<PointerState> Pointer(QvWindowHandle window);
  /// Empty text removes the window's tip.
  QvErr ShowTip(QvWindowHandle window, const std::string& text, QvPixelPoint anchor);
  /// The control's pixels in its window; none for an unknown control.
  std::optional<QvPixelRect> ControlRect(QvWindowHandle window, std::int32_t control);

 private:
  QvErr Note(QvErr err) {
    lastError_ = err;
    return err;
  }
  template <typename Fn, typename... Args>
  QvErr Call(Fn QvUiSuite::*fn, Args... args) {
    if (s_ == nullptr || s_->*fn == nullptr) return Note(kQvErrSuiteNotFound);
    return Note((s_->*fn)(args...));
  }

  const QvUiSuite* s_;
  QvErr lastError_ = 0;
};

}  // namespace quorvane::host
