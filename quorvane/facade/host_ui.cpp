#include "quorvane/facade/host_ui.h"

namespace quorvane::host {

namespace {

std::string Owned(std::string_view text) { return std::string(text); }

// Reads a text of unknown length: asks for the length first, then the bytes.
template <typename Read>
std::optional<std::string> ReadWhole(Read read, QvErr& lastError) {
  std::int32_t length = 0;
  if ((lastError = read(nullptr, 0, &length)) != 0) return std::nullopt;
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  if ((lastError = read(text.data(), length + 1, &length)) != 0) return std::nullopt;
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

std::optional<QvPanelHandle> HostUi::NewPanel(QvPluginRef self, std::string_view id, std::string_view title,
                                              std::int32_t width, std::int32_t height) {
  QvPanelHandle panel = nullptr;
  if (Call(&QvUiSuite::NewPanel, self, Owned(id).c_str(), Owned(title).c_str(), width, height, &panel)) {
    return std::nullopt;
  }
  return panel;
}

QvErr HostUi::DeletePanel(QvPanelHandle panel) { return Call(&QvUiSuite::DeletePanel, panel); }

std::optional<QvWindowHandle> HostUi::PanelWindow(QvPanelHandle panel) {
  QvWindowHandle window = nullptr;
  if (Call(&QvUiSuite::GetPanelWindow, panel, &window)) return std::nullopt;
  return window;
}

QvErr HostUi::ShowPanel(QvPanelHandle panel, bool show) {
  return Call(&QvUiSuite::ShowPanel, panel, static_cast<QvBool>(show));
}

std::optional<bool> HostUi::IsPanelShown(QvPanelHandle panel) {
  QvBool shown = 0;
  if (Call(&QvUiSuite::IsPanelShown, panel, &shown)) return std::nullopt;
  return shown != 0;
}

QvErr HostUi::SetPanelSize(QvPanelHandle panel, std::int32_t width, std::int32_t height) {
  return Call(&QvUiSuite::SetPanelSize, panel, width, height);
}

std::optional<std::pair<std::int32_t, std::int32_t>> HostUi::PanelSize(QvPanelHandle panel) {
  std::int32_t width = 0;
  std::int32_t height = 0;
  if (Call(&QvUiSuite::GetPanelSize, panel, &width, &height)) return std::nullopt;
  return std::pair{width, height};
}

QvErr HostUi::AddFlyoutItem(QvPanelHandle panel, std::int32_t item, std::string_view text) {
  return Call(&QvUiSuite::AddFlyoutItem, panel, item, Owned(text).c_str());
}

QvErr HostUi::CheckFlyoutItem(QvPanelHandle panel, std::int32_t item, bool checked) {
  return Call(&QvUiSuite::CheckFlyoutItem, panel, item, static_cast<QvBool>(checked));
}

QvErr HostUi::SetNotifyProc(QvWindowHandle window, QvNotifyProc proc, void* data) {
  return Call(&QvUiSuite::SetNotifyProc, window, proc, data);
}

QvErr HostUi::CreateControl(QvWindowHandle window, const DialogControl& control) {
  const QvControlDescription controlDescription{control.id, control.kind, control.frame, control.text.c_str(), control.options};
  return Call(&QvUiSuite::CreateControl, window, &controlDescription);
}

QvErr HostUi::SetText(QvWindowHandle window, std::int32_t control, std::string_view text) {
  return Call(&QvUiSuite::SetControlText, window, control, Owned(text).c_str());
}

std::optional<std::string> HostUi::Text(QvWindowHandle window, std::int32_t control) {
  if (s_ == nullptr || s_->GetControlText == nullptr) {
    Note(kQvErrSuiteNotFound);
    return std::nullopt;
  }
  return ReadWhole(
      [&](char* buffer, std::int32_t capacity, std::int32_t* length) {
        return s_->GetControlText(window, control, buffer, capacity, length);
      },
      lastError_);
}

QvErr HostUi::Enable(QvWindowHandle window, std::int32_t control, bool enable) {
  return Call(&QvUiSuite::EnableControl, window, control, static_cast<QvBool>(enable));
}

std::optional<bool> HostUi::IsEnabled(QvWindowHandle window, std::int32_t control) {
  QvBool enabled = 0;
  if (Call(&QvUiSuite::IsControlEnabled, window, control, &enabled)) return std::nullopt;
  return enabled != 0;
}

QvErr HostUi::SetChecked(QvWindowHandle window, std::int32_t control, bool checked) {
  return Call(&QvUiSuite::SetChecked, window, control, static_cast<QvBool>(checked));
}

std::optional<bool> HostUi::IsChecked(QvWindowHandle window, std::int32_t control) {
  QvBool checked = 0;
  if (Call(&QvUiSuite::IsChecked, window, control, &checked)) return std::nullopt;
  return checked != 0;
}

QvErr HostUi::ClearItems(QvWindowHandle window, std::int32_t control) {
  return Call(&QvUiSuite::ClearItems, window, control);
}

QvErr HostUi::InsertItem(QvWindowHandle window, std::int32_t control, std::int32_t index, std::string_view text) {
  return Call(&QvUiSuite::InsertItem, window, control, index, Owned(text).c_str());
}

QvErr HostUi::SetItemText(QvWindowHandle window, std::int32_t control, std::int32_t index, std::string_view text) {
  return Call(&QvUiSuite::SetItemText, window, control, index, Owned(text).c_str());
}

QvErr HostUi::DeleteItem(QvWindowHandle window, std::int32_t control, std::int32_t index) {
  return Call(&QvUiSuite::DeleteItem, window, control, index);
}

std::optional<std::int32_t> HostUi::ItemCount(QvWindowHandle window, std::int32_t control) {
  std::int32_t count = 0;
  if (Call(&QvUiSuite::CountItems, window, control, &count)) return std::nullopt;
  return count;
}

std::optional<std::string> HostUi::ItemText(QvWindowHandle window, std::int32_t control, std::int32_t index) {
  if (s_ == nullptr || s_->GetItemText == nullptr) {
    Note(kQvErrSuiteNotFound);
    return std::nullopt;
  }
  return ReadWhole(
      [&](char* buffer, std::int32_t capacity, std::int32_t* length) {
        return s_->GetItemText(window, control, index, buffer, capacity, length);
      },
      lastError_);
}

QvErr HostUi::SetSelection(QvWindowHandle window, std::int32_t control, std::int32_t index) {
  return Call(&QvUiSuite::SetSelection, window, control, index);
}

std::optional<std::int32_t> HostUi::Selection(QvWindowHandle window, std::int32_t control) {
  std::int32_t index = -1;
  if (Call(&QvUiSuite::GetSelection, window, control, &index)) return std::nullopt;
  return index;
}

QvErr HostUi::Focus(QvWindowHandle window, std::int32_t control) {
  return Call(&QvUiSuite::FocusControl, window, control);
}

QvErr HostUi::Invalidate(QvWindowHandle window, std::int32_t control) {
  return Call(&QvUiSuite::Invalidate, window, control);
}

QvErr HostUi::StartTimer(QvWindowHandle window, std::int32_t timer, std::int32_t periodMs) {
  return Call(&QvUiSuite::StartTimer, window, timer, periodMs);
}

QvErr HostUi::StopTimer(QvWindowHandle window, std::int32_t timer) {
  return Call(&QvUiSuite::StopTimer, window, timer);
}

std::optional<std::int32_t> HostUi::RunModalDialog(QvPluginRef self, const DialogTemplate& dialog, QvNotifyProc proc,
                                                   void* data) {
  std::vector<QvControlDescription> descriptions;
  descriptions.reserve(dialog.controls.size());
  for (const DialogControl& control : dialog.controls) {
    descriptions.push_back({control.id, control.kind, control.frame, control.text.c_str(), control.options});
  }
  const QvDialogTemplate raw{dialog.resourceId,         dialog.title.c_str(), dialog.width, dialog.height,
                             descriptions.data(), static_cast<std::int32_t>(descriptions.size())};
  std::int32_t result = 0;
  if (Call(&QvUiSuite::RunModalDialog, self, &raw, proc, data, &result)) return std::nullopt;
  return result;
}

QvErr HostUi::EndDialog(QvWindowHandle dialog, std::int32_t result) {
  return Call(&QvUiSuite::EndDialog, dialog, result);
}

QvErr HostUi::Beep() { return Call(&QvUiSuite::Beep); }

QvErr HostUi::SetCursor(QvPluginRef self, std::int32_t cursorId) {
  return Call(&QvUiSuite::SetCursor, self, cursorId);
}

std::optional<bool> HostUi::IsInterfaceDark() {
  QvBool dark = 0;
  if (Call(&QvUiSuite::IsInterfaceDark, &dark)) return std::nullopt;
  return dark != 0;
}

QvErr HostUi::SetWindowFont(QvWindowHandle window, const std::string& face, std::int32_t heightUnits) {
  return Call(&QvUiSuite::SetWindowFont, window, face.c_str(), heightUnits);
}

std::optional<HostUi::PointerState> HostUi::Pointer(QvWindowHandle window) {
  QvPixelPoint where{};
  QvBool over = 0;
  QvBool down = 0;
  if (Call(&QvUiSuite::GetPointer, window, &where, &over, &down)) return std::nullopt;
  return PointerState{where, over != 0, down != 0};
}

QvErr HostUi::ShowTip(QvWindowHandle window, const std::string& text, QvPixelPoint anchor) {
  return Call(&QvUiSuite::ShowTip, window, text.c_str(), anchor);
}

std::optional<QvPixelRect> HostUi::ControlRect(QvWindowHandle window, std::int32_t control) {
  QvPixelRect rect{};
  if (Call(&QvUiSuite::GetControlRect, window, control, &rect)) return std::nullopt;
  return rect;
}

}  // namespace quorvane::host
