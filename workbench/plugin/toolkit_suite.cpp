// The UI suite: each function forwards to the current host's toolkit.
#include <string>

#include "workbench/plugin/suite_support.h"
#include "workbench/plugin/suites.h"
#include "workbench/ui/toolkit.h"

namespace workbench::plugin {

namespace {

using detail::Guard;

// Runs `body` with the current host's toolkit; kQvErrBadParameter without
// a host, and no exception leaves.
template <typename F>
QvErr WithUi(F&& body) noexcept {
  return Guard([&]() -> QvErr {
    Host* host = detail::CurrentHost();
    if (host == nullptr) return kQvErrBadParameter;
    return body(host->Ui());
  });
}

std::string_view TextOf(const char* text) { return text != nullptr ? std::string_view(text) : std::string_view(); }

QvErr NewPanel(QvPluginRef self, const char* id, const char* title, std::int32_t width, std::int32_t height,
               QvPanelHandle* panel) {
  if (id == nullptr) return kQvErrBadParameter;
  return WithUi([&](ui::Toolkit& ui) { return ui.NewPanel(self, id, TextOf(title), width, height, panel); });
}

QvErr DeletePanel(QvPanelHandle panel) {
  return WithUi([&](ui::Toolkit& ui) { return ui.DeletePanel(panel); });
}

QvErr GetPanelWindow(QvPanelHandle panel, QvWindowHandle* window) {
  return WithUi([&](ui::Toolkit& ui) { return ui.PanelWindow(panel, window); });
}

QvErr ShowPanel(QvPanelHandle panel, QvBool show) {
  return WithUi([&](ui::Toolkit& ui) { return ui.ShowPanel(panel, show != 0); });
}

QvErr IsPanelShown(QvPanelHandle panel, QvBool* shown) {
  if (shown == nullptr) return kQvErrBadParameter;
  return WithUi([&](ui::Toolkit& ui) {
    bool value = false;
    const QvErr err = ui.IsPanelShown(panel, &value);
    if (err == kQvNoErr) *shown = value ? 1 : 0;
    return err;
  });
}

QvErr SetPanelSize(QvPanelHandle panel, std::int32_t width, std::int32_t height) {
  return WithUi([&](ui::Toolkit& ui) { return ui.SetPanelSize(panel, width, height); });
}

QvErr GetPanelSize(QvPanelHandle panel, std::int32_t* width, std::int32_t* height) {
  return WithUi([&](ui::Toolkit& ui) { return ui.PanelSize(panel, width, height); });
}

QvErr AddFlyoutItem(QvPanelHandle panel, std::int32_t item, const char* text) {
  return WithUi([&](ui::Toolkit& ui) { return ui.AddFlyoutItem(panel, item, TextOf(text)); });
}

QvErr CheckFlyoutItem(QvPanelHandle panel, std::int32_t item, QvBool checked) {
  return WithUi([&](ui::Toolkit& ui) { return ui.CheckFlyoutItem(panel, item, checked != 0); });
}

QvErr SetNotifyProc(QvWindowHandle window, QvNotifyProc proc, void* data) {
  return WithUi([&](ui::Toolkit& ui) { return ui.SetNotifyProc(window, proc, data); });
}

QvErr CreateControl(QvWindowHandle window, const QvControlDescription* controlDescription) {
  if (controlDescription == nullptr) return kQvErrBadParameter;
  return WithUi([&](ui::Toolkit& ui) { return ui.CreateControl(window, *controlDescription); });
}

QvErr SetControlText(QvWindowHandle window, std::int32_t control, const char* text) {
  return WithUi([&](ui::Toolkit& ui) { return ui.SetControlText(window, control, TextOf(text)); });
}

QvErr GetControlText(QvWindowHandle window, std::int32_t control, char* buffer, std::int32_t capacity,
                     std::int32_t* length) {
  return WithUi([&](ui::Toolkit& ui) {
    std::string text;
    const QvErr err = ui.ControlText(window, control, &text);
    return err != kQvNoErr ? err : detail::CopyText(text, buffer, capacity, length);
  });
}

QvErr EnableControl(QvWindowHandle window, std::int32_t control, QvBool enable) {
  return WithUi([&](ui::Toolkit& ui) { return ui.EnableControl(window, control, enable != 0); });
}

QvErr IsControlEnabled(QvWindowHandle window, std::int32_t control, QvBool* enabled) {
  if (enabled == nullptr) return kQvErrBadParameter;
  return WithUi([&](ui::Toolkit& ui) {
    bool value = false;
    const QvErr err = ui.IsControlEnabled(window, control, &value);
    if (err == kQvNoErr) *enabled = value ? 1 : 0;
    return err;
  });
}

QvErr SetChecked(QvWindowHandle window, std::int32_t control, QvBool checked) {
  return WithUi([&](ui::Toolkit& ui) { return ui.SetChecked(window, control, checked != 0); });
}

QvErr IsChecked(QvWindowHandle window, std::int32_t control, QvBool* checked) {
  if (checked == nullptr) return kQvErrBadParameter;
  return WithUi([&](ui::Toolkit& ui) {
    bool value = false;
    const QvErr err = ui.IsChecked(window, control, &value);
    if (err == kQvNoErr) *checked = value ? 1 : 0;
    return err;
  });
}

QvErr ClearItems(QvWindowHandle window, std::int32_t control) {
  return WithUi([&](ui::Toolkit& ui) { return ui.ClearItems(window, control); });
}

QvErr InsertItem(QvWindowHandle window, std::int32_t control, std::int32_t index, const char* text) {
  return WithUi([&](ui::Toolkit& ui) { return ui.InsertItem(window, control, index, TextOf(text)); });
}

QvErr SetItemText(QvWindowHandle window, std::int32_t control, std::int32_t index, const char* text) {
  return WithUi([&](ui::Toolkit& ui) { return ui.SetItemText(window, control, index, TextOf(text)); });
}

QvErr DeleteItem(QvWindowHandle window, std::int32_t control, std::int32_t index) {
  return WithUi([&](ui::Toolkit& ui) { return ui.DeleteItem(window, control, index); });
}

QvErr CountItems(QvWindowHandle window, std::int32_t control, std::int32_t* count) {
  return WithUi([&](ui::Toolkit& ui) { return ui.CountItems(window, control, count); });
}

QvErr GetItemText(QvWindowHandle window, std::int32_t control, std::int32_t index, char* buffer,
                  std::int32_t capacity, std::int32_t* length) {
  return WithUi([&](ui::Toolkit& ui) {
    std::string text;
    const QvErr err = ui.ItemText(window, control, index, &text);
    return err != kQvNoErr ? err : detail::CopyText(text, buffer, capacity, length);
  });
}

QvErr SetSelection(QvWindowHandle window, std::int32_t control, std::int32_t index) {
  return WithUi([&](ui::Toolkit& ui) { return ui.SetSelection(window, control, index); });
}

QvErr GetSelection(QvWindowHandle window, std::int32_t control, std::int32_t* index) {
  return WithUi([&](ui::Toolkit& ui) { return ui.Selection(window, control, index); });
}

QvErr FocusControl(QvWindowHandle window, std::int32_t control) {
  return WithUi([&](ui::Toolkit& ui) { return ui.FocusControl(window, control); });
}

QvErr Invalidate(QvWindowHandle window, std::int32_t control) {
  return WithUi([&](ui::Toolkit& ui) { return ui.Invalidate(window, control); });
}

QvErr StartTimer(QvWindowHandle window, std::int32_t timer, std::int32_t periodMs) {
  return WithUi([&](ui::Toolkit& ui) { return ui.StartTimer(window, timer, periodMs); });
}

QvErr StopTimer(QvWindowHandle window, std::int32_t timer) {
  return WithUi([&](ui::Toolkit& ui) { return ui.StopTimer(window, timer); });
}

QvErr RunModalDialog(QvPluginRef self, const QvDialogTemplate* dialog, QvNotifyProc proc, void* data,
                     std::int32_t* result) {
  if (dialog == nullptr) return kQvErrBadParameter;
  return WithUi([&](ui::Toolkit& ui) { return ui.RunModalDialog(self, *dialog, proc, data, result); });
}

QvErr EndDialog(QvWindowHandle dialog, std::int32_t result) {
  return WithUi([&](ui::Toolkit& ui) { return ui.EndDialog(dialog, result); });
}

QvErr Beep() {
  return WithUi([&](ui::Toolkit& ui) { return ui.Beep(); });
}

QvErr SetCursor(QvPluginRef self, std::int32_t cursorId) {
  return WithUi([&](ui::Toolkit& ui) { return ui.SetCursor(self, cursorId); });
}

QvErr IsInterfaceDark(QvBool* dark) {
  if (dark == nullptr) return kQvErrBadParameter;
  return WithUi([&](ui::Toolkit& ui) {
    bool isDark = false;
    const QvErr err = ui.IsInterfaceDark(&isDark);
    *dark = isDark ? 1 : 0;
    return err;
  });
}

QvErr SetWindowFont(QvWindowHandle window, const char* face, std::int32_t heightUnits) {
  if (face == nullptr || heightUnits <= 0) return kQvErrBadParameter;
  return WithUi([&](ui::Toolkit& ui) { return ui.SetWindowFont(window, face, heightUnits); });
}

QvErr GetPointer(QvWindowHandle window, QvPixelPoint* where, QvBool* overWindow, QvBool* leftButtonDown) {
  return WithUi([&](ui::Toolkit& ui) {
    QvPixelPoint point{};
    bool over = false;
    bool down = false;
    const QvErr err = ui.Pointer(window, &point, &over, &down);
    if (where != nullptr) *where = point;
    if (overWindow != nullptr) *overWindow = over ? 1 : 0;
    if (leftButtonDown != nullptr) *leftButtonDown = down ? 1 : 0;
    return err;
  });
}

QvErr ShowTip(QvWindowHandle window, const char* text, QvPixelPoint anchor) {
  return WithUi([&](ui::Toolkit& ui) { return ui.ShowTip(window, text == nullptr ? "" : text, anchor); });
}

QvErr GetControlRect(QvWindowHandle window, std::int32_t control, QvPixelRect* rect) {
  if (rect == nullptr) return kQvErrBadParameter;
  return WithUi([&](ui::Toolkit& ui) { return ui.ControlRect(window, control, rect); });
}

}  // namespace

const QvUiSuite& UiSuiteImpl() {
  static const QvUiSuite suite{
      NewPanel,       DeletePanel,    GetPanelWindow,   ShowPanel,      IsPanelShown,  SetPanelSize,
      GetPanelSize,   AddFlyoutItem,  CheckFlyoutItem,  SetNotifyProc,  CreateControl, SetControlText,
      GetControlText, EnableControl,  IsControlEnabled, SetChecked,     IsChecked,     ClearItems,
      InsertItem,     SetItemText,    DeleteItem,       CountItems,     GetItemText,   SetSelection,
      GetSelection,   FocusControl,   Invalidate,       StartTimer,     StopTimer,     RunModalDialog,
      EndDialog,      Beep,           SetCursor,        IsInterfaceDark, SetWindowFont, GetPointer,
      ShowTip,        GetControlRect};
  return suite;
}

}  // namespace workbench::plugin
