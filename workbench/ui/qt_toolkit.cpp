#include "workbench/ui/qt_toolkit.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <type_traits>
#include <utility>

#include "sdk/errors.h"
#include "workbench/ui/control_kinds.h"

namespace workbench::ui {

namespace {

QString ToQt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string FromQt(const QString& text) { return text.toUtf8().toStdString(); }

QColor ColorOf(QvRgb rgb) { return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }
QRect ToQRect(const QvPixelRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }
QvPixelRect ToPixelRect(const QRect& r) { return QvPixelRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

constexpr const char* kWindowProperty = "qvWindow";
constexpr const char* kControlProperty = "qvControl";
// Rows of lists, in units, as the panel lays them out.
constexpr double kListRowUnits = 18.0;
// The panel font's pixel height at scale 1.
constexpr double kFontUnits = 12.0;
// Labels in panels are drawn this many units above their frames.
constexpr double kLabelLiftUnits = 2.0;
// A disabled edit field's ground and text.
constexpr QvRgb kDisabledFieldBase = 0xC0C0C0;
constexpr QvRgb kDisabledFieldText = 0x808080;
// The ground of lists where no row covers it.
constexpr QvRgb kListGround = 0xC0C0C0;

/// A panel's colours in the interface's light or dark theme. The module
/// draws its owner-drawn controls in the same colours; the host colours the
/// rest: labels and check boxes in the text colour on the panel's ground,
/// edit fields in black on their own ground.
struct PanelColors {
  QvRgb ground;
  QvRgb text;
  QvRgb editGround;
  QvRgb editText;
  QvRgb separator;
};

constexpr PanelColors kLightPanel{0xF0F0F0, 0x333333, 0xE5E5E5, 0x000000, 0x999999};
constexpr PanelColors kDarkPanel{0x535353, 0xCCCCCC, 0xCCCCCC, 0x000000, 0x666666};

const PanelColors& PanelColorsFor(bool dark) { return dark ? kDarkPanel : kLightPanel; }

/// Gives a panel's widget the theme's colours; its controls inherit them
/// except where they set their own (disabled fields, lists).
void ApplyPanelColors(QWidget* panel, bool dark) {
  const PanelColors& colors = PanelColorsFor(dark);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, ColorOf(colors.ground));
  palette.setColor(QPalette::WindowText, ColorOf(colors.text));
  palette.setColor(QPalette::Button, ColorOf(colors.ground));
  palette.setColor(QPalette::ButtonText, ColorOf(colors.text));
  palette.setColor(QPalette::Base, ColorOf(colors.editGround));
  palette.setColor(QPalette::Text, ColorOf(colors.editText));
  panel->setPalette(palette);
}

// ---- The drawing context over a QPainter ----------------------------------------

struct PainterTarget {
  QPainter* painter;
};

QPainter& PainterOf(void* context) { return *static_cast<PainterTarget*>(context)->painter; }

QvErr PaintFill(void* context, QvPixelRect rect, QvRgb color) {
  PainterOf(context).fillRect(ToQRect(rect), ColorOf(color));
  return kQvNoErr;
}

QvErr PaintFrame(void* context, QvPixelRect rect, QvRgb color) {
  // A one-pixel border inside the rectangle, drawn as four fills so that no
  // pen geometry moves it by half a pixel.
  QPainter& p = PainterOf(context);
  const QRect r = ToQRect(rect);
  if (r.width() <= 0 || r.height() <= 0) return kQvNoErr;
  const QColor c = ColorOf(color);
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
  return kQvNoErr;
}

QvErr PaintLine(void* context, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, QvRgb color) {
  QPainter& p = PainterOf(context);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(ColorOf(color), 0));
  p.drawLine(x1, y1, x2, y2);
  p.restore();
  return kQvNoErr;
}

QvErr PaintText(void* context, QvPixelRect rect, std::int32_t x, const char* text, QvRgb color, QvBool centred) {
  if (text == nullptr) return kQvErrBadParameter;
  QPainter& p = PainterOf(context);
  p.save();
  p.setPen(ColorOf(color));
  const QRect r = ToQRect(rect);
  if (centred != 0) {
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, QString::fromUtf8(text));
  } else {
    p.drawText(QRect(x, r.top(), std::max(0, rect.right - x), r.height()),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip, QString::fromUtf8(text));
  }
  p.restore();
  return kQvNoErr;
}

QvErr PaintImage(void* context, QvPixelRect rect, const void* png, std::int32_t size) {
  if (png == nullptr || size <= 0) return kQvErrBadParameter;
  QImage image;
  if (!image.loadFromData(static_cast<const uchar*>(png), size, "PNG")) return kQvErrBadParameter;
  QPainter& p = PainterOf(context);
  p.save();
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  p.drawImage(ToQRect(rect), image);
  p.restore();
  return kQvNoErr;
}

bool InterfaceIsDark(Toolkit* toolkit) {
  bool dark = false;
  return toolkit->IsInterfaceDark(&dark) == kQvNoErr && dark;
}

/// A line through the middle of the frame in the theme's separator colour:
/// vertical when taller than wide.
class SeparatorLine final : public QWidget {
 public:
  SeparatorLine(Toolkit* toolkit, QWidget* parent) : QWidget(parent), toolkit_(toolkit) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QColor c = ColorOf(PanelColorsFor(InterfaceIsDark(toolkit_)).separator);
    if (height() > width()) {
      p.fillRect(QRect(width() / 2, 0, 1, height()), c);
    } else {
      p.fillRect(QRect(0, height() / 2, width(), 1), c);
    }
  }

 private:
  Toolkit* toolkit_;
};

/// A panel's widget: its ground in the theme's colour, taking the theme's
/// colours again whenever the interface's theme has changed since it last
/// painted.
class PanelSurface final : public QWidget {
 public:
  explicit PanelSurface(Toolkit* toolkit) : toolkit_(toolkit) { Follow(); }

 protected:
  void paintEvent(QPaintEvent*) override {
    Follow();
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
  }

 private:
  void Follow() {
    const bool dark = InterfaceIsDark(toolkit_);
    if (applied_.has_value() && *applied_ == dark) return;
    applied_ = dark;
    ApplyPanelColors(this, dark);
  }

  Toolkit* toolkit_;
  std::optional<bool> applied_;
};

/// Where a control's widget goes in its window: its frame, except for
/// labels. A panel's labels are lifted by two units, and a label whose text
/// is wider than its frame in the face the host has grows away from its
/// alignment side (a right-aligned one to the left), so that no text is cut.
QRect WidgetRect(const QRect& frame, std::int32_t kind, std::int32_t options, const QWidget* widget, bool inDialog,
                 double scale) {
  if (kind != kQvLabelControl) return frame;
  QRect r = frame;
  if (!inDialog) r.translate(0, -static_cast<int>(kLabelLiftUnits * scale));
  const int needed = widget != nullptr ? widget->sizeHint().width() : 0;
  if (needed > r.width()) {
    if ((options & kQvAlignRight) != 0) {
      r.setLeft(r.left() + r.width() - needed);
    } else {
      r.setWidth(needed);
    }
  }
  return r;
}

}  // namespace

