// The toolkit without a display, for the command line and tests: panels,
// windows and controls are state in memory, the user's actions are
// simulated by calls, and every modal dialog is answered from a script.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workbench/ui/dialog_script.h"
#include "workbench/ui/toolkit.h"

namespace workbench::ui {

/// One control as the toolkit keeps it.
struct ControlState {
  std::int32_t id = 0;
  /// A QvControlKind.
  std::int32_t kind = kQvLabelControl;
  QvControlFrame frame{};
  /// The caption, the field's text, or a drop-down's text (for a drop-down
  /// list the text of the selected item).
  std::string text;
  /// QvControlOptions flags.
  std::int32_t options = 0;
  bool enabled = true;
  bool checked = false;
  std::vector<std::string> items;
  /// -1 for none.
  std::int32_t selection = -1;
  /// Invalidate calls naming this control.
  int invalidations = 0;
};

struct FlyoutItem {
  std::int32_t item = 0;
  std::string text;
  bool checked = false;
};

struct PanelInfo {
  QvPanelHandle handle = nullptr;
  QvWindowHandle window = nullptr;
  QvPluginRef owner = nullptr;
  std::string id;
  std::string title;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool shown = false;
  std::vector<FlyoutItem> flyout;
};

/// A modal dialog as it was shown, and how it ended.
struct ShownDialog {
  std::int32_t resourceId = 0;
  std::string title;
  /// The controls as they were when the dialog closed or failed.
  std::vector<ControlState> controls;
  /// The value given to EndDialog; none when the dialog failed.
  std::optional<std::int32_t> result;
  /// Why it failed; empty when it ended.
  std::string failure;

  /// The text of control `id`; none for a control the dialog lacks.
  std::optional<std::string> Text(std::int32_t id) const;
};

/// One call of the drawing context during owner drawing, in window pixels.
struct DrawOp {
  enum class Kind { kFill, kFrame, kLine, kText, kImage };
  Kind kind = Kind::kFill;
  /// The rectangle of fills, frames, texts and images.
  QvPixelRect rect{};
  /// A line's ends; a text's x.
  std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  QvRgb color = 0;
  std::string text;
  bool centred = false;
  /// The byte count of an image.
  std::int32_t imageSize = 0;
};

/// How a simulated user action went. `delivered` is false when it was
/// refused (`refusal` says why) and nothing changed; otherwise `result` is
/// what the window's procedure returned.
struct ActionOutcome {
  bool delivered = false;
  QvErr result = 0;
  std::string refusal;
  explicit operator bool() const { return delivered; }
};

class HeadlessToolkit final : public Toolkit {
 public:
  HeadlessToolkit() = default;
  HeadlessToolkit(const HeadlessToolkit&) = delete;
  HeadlessToolkit& operator=(const HeadlessToolkit&) = delete;

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
  QvErr IsInterfaceDark(bool* dark) override {
    *dark = darkInterface_;
    return kQvNoErr;
  }
  /// The theme IsInterfaceDark reports; light unless set. Modules hear of a
  /// change only through the host's brightness notifier.
  void SetInterfaceDark(bool dark) { darkInterface_ = dark; }

  QvErr SetWindowFont(QvWindowHandle window, std::string_view face, std::int32_t heightUnits) override;
  QvErr Pointer(QvWindowHandle window, QvPixelPoint* where, bool* overWindow, bool* leftButtonDown) override;
  QvErr ShowTip(QvWindowHandle window, std::string_view text, QvPixelPoint anchor) override;
  QvErr ControlRect(QvWindowHandle window, std::int32_t control, QvPixelRect* rect) override;

  std::string LastFailure() const override { return lastFailure_; }

  // ---- The user's actions ---------------------------------------------------
  // Each is refused when the window or control is missing, the control is
  // disabled or of the wrong kind, or the window has no procedure.

  /// Push and picture buttons notify kQvClicked; a check box toggles first,
  /// a radio button becomes checked first.
  ActionOutcome Click(QvWindowHandle window, std::int32_t control);
  /// Lists and drop-downs: selects `row` (0..count-1), then notifies
  /// kQvSelectionChanged. A drop-down's text becomes the row's text.
  ActionOutcome SelectRow(QvWindowHandle window, std::int32_t control, std::int32_t row);
  /// Edit fields and editable drop-downs: sets the text, then notifies
  /// kQvTextChanged.
  ActionOutcome TypeText(QvWindowHandle window, std::int32_t control, std::string_view text);
  /// Notifies the panel's window of kQvFlyoutChosen with the item number.
  /// Separators cannot be chosen.
  ActionOutcome ChooseFlyoutItem(QvPanelHandle panel, std::int32_t item);
  /// Notifies kQvTimerFired for a running timer. Timers fire only so.
  ActionOutcome FireTimer(QvWindowHandle window, std::int32_t timer);
  /// Puts the pointer at `where` (window pixels); `overWindow` false means
  /// another window covers that spot. Nothing is notified.
  void MovePointer(QvWindowHandle window, QvPixelPoint where, bool overWindow, bool leftButtonDown);

