#include "workbench/ui/headless_toolkit.h"

#include <utility>

#include "sdk/errors.h"
#include "workbench/ui/control_kinds.h"

namespace workbench::ui {

namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string Describe(const ControlState& c) {
  std::string text = std::to_string(c.id) + " " + Quoted(c.text);
  if (IsCheckable(c.kind)) text += c.checked ? " [x]" : " [ ]";
  if (!c.enabled) text += " (disabled)";
  return text;
}

std::string DialogName(const QvDialogTemplate& dialog) {
  return "dialog " + Quoted(dialog.title != nullptr ? dialog.title : "") + " (resource " +
         std::to_string(dialog.resourceId) + ")";
}

}  // namespace

std::string_view ControlKindName(std::int32_t kind) {
  switch (kind) {
    case kQvLabelControl: return "label";
    case kQvEditControl: return "edit field";
    case kQvEditableDropDownControl: return "editable drop-down";
    case kQvDropDownListControl: return "drop-down list";
    case kQvListControl: return "list";
    case kQvPushButtonControl: return "push button";
    case kQvPictureButtonControl: return "picture button";
    case kQvCheckBoxControl: return "check box";
    case kQvRadioButtonControl: return "radio button";
    case kQvSeparatorControl: return "separator";
    default: return "unknown kind";
  }
}

std::optional<std::string> ShownDialog::Text(std::int32_t id) const {
  for (const ControlState& c : controls) {
    if (c.id == id) return c.text;
  }
  return std::nullopt;
}

// ---- Lookup ---------------------------------------------------------------------

HeadlessToolkit::Window* HeadlessToolkit::FindWindow(QvWindowHandle window) {
  auto it = windows_.find(KeyOf(window));
  return it == windows_.end() ? nullptr : &it->second;
}

const HeadlessToolkit::Window* HeadlessToolkit::FindWindow(QvWindowHandle window) const {
  auto it = windows_.find(KeyOf(window));
  return it == windows_.end() ? nullptr : &it->second;
}

HeadlessToolkit::PanelEntry* HeadlessToolkit::FindPanelEntry(QvPanelHandle panel) {
  auto it = panels_.find(KeyOf(panel));
  return it == panels_.end() ? nullptr : &it->second;
}

ControlState* HeadlessToolkit::FindControlState(QvWindowHandle window, std::int32_t control) {
  Window* w = FindWindow(window);
  if (w == nullptr || control == 0) return nullptr;
  for (ControlState& c : w->controls) {
    if (c.id == control) return &c;
  }
  return nullptr;
}

std::uint64_t HeadlessToolkit::NewWindow(std::int32_t width, std::int32_t height) {
  const std::uint64_t key = nextHandle_++;
  Window& w = windows_[key];
  w.width = width;
  w.height = height;
  return key;
}

PanelInfo HeadlessToolkit::InfoOf(std::uint64_t key, const PanelEntry& entry) const {
  PanelInfo info;
  info.handle = HandleOf<QvPanelHandle>(key);
  info.window = HandleOf<QvWindowHandle>(entry.window);
  info.owner = entry.owner;
  info.id = entry.id;
  info.title = entry.title;
  info.width = entry.width;
  info.height = entry.height;
  info.shown = entry.shown;
  info.flyout = entry.flyout;
  return info;
}

std::optional<PanelInfo> HeadlessToolkit::FindPanel(std::string_view id) const {
  for (const auto& [key, entry] : panels_) {
    if (entry.id == id) return InfoOf(key, entry);
  }
  return std::nullopt;
}

std::optional<PanelInfo> HeadlessToolkit::Panel(QvPanelHandle panel) const {
  auto it = panels_.find(KeyOf(panel));
  if (it == panels_.end()) return std::nullopt;
  return InfoOf(it->first, it->second);
}

std::optional<ControlState> HeadlessToolkit::FindControl(QvWindowHandle window, std::int32_t control) const {
  const Window* w = FindWindow(window);
  if (w == nullptr || control == 0) return std::nullopt;
  for (const ControlState& c : w->controls) {
    if (c.id == control) return c;
  }
  return std::nullopt;
}