// ---- Records --------------------------------------------------------------------

struct QtToolkit::Control {
  std::int32_t id = 0;
  std::int32_t kind = kQvLabelControl;
  QvControlFrame frame{};
  std::int32_t options = 0;
  bool enabled = true;
  // The text of controls whose widget shows none of its own: picture
  // buttons, separators and drop-down lists (whose text follows the chosen
  // item as the module sees it).
  std::string text;
  QPointer<QWidget> widget;
};

struct QtToolkit::Window {
  std::int32_t width = 0;
  std::int32_t height = 0;
  QPointer<QWidget> widget;
  bool isDialog = false;
  QvNotifyProc proc = nullptr;
  void* data = nullptr;
  std::vector<std::unique_ptr<Control>> controls;
  std::map<std::int32_t, QPointer<QTimer>> timers;
  bool ended = false;
  std::int32_t result = 0;
  /// The module's font; Qt's default face at kFontUnits until it sets one.
  std::string fontFace;
  std::int32_t fontUnits = 0;
  QPointer<QLabel> tip;
};

struct QtToolkit::PanelEntry {
  QvPluginRef owner = nullptr;
  std::string id;
  std::string title;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool shown = false;
  std::uint64_t window = 0;
  std::vector<FlyoutItem> flyout;
  std::unique_ptr<QMenu> menu;
  std::map<std::int32_t, QPointer<QAction>> actions;
};

// ---- Widgets that draw through the module -------------------------------------------

/// Rows of lists and drop-down lists: fixed heights, drawn by the module
/// when the control is owner-drawn.
class QtControlDelegate final : public QStyledItemDelegate {
 public:
  QtControlDelegate(QtToolkit* toolkit, std::uint64_t window, std::int32_t control, QObject* parent)
      : QStyledItemDelegate(parent), toolkit_(toolkit), window_(window), control_(control) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QtToolkit::Control* c = Find();
    if (c != nullptr && (c->options & kQvOwnerDrawn) != 0) {
      std::int32_t state = 0;
      if ((option.state & QStyle::State_Selected) != 0) state |= kQvItemSelected;
      if (!c->enabled) state |= kQvItemDisabled;
      if ((option.state & QStyle::State_HasFocus) != 0) state |= kQvItemFocused;
      const QPoint origin = OriginOf(option.widget);
      if (toolkit_->DrawThroughModule(window_, *c, index.row(), state, option.rect.translated(origin), painter,
                                      origin)) {
        return;
      }
    }
    QStyledItemDelegate::paint(painter, option, index);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QtToolkit::Control* c = Find();
    if (c == nullptr) return size;
    const double units = c->kind == kQvListControl ? kListRowUnits : c->frame.height - 3.0;
    size.setHeight(std::max(1, static_cast<int>(units * toolkit_->scale_)));
    return size;
  }

 private:
  const QtToolkit::Control* Find() const {
    return toolkit_->FindControl(HandleOf<QvWindowHandle>(window_), control_);
  }
  // Where the view's viewport starts in window pixels; a drop-down's popup
  // is placed by its screen position.
  QPoint OriginOf(const QWidget* view) const {
    const auto* itemView = qobject_cast<const QAbstractItemView*>(view);
    const QtToolkit::Window* w = toolkit_->FindWindow(window_);
    if (itemView == nullptr || w == nullptr || w->widget == nullptr) return QPoint();
    return w->widget->mapFromGlobal(itemView->viewport()->mapToGlobal(QPoint(0, 0)));
  }

  QtToolkit* toolkit_;
  std::uint64_t window_;
  std::int32_t control_;
};

/// A push or picture button (QtBase QPushButton), or a drop-down list
/// (QComboBox), whose closed face the module draws as item -1; Qt draws it
/// when the window has no procedure.
template <typename QtBase>
class QtOwnerDrawn final : public QtBase {
 public:
  QtOwnerDrawn(QtToolkit* toolkit, std::uint64_t window, std::int32_t control, QWidget* parent)
      : QtBase(parent), toolkit_(toolkit), window_(window), control_(control) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    const QtToolkit::Control* c = toolkit_->FindControl(HandleOf<QvWindowHandle>(window_), control_);
    if (c != nullptr) {
      std::int32_t state = 0;
      if constexpr (std::is_base_of_v<QAbstractButton, QtBase>) {
        if (this->isDown()) state |= kQvItemPressed;
      }
      if (!c->enabled) state |= kQvItemDisabled;
      if (this->hasFocus()) state |= kQvItemFocused;
      QPainter painter(this);
      if (toolkit_->DrawThroughModule(window_, *c, -1, state, this->geometry(), &painter, this->pos())) return;
    }
    QtBase::paintEvent(event);
  }

 private:
  QtToolkit* toolkit_;
  std::uint64_t window_;
  std::int32_t control_;
};

using QtOwnerDrawnButton = QtOwnerDrawn<QPushButton>;
using QtOwnerDrawnComboBox = QtOwnerDrawn<QComboBox>;

/// A modal dialog that closes only when the module ends it: Escape and the
/// close box reach the module as a click on Cancel (control 2).
class QtDialogWindow final : public QDialog {
 public:
  QtDialogWindow(QtToolkit* toolkit, QWidget* parent) : QDialog(parent), toolkit_(toolkit) {}
  void SetWindow(std::uint64_t window) { window_ = window; }
  void Finish(int result) {
    finishing_ = true;
    QDialog::done(result);
    finishing_ = false;
  }
  void done(int result) override {
    if (finishing_) QDialog::done(result);
  }
  void reject() override { toolkit_->DialogCancelled(window_); }

 private:
  QtToolkit* toolkit_;
  std::uint64_t window_ = 0;
  bool finishing_ = false;
};

// ---- Construction and lookup ----------------------------------------------------------

QtToolkit::QtToolkit(double scale, QObject* parent) : QObject(parent), scale_(scale > 0 ? scale : 1.0) {}

QtToolkit::~QtToolkit() {
  for (auto& [key, window] : windows_) {
    for (auto& [id, timer] : window->timers) delete timer.data();
    delete window->widget.data();
  }
}

QtToolkit::Window* QtToolkit::FindWindow(std::uint64_t key) const {
  auto it = windows_.find(key);
  return it == windows_.end() ? nullptr : it->second.get();
}

QtToolkit::Window* QtToolkit::FindWindow(QvWindowHandle window) const { return FindWindow(KeyOf(window)); }

QtToolkit::PanelEntry* QtToolkit::FindPanelEntry(QvPanelHandle panel) const {
  auto it = panels_.find(KeyOf(panel));
  return it == panels_.end() ? nullptr : it->second.get();
}

