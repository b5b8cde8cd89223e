#include "quorvane/settings/settings_dialog.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>

#include "quorvane/text/messages.h"
#include "quorvane/text/numbers.h"

namespace quorvane::settings {

namespace {

// A width field keeps this many characters, as the file's reader does.
constexpr std::size_t kWidthFieldChars = 80;

const char* const kUnitNames[] = {"mm", "cm", "in"};

struct DialogData {
  host::HostUi* ui;
  Settings* settings;
  bool accepted = false;
};

// The number at the start of the text, after blanks; 0 when there is none.
double WidthValue(std::string text) {
  if (text.size() > kWidthFieldChars) text.resize(kWidthFieldChars);
  std::size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])) != 0) ++at;
  if (at < text.size() && text[at] == '+') ++at;
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
  (void)end;
  return error == std::errc() ? value : 0.0;
}

QvErr FillColorList(host::HostUi& ui, QvWindowHandle dialog, std::int32_t list, const Settings& s,
                    std::int16_t selected) {
  if (QvErr err = ui.ClearItems(dialog, list)) return err;
  for (std::int32_t slot = 0; slot < s.plateColorCount; ++slot) {
    if (QvErr err = ui.AddItem(dialog, list, PlateColorName(s.plateColors[slot]))) return err;
  }
  return ui.SetSelection(dialog, list, selected >= 0 && selected < s.plateColorCount ? selected : -1);
}

QvErr Fill(host::HostUi& ui, QvWindowHandle dialog, const Settings& s) {
  if (QvErr err = FillColorList(ui, dialog, kSeamLineColorList, s, s.seamAllowanceLineColor)) return err;
  if (QvErr err = FillColorList(ui, dialog, kFinishLineColorList, s, s.finishLineColor)) return err;
  if (QvErr err = ui.SetText(dialog, kSeamLineWidthField, text::FormatGeneral(s.seamAllowanceLineWidth))) return err;
  if (QvErr err = ui.SetText(dialog, kFinishLineWidthField, text::FormatGeneral(s.finishLineWidth))) return err;
  if (QvErr err = ui.ClearItems(dialog, kUnitList)) return err;
  for (const char* unit : kUnitNames) {
    if (QvErr err = ui.AddItem(dialog, kUnitList, unit)) return err;
  }
  const bool knownUnit = s.unit >= kUnitMillimetre && s.unit <= kUnitInch;
  if (QvErr err = ui.SetSelection(dialog, kUnitList, knownUnit ? s.unit : -1)) return err;
  if (QvErr err = ui.SetChecked(dialog, kSeamLineCheck, s.seamAllowanceLine != 0)) return err;
  if (QvErr err = ui.SetChecked(dialog, kFinishLineCheck, s.finishLine != 0)) return err;
  return ui.SetChecked(dialog, kScaledDrawingCheck, s.scaledDrawing != 0);
}

std::int16_t Flag(host::HostUi& ui, QvWindowHandle dialog, std::int32_t check) {
  return ui.IsChecked(dialog, check).value_or(false) ? 1 : 0;
}

// A list with nothing chosen keeps the value it had.
template <typename T>
void TakeSelection(host::HostUi& ui, QvWindowHandle dialog, std::int32_t list, T& value) {
  const std::int32_t chosen = ui.Selection(dialog, list).value_or(-1);
  if (chosen >= 0) value = static_cast<T>(chosen);
}

void Take(host::HostUi& ui, QvWindowHandle dialog, Settings& s) {
  TakeSelection(ui, dialog, kSeamLineColorList, s.seamAllowanceLineColor);
  TakeSelection(ui, dialog, kFinishLineColorList, s.finishLineColor);
  s.seamAllowanceLineWidth = WidthValue(ui.Text(dialog, kSeamLineWidthField).value_or(std::string()));
  s.finishLineWidth = WidthValue(ui.Text(dialog, kFinishLineWidthField).value_or(std::string()));
  TakeSelection(ui, dialog, kUnitList, s.unit);
  if (std::optional<double> factor = UnitFactor(s.unit)) s.unitFactor = *factor;
  s.seamAllowanceLine = Flag(ui, dialog, kSeamLineCheck);
  s.finishLine = Flag(ui, dialog, kFinishLineCheck);
  s.scaledDrawing = Flag(ui, dialog, kScaledDrawingCheck);
}