std::vector<ControlState> HeadlessToolkit::Controls(QvWindowHandle window) const {
  const Window* w = FindWindow(window);
  return w != nullptr ? w->controls : std::vector<ControlState>{};
}

std::int32_t HeadlessToolkit::FocusedControl(QvWindowHandle window) const {
  const Window* w = FindWindow(window);
  return w != nullptr ? w->focused : 0;
}

int HeadlessToolkit::WindowInvalidations(QvWindowHandle window) const {
  const Window* w = FindWindow(window);
  return w != nullptr ? w->invalidations : 0;
}

std::optional<std::int32_t> HeadlessToolkit::TimerPeriod(QvWindowHandle window, std::int32_t timer) const {
  const Window* w = FindWindow(window);
  if (w == nullptr) return std::nullopt;
  auto it = w->timers.find(timer);
  if (it == w->timers.end()) return std::nullopt;
  return it->second;
}

std::optional<std::int32_t> HeadlessToolkit::CursorOf(QvPluginRef owner) const {
  auto it = cursors_.find(owner);
  if (it == cursors_.end()) return std::nullopt;
  return it->second;
}

// ---- Panels ---------------------------------------------------------------------

QvErr HeadlessToolkit::NewPanel(QvPluginRef owner, std::string_view id, std::string_view title, std::int32_t width,
                                std::int32_t height, QvPanelHandle* panel) {
  if (panel == nullptr || id.empty() || width <= 0 || height <= 0 || FindPanel(id)) return kQvErrBadParameter;
  const std::uint64_t window = NewWindow(width, height);
  const std::uint64_t key = nextHandle_++;
  PanelEntry& entry = panels_[key];
  entry.owner = owner;
  entry.id = std::string(id);
  entry.title = std::string(title);
  entry.width = width;
  entry.height = height;
  entry.window = window;
  *panel = HandleOf<QvPanelHandle>(key);
  return kQvNoErr;
}

QvErr HeadlessToolkit::DeletePanel(QvPanelHandle panel) {
  PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr) return kQvErrBadParameter;
  windows_.erase(entry->window);
  panels_.erase(KeyOf(panel));
  return kQvNoErr;
}

QvErr HeadlessToolkit::PanelWindow(QvPanelHandle panel, QvWindowHandle* window) {
  PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr || window == nullptr) return kQvErrBadParameter;
  *window = HandleOf<QvWindowHandle>(entry->window);
  return kQvNoErr;
}

QvErr HeadlessToolkit::ShowPanel(QvPanelHandle panel, bool show) {
  PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr) return kQvErrBadParameter;
  entry->shown = show;
  return kQvNoErr;
}

QvErr HeadlessToolkit::IsPanelShown(QvPanelHandle panel, bool* shown) {
  PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr || shown == nullptr) return kQvErrBadParameter;
  *shown = entry->shown;
  return kQvNoErr;
}

QvErr HeadlessToolkit::SetPanelSize(QvPanelHandle panel, std::int32_t width, std::int32_t height) {
  PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr || width <= 0 || height <= 0) return kQvErrBadParameter;
  entry->width = width;
  entry->height = height;
  return kQvNoErr;
}

QvErr HeadlessToolkit::PanelSize(QvPanelHandle panel, std::int32_t* width, std::int32_t* height) {
  PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr || width == nullptr || height == nullptr) return kQvErrBadParameter;
  *width = entry->width;
  *height = entry->height;
  return kQvNoErr;
}

QvErr HeadlessToolkit::AddFlyoutItem(QvPanelHandle panel, std::int32_t item, std::string_view text) {
  PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr) return kQvErrBadParameter;
  for (const FlyoutItem& existing : entry->flyout) {
    if (existing.item == item) return kQvErrBadParameter;
  }
  entry->flyout.push_back(FlyoutItem{item, std::string(text), false});
  return kQvNoErr;
}

QvErr HeadlessToolkit::CheckFlyoutItem(QvPanelHandle panel, std::int32_t item, bool checked) {
  PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr) return kQvErrBadParameter;
  for (FlyoutItem& existing : entry->flyout) {
    if (existing.item == item) {
      existing.checked = checked;
      return kQvNoErr;
    }
  }
  return kQvErrBadParameter;
}

