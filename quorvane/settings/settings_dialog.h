// The settings dialog: the look of the seam-allowance line and the finish
// line (on/off, width in points, plate colour), the unit of typed widths
// and the scaled-drawing switch.
#pragma once

#include <cstdint>

#include "quorvane/facade/host_ui.h"
#include "quorvane/settings/settings.h"
#include "quorvane/text/language.h"
#include "sdk/types.h"

namespace quorvane::settings {

/// Resource numbers of the dialog: English, and Japanese. Numbers of its
/// own, so that an answer scripted for another dialog never reaches it.
inline constexpr std::int32_t kSettingsDialogEnglish = 16256;
inline constexpr std::int32_t kSettingsDialogJapanese = 16156;

/// The dialog's controls; OK and Cancel are the toolkit's 1 and 2.
inline constexpr std::int32_t kSettingsOk = 1;
inline constexpr std::int32_t kSettingsCancel = 2;
inline constexpr std::int32_t kSeamLineCheck = 3;
inline constexpr std::int32_t kSeamLineWidthField = 5;
inline constexpr std::int32_t kSeamLineColorList = 8;
inline constexpr std::int32_t kFinishLineCheck = 9;
inline constexpr std::int32_t kFinishLineWidthField = 11;
inline constexpr std::int32_t kFinishLineColorList = 14;
inline constexpr std::int32_t kUnitList = 16;
inline constexpr std::int32_t kScaledDrawingCheck = 20;

/// The dialog for the language field: English whenever it is not 0.
host::DialogTemplate SettingsDialog(text::Language language);

/// Shows the dialog filled from `settings`. On OK the two colour choices,
/// the two widths (points, read as typed, without range checks), the unit
/// with its factor and the three switches are written back and the result
/// is true; Cancel, or a dialog the host could not show, changes nothing
/// and gives false.
bool RunSettingsDialog(host::HostUi& ui, QvPluginRef self, Settings& settings);

}  // namespace quorvane::settings