QvErr SettingsDialogProc(QvWindowHandle dialog, std::int32_t control, std::int32_t notification, void* data) {
  auto& d = *static_cast<DialogData*>(data);
  if (notification == kQvDialogInit) return Fill(*d.ui, dialog, *d.settings);
  if (notification != kQvClicked) return kQvNoErr;
  if (control == kSettingsOk) {
    Take(*d.ui, dialog, *d.settings);
    d.accepted = true;
    return d.ui->EndDialog(dialog, kSettingsOk);
  }
  if (control == kSettingsCancel) return d.ui->EndDialog(dialog, kSettingsCancel);
  return kQvNoErr;
}

}  // namespace

host::DialogTemplate SettingsDialog(text::Language language) {
  using text::Message;
  const auto dialogText = [language](Message message) { return std::string(text::DialogText(message, language)); };
  const std::string lineWidth = dialogText(Message::kLineWidth);
  const std::string lineColor = dialogText(Message::kLineColor);
  host::DialogTemplate d;
  d.resourceId = text::EnglishDialogs(language) ? kSettingsDialogEnglish : kSettingsDialogJapanese;
  d.title = dialogText(Message::kSettingsTitle);
  d.width = 300;
  d.height = 250;
  d.controls = {
      {kSeamLineCheck, kQvCheckBoxControl, {10, 220, 200, 16}, dialogText(Message::kSeamAllowanceLine), 0},
      {0, kQvLabelControl, {30, 196, 90, 14}, lineWidth, 0},
      {kSeamLineWidthField, kQvEditControl, {125, 194, 60, 18}, "", 0},
      {0, kQvLabelControl, {190, 196, 30, 14}, "pt", 0},
      {0, kQvLabelControl, {30, 172, 90, 14}, lineColor, 0},
      {kSeamLineColorList, kQvDropDownListControl, {125, 168, 150, 20}, "", 0},
      {kFinishLineCheck, kQvCheckBoxControl, {10, 140, 200, 16}, dialogText(Message::kFinishLine), 0},
      {0, kQvLabelControl, {30, 116, 90, 14}, lineWidth, 0},
      {kFinishLineWidthField, kQvEditControl, {125, 114, 60, 18}, "", 0},
      {0, kQvLabelControl, {190, 116, 30, 14}, "pt", 0},
      {0, kQvLabelControl, {30, 92, 90, 14}, lineColor, 0},
      {kFinishLineColorList, kQvDropDownListControl, {125, 88, 150, 20}, "", 0},
      {0, kQvLabelControl, {10, 64, 110, 14}, dialogText(Message::kUnit), 0},
      {kUnitList, kQvDropDownListControl, {125, 60, 60, 20}, "", 0},
      {kScaledDrawingCheck, kQvCheckBoxControl, {10, 38, 260, 16},
       dialogText(Message::kScaledDrawing), 0},
      {kSettingsOk, kQvPushButtonControl, {110, 8, 80, 22}, "OK", 0},
      {kSettingsCancel, kQvPushButtonControl, {200, 8, 80, 22}, dialogText(Message::kCancel), 0},
  };
  return d;
}

bool RunSettingsDialog(host::HostUi& ui, QvPluginRef self, Settings& settings) {
  // The dialog works on a copy, so that a failure half-way through OK
  // leaves the settings whole.
  Settings edited = settings;
  DialogData data{&ui, &edited};
  std::optional<std::int32_t> result = ui.RunModalDialog(self, SettingsDialog(settings.language), SettingsDialogProc,
                                                         &data);
  if (!result || *result != kSettingsOk || !data.accepted) return false;
  settings = edited;
  return true;
}

}  // namespace quorvane::settings