// ---- Windows and controls ---------------------------------------------------------

QvErr HeadlessToolkit::SetNotifyProc(QvWindowHandle window, QvNotifyProc proc, void* data) {
  Window* w = FindWindow(window);
  if (w == nullptr) return kQvErrBadParameter;
  w->proc = proc;
  w->data = data;
  return kQvNoErr;
}

QvErr HeadlessToolkit::CreateControl(QvWindowHandle window, const QvControlDescription& controlDescription) {
  Window* w = FindWindow(window);
  if (w == nullptr || controlDescription.kind < kQvLabelControl || controlDescription.kind > kQvSeparatorControl) return kQvErrBadParameter;
  if (controlDescription.id != 0 && FindControlState(window, controlDescription.id) != nullptr) return kQvErrBadParameter;
  ControlState c;
  c.id = controlDescription.id;
  c.kind = controlDescription.kind;
  c.frame = controlDescription.frame;
  c.text = controlDescription.text != nullptr ? controlDescription.text : "";
  c.options = controlDescription.options;
  w->controls.push_back(std::move(c));
  return kQvNoErr;
}

QvErr HeadlessToolkit::SetControlText(QvWindowHandle window, std::int32_t control, std::string_view text) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr) return kQvErrBadParameter;
  c->text = std::string(text);
  return kQvNoErr;
}

QvErr HeadlessToolkit::ControlText(QvWindowHandle window, std::int32_t control, std::string* text) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr || text == nullptr) return kQvErrBadParameter;
  *text = c->text;
  return kQvNoErr;
}

QvErr HeadlessToolkit::EnableControl(QvWindowHandle window, std::int32_t control, bool enable) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr) return kQvErrBadParameter;
  c->enabled = enable;
  return kQvNoErr;
}

QvErr HeadlessToolkit::IsControlEnabled(QvWindowHandle window, std::int32_t control, bool* enabled) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr || enabled == nullptr) return kQvErrBadParameter;
  *enabled = c->enabled;
  return kQvNoErr;
}

QvErr HeadlessToolkit::SetChecked(QvWindowHandle window, std::int32_t control, bool checked) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr || !IsCheckable(c->kind)) return kQvErrBadParameter;
  c->checked = checked;
  return kQvNoErr;
}

QvErr HeadlessToolkit::IsChecked(QvWindowHandle window, std::int32_t control, bool* checked) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr || checked == nullptr || !IsCheckable(c->kind)) return kQvErrBadParameter;
  *checked = c->checked;
  return kQvNoErr;
}

QvErr HeadlessToolkit::ClearItems(QvWindowHandle window, std::int32_t control) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr || !HasItems(c->kind)) return kQvErrBadParameter;
  c->items.clear();
  c->selection = -1;
  if (c->kind == kQvDropDownListControl) c->text.clear();
  return kQvNoErr;
}

QvErr HeadlessToolkit::InsertItem(QvWindowHandle window, std::int32_t control, std::int32_t index,
                                  std::string_view text) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr || !HasItems(c->kind)) return kQvErrBadParameter;
  const auto count = static_cast<std::int32_t>(c->items.size());
  if (index == -1) index = count;
  if (index < 0 || index > count) return kQvErrBadParameter;
  c->items.insert(c->items.begin() + index, std::string(text));
  // The selection stays on the item it was on.
  if (c->selection >= index) ++c->selection;
  return kQvNoErr;
}

QvErr HeadlessToolkit::SetItemText(QvWindowHandle window, std::int32_t control, std::int32_t index,
                                   std::string_view text) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr || !HasItems(c->kind) || index < 0 || index >= static_cast<std::int32_t>(c->items.size())) {
    return kQvErrBadParameter;
  }
  c->items[static_cast<std::size_t>(index)] = std::string(text);
  if (c->kind == kQvDropDownListControl && c->selection == index) c->text = std::string(text);
  return kQvNoErr;
}