  // ---- Owner drawing --------------------------------------------------------
  /// Asks the module to draw an owner-drawn control (kQvOwnerDrawn, or a
  /// picture button): its face for `item` -1, else row `item` of a list or
  /// drop-down, rows being kRowHeight units tall from the control's top.
  /// kQvItemSelected, kQvItemDisabled and kQvItemFocused are added to
  /// `state` from the control. The context's calls land in `ops`.
  ActionOutcome DrawItem(QvWindowHandle window, std::int32_t control, std::int32_t item, std::int32_t state,
                         std::vector<DrawOp>* ops);
  /// Pixels per window unit given to owner drawing; 1 unless set.
  void SetScale(double scale) { scale_ = scale; }
  static constexpr std::int32_t kRowHeight = 18;
  /// The control's frame in window pixels (y down), as drawing gets it;
  /// none for an unknown control.
  std::optional<QvPixelRect> PixelRect(QvWindowHandle window, std::int32_t control) const;

  // ---- Scripted dialogs -----------------------------------------------------
  /// Queues an answer. A dialog takes the first queued answer that names
  /// its resource number or any dialog.
  void AddDialogAnswer(DialogAnswer answer) { answers_.push_back(std::move(answer)); }
  std::size_t PendingDialogAnswers() const { return answers_.size(); }
  /// Every dialog run so far, in order of closing.
  const std::vector<ShownDialog>& ShownDialogs() const { return shownDialogs_; }

  // ---- Looking in -----------------------------------------------------------
  std::optional<PanelInfo> FindPanel(std::string_view id) const;
  std::optional<PanelInfo> Panel(QvPanelHandle panel) const;
  /// A copy of the control; none for an unknown window or control.
  std::optional<ControlState> FindControl(QvWindowHandle window, std::int32_t control) const;
  /// Every control of the window in creation order.
  std::vector<ControlState> Controls(QvWindowHandle window) const;
  /// The control given the focus last; 0 for none.
  std::int32_t FocusedControl(QvWindowHandle window) const;
  /// Invalidate calls for the whole window.
  int WindowInvalidations(QvWindowHandle window) const;
  /// The period of a running timer; none when it is not running.
  std::optional<std::int32_t> TimerPeriod(QvWindowHandle window, std::int32_t timer) const;
  int BeepCount() const { return beeps_; }
  /// The cursor a module set last; none when it set none.
  std::optional<std::int32_t> CursorOf(QvPluginRef owner) const;
  /// The cursor set last by any module; 0 for none.
  std::int32_t CurrentCursor() const { return currentCursor_; }
  /// Non-zero results of notify procedures, described, in order.
  const std::vector<std::string>& ReportedErrors() const { return reported_; }
  struct WindowFont {
    std::string face;
    std::int32_t heightUnits = 0;
  };
  /// The font a module gave the window; none when it gave none.
  std::optional<WindowFont> FontOf(QvWindowHandle window) const;
  struct Tip {
    std::string text;
    QvPixelPoint anchor{};
  };
  /// The tip the window shows; none when it shows none.
  std::optional<Tip> TipOf(QvWindowHandle window) const;

 private:
  struct Window {
    std::int32_t width = 0;
    std::int32_t height = 0;
    QvNotifyProc proc = nullptr;
    void* data = nullptr;
    std::vector<ControlState> controls;
    std::int32_t focused = 0;
    int invalidations = 0;
    std::map<std::int32_t, std::int32_t> timers;
    bool isDialog = false;
    bool ended = false;
    std::int32_t result = 0;
    std::optional<WindowFont> font;
    QvPixelPoint pointer{-1, -1};
    bool pointerOver = false;
    bool leftButtonDown = false;
    std::optional<Tip> tip;
  };
  struct PanelEntry {
    QvPluginRef owner = nullptr;
    std::string id;
    std::string title;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool shown = false;
    std::vector<FlyoutItem> flyout;
    std::uint64_t window = 0;
  };

  Window* FindWindow(QvWindowHandle window);
  const Window* FindWindow(QvWindowHandle window) const;
  PanelEntry* FindPanelEntry(QvPanelHandle panel);
  ControlState* FindControlState(QvWindowHandle window, std::int32_t control);
  PanelInfo InfoOf(std::uint64_t key, const PanelEntry& entry) const;
  std::uint64_t NewWindow(std::int32_t width, std::int32_t height);

  /// The control a user action may reach, or a refusal in `outcome`.
  ControlState* UsableControl(QvWindowHandle window, std::int32_t control, ActionOutcome* outcome);
  /// Calls the window's procedure; records a non-zero result.
  ActionOutcome Deliver(QvWindowHandle window, std::int32_t control, std::int32_t notification);
  ActionOutcome Refuse(std::string reason);
  /// Plays one scripted step in a running dialog.
  ActionOutcome PlayStep(QvWindowHandle window, const DialogStep& step);
  QvErr FailDialog(QvWindowHandle window, const QvDialogTemplate& dialog, std::string failure);

  std::map<std::uint64_t, PanelEntry> panels_;
  std::map<std::uint64_t, Window> windows_;
  // Panels and windows share one counter so that no handle of either ever
  // names the other, and none is reused.
  std::uint64_t nextHandle_ = 1;
  std::deque<DialogAnswer> answers_;
  std::vector<ShownDialog> shownDialogs_;
  std::map<QvPluginRef, std::int32_t> cursors_;
  std::int32_t currentCursor_ = 0;
  int beeps_ = 0;
  double scale_ = 1.0;
  bool darkInterface_ = false;
  std::vector<std::string> reported_;
  std::string lastFailure_;
};

/// The name of a QvControlKind ("edit field"); "unknown kind" otherwise.
std::string_view ControlKindName(std::int32_t kind);

}  // namespace workbench::ui
