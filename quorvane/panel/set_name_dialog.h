// The "Command set Name" dialog: one edit field with the set's name, OK and
// Cancel.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "quorvane/facade/host_ui.h"
#include "quorvane/text/language.h"
#include "sdk/types.h"

namespace quorvane::panel {

/// Resource numbers of the dialog: English, and Japanese.
inline constexpr std::int32_t kSetNameDialogEnglish = 16258;
inline constexpr std::int32_t kSetNameDialogJapanese = 16158;
/// The dialog's controls: OK and Cancel are the toolkit's 1 and 2.
inline constexpr std::int32_t kSetNameField = 5;
inline constexpr std::int32_t kDialogOk = 1;
inline constexpr std::int32_t kDialogCancel = 2;

/// The dialog as shown for the settings' language field (English whenever
/// it is not 0).
host::DialogTemplate SetNameDialog(text::Language language);

/// Runs the dialog with `name` in its field: the entered name on OK; none on
/// Cancel or when the dialog could not be run.
std::optional<std::string> AskSetName(host::HostUi& ui, QvPluginRef self, text::Language language,
                                      std::string_view name);

}  // namespace quorvane::panel