QvErr HeadlessToolkit::DeleteItem(QvWindowHandle window, std::int32_t control, std::int32_t index) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr || !HasItems(c->kind) || index < 0 || index >= static_cast<std::int32_t>(c->items.size())) {
    return kQvErrBadParameter;
  }
  c->items.erase(c->items.begin() + index);
  if (c->selection == index) {
    c->selection = -1;
    if (c->kind == kQvDropDownListControl) c->text.clear();
  } else if (c->selection > index) {
    --c->selection;
  }
  return kQvNoErr;
}

QvErr HeadlessToolkit::CountItems(QvWindowHandle window, std::int32_t control, std::int32_t* count) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr || count == nullptr || !HasItems(c->kind)) return kQvErrBadParameter;
  *count = static_cast<std::int32_t>(c->items.size());
  return kQvNoErr;
}

QvErr HeadlessToolkit::ItemText(QvWindowHandle window, std::int32_t control, std::int32_t index, std::string* text) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr || text == nullptr || !HasItems(c->kind) || index < 0 ||
      index >= static_cast<std::int32_t>(c->items.size())) {
    return kQvErrBadParameter;
  }
  *text = c->items[static_cast<std::size_t>(index)];
  return kQvNoErr;
}

QvErr HeadlessToolkit::SetSelection(QvWindowHandle window, std::int32_t control, std::int32_t index) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr || !HasItems(c->kind) || index < -1 || index >= static_cast<std::int32_t>(c->items.size())) {
    return kQvErrBadParameter;
  }
  c->selection = index;
  // A drop-down shows the chosen item in its face, as a desktop one does.
  if (IsDropDown(c->kind) && index >= 0) c->text = c->items[static_cast<std::size_t>(index)];
  if (c->kind == kQvDropDownListControl && index < 0) c->text.clear();
  return kQvNoErr;
}

QvErr HeadlessToolkit::Selection(QvWindowHandle window, std::int32_t control, std::int32_t* index) {
  ControlState* c = FindControlState(window, control);
  if (c == nullptr || index == nullptr || !HasItems(c->kind)) return kQvErrBadParameter;
  *index = c->selection;
  return kQvNoErr;
}

QvErr HeadlessToolkit::FocusControl(QvWindowHandle window, std::int32_t control) {
  if (FindControlState(window, control) == nullptr) return kQvErrBadParameter;
  FindWindow(window)->focused = control;
  return kQvNoErr;
}

QvErr HeadlessToolkit::Invalidate(QvWindowHandle window, std::int32_t control) {
  Window* w = FindWindow(window);
  if (w == nullptr) return kQvErrBadParameter;
  if (control == 0) {
    ++w->invalidations;
    return kQvNoErr;
  }
  ControlState* c = FindControlState(window, control);
  if (c == nullptr) return kQvErrBadParameter;
  ++c->invalidations;
  return kQvNoErr;
}

QvErr HeadlessToolkit::StartTimer(QvWindowHandle window, std::int32_t timer, std::int32_t periodMs) {
  Window* w = FindWindow(window);
  if (w == nullptr || periodMs <= 0) return kQvErrBadParameter;
  w->timers[timer] = periodMs;
  return kQvNoErr;
}

QvErr HeadlessToolkit::StopTimer(QvWindowHandle window, std::int32_t timer) {
  Window* w = FindWindow(window);
  if (w == nullptr || w->timers.erase(timer) == 0) return kQvErrBadParameter;
  return kQvNoErr;
}

// ---- Sound and cursor -------------------------------------------------------------

QvErr HeadlessToolkit::Beep() {
  ++beeps_;
  return kQvNoErr;
}

QvErr HeadlessToolkit::SetCursor(QvPluginRef owner, std::int32_t cursorId) {
  cursors_[owner] = cursorId;
  currentCursor_ = cursorId;
  return kQvNoErr;
}

QvErr HeadlessToolkit::SetWindowFont(QvWindowHandle window, std::string_view face, std::int32_t heightUnits) {
  Window* w = FindWindow(window);
  if (w == nullptr || face.empty() || heightUnits <= 0) return kQvErrBadParameter;
  w->font = WindowFont{std::string(face), heightUnits};
  return kQvNoErr;
}

