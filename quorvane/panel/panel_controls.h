// Control numbers of the information panel. The numbers are also the
// panel commands the command dispatch runs for them.
#pragma once

#include <cstdint>
#include <optional>

#include "quorvane/commands/command_type.h"

namespace quorvane::panel {

inline constexpr std::int32_t kSetList = 1;
inline constexpr std::int32_t kCommandList = 2;
inline constexpr std::int32_t kEditSetButton = 5;
inline constexpr std::int32_t kBasicWidthField = 6;
inline constexpr std::int32_t kCommandWidthField = 7;
inline constexpr std::int32_t kStartPointField = 8;
inline constexpr std::int32_t kFontSizeField = 9;
inline constexpr std::int32_t kNewSetButton = 10;
inline constexpr std::int32_t kRemoveSetButton = 11;
inline constexpr std::int32_t kClearButton = 12;
inline constexpr std::int32_t kApplyButton = 13;
inline constexpr std::int32_t kAddButton = 14;
/// Command-type buttons: kFirstTypeButton + the command type's code.
inline constexpr std::int32_t kFirstTypeButton = 15;
inline constexpr std::int32_t kLastTypeButton = 25;

constexpr std::int32_t TypeButtonOf(commands::CommandType type) {
  return kFirstTypeButton + static_cast<std::int32_t>(type);
}
/// The command type of a type button; none for another control.
constexpr std::optional<commands::CommandType> TypeOfButton(std::int32_t control) {
  if (control < kFirstTypeButton || control > kLastTypeButton) return std::nullopt;
  return static_cast<commands::CommandType>(control - kFirstTypeButton);
}
/// The button pressed when the panel is made: Extended one-side.
inline constexpr std::int32_t kDefaultTypeButton = TypeButtonOf(commands::CommandType::kExtendedOneSide);
inline constexpr std::int32_t kRemoveCommandButton = 26;
inline constexpr std::int32_t kClearPointButton = 27;
inline constexpr std::int32_t kUpdateWidthButton = 28;
inline constexpr std::int32_t kSaveButton = 29;
inline constexpr std::int32_t kMoveUpButton = 30;
inline constexpr std::int32_t kMoveDownButton = 31;
inline constexpr std::int32_t kCreateButton = 32;
inline constexpr std::int32_t kStartPointButton = 33;
inline constexpr std::int32_t kFontSizeButton = 34;
inline constexpr std::int32_t kPreviewCheckBox = 35;
inline constexpr std::int32_t kAdjustField = 36;
inline constexpr std::int32_t kOptimizeList = 37;

/// Flyout menu items. 1 to 3 are the panel's own; 5 and 9 start the
/// document commands "Create basic finish line" and batch application.
inline constexpr std::int32_t kSettingsFlyoutItem = 1;
inline constexpr std::int32_t kFlyoutSeparator = 2;
inline constexpr std::int32_t kShowOptionFlyoutItem = 3;
inline constexpr std::int32_t kCreateFinishLineFlyoutItem = 5;
/// Items the menu does not show; the handler still runs their commands.
inline constexpr std::int32_t kMakePatternFlyoutItem = 6;
inline constexpr std::int32_t kTraceRasterFlyoutItem = 7;
inline constexpr std::int32_t kBatchApplyFlyoutItem = 9;

}  // namespace quorvane::panel
