// The kinds of command a set can hold, their codes and their display labels.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "quorvane/text/language.h"

namespace quorvane::commands {

/// A command's kind. The codes are those of the list file and of the panel's
/// type buttons (button number - 15); a hand-edited list file may carry codes
/// outside 0..10, which are kept as read.
enum class CommandType : std::int32_t {
  kRevForward = 0,
  kRevBackward = 1,
  kRightAngleForward = 2,
  kRightAngleBackward = 3,
  kFortyFiveBackward = 4,
  kExtendedCrossing = 5,
  kExtendedOneSide = 6,
  kLapel = 7,
  kCutOff = 8,
  kOpening = 9,
  kFortyFiveForward = 10,
  /// Returned by queries when there is no such command.
  kNone = 11,
};

/// Number of command kinds with a meaning (codes 0..10).
inline constexpr int kCommandTypeCount = 11;

/// True for the codes 0..10.
constexpr bool IsKnownCommandType(CommandType type) {
  const auto code = static_cast<std::int32_t>(type);
  return code >= 0 && code < kCommandTypeCount;
}

/// The label shown in the panel's command list, with its trailing blanks
/// (UTF-8); "" for a code outside 0..10.
std::string_view CommandTypeLabel(CommandType type, text::Language language);

/// How many points the kind takes (1 or 2); 0 for a code outside 0..10.
int CommandTypePointCount(CommandType type);

/// True for the kinds that carry a width (45. backward, Extended one-side,
/// Cut off, Opening, 45. forward).
bool CommandTypeHasWidth(CommandType type);

/// The alert naming a failed command: `rowNumber` is its row in the panel's
/// list (the command's index + 2). Empty for a code outside 0..10.
std::string CommandFailureText(CommandType type, int rowNumber, text::Language language);

}  // namespace quorvane::commands