QvErr HeadlessToolkit::Pointer(QvWindowHandle window, QvPixelPoint* where, bool* overWindow, bool* leftButtonDown) {
  const Window* w = FindWindow(window);
  if (w == nullptr || where == nullptr || overWindow == nullptr || leftButtonDown == nullptr) {
    return kQvErrBadParameter;
  }
  *where = w->pointer;
  *overWindow = w->pointerOver;
  *leftButtonDown = w->leftButtonDown;
  return kQvNoErr;
}

QvErr HeadlessToolkit::ShowTip(QvWindowHandle window, std::string_view text, QvPixelPoint anchor) {
  Window* w = FindWindow(window);
  if (w == nullptr) return kQvErrBadParameter;
  if (text.empty()) {
    w->tip.reset();
  } else {
    w->tip = Tip{std::string(text), anchor};
  }
  return kQvNoErr;
}

QvErr HeadlessToolkit::ControlRect(QvWindowHandle window, std::int32_t control, QvPixelRect* rect) {
  std::optional<QvPixelRect> pixels = PixelRect(window, control);
  if (!pixels || rect == nullptr) return kQvErrBadParameter;
  *rect = *pixels;
  return kQvNoErr;
}

void HeadlessToolkit::MovePointer(QvWindowHandle window, QvPixelPoint where, bool overWindow, bool leftButtonDown) {
  Window* w = FindWindow(window);
  if (w == nullptr) return;
  w->pointer = where;
  w->pointerOver = overWindow;
  w->leftButtonDown = leftButtonDown;
}

std::optional<HeadlessToolkit::WindowFont> HeadlessToolkit::FontOf(QvWindowHandle window) const {
  const Window* w = FindWindow(window);
  return w == nullptr ? std::nullopt : w->font;
}

std::optional<HeadlessToolkit::Tip> HeadlessToolkit::TipOf(QvWindowHandle window) const {
  const Window* w = FindWindow(window);
  return w == nullptr ? std::nullopt : w->tip;
}

// ---- The user's actions -----------------------------------------------------------

ActionOutcome HeadlessToolkit::Refuse(std::string reason) {
  lastFailure_ = reason;
  ActionOutcome outcome;
  outcome.refusal = std::move(reason);
  return outcome;
}

ControlState* HeadlessToolkit::UsableControl(QvWindowHandle window, std::int32_t control, ActionOutcome* outcome) {
  const Window* w = FindWindow(window);
  if (w == nullptr) {
    *outcome = Refuse("no such window");
    return nullptr;
  }
  ControlState* c = FindControlState(window, control);
  if (c == nullptr) {
    *outcome = Refuse("the window has no control " + std::to_string(control));
    return nullptr;
  }
  if (!c->enabled) {
    *outcome = Refuse(std::string(ControlKindName(c->kind)) + " " + std::to_string(control) + " is disabled");
    return nullptr;
  }
  if (w->proc == nullptr) {
    *outcome = Refuse("the window of control " + std::to_string(control) + " has no notify procedure");
    return nullptr;
  }
  return c;
}

ActionOutcome HeadlessToolkit::Deliver(QvWindowHandle window, std::int32_t control, std::int32_t notification) {
  // Copies: the procedure may replace itself or delete the window.
  const Window* w = FindWindow(window);
  const QvNotifyProc proc = w->proc;
  void* const data = w->data;
  ActionOutcome outcome;
  outcome.delivered = true;
  outcome.result = proc(window, control, notification, data);
  if (outcome.result != kQvNoErr) {
    reported_.push_back("notification " + std::to_string(notification) + " of control " + std::to_string(control) +
                        " returned error " + std::to_string(outcome.result));
  }
  return outcome;
}

ActionOutcome HeadlessToolkit::Click(QvWindowHandle window, std::int32_t control) {
  ActionOutcome refused;
  ControlState* c = UsableControl(window, control, &refused);
  if (c == nullptr) return refused;
  if (!IsClickable(c->kind)) {
    return Refuse(std::string(ControlKindName(c->kind)) + " " + std::to_string(control) + " cannot be clicked");
  }
  if (c->kind == kQvCheckBoxControl) c->checked = !c->checked;
  if (c->kind == kQvRadioButtonControl) c->checked = true;
  return Deliver(window, control, kQvClicked);
}

