#include "quorvane/panel/panel_drawing.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "quorvane/panel/icons/icon_resources.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_texts.h"

namespace quorvane::panel {

namespace {

// Column starts of the command list's rows, in characters of the fixed-width
// row, and of their drawing, in panel units from the row's left edge.
constexpr int kNameColumn = 3;
constexpr int kPointColumn = 22;
constexpr int kWidthColumn = 29;
constexpr int kWidthColumnEnd = 61;

constexpr double kNumberFillEnd = 30.0;
constexpr double kValueFill = 180.0;
constexpr double kBasicValueFill = 220.0;
constexpr double kValueRule = 220.0;
constexpr double kSetTextX = 2.0;
constexpr double kNumberX = 4.0;
constexpr double kNameX = 34.0;
constexpr double kPointX = 184.0;
constexpr double kWidthX = 224.0;
constexpr double kCaptionDrop = 2.0;
constexpr double kTypeIconSize = 26.0;
// The optimize list's text stands 2 pixels from the item's left edge.
constexpr std::int32_t kDropDownTextInset = 2;

// The host's drawing context with the module's types.
class Painter {
 public:
  explicit Painter(const QvDrawContext& c) : c_(c) {}
  std::int32_t Px(double units) const { return static_cast<std::int32_t>(units * c_.scale); }
  void Fill(QvPixelRect r, QvRgb color) { Note(c_.FillRect(c_.context, r, color)); }
  void Frame(QvPixelRect r, QvRgb color) { Note(c_.FrameRect(c_.context, r, color)); }
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, QvRgb color) {
    Note(c_.Line(c_.context, x1, y1, x2, y2, color));
  }
  void Text(QvPixelRect r, std::int32_t x, std::string_view text, QvRgb color, bool centred = false) {
    const std::string owned(text);
    Note(c_.Text(c_.context, r, x, owned.c_str(), color, centred ? 1 : 0));
  }
  void Image(QvPixelRect r, const unsigned char* png, std::size_t size) {
    Note(c_.Image(c_.context, r, png, static_cast<std::int32_t>(size)));
  }
  QvErr Result() const { return err_; }

