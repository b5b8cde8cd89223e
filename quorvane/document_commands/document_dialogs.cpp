#include "quorvane/document_commands/document_dialogs.h"
#include "quorvane/text/messages.h"

#include <charconv>

namespace quorvane::document_commands {

void AddOkCancel(host::DialogTemplate& dialog, text::Language language) {
  host::DialogControl ok;
  ok.id = kOkButton;
  ok.kind = kQvPushButtonControl;
  ok.frame = {dialog.width / 2 - 90, 14, 80, 24};
  ok.text = "OK";
  host::DialogControl cancel = ok;
  cancel.id = kCancelButton;
  cancel.frame.x = dialog.width / 2 + 10;
  cancel.text = text::DialogText(text::Message::kCancel, language);
  dialog.controls.push_back(ok);
  dialog.controls.push_back(cancel);
}

host::DialogTemplate OneRowDialog(std::int32_t englishId, std::int32_t japaneseId, text::Message title,
                                  text::Message rowLabel, text::Language language) {
  host::DialogTemplate dialog;
  dialog.resourceId = text::EnglishDialogs(language) ? englishId : japaneseId;
  dialog.title = text::DialogText(title, language);
  dialog.width = kDialogWidth;
  dialog.height = kDialogHeight;
  host::DialogControl label;
  label.kind = kQvLabelControl;
  label.frame = {12, kRowY, kFieldX - 16, kRowHeight};
  label.text = std::string(text::DialogText(rowLabel, language));
  label.options = kQvAlignRight;
  dialog.controls.push_back(label);
  return dialog;
}

double LeadingDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // from_chars takes no sign of its own here, so "+-1" stays unreadable.
  if (i == text.size() || text[i] == '+' || text[i] == '-') return 0.0;
  double value = 0.0;
  // An overflowing number is as unreadable as text.
  if (std::from_chars(text.data() + i, text.data() + text.size(), value).ec != std::errc{}) return 0.0;
  return negative ? -value : value;
}

}  // namespace quorvane::document_commands