ActionOutcome HeadlessToolkit::SelectRow(QvWindowHandle window, std::int32_t control, std::int32_t row) {
  ActionOutcome refused;
  ControlState* c = UsableControl(window, control, &refused);
  if (c == nullptr) return refused;
  if (!HasItems(c->kind)) {
    return Refuse(std::string(ControlKindName(c->kind)) + " " + std::to_string(control) + " has no rows");
  }
  if (row < 0 || row >= static_cast<std::int32_t>(c->items.size())) {
    return Refuse(std::string(ControlKindName(c->kind)) + " " + std::to_string(control) + " has no row " +
                  std::to_string(row) + " (it has " + std::to_string(c->items.size()) + ")");
  }
  SetSelection(window, control, row);
  return Deliver(window, control, kQvSelectionChanged);
}

ActionOutcome HeadlessToolkit::TypeText(QvWindowHandle window, std::int32_t control, std::string_view text) {
  ActionOutcome refused;
  ControlState* c = UsableControl(window, control, &refused);
  if (c == nullptr) return refused;
  if (!IsTextField(c->kind)) {
    return Refuse(std::string(ControlKindName(c->kind)) + " " + std::to_string(control) + " takes no typing");
  }
  c->text = std::string(text);
  return Deliver(window, control, kQvTextChanged);
}

ActionOutcome HeadlessToolkit::ChooseFlyoutItem(QvPanelHandle panel, std::int32_t item) {
  PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr) return Refuse("no such panel");
  const FlyoutItem* chosen = nullptr;
  for (const FlyoutItem& existing : entry->flyout) {
    if (existing.item == item) chosen = &existing;
  }
  if (chosen == nullptr) return Refuse("panel " + Quoted(entry->id) + " has no flyout item " + std::to_string(item));
  if (chosen->text == "-") return Refuse("flyout item " + std::to_string(item) + " is a separator");
  const auto window = HandleOf<QvWindowHandle>(entry->window);
  if (FindWindow(window)->proc == nullptr) return Refuse("panel " + Quoted(entry->id) + " has no notify procedure");
  return Deliver(window, item, kQvFlyoutChosen);
}

ActionOutcome HeadlessToolkit::FireTimer(QvWindowHandle window, std::int32_t timer) {
  const Window* w = FindWindow(window);
  if (w == nullptr) return Refuse("no such window");
  if (w->timers.count(timer) == 0) return Refuse("timer " + std::to_string(timer) + " is not running");
  if (w->proc == nullptr) return Refuse("the window of timer " + std::to_string(timer) + " has no notify procedure");
  return Deliver(window, timer, kQvTimerFired);
}

// ---- Owner drawing ----------------------------------------------------------------

namespace {

// The drawing context's functions append to the list of calls.
std::vector<DrawOp>& OpsOf(void* context) { return *static_cast<std::vector<DrawOp>*>(context); }

QvErr RecordFill(void* context, QvPixelRect rect, QvRgb color) {
  DrawOp op;
  op.kind = DrawOp::Kind::kFill;
  op.rect = rect;
  op.color = color;
  OpsOf(context).push_back(op);
  return kQvNoErr;
}

QvErr RecordFrame(void* context, QvPixelRect rect, QvRgb color) {
  DrawOp op;
  op.kind = DrawOp::Kind::kFrame;
  op.rect = rect;
  op.color = color;
  OpsOf(context).push_back(op);
  return kQvNoErr;
}

QvErr RecordLine(void* context, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, QvRgb color) {
  DrawOp op;
  op.kind = DrawOp::Kind::kLine;
  op.x1 = x1;
  op.y1 = y1;
  op.x2 = x2;
  op.y2 = y2;
  op.color = color;
  OpsOf(context).push_back(op);
  return kQvNoErr;
}

QvErr RecordText(void* context, QvPixelRect rect, std::int32_t x, const char* text, QvRgb color, QvBool centred) {
  if (text == nullptr) return kQvErrBadParameter;
  DrawOp op;
  op.kind = DrawOp::Kind::kText;
  op.rect = rect;
  op.x1 = x;
  op.text = text;
  op.color = color;
  op.centred = centred != 0;
  OpsOf(context).push_back(op);
  return kQvNoErr;
}

QvErr RecordImage(void* context, QvPixelRect rect, const void* png, std::int32_t size) {
  if (png == nullptr || size <= 0) return kQvErrBadParameter;
  DrawOp op;
  op.kind = DrawOp::Kind::kImage;
  op.rect = rect;
  op.imageSize = size;
  OpsOf(context).push_back(op);
  return kQvNoErr;
}

}  // namespace