QtToolkit::Control* QtToolkit::FindControl(QvWindowHandle window, std::int32_t control) const {
  const Window* w = FindWindow(window);
  if (w == nullptr || control == 0) return nullptr;
  for (const auto& c : w->controls) {
    if (c->id == control) return c.get();
  }
  return nullptr;
}

std::uint64_t QtToolkit::NewWindow(std::int32_t width, std::int32_t height, QWidget* widget, bool isDialog) {
  const std::uint64_t key = nextHandle_++;
  auto w = std::make_unique<Window>();
  w->width = width;
  w->height = height;
  w->widget = widget;
  w->isDialog = isDialog;
  windows_[key] = std::move(w);
  return key;
}

void QtToolkit::DestroyWindow(std::uint64_t key) {
  auto it = windows_.find(key);
  if (it == windows_.end()) return;
  std::unique_ptr<Window> w = std::move(it->second);
  windows_.erase(it);
  for (auto& [id, timer] : w->timers) {
    if (timer != nullptr) {
      timer->stop();
      timer->deleteLater();
    }
  }
  // The window may be deleted from one of its own notifications, so its
  // widget goes once control is back in the event loop.
  if (w->widget != nullptr) {
    w->widget->hide();
    w->widget->deleteLater();
  }
}

QRect QtToolkit::FrameToPixels(const Window& window, const QvControlFrame& f) const {
  const auto px = [this](double units) { return static_cast<int>(units * scale_); };
  const int left = px(f.x);
  const int top = px(static_cast<double>(window.height) - (f.y + f.height));
  const int right = px(static_cast<double>(f.x) + f.width);
  const int bottom = px(static_cast<double>(window.height) - f.y);
  return QRect(left, top, right - left, bottom - top);
}

void QtToolkit::LayOut(Window& window) {
  if (window.widget == nullptr) return;
  QFont font = window.widget->font();
  if (!window.fontFace.empty()) font.setFamilies({QString::fromStdString(window.fontFace)});
  const double units = window.fontUnits > 0 ? window.fontUnits : kFontUnits;
  font.setPixelSize(std::max(1, static_cast<int>(units * scale_)));
  font.setWeight(QFont::Normal);
  window.widget->setFont(font);
  for (const auto& c : window.controls) {
    if (c->widget == nullptr) continue;
    c->widget->setGeometry(
        WidgetRect(FrameToPixels(window, c->frame), c->kind, c->options, c->widget, window.isDialog, scale_));
    if (auto* view = qobject_cast<QAbstractItemView*>(c->widget.data())) view->doItemsLayout();
  }
}

void QtToolkit::SetScale(double scale) {
  if (scale <= 0) return;
  scale_ = scale;
  for (auto& [key, panel] : panels_) {
    if (Window* w = FindWindow(panel->window); w != nullptr && w->widget != nullptr) {
      w->widget->setFixedSize(static_cast<int>(panel->width * scale_), static_cast<int>(panel->height * scale_));
    }
  }
  for (auto& [key, window] : windows_) {
    if (window->isDialog && window->widget != nullptr) {
      window->widget->setFixedSize(static_cast<int>(window->width * scale_),
                                   static_cast<int>(window->height * scale_));
    }
    LayOut(*window);
  }
}

// ---- For the app and tests ------------------------------------------------------------

QWidget* QtToolkit::PanelWidget(QvPanelHandle panel) const {
  const PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr) return nullptr;
  const Window* w = FindWindow(entry->window);
  return w != nullptr ? w->widget.data() : nullptr;
}

QMenu* QtToolkit::FlyoutMenu(QvPanelHandle panel) const {
  const PanelEntry* entry = FindPanelEntry(panel);
  return entry != nullptr ? entry->menu.get() : nullptr;
}

std::optional<PanelInfo> QtToolkit::Panel(QvPanelHandle panel) const {
  const PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr) return std::nullopt;
  PanelInfo info;
  info.handle = panel;
  info.window = HandleOf<QvWindowHandle>(entry->window);
  info.owner = entry->owner;
  info.id = entry->id;
  info.title = entry->title;
  info.width = entry->width;
  info.height = entry->height;
  info.shown = entry->shown;
  info.flyout = entry->flyout;
  return info;
}

std::vector<PanelInfo> QtToolkit::Panels() const {
  std::vector<PanelInfo> panels;
  for (const auto& [key, entry] : panels_) panels.push_back(*Panel(HandleOf<QvPanelHandle>(key)));
  return panels;
}

std::optional<std::int32_t> QtToolkit::CursorOf(QvPluginRef owner) const {
  auto it = cursors_.find(owner);
  if (it == cursors_.end()) return std::nullopt;
  return it->second;
}

QWidget* QtToolkit::WindowWidget(QvWindowHandle window) const {
  const Window* w = FindWindow(window);
  return w != nullptr ? w->widget.data() : nullptr;
}

QWidget* QtToolkit::ControlWidget(QvWindowHandle window, std::int32_t control) const {
  const Control* c = FindControl(window, control);
  return c != nullptr ? c->widget.data() : nullptr;
}

std::int32_t QtToolkit::FocusedControl(QvWindowHandle window) const {
  const Window* w = FindWindow(window);
  if (w == nullptr || w->widget == nullptr) return 0;
  const QWidget* focus = w->widget->focusWidget();
  if (focus == nullptr) return 0;
  for (const auto& c : w->controls) {
    if (c->id != 0 && c->widget != nullptr && (c->widget == focus || c->widget->isAncestorOf(focus))) return c->id;
  }
  return 0;
}

std::optional<QvPixelRect> QtToolkit::PixelRect(QvWindowHandle window, std::int32_t control) const {
  const Window* w = FindWindow(window);
  const Control* c = FindControl(window, control);
  if (w == nullptr || c == nullptr) return std::nullopt;
  return ToPixelRect(FrameToPixels(*w, c->frame));
}

std::optional<std::int32_t> QtToolkit::TimerPeriod(QvWindowHandle window, std::int32_t timer) const {
  const Window* w = FindWindow(window);
  if (w == nullptr) return std::nullopt;
  auto it = w->timers.find(timer);
  if (it == w->timers.end() || it->second == nullptr || !it->second->isActive()) return std::nullopt;
  return it->second->interval();
}

// ---- Notifications -------------------------------------------------------------------

void QtToolkit::Deliver(std::uint64_t window, std::int32_t control, std::int32_t notification) {
  const Window* w = FindWindow(window);
  if (w == nullptr || w->proc == nullptr) return;
  // Copies: the procedure may replace itself or delete the window.
  const QvNotifyProc proc = w->proc;
  void* const data = w->data;
  const QvErr result = proc(HandleOf<QvWindowHandle>(window), control, notification, data);
  if (result != kQvNoErr) {
    reported_.push_back("notification " + std::to_string(notification) + " of control " + std::to_string(control) +
                        " returned error " + std::to_string(result));
  }
}