 private:
  // The first failure is kept; drawing goes on, so one refused call does
  // not leave the rest of the item blank.
  void Note(QvErr err) {
    if (err_ == kQvNoErr) err_ = err;
  }
  const QvDrawContext& c_;
  QvErr err_ = kQvNoErr;
};

bool Usable(const QvDrawItem& item) {
  const QvDrawContext* c = item.draw;
  return c != nullptr && c->FillRect != nullptr && c->FrameRect != nullptr && c->Line != nullptr &&
         c->Text != nullptr && c->Image != nullptr;
}

// Display columns and byte length of the UTF-8 character at `at`.
std::pair<int, std::size_t> CharacterAt(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 1;
  if (lead >= 0xF0) {
    length = 4;
  } else if (lead >= 0xE0) {
    length = 3;
  } else if (lead >= 0xC0) {
    length = 2;
  }
  length = std::min(length, text.size() - at);
  if (length == 1) return {1, 1};
  // Half-width katakana (U+FF61 to U+FF9F) take one column as they do in
  // the list file's code page: EF BD A1..BF and EF BE 80..9F.
  if (length == 3 && lead == 0xEF) {
    const auto second = static_cast<unsigned char>(text[at + 1]);
    const auto third = static_cast<unsigned char>(text[at + 2]);
    if ((second == 0xBD && third >= 0xA1) || (second == 0xBE && third <= 0x9F)) return {1, 3};
  }
  return {2, length};
}

// The row pads its columns with blanks; a column is drawn without them.
std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

ListRowColors ListRowColorsFor(std::int32_t state) {
  if ((state & kQvItemDisabled) != 0) return {kListBase, kListColumn, kListDisabledText, kListDisabledText};
  if ((state & kQvItemSelected) != 0) return {kListSelectedBase, kListColumn, kListSelectedText, kListText};
  return {kListBase, kListColumn, kListText, kListText};
}

CommandRowColumns SplitCommandRow(std::string_view row) {
  CommandRowColumns columns;
  int column = 0;
  for (std::size_t at = 0; at < row.size();) {
    const auto [width, length] = CharacterAt(row, at);
    const std::string_view character = row.substr(at, length);
    // A character belongs to the column it starts in.
    if (column < kNameColumn) {
      columns.number.append(character);
    } else if (column < kPointColumn) {
      columns.name.append(character);
    } else if (column < kWidthColumn) {
      columns.point.append(character);
    } else if (column < kWidthColumnEnd) {
      columns.width.append(character);
    }
    column += width;
    at += length;
  }
  columns.number = Trimmed(columns.number);
  columns.name = Trimmed(columns.name);
  columns.point = Trimmed(columns.point);
  columns.width = Trimmed(columns.width);
  return columns;
}

bool IsBasicRow(std::string_view row) {
  return row.find(BasicRowLabel(text::Language::kEnglish)) != std::string_view::npos ||
         row.find(BasicRowLabel(text::Language::kJapanese)) != std::string_view::npos;
}

QvErr DrawListRow(const QvDrawItem& item, std::string_view text) {
  if (!Usable(item)) return kQvErrBadParameter;
  Painter p(*item.draw);
  const QvPixelRect r = item.rect;
  const ListRowColors colors = ListRowColorsFor(item.state);
  const bool commandList = item.control == kCommandList;
  const bool basic = commandList && IsBasicRow(text);

  p.Fill(r, colors.base);
  if (commandList) {
    p.Fill({r.left, r.top, r.left + p.Px(kNumberFillEnd), r.bottom}, colors.column);
    p.Fill({r.left + p.Px(basic ? kBasicValueFill : kValueFill), r.top, r.right, r.bottom}, colors.column);
  }
  p.Line(r.left, r.bottom - 1, r.right, r.bottom - 1, kListRule);
  if (commandList && !basic) {
    p.Line(r.left + p.Px(kValueRule), r.top, r.left + p.Px(kValueRule), r.bottom, kListColumnRule);
  }

  if (!commandList) {
    p.Text(r, r.left + p.Px(kSetTextX), text, colors.mainText);
    return p.Result();
  }
  const CommandRowColumns columns = SplitCommandRow(text);
  p.Text(r, r.left + p.Px(kNumberX), columns.number, colors.otherText);
  if (!basic) p.Text(r, r.left + p.Px(kPointX), columns.point, colors.otherText);
  p.Text(r, r.left + p.Px(kWidthX), columns.width, colors.otherText);
  p.Text(r, r.left + p.Px(kNameX), columns.name, colors.mainText);
  return p.Result();
}

QvErr DrawPushButton(const QvDrawItem& item, std::string_view caption, const Theme& theme) {
  if (!Usable(item)) return kQvErrBadParameter;
  Painter p(*item.draw);
  const QvPixelRect r = item.rect;
  const bool pressed = (item.state & kQvItemPressed) != 0;
  const bool disabled = (item.state & kQvItemDisabled) != 0;
  p.Fill(r, pressed ? theme.pushFrame : theme.background);
  p.Frame(r, theme.pushFrame);
  const std::int32_t drop = p.Px(kCaptionDrop);
  p.Text({r.left, r.top + drop, r.right, r.bottom + drop}, r.left, caption, disabled ? theme.pushFrame : theme.text,
         true);
  return p.Result();
}

QvErr DrawTypeButton(const QvDrawItem& item, int code, bool pressedFlag, const Theme& theme) {
  if (!Usable(item)) return kQvErrBadParameter;
  Painter p(*item.draw);
  const QvPixelRect r = item.rect;
  const bool highlighted = pressedFlag || (item.state & (kQvItemPressed | kQvItemFocused)) != 0;
  p.Fill(r, highlighted ? theme.typeHighlight : theme.background);
  p.Frame(r, theme.typeFrame);
  if (auto png = IconFor(code, theme.dark)) {
    const std::int32_t size = p.Px(kTypeIconSize);
    p.Image({r.left, r.top, r.left + size, r.top + size}, png->data(), png->size());
  }
  return p.Result();
}

QvErr DrawOptimizeItem(const QvDrawItem& item, std::string_view text, const Theme& theme) {
  if (!Usable(item)) return kQvErrBadParameter;
  Painter p(*item.draw);
  const QvPixelRect r = item.rect;
  QvRgb fill = theme.editBackground;
  QvRgb ink = theme.editText;
  if ((item.state & kQvItemDisabled) != 0) {
    fill = theme.dark ? kSystemLightGrey : theme.background;
    ink = theme.dark ? kDropDownDisabledText : theme.text;
  } else if (item.item >= 0) {
    fill = (item.state & kQvItemFocused) != 0 ? kSystemLightGrey : kDropDownItem;
  }
  p.Fill(r, fill);
  if (text.empty() || text == "-") {
    const std::int32_t middle = (r.top + r.bottom) / 2;
    p.Line(r.left, middle, r.right, middle, kDropDownDisabledText);
  } else {
    p.Text(r, r.left + kDropDownTextInset, text, ink);
  }
  return p.Result();
}

QvErr DrawPanelItem(host::PluginGlobals& globals, host::HostUi& ui, QvWindowHandle window, const QvDrawItem& item,
                    const Theme& theme) {
  const std::int32_t control = item.control;
  if (control == kSetList || control == kCommandList) {
    if (item.item < 0) return kQvNoErr;
    return DrawListRow(item, ui.ItemText(window, control, item.item).value_or(std::string()));
  }
  if (const std::optional<commands::CommandType> type = TypeOfButton(control)) {
    const int code = static_cast<int>(*type);
    return DrawTypeButton(item, code, globals.commandTypeButtons[code] != 0, theme);
  }
  if (control == kOptimizeList) {
    const std::optional<std::string> text =
        item.item < 0 ? ui.Text(window, control) : ui.ItemText(window, control, item.item);
    return DrawOptimizeItem(item, text.value_or(std::string()), theme);
  }
  if (control == kEditSetButton || (control >= kNewSetButton && control <= kAddButton) ||
      (control >= kRemoveCommandButton && control <= kFontSizeButton)) {
    return DrawPushButton(item, ui.Text(window, control).value_or(std::string()), theme);
  }
  return kQvNoErr;
}

}  // namespace quorvane::panel