std::optional<QvPixelRect> HeadlessToolkit::PixelRect(QvWindowHandle window, std::int32_t control) const {
  const Window* w = FindWindow(window);
  auto c = FindControl(window, control);
  if (w == nullptr || !c) return std::nullopt;
  // Frames count up from the window's bottom; pixels count down from its top.
  const auto px = [this](double units) { return static_cast<std::int32_t>(units * scale_); };
  const QvControlFrame& f = c->frame;
  return QvPixelRect{px(f.x), px(w->height - (f.y + f.height)), px(f.x + f.width), px(w->height - f.y)};
}

ActionOutcome HeadlessToolkit::DrawItem(QvWindowHandle window, std::int32_t control, std::int32_t item,
                                        std::int32_t state, std::vector<DrawOp>* ops) {
  const Window* w = FindWindow(window);
  if (w == nullptr) return Refuse("no such window");
  const ControlState* c = FindControlState(window, control);
  if (c == nullptr) return Refuse("the window has no control " + std::to_string(control));
  if ((c->options & kQvOwnerDrawn) == 0 && c->kind != kQvPictureButtonControl) {
    return Refuse(std::string(ControlKindName(c->kind)) + " " + std::to_string(control) + " is not owner-drawn");
  }
  if (item < -1 || item >= static_cast<std::int32_t>(c->items.size())) {
    return Refuse(std::string(ControlKindName(c->kind)) + " " + std::to_string(control) + " has no item " +
                  std::to_string(item));
  }
  if (w->proc == nullptr) {
    return Refuse("the window of control " + std::to_string(control) + " has no notify procedure");
  }

  QvPixelRect rect = *PixelRect(window, control);
  if (item >= 0) {
    rect.top += static_cast<std::int32_t>(item * kRowHeight * scale_);
    rect.bottom = rect.top + static_cast<std::int32_t>(kRowHeight * scale_);
  }
  if (!c->enabled) state |= kQvItemDisabled;
  if (item >= 0 && item == c->selection) state |= kQvItemSelected;
  if (w->focused == control) state |= kQvItemFocused;

  std::vector<DrawOp> recorded;
  const QvDrawContext context{&recorded, scale_, RecordFill, RecordFrame, RecordLine, RecordText, RecordImage};
  QvDrawItem drawItem{control, item, state, rect, &context};
  const QvNotifyProc proc = w->proc;
  ActionOutcome outcome;
  outcome.delivered = true;
  outcome.result = proc(window, control, kQvDrawItem, &drawItem);
  if (outcome.result != kQvNoErr) {
    reported_.push_back("drawing item " + std::to_string(item) + " of control " + std::to_string(control) +
                        " returned error " + std::to_string(outcome.result));
  }
  if (ops != nullptr) *ops = std::move(recorded);
  return outcome;
}

// ---- Dialogs --------------------------------------------------------------------

QvErr HeadlessToolkit::EndDialog(QvWindowHandle dialog, std::int32_t result) {
  Window* w = FindWindow(dialog);
  if (w == nullptr || !w->isDialog) return kQvErrBadParameter;
  w->ended = true;
  w->result = result;
  return kQvNoErr;
}