bool QtToolkit::DrawThroughModule(std::uint64_t window, const Control& control, std::int32_t item,
                                  std::int32_t state, const QRect& windowRect, QPainter* painter,
                                  const QPoint& origin) {
  const Window* w = FindWindow(window);
  if (w == nullptr || w->proc == nullptr) return false;
  const QvNotifyProc proc = w->proc;
  PainterTarget target{painter};
  const QvDrawContext context{&target, scale_, PaintFill, PaintFrame, PaintLine, PaintText, PaintImage};
  QvDrawItem drawItem{control.id, item, state, ToPixelRect(windowRect), &context};
  painter->save();
  // The module draws in window pixels; the painter works in the widget's.
  painter->translate(-origin);
  const QvErr result = proc(HandleOf<QvWindowHandle>(window), control.id, kQvDrawItem, &drawItem);
  painter->restore();
  if (result != kQvNoErr) {
    reported_.push_back("drawing item " + std::to_string(item) + " of control " + std::to_string(control.id) +
                        " returned error " + std::to_string(result));
  }
  return true;
}

void QtToolkit::Connect(std::uint64_t window, Control& control) {
  QWidget* widget = control.widget;
  const std::int32_t id = control.id;
  switch (control.kind) {
    case kQvPushButtonControl:
    case kQvPictureButtonControl:
      connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, widget,
              [this, window, id] { Deliver(window, id, kQvClicked); });
      break;
    case kQvCheckBoxControl:
      connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, widget,
              [this, window, id] { Deliver(window, id, kQvClicked); });
      break;
    case kQvRadioButtonControl: {
      auto* radio = static_cast<QRadioButton*>(widget);
      // A click always leaves the radio button checked; the module unchecks
      // the others of its group.
      connect(radio, &QRadioButton::clicked, widget, [this, window, id, radio] {
        {
          const QSignalBlocker blocker(radio);
          radio->setChecked(true);
        }
        Deliver(window, id, kQvClicked);
      });
      break;
    }
    case kQvEditControl:
      connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, widget,
              [this, window, id] { Deliver(window, id, kQvTextChanged); });
      break;
    case kQvEditableDropDownControl: {
      auto* combo = static_cast<QComboBox*>(widget);
      connect(combo->lineEdit(), &QLineEdit::textEdited, widget,
              [this, window, id] { Deliver(window, id, kQvTextChanged); });
      connect(combo, &QComboBox::activated, widget, [this, window, id] { Deliver(window, id, kQvSelectionChanged); });
      break;
    }
    case kQvDropDownListControl: {
      auto* combo = static_cast<QComboBox*>(widget);
      connect(combo, &QComboBox::activated, widget, [this, window, id, combo](int row) {
        if (Control* c = FindControl(HandleOf<QvWindowHandle>(window), id)) c->text = FromQt(combo->itemText(row));
        Deliver(window, id, kQvSelectionChanged);
      });
      break;
    }
    case kQvListControl:
      connect(static_cast<QListWidget*>(widget), &QListWidget::itemSelectionChanged, widget,
              [this, window, id] { Deliver(window, id, kQvSelectionChanged); });
      break;
    default:
      break;
  }
}

void QtToolkit::FlyoutTriggered(std::uint64_t panel, std::int32_t item) {
  PanelEntry* entry = FindPanelEntry(HandleOf<QvPanelHandle>(panel));
  if (entry == nullptr) return;
  // Qt toggles a checkable action on its own; the check mark is the
  // module's to set.
  for (const FlyoutItem& f : entry->flyout) {
    QAction* action = f.item == item ? entry->actions[item].data() : nullptr;
    if (action != nullptr) {
      const QSignalBlocker blocker(action);
      action->setChecked(f.checked);
    }
  }
  Deliver(entry->window, item, kQvFlyoutChosen);
}

void QtToolkit::DialogCancelled(std::uint64_t window) { Deliver(window, 2, kQvClicked); }

// ---- Keyboard in a panel's fields -----------------------------------------------------

bool QtToolkit::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const QVariant windowKey = watched->property(kWindowProperty);
  if (!windowKey.isValid()) return false;
  Window* w = FindWindow(windowKey.toULongLong());
  Control* c = w != nullptr ? FindControl(HandleOf<QvWindowHandle>(windowKey.toULongLong()),
                                          watched->property(kControlProperty).toInt())
                            : nullptr;
  if (c == nullptr || w->isDialog) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  int code = key->key();
  if (code == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier) != 0) code = Qt::Key_Backtab;
  return HandlePanelKey(*w, *c, code);
}

namespace {

void SelectAllText(QWidget* widget) {
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
  if (auto* combo = qobject_cast<QComboBox*>(widget); combo != nullptr && combo->lineEdit() != nullptr) {
    combo->lineEdit()->selectAll();
  }
}

}  // namespace

bool QtToolkit::HandlePanelKey(Window& window, Control& control, int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    control.widget->setFocus(Qt::OtherFocusReason);
    SelectAllText(control.widget);
    return true;
  }
  if (key != Qt::Key_Tab && key != Qt::Key_Backtab) return false;
  const auto count = static_cast<std::ptrdiff_t>(window.controls.size());
  std::ptrdiff_t at = 0;
  while (at < count && window.controls[static_cast<std::size_t>(at)].get() != &control) ++at;
  const std::ptrdiff_t step = key == Qt::Key_Tab ? 1 : -1;
  for (std::ptrdiff_t n = 1; n < count; ++n) {
    const Control& next = *window.controls[static_cast<std::size_t>(((at + step * n) % count + count) % count)];
    if (!IsTextField(next.kind) || !next.enabled || next.widget == nullptr) continue;
    // Hidden, or outside the part of the panel that is shown.
    if (!next.widget->isVisibleTo(window.widget) || !window.widget->rect().intersects(next.widget->geometry())) {
      continue;
    }
    next.widget->setFocus(key == Qt::Key_Tab ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    SelectAllText(next.widget);
    return true;
  }
  // No other field: the focus stays, as Enter keeps it.
  SelectAllText(control.widget);
  return true;
}

// ---- Panels -------------------------------------------------------------------------

QvErr QtToolkit::NewPanel(QvPluginRef owner, std::string_view id, std::string_view title, std::int32_t width,
                          std::int32_t height, QvPanelHandle* panel) {
  if (panel == nullptr || id.empty() || width <= 0 || height <= 0) return kQvErrBadParameter;
  for (const auto& [key, entry] : panels_) {
    if (entry->id == id) return kQvErrBadParameter;
  }
  auto* widget = new PanelSurface(this);
  widget->setObjectName(ToQt(id));
  widget->setWindowTitle(ToQt(title));
  widget->setFixedSize(static_cast<int>(width * scale_), static_cast<int>(height * scale_));
  const std::uint64_t window = NewWindow(width, height, widget, false);
  LayOut(*FindWindow(window));
  const std::uint64_t key = nextHandle_++;
  auto entry = std::make_unique<PanelEntry>();
  entry->owner = owner;
  entry->id = std::string(id);
  entry->title = std::string(title);
  entry->width = width;
  entry->height = height;
  entry->window = window;
  entry->menu = std::make_unique<QMenu>();
  entry->menu->setTitle(ToQt(title));
  panels_[key] = std::move(entry);
  *panel = HandleOf<QvPanelHandle>(key);
  emit PanelCreated(*panel);
  return kQvNoErr;
}

