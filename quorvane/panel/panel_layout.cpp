#include "quorvane/panel/panel_layout.h"

#include <array>
#include <optional>

#include "quorvane/panel/panel_controls.h"
#include "quorvane/settings/settings.h"
#include "quorvane/text/messages.h"

namespace quorvane::panel {

namespace {

using M = text::Message;

struct Row {
  std::int32_t id;
  std::int32_t kind;
  std::int32_t options;
  QvControlFrame frame;
  /// The text in the user's language, or none.
  std::optional<text::Message> label;
  /// A field's first value, the same in every language.
  std::string_view value;
};

constexpr std::int32_t kRight = kQvAlignRight;
// Lists, buttons and the optimize list are drawn by the panel itself in
// the interface theme's colours (panel_drawing.h).
constexpr std::int32_t kOwner = kQvOwnerDrawn;

// The panel's controls in creation order. Label 80, the Japanese adjust
// field and its label are set apart below: their texts or frames depend on
// more than the language.
constexpr Row kRows[] = {
    {kCommandSetLabel, kQvLabelControl, 0, {15, 475, 154, 14}, M::kPanelCommandSetLabel, ""},
    {kSeamMarginLabel, kQvLabelControl, kRight, {45, 333, 100, 14}, M::kPanelSeamMarginLabel, ""},
    {kStartPointLabel, kQvLabelControl, kRight, {45, 308, 100, 14}, M::kPanelStartPointLabel, ""},
    {kFontSizeLabel, kQvLabelControl, kRight, {45, 283, 100, 14}, M::kPanelFontSizeLabel, ""},
    {kCommandColumnsLabel, kQvLabelControl, 0, {110, 235, 130, 14}, M::kPanelCommandColumns, ""},
    {kPointWidthLabel, kQvLabelControl, kRight, {250, 235, 130, 14}, {}, ""},
    {0, kQvSeparatorControl, 0, {10, 265, 380, 1}, {}, ""},
    {kBasicWidthField, kQvEditControl, 0, {150, 331, 80, 18}, {}, ""},
    {kCommandWidthField, kQvEditableDropDownControl, 0, {15, 30, 80, 20}, {}, "0"},
    {kStartPointField, kQvEditableDropDownControl, 0, {150, 305, 80, 20}, {}, "1"},
    {kFontSizeField, kQvEditableDropDownControl, 0, {150, 280, 80, 20}, {}, "9"},
    {kSetList, kQvListControl, kOwner, {15, 360, 275, 110}, {}, ""},
    {kCommandList, kQvListControl, kOwner, {110, 70, 275, 160}, {}, ""},
    {kPreviewCheckBox, kQvCheckBoxControl, 0, {305, 380, 80, 16}, M::kPanelPreview, ""},
    {kAdjustField, kQvEditControl, 0, {350, 350, 35, 18}, {}, "1"},
    {0, kQvLabelControl, 0, {305, 352, 45, 14}, M::kPanelAdjustLabel, ""},
    {kNewSetButton, kQvPushButtonControl, kOwner, {305, 465, 80, 20}, M::kPanelNewSet, ""},
    {kRemoveSetButton, kQvPushButtonControl, kOwner, {305, 440, 80, 20}, M::kPanelRemoveSet, ""},
    {kEditSetButton, kQvPushButtonControl, kOwner, {305, 415, 80, 20}, M::kPanelEditSet, ""},
    {kClearButton, kQvPushButtonControl, kOwner, {110, 15, 70, 20}, M::kPanelClear, ""},
    {kApplyButton, kQvPushButtonControl, kOwner, {195, 15, 80, 20}, M::kPanelApply, ""},
    {kAddButton, kQvPushButtonControl, kOwner, {195, 40, 80, 20}, M::kPanelAddCommand, ""},
    {kRemoveCommandButton, kQvPushButtonControl, kOwner, {280, 40, 80, 20}, M::kPanelRemoveCommand, ""},
    {kClearPointButton, kQvPushButtonControl, kOwner, {15, 80, 80, 20}, M::kPanelClearPoint, ""},
    {kUpdateWidthButton, kQvPushButtonControl, kOwner, {15, 55, 80, 20}, M::kPanelUpdateWidth, ""},
    {kSaveButton, kQvPushButtonControl, kOwner, {280, 15, 80, 20}, M::kPanelSave, ""},
    {kMoveUpButton, kQvPushButtonControl, kOwner, {366, 40, 19, 20}, M::kPanelMoveUp, ""},
    {kMoveDownButton, kQvPushButtonControl, kOwner, {366, 15, 19, 20}, M::kPanelMoveDown, ""},
    {kCreateButton, kQvPushButtonControl, kOwner, {240, 330, 50, 20}, M::kPanelCreate, ""},
    {kStartPointButton, kQvPushButtonControl, kOwner, {240, 305, 50, 20}, M::kPanelUpdate, ""},
    {kFontSizeButton, kQvPushButtonControl, kOwner, {240, 280, 50, 20}, M::kPanelUpdate, ""},
    {kOptimizeLabel, kQvLabelControl, 0, {305, 325, 50, 14}, M::kPanelOptimize, ""},
    {kOptimizeList, kQvDropDownListControl, kOwner, {305, 300, 80, 20}, {}, ""},
};

// Lower left corners of the command-type buttons, by code.
constexpr std::array<std::array<std::int32_t, 2>, 11> kTypeButtonCorners = {{
    {17, 169},  // 0 Rev. forward
    {42, 169},  // 1 Rev. backward
    {17, 138},  // 2 90. forward
    {42, 138},  // 3 90. backward
    {42, 107},  // 4 45. backward
    {67, 200},  // 5 Extended crossing
    {17, 200},  // 6 Extended one-side
    {67, 169},  // 7 Lapel
    {67, 138},  // 8 Cut off
    {67, 107},  // 9 Opening
    {17, 107},  // 10 45. forward
}};

std::vector<std::string> WidthItems() {
  return {"0.5", "1", "1.5", "2", "2.5", "3", "3.5", "4", "4.5", "5", "5.5", "6", "10", "20", "30"};
}

std::vector<std::string> FontSizeItems() {
  std::vector<std::string> items;
  for (int size = 3; size <= 12; ++size) items.push_back(std::to_string(size));
  for (const char* size : {"15", "20", "25", "30", "40"}) items.emplace_back(size);
  return items;
}

std::vector<std::string> OptimizeItems(text::Language language) {
  std::vector<std::string> items;
  for (M item : {M::kOptimizeNone, M::kOptimizeOne, M::kOptimizeTwo}) items.emplace_back(text::Text(item, language));
  return items;
}

}  // namespace

std::string_view UnitSuffix(std::int32_t unit) {
  if (unit == settings::kUnitCentimetre) return " (cm)";
  if (unit == settings::kUnitInch) return " (in)";
  return " (mm)";
}

std::string PointWidthLabelText(text::Language language, std::int32_t unit) {
  // Korean shows the Japanese texts but this label in English, as its dialogs.
  return std::string(text::DialogText(text::Message::kPointWidth, language)) + std::string(UnitSuffix(unit));
}

QvControlFrame TypeButtonFrame(int code) {
  const auto& corner = kTypeButtonCorners.at(static_cast<std::size_t>(code));
  return {corner[0], corner[1], kTypeButtonSize, kTypeButtonSize};
}

std::vector<PanelControl> PanelControls(text::Language language, std::int32_t unit) {
  const bool english = text::EnglishTexts(language);
  std::vector<PanelControl> controls;
  for (const Row& row : kRows) {
    PanelControl c;
    c.control.id = row.id;
    c.control.kind = row.kind;
    c.control.options = row.options;
    c.control.frame = row.frame;
    c.control.text = std::string(row.label ? text::Text(*row.label, language) : row.value);
    if (row.id == kPointWidthLabel) c.control.text = PointWidthLabelText(language, unit);
    // The Japanese adjust label is longer: the field gives it 5 units.
    if (!english && row.id == kAdjustField) c.control.frame = {345, 350, 40, 18};
    if (!english && row.id == 0 && row.kind == kQvLabelControl) c.control.frame.width = 40;
    if (row.id == kCommandWidthField) c.items = WidthItems();
    if (row.id == kFontSizeField) c.items = FontSizeItems();
    if (row.id == kOptimizeList) c.items = OptimizeItems(language);
    controls.push_back(std::move(c));
  }
  for (int code = 0; code < static_cast<int>(kTypeButtonCorners.size()); ++code) {
    PanelControl c;
    c.control.id = TypeButtonOf(static_cast<commands::CommandType>(code));
    c.control.kind = kQvPictureButtonControl;
    c.control.options = kOwner;
    c.control.frame = TypeButtonFrame(code);
    c.control.text = std::to_string(code);
    controls.push_back(std::move(c));
  }
  return controls;
}

QvErr BuildControls(PanelContext& ctx) {
  const QvWindowHandle window = ctx.State().window;
  for (const PanelControl& c : PanelControls(ctx.globals.settings.language, ctx.globals.settings.unit)) {
    if (QvErr err = ctx.ui.CreateControl(window, c.control)) return err;
    for (const std::string& item : c.items) {
      if (QvErr err = ctx.ui.AddItem(window, c.control.id, item)) return err;
    }
  }
  return kQvNoErr;
}

QvErr RefreshUnitLabel(PanelContext& ctx) {
  return ctx.ui.SetText(ctx.State().window, kPointWidthLabel,
                        PointWidthLabelText(ctx.globals.settings.language, ctx.globals.settings.unit));
}

}  // namespace quorvane::panel