ActionOutcome HeadlessToolkit::PlayStep(QvWindowHandle window, const DialogStep& step) {
  switch (step.kind) {
    case DialogStep::Kind::kSetText:
      return TypeText(window, step.control, step.text);
    case DialogStep::Kind::kSelectIndex:
      return SelectRow(window, step.control, step.index);
    case DialogStep::Kind::kSelectText: {
      const ControlState* c = FindControlState(window, step.control);
      if (c != nullptr) {
        for (std::size_t i = 0; i < c->items.size(); ++i) {
          if (c->items[i] == step.text) return SelectRow(window, step.control, static_cast<std::int32_t>(i));
        }
        if (HasItems(c->kind)) {
          return Refuse(std::string(ControlKindName(c->kind)) + " " + std::to_string(step.control) +
                        " has no item " + Quoted(step.text));
        }
      }
      return SelectRow(window, step.control, 0);
    }
    case DialogStep::Kind::kClick:
      break;
  }
  return Click(window, step.control);
}

QvErr HeadlessToolkit::FailDialog(QvWindowHandle window, const QvDialogTemplate& dialog, std::string failure) {
  ShownDialog shown;
  shown.resourceId = dialog.resourceId;
  shown.title = dialog.title != nullptr ? dialog.title : "";
  if (const Window* w = FindWindow(window)) shown.controls = w->controls;
  shown.failure = failure;
  shownDialogs_.push_back(std::move(shown));
  lastFailure_ = std::move(failure);
  windows_.erase(KeyOf(window));
  return kQvErrNoAnswer;
}

QvErr HeadlessToolkit::RunModalDialog(QvPluginRef, const QvDialogTemplate& dialog, QvNotifyProc proc, void* data,
                                      std::int32_t* result) {
  if (proc == nullptr || dialog.controlCount < 0 || (dialog.controlCount > 0 && dialog.controls == nullptr)) {
    return kQvErrBadParameter;
  }
  const auto window = HandleOf<QvWindowHandle>(NewWindow(dialog.width, dialog.height));
  {
    Window* w = FindWindow(window);
    w->isDialog = true;
    w->proc = proc;
    w->data = data;
  }
  for (std::int32_t i = 0; i < dialog.controlCount; ++i) {
    if (CreateControl(window, dialog.controls[i]) != kQvNoErr) {
      windows_.erase(KeyOf(window));
      lastFailure_ = DialogName(dialog) + ": its control " + std::to_string(dialog.controls[i].id) +
                     " is of an unknown kind or repeats an id";
      return kQvErrBadParameter;
    }
  }

  Deliver(window, 0, kQvDialogInit);
  if (!FindWindow(window)->ended) {
    // The answer leaves the queue before its steps run, so that a dialog
    // opened from inside this one takes the next answer.
    auto answer = answers_.begin();
    while (answer != answers_.end() && answer->resourceId != 0 && answer->resourceId != dialog.resourceId) ++answer;
    if (answer == answers_.end()) return FailDialog(window, dialog, "nobody answered " + DialogName(dialog));
    const DialogAnswer playing = std::move(*answer);
    answers_.erase(answer);

    for (std::size_t i = 0; i < playing.steps.size() && !FindWindow(window)->ended; ++i) {
      ActionOutcome outcome = PlayStep(window, playing.steps[i]);
      if (!outcome.delivered) {
        return FailDialog(window, dialog,
                          DialogName(dialog) + ", step " + std::to_string(i + 1) + " (" +
                              DescribeStep(playing.steps[i]) + "): " + outcome.refusal);
      }
    }
    if (!FindWindow(window)->ended) {
      std::string failure = DialogName(dialog) + " is still open after its " + std::to_string(playing.steps.size()) +
                            " scripted steps; its controls read:";
      for (const ControlState& c : FindWindow(window)->controls) {
        if (c.id != 0) failure += " " + Describe(c) + ";";
      }
      if (failure.back() == ';') failure.pop_back();
      return FailDialog(window, dialog, std::move(failure));
    }
  }

  const Window* w = FindWindow(window);
  ShownDialog shown;
  shown.resourceId = dialog.resourceId;
  shown.title = dialog.title != nullptr ? dialog.title : "";
  shown.controls = w->controls;
  shown.result = w->result;
  if (result != nullptr) *result = w->result;
  shownDialogs_.push_back(std::move(shown));
  windows_.erase(KeyOf(window));
  return kQvNoErr;
}

}  // namespace workbench::ui
