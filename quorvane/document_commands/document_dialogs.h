// What the document commands' two small dialogs share: their size, title
// and row label by language, the OK and Cancel buttons, and a decimal
// number read as the user typed it.
#pragma once

#include <cstdint>
#include <string_view>

#include "quorvane/facade/host_ui.h"
#include "quorvane/text/language.h"
#include "quorvane/text/messages.h"

namespace quorvane::document_commands {

/// Control numbers every dialog shares.
inline constexpr std::int32_t kOkButton = 1;
inline constexpr std::int32_t kCancelButton = 2;

/// Dialog units of the two dialogs: x to the right, y up from the bottom.
inline constexpr std::int32_t kDialogWidth = 240;
inline constexpr std::int32_t kDialogHeight = 96;

/// The OK and Cancel buttons along the bottom of a dialog.
void AddOkCancel(host::DialogTemplate& dialog, text::Language language);

/// A dialog of the two dialogs' size with its title and the label at the
/// left of its one row, in `language`: the English dialog resource
/// `englishId` unless the language is Japanese.
host::DialogTemplate OneRowDialog(std::int32_t englishId, std::int32_t japaneseId, text::Message title,
                                  text::Message rowLabel, text::Language language);

/// The dialog's one row and the column where its field starts.
inline constexpr std::int32_t kRowY = 52;
inline constexpr std::int32_t kRowHeight = 22;
inline constexpr std::int32_t kFieldX = 110;

/// The number at the start of `text` as a C-locale decimal: leading blanks
/// and one sign allowed, reading stops at the first character that cannot
/// continue the number. 0 when no number starts there.
double LeadingDecimal(std::string_view text);

}  // namespace quorvane::document_commands