QvErr QtToolkit::DeletePanel(QvPanelHandle panel) {
  auto it = panels_.find(KeyOf(panel));
  if (it == panels_.end()) return kQvErrBadParameter;
  emit PanelDeleted(panel);
  std::unique_ptr<PanelEntry> entry = std::move(it->second);
  panels_.erase(it);
  DestroyWindow(entry->window);
  // A menu may be open when its panel goes.
  entry->menu.release()->deleteLater();
  return kQvNoErr;
}

QvErr QtToolkit::PanelWindow(QvPanelHandle panel, QvWindowHandle* window) {
  const PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr || window == nullptr) return kQvErrBadParameter;
  *window = HandleOf<QvWindowHandle>(entry->window);
  return kQvNoErr;
}

QvErr QtToolkit::ShowPanel(QvPanelHandle panel, bool show) {
  PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr) return kQvErrBadParameter;
  entry->shown = show;
  emit PanelVisibilityRequested(panel, show);
  return kQvNoErr;
}

QvErr QtToolkit::IsPanelShown(QvPanelHandle panel, bool* shown) {
  const PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr || shown == nullptr) return kQvErrBadParameter;
  *shown = entry->shown;
  return kQvNoErr;
}

QvErr QtToolkit::SetPanelSize(QvPanelHandle panel, std::int32_t width, std::int32_t height) {
  PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr || width <= 0 || height <= 0) return kQvErrBadParameter;
  entry->width = width;
  entry->height = height;
  // Controls keep their places: frames count from the height as created.
  if (QWidget* widget = PanelWidget(panel)) {
    widget->setFixedSize(static_cast<int>(width * scale_), static_cast<int>(height * scale_));
  }
  emit PanelResized(panel, width, height);
  return kQvNoErr;
}

QvErr QtToolkit::PanelSize(QvPanelHandle panel, std::int32_t* width, std::int32_t* height) {
  const PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr || width == nullptr || height == nullptr) return kQvErrBadParameter;
  *width = entry->width;
  *height = entry->height;
  return kQvNoErr;
}

QvErr QtToolkit::AddFlyoutItem(QvPanelHandle panel, std::int32_t item, std::string_view text) {
  PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr) return kQvErrBadParameter;
  for (const FlyoutItem& existing : entry->flyout) {
    if (existing.item == item) return kQvErrBadParameter;
  }
  entry->flyout.push_back(FlyoutItem{item, std::string(text), false});
  QAction* action = nullptr;
  if (text == "-") {
    action = entry->menu->addSeparator();
  } else {
    action = entry->menu->addAction(ToQt(text));
    action->setCheckable(true);
    const std::uint64_t key = KeyOf(panel);
    connect(action, &QAction::triggered, this, [this, key, item] { FlyoutTriggered(key, item); });
  }
  entry->actions[item] = action;
  return kQvNoErr;
}

QvErr QtToolkit::CheckFlyoutItem(QvPanelHandle panel, std::int32_t item, bool checked) {
  PanelEntry* entry = FindPanelEntry(panel);
  if (entry == nullptr) return kQvErrBadParameter;
  for (FlyoutItem& existing : entry->flyout) {
    if (existing.item != item) continue;
    existing.checked = checked;
    if (QAction* action = entry->actions[item].data()) {
      const QSignalBlocker blocker(action);
      action->setChecked(checked);
    }
    return kQvNoErr;
  }
  return kQvErrBadParameter;
}

// ---- Windows and controls ---------------------------------------------------------------

QvErr QtToolkit::SetNotifyProc(QvWindowHandle window, QvNotifyProc proc, void* data) {
  Window* w = FindWindow(window);
  if (w == nullptr) return kQvErrBadParameter;
  w->proc = proc;
  w->data = data;
  return kQvNoErr;
}

QvErr QtToolkit::CreateControl(QvWindowHandle window, const QvControlDescription& controlDescription) {
  Window* w = FindWindow(window);
  if (w == nullptr || w->widget == nullptr || controlDescription.kind < kQvLabelControl || controlDescription.kind > kQvSeparatorControl) {
    return kQvErrBadParameter;
  }
  if (controlDescription.id != 0 && FindControl(window, controlDescription.id) != nullptr) return kQvErrBadParameter;
  const std::uint64_t key = KeyOf(window);
  auto c = std::make_unique<Control>();
  c->id = controlDescription.id;
  c->kind = controlDescription.kind;
  c->frame = controlDescription.frame;
  c->options = controlDescription.options;
  const QString text = controlDescription.text != nullptr ? QString::fromUtf8(controlDescription.text) : QString();
  const bool ownerDrawn = (controlDescription.options & kQvOwnerDrawn) != 0;
  QWidget* parent = w->widget;
  QWidget* widget = nullptr;
  switch (controlDescription.kind) {
    case kQvLabelControl: {
      auto* label = new QLabel(text, parent);
      label->setAlignment(((controlDescription.options & kQvAlignRight) != 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
      widget = label;
      break;
    }
    case kQvEditControl:
      widget = new QLineEdit(text, parent);
      break;
    case kQvEditableDropDownControl: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(true);
      combo->setInsertPolicy(QComboBox::NoInsert);
      combo->setCompleter(nullptr);
      combo->setEditText(text);
      combo->setItemDelegate(new QtControlDelegate(this, key, controlDescription.id, combo));
      widget = combo;
      break;
    }
    case kQvDropDownListControl: {
      auto* combo = ownerDrawn ? new QtOwnerDrawnComboBox(this, key, controlDescription.id, parent) : new QComboBox(parent);
      combo->setItemDelegate(new QtControlDelegate(this, key, controlDescription.id, combo));
      c->text = FromQt(text);
      widget = combo;
      break;
    }
    case kQvListControl: {
      auto* list = new QListWidget(parent);
      QPalette palette = list->palette();
      palette.setColor(QPalette::Base, ColorOf(kListGround));
      list->setPalette(palette);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      list->setUniformItemSizes(true);
      list->setItemDelegate(new QtControlDelegate(this, key, controlDescription.id, list));
      widget = list;
      break;
    }
    case kQvPushButtonControl:
    case kQvPictureButtonControl: {
      QPushButton* button = nullptr;
      if (ownerDrawn || controlDescription.kind == kQvPictureButtonControl) {
        button = new QtOwnerDrawnButton(this, key, controlDescription.id, parent);
      } else {
        button = new QPushButton(parent);
      }
      if (controlDescription.kind == kQvPictureButtonControl) {
        c->text = FromQt(text);
      } else {
        button->setText(text);
      }
      button->setAutoDefault(w->isDialog);
      if (w->isDialog && controlDescription.id == 1) button->setDefault(true);
      widget = button;
      break;
    }
    case kQvCheckBoxControl:
      widget = new QCheckBox(text, parent);
      break;
    case kQvRadioButtonControl: {
      auto* radio = new QRadioButton(text, parent);
      radio->setAutoExclusive(false);
      widget = radio;
      break;
    }
    case kQvSeparatorControl:
      widget = new SeparatorLine(this, parent);
      c->text = FromQt(text);
      break;
    default:
      return kQvErrBadParameter;
  }
  if (IsTextField(controlDescription.kind)) {
    // A disabled field reads as grey text on a grey ground.
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Disabled, QPalette::Base, ColorOf(kDisabledFieldBase));
    palette.setColor(QPalette::Disabled, QPalette::Text, ColorOf(kDisabledFieldText));
    widget->setPalette(palette);
  }
  widget->setObjectName(QStringLiteral("control-%1").arg(controlDescription.id));
  widget->setProperty(kWindowProperty, QVariant::fromValue<qulonglong>(key));
  widget->setProperty(kControlProperty, controlDescription.id);
  widget->setGeometry(WidgetRect(FrameToPixels(*w, controlDescription.frame), controlDescription.kind, controlDescription.options, widget,
                                 w->isDialog, scale_));
  if (IsTextField(controlDescription.kind) && !w->isDialog) widget->installEventFilter(this);
  widget->show();
  c->widget = widget;
  Connect(key, *c);
  w->controls.push_back(std::move(c));
  return kQvNoErr;
}

