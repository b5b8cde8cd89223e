#include "quorvane/panel/set_name_dialog.h"

#include "quorvane/settings/settings.h"
#include "quorvane/text/messages.h"

namespace quorvane::panel {

namespace {

struct DialogData {
  host::HostUi* ui;
  std::string name;
};

// Fills the field when the dialog opens; OK takes the field's text, and
// both buttons close the dialog with their own id.
QvErr SetNameDialogProc(QvWindowHandle dialog, std::int32_t control, std::int32_t notification, void* data) {
  auto& d = *static_cast<DialogData*>(data);
  if (notification == kQvDialogInit) {
    if (QvErr err = d.ui->SetText(dialog, kSetNameField, d.name)) return err;
    return d.ui->Focus(dialog, kSetNameField);
  }
  if (notification != kQvClicked) return kQvNoErr;
  if (control == kDialogOk) {
    if (std::optional<std::string> text = d.ui->Text(dialog, kSetNameField)) d.name = *text;
    return d.ui->EndDialog(dialog, kDialogOk);
  }
  if (control == kDialogCancel) return d.ui->EndDialog(dialog, kDialogCancel);
  return kQvNoErr;
}

}  // namespace

host::DialogTemplate SetNameDialog(text::Language language) {
  using text::DialogText;
  using text::Message;
  host::DialogTemplate dialog;
  dialog.resourceId = text::EnglishDialogs(language) ? kSetNameDialogEnglish : kSetNameDialogJapanese;
  dialog.title = DialogText(Message::kSetNameTitle, language);
  dialog.width = 300;
  dialog.height = 90;
  dialog.controls = {
      {0, kQvLabelControl, {10, 52, 120, 14}, std::string(DialogText(Message::kSetNameLabel, language)), 0},
      {kSetNameField, kQvEditControl, {135, 50, 155, 18}, "", 0},
      {kDialogOk, kQvPushButtonControl, {60, 12, 80, 22}, "OK", 0},
      {kDialogCancel, kQvPushButtonControl, {160, 12, 80, 22}, std::string(DialogText(Message::kCancel, language)), 0},
  };
  return dialog;
}

std::optional<std::string> AskSetName(host::HostUi& ui, QvPluginRef self, text::Language language,
                                      std::string_view name) {
  DialogData data{&ui, std::string(name)};
  std::optional<std::int32_t> result = ui.RunModalDialog(self, SetNameDialog(language), SetNameDialogProc, &data);
  if (!result || *result != kDialogOk) return std::nullopt;
  return data.name;
}

}  // namespace quorvane::panel