QvErr QtToolkit::SetControlText(QvWindowHandle window, std::int32_t control, std::string_view text) {
  Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr) return kQvErrBadParameter;
  const QSignalBlocker blocker(c->widget);
  const QString qtext = ToQt(text);
  switch (c->kind) {
    case kQvLabelControl: {
      static_cast<QLabel*>(c->widget.data())->setText(qtext);
      // A longer text may need a wider label.
      if (const Window* w = FindWindow(window)) {
        c->widget->setGeometry(
            WidgetRect(FrameToPixels(*w, c->frame), c->kind, c->options, c->widget, w->isDialog, scale_));
      }
      break;
    }
    case kQvEditControl: static_cast<QLineEdit*>(c->widget.data())->setText(qtext); break;
    case kQvEditableDropDownControl: {
      auto* combo = static_cast<QComboBox*>(c->widget.data());
      const QSignalBlocker editBlocker(combo->lineEdit());
      combo->setEditText(qtext);
      break;
    }
    case kQvPushButtonControl:
    case kQvCheckBoxControl:
    case kQvRadioButtonControl: static_cast<QAbstractButton*>(c->widget.data())->setText(qtext); break;
    default: c->text = std::string(text); break;
  }
  c->widget->update();
  return kQvNoErr;
}

QvErr QtToolkit::ControlText(QvWindowHandle window, std::int32_t control, std::string* text) {
  const Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr || text == nullptr) return kQvErrBadParameter;
  switch (c->kind) {
    case kQvLabelControl: *text = FromQt(static_cast<QLabel*>(c->widget.data())->text()); break;
    case kQvEditControl: *text = FromQt(static_cast<QLineEdit*>(c->widget.data())->text()); break;
    case kQvEditableDropDownControl: *text = FromQt(static_cast<QComboBox*>(c->widget.data())->currentText()); break;
    case kQvPushButtonControl:
    case kQvCheckBoxControl:
    case kQvRadioButtonControl: *text = FromQt(static_cast<QAbstractButton*>(c->widget.data())->text()); break;
    default: *text = c->text; break;
  }
  return kQvNoErr;
}

QvErr QtToolkit::EnableControl(QvWindowHandle window, std::int32_t control, bool enable) {
  Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr) return kQvErrBadParameter;
  c->enabled = enable;
  c->widget->setEnabled(enable);
  // A disabled field shows its text centred.
  if (auto* edit = qobject_cast<QLineEdit*>(c->widget.data())) {
    edit->setAlignment(enable ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
  }
  return kQvNoErr;
}

QvErr QtToolkit::IsControlEnabled(QvWindowHandle window, std::int32_t control, bool* enabled) {
  const Control* c = FindControl(window, control);
  if (c == nullptr || enabled == nullptr) return kQvErrBadParameter;
  *enabled = c->enabled;
  return kQvNoErr;
}

QvErr QtToolkit::SetChecked(QvWindowHandle window, std::int32_t control, bool checked) {
  Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr || !IsCheckable(c->kind)) return kQvErrBadParameter;
  const QSignalBlocker blocker(c->widget);
  static_cast<QAbstractButton*>(c->widget.data())->setChecked(checked);
  return kQvNoErr;
}

QvErr QtToolkit::IsChecked(QvWindowHandle window, std::int32_t control, bool* checked) {
  const Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr || checked == nullptr || !IsCheckable(c->kind)) return kQvErrBadParameter;
  *checked = static_cast<QAbstractButton*>(c->widget.data())->isChecked();
  return kQvNoErr;
}

// ---- Items ---------------------------------------------------------------------------------

namespace {

int ItemCount(QWidget* widget) {
  if (auto* list = qobject_cast<QListWidget*>(widget)) return list->count();
  return static_cast<QComboBox*>(widget)->count();
}

int SelectedRow(QWidget* widget) {
  if (auto* list = qobject_cast<QListWidget*>(widget)) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
  }
  return static_cast<QComboBox*>(widget)->currentIndex();
}

}  // namespace

void QtToolkit::ApplySelection(Control& c, std::int32_t selection, const std::string& editText) {
  QWidget* widget = c.widget;
  const QSignalBlocker blocker(widget);
  if (auto* list = qobject_cast<QListWidget*>(widget)) {
    const QSignalBlocker modelBlocker(list->selectionModel());
    if (selection < 0) {
      list->clearSelection();
      list->setCurrentRow(-1);
    } else {
      list->setCurrentRow(selection);
    }
    // The selection model was quiet; the view still has to show it.
    list->viewport()->update();
    return;
  }
  auto* combo = static_cast<QComboBox*>(widget);
  combo->setCurrentIndex(selection);
  if (c.kind == kQvEditableDropDownControl) {
    const QSignalBlocker editBlocker(combo->lineEdit());
    combo->setEditText(ToQt(editText));
  }
}

QvErr QtToolkit::ClearItems(QvWindowHandle window, std::int32_t control) {
  Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr || !HasItems(c->kind)) return kQvErrBadParameter;
  std::string text;
  ControlText(window, control, &text);
  {
    const QSignalBlocker blocker(c->widget);
    if (auto* list = qobject_cast<QListWidget*>(c->widget.data())) {
      const QSignalBlocker modelBlocker(list->selectionModel());
      list->clear();
    } else {
      static_cast<QComboBox*>(c->widget.data())->clear();
    }
  }
  if (c->kind == kQvDropDownListControl) c->text.clear();
  ApplySelection(*c, -1, text);
  return kQvNoErr;
}

QvErr QtToolkit::InsertItem(QvWindowHandle window, std::int32_t control, std::int32_t index, std::string_view text) {
  Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr || !HasItems(c->kind)) return kQvErrBadParameter;
  const int count = ItemCount(c->widget);
  if (index == -1) index = count;
  if (index < 0 || index > count) return kQvErrBadParameter;
  std::string editText;
  ControlText(window, control, &editText);
  std::int32_t selection = SelectedRow(c->widget);
  {
    const QSignalBlocker blocker(c->widget);
    if (auto* list = qobject_cast<QListWidget*>(c->widget.data())) {
      const QSignalBlocker modelBlocker(list->selectionModel());
      list->insertItem(index, ToQt(text));
    } else {
      // A combo box selects the first item put into it; the module's
      // selection stays where it was.
      static_cast<QComboBox*>(c->widget.data())->insertItem(index, ToQt(text));
    }
  }
  if (selection >= index) ++selection;
  ApplySelection(*c, selection, editText);
  return kQvNoErr;
}

QvErr QtToolkit::SetItemText(QvWindowHandle window, std::int32_t control, std::int32_t index,
                             std::string_view text) {
  Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr || !HasItems(c->kind) || index < 0 || index >= ItemCount(c->widget)) {
    return kQvErrBadParameter;
  }
  std::string editText;
  ControlText(window, control, &editText);
  const std::int32_t selection = SelectedRow(c->widget);
  {
    const QSignalBlocker blocker(c->widget);
    if (auto* list = qobject_cast<QListWidget*>(c->widget.data())) {
      list->item(index)->setText(ToQt(text));
    } else {
      static_cast<QComboBox*>(c->widget.data())->setItemText(index, ToQt(text));
    }
  }
  if (c->kind == kQvDropDownListControl && selection == index) c->text = std::string(text);
  // An editable drop-down keeps the text typed in it.
  ApplySelection(*c, selection, editText);
  return kQvNoErr;
}

QvErr QtToolkit::DeleteItem(QvWindowHandle window, std::int32_t control, std::int32_t index) {
  Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr || !HasItems(c->kind) || index < 0 || index >= ItemCount(c->widget)) {
    return kQvErrBadParameter;
  }
  std::string editText;
  ControlText(window, control, &editText);
  std::int32_t selection = SelectedRow(c->widget);
  {
    const QSignalBlocker blocker(c->widget);
    if (auto* list = qobject_cast<QListWidget*>(c->widget.data())) {
      const QSignalBlocker modelBlocker(list->selectionModel());
      delete list->takeItem(index);
    } else {
      static_cast<QComboBox*>(c->widget.data())->removeItem(index);
    }
  }
  if (selection == index) {
    selection = -1;
    if (c->kind == kQvDropDownListControl) c->text.clear();
  } else if (selection > index) {
    --selection;
  }
  ApplySelection(*c, selection, editText);
  return kQvNoErr;
}

QvErr QtToolkit::CountItems(QvWindowHandle window, std::int32_t control, std::int32_t* count) {
  const Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr || count == nullptr || !HasItems(c->kind)) return kQvErrBadParameter;
  *count = ItemCount(c->widget);
  return kQvNoErr;
}

QvErr QtToolkit::ItemText(QvWindowHandle window, std::int32_t control, std::int32_t index, std::string* text) {
  const Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr || text == nullptr || !HasItems(c->kind) || index < 0 ||
      index >= ItemCount(c->widget)) {
    return kQvErrBadParameter;
  }
  if (auto* list = qobject_cast<QListWidget*>(c->widget.data())) {
    *text = FromQt(list->item(index)->text());
  } else {
    *text = FromQt(static_cast<QComboBox*>(c->widget.data())->itemText(index));
  }
  return kQvNoErr;
}

QvErr QtToolkit::SetSelection(QvWindowHandle window, std::int32_t control, std::int32_t index) {
  Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr || !HasItems(c->kind) || index < -1 || index >= ItemCount(c->widget)) {
    return kQvErrBadParameter;
  }
  std::string editText;
  ControlText(window, control, &editText);
  // A drop-down shows the chosen item in its face.
  if (index >= 0 && c->kind != kQvListControl) {
    std::string itemText;
    ItemText(window, control, index, &itemText);
    editText = itemText;
    if (c->kind == kQvDropDownListControl) c->text = itemText;
  }
  if (c->kind == kQvDropDownListControl && index < 0) c->text.clear();
  ApplySelection(*c, index, editText);
  return kQvNoErr;
}

QvErr QtToolkit::Selection(QvWindowHandle window, std::int32_t control, std::int32_t* index) {
  const Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr || index == nullptr || !HasItems(c->kind)) return kQvErrBadParameter;
  *index = SelectedRow(c->widget);
  return kQvNoErr;
}

// ---- Focus, drawing and timers ---------------------------------------------------------------

QvErr QtToolkit::FocusControl(QvWindowHandle window, std::int32_t control) {
  Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr) return kQvErrBadParameter;
  c->widget->setFocus(Qt::OtherFocusReason);
  SelectAllText(c->widget);
  return kQvNoErr;
}

QvErr QtToolkit::Invalidate(QvWindowHandle window, std::int32_t control) {
  Window* w = FindWindow(window);
  if (w == nullptr) return kQvErrBadParameter;
  if (control == 0) {
    if (w->widget != nullptr) w->widget->update();
    return kQvNoErr;
  }
  Control* c = FindControl(window, control);
  if (c == nullptr || c->widget == nullptr) return kQvErrBadParameter;
  if (auto* view = qobject_cast<QAbstractItemView*>(c->widget.data())) view->viewport()->update();
  c->widget->update();
  return kQvNoErr;
}

QvErr QtToolkit::StartTimer(QvWindowHandle window, std::int32_t timer, std::int32_t periodMs) {
  Window* w = FindWindow(window);
  if (w == nullptr || periodMs <= 0) return kQvErrBadParameter;
  QPointer<QTimer>& t = w->timers[timer];
  if (t == nullptr) {
    t = new QTimer();
    const std::uint64_t key = KeyOf(window);
    connect(t.data(), &QTimer::timeout, this, [this, key, timer] { Deliver(key, timer, kQvTimerFired); });
  }
  t->start(periodMs);
  return kQvNoErr;
}

QvErr QtToolkit::StopTimer(QvWindowHandle window, std::int32_t timer) {
  Window* w = FindWindow(window);
  if (w == nullptr) return kQvErrBadParameter;
  auto it = w->timers.find(timer);
  if (it == w->timers.end()) return kQvErrBadParameter;
  // The timer may be stopped from its own notification.
  if (it->second != nullptr) {
    it->second->stop();
    it->second->deleteLater();
  }
  w->timers.erase(it);
  return kQvNoErr;
}

// ---- Dialogs, sound and cursor -------------------------------------------------------------

QvErr QtToolkit::RunModalDialog(QvPluginRef, const QvDialogTemplate& dialog, QvNotifyProc proc, void* data,
                                std::int32_t* result) {
  if (proc == nullptr || dialog.width <= 0 || dialog.height <= 0 || dialog.controlCount < 0 ||
      (dialog.controlCount > 0 && dialog.controls == nullptr)) {
    return kQvErrBadParameter;
  }
  auto* widget = new QtDialogWindow(this, dialogParent_);
  widget->setWindowTitle(dialog.title != nullptr ? QString::fromUtf8(dialog.title) : QString());
  widget->setFixedSize(static_cast<int>(dialog.width * scale_), static_cast<int>(dialog.height * scale_));
  widget->setModal(true);
  const std::uint64_t key = NewWindow(dialog.width, dialog.height, widget, true);
  widget->SetWindow(key);
  Window* w = FindWindow(key);
  w->proc = proc;
  w->data = data;
  LayOut(*w);
  const auto window = HandleOf<QvWindowHandle>(key);
  for (std::int32_t i = 0; i < dialog.controlCount; ++i) {
    if (CreateControl(window, dialog.controls[i]) != kQvNoErr) {
      lastFailure_ = "dialog \"" + std::string(dialog.title != nullptr ? dialog.title : "") + "\" (resource " +
                     std::to_string(dialog.resourceId) + "): its control " + std::to_string(dialog.controls[i].id) +
                     " is of an unknown kind or repeats an id";
      windows_.erase(key);
      delete widget;
      return kQvErrBadParameter;
    }
  }

  Deliver(key, 0, kQvDialogInit);
  if (Window* running = FindWindow(key); running != nullptr && !running->ended) widget->exec();

  auto it = windows_.find(key);
  if (result != nullptr) *result = it->second->result;
  for (auto& [id, timer] : it->second->timers) {
    if (timer != nullptr) {
      timer->stop();
      timer->deleteLater();
    }
  }
  windows_.erase(it);
  // exec() has returned, so no handler of the dialog is running.
  delete widget;
  return kQvNoErr;
}

QvErr QtToolkit::EndDialog(QvWindowHandle dialog, std::int32_t result) {
  Window* w = FindWindow(dialog);
  if (w == nullptr || !w->isDialog) return kQvErrBadParameter;
  w->ended = true;
  w->result = result;
  if (auto* widget = static_cast<QtDialogWindow*>(w->widget.data())) widget->Finish(result);
  return kQvNoErr;
}

QvErr QtToolkit::Beep() {
  QApplication::beep();
  return kQvNoErr;
}

QvErr QtToolkit::IsInterfaceDark(bool* dark) {
  if (dark == nullptr) return kQvErrBadParameter;
  *dark = interfaceDark_.has_value() ? *interfaceDark_
                                     : QApplication::palette().color(QPalette::Window).lightness() < 128;
  return kQvNoErr;
}

QvErr QtToolkit::SetCursor(QvPluginRef owner, std::int32_t cursorId) {
  cursors_[owner] = cursorId;
  currentCursor_ = cursorId;
  emit CursorChanged(owner, cursorId);
  return kQvNoErr;
}

QvErr QtToolkit::SetWindowFont(QvWindowHandle window, std::string_view face, std::int32_t heightUnits) {
  Window* w = FindWindow(window);
  if (w == nullptr || face.empty() || heightUnits <= 0) return kQvErrBadParameter;
  w->fontFace = std::string(face);
  w->fontUnits = heightUnits;
  LayOut(*w);
  return kQvNoErr;
}

QvErr QtToolkit::Pointer(QvWindowHandle window, QvPixelPoint* where, bool* overWindow, bool* leftButtonDown) {
  const Window* w = FindWindow(window);
  if (w == nullptr || w->widget == nullptr || where == nullptr || overWindow == nullptr ||
      leftButtonDown == nullptr) {
    return kQvErrBadParameter;
  }
  const QPoint global = QCursor::pos(w->widget->screen());
  const QPoint local = w->widget->mapFromGlobal(global);
  *where = QvPixelPoint{local.x(), local.y()};
  // The tip lets the mouse through, so a tip under the pointer does not
  // hide the panel it belongs to; a popup or another window does.
  const QWidget* under = QApplication::widgetAt(global);
  *overWindow = w->widget->isVisible() && under != nullptr && (under == w->widget || w->widget->isAncestorOf(under));
  *leftButtonDown = (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
  return kQvNoErr;
}

QvErr QtToolkit::ShowTip(QvWindowHandle window, std::string_view text, QvPixelPoint anchor) {
  Window* w = FindWindow(window);
  if (w == nullptr || w->widget == nullptr) return kQvErrBadParameter;
  if (text.empty()) {
    if (w->tip != nullptr) w->tip->hide();
    return kQvNoErr;
  }
  if (w->tip == nullptr) {
    w->tip = new QLabel(w->widget, Qt::ToolTip | Qt::FramelessWindowHint);
    w->tip->setObjectName("tip");
    w->tip->setAttribute(Qt::WA_TransparentForMouseEvents);
    w->tip->setAttribute(Qt::WA_ShowWithoutActivating);
    w->tip->setAlignment(Qt::AlignCenter);
    // Grey box, dark text, a neutral one-pixel frame inside the box.
    w->tip->setStyleSheet(
        "QLabel#tip { background: #F2F2F2; color: #444444; border: 1px solid #A0A0A0; padding: 0px; margin: 0px; }");
  }
  // The window's font as the module set it; the box is as wide as the
  // text plus 2 units on either side.
  const QFont font = w->widget->font();
  const QString label = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const QFontMetrics metrics(font);
  const int pad = static_cast<int>(2 * scale_);
  const QSize size(metrics.horizontalAdvance(label) + 2 * pad, metrics.height() + pad);
  w->tip->setFont(font);
  w->tip->setText(label);
  w->tip->setFixedSize(size);

  // Top left at the anchor, moved back onto the screen it falls on where
  // the box would leave it.
  QPoint at = w->widget->mapToGlobal(QPoint(anchor.x, anchor.y));
  const QScreen* screen = QGuiApplication::screenAt(at);
  if (screen == nullptr) screen = w->widget->screen();
  if (screen != nullptr) {
    const QRect area = screen->geometry();
    at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - size.width())));
    at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - size.height())));
  }
  w->tip->move(at);
  w->tip->show();
  return kQvNoErr;
}

QvErr QtToolkit::ControlRect(QvWindowHandle window, std::int32_t control, QvPixelRect* rect) {
  std::optional<QvPixelRect> pixels = PixelRect(window, control);
  if (!pixels || rect == nullptr) return kQvErrBadParameter;
  *rect = *pixels;
  return kQvNoErr;
}

QWidget* QtToolkit::TipWidget(QvWindowHandle window) const {
  const Window* w = FindWindow(window);
  if (w == nullptr || w->tip == nullptr || !w->tip->isVisible()) return nullptr;
  return w->tip;
}

}  // namespace workbench::ui
