// One command of a set, one labelled line point, and the point texts that
// name positions on the finish line.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "quorvane/commands/command_type.h"

namespace quorvane::commands {

/// The line-point labels in label-number order: index 0 is "a", 26 is "A".
inline constexpr std::string_view kLinePointLabels =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

/// At most this many line points in one set (one per label).
inline constexpr int kMaxLinePoints = static_cast<int>(kLinePointLabels.size());

/// A labelled position inside a segment of the finish-line path.
struct LinePoint {
  /// Segment number counted from 1: segment s runs from anchor s to anchor
  /// s + 1; the last one closes the path back to anchor 1.
  std::int32_t Num = 0;
  /// Curve parameter inside the segment, 0..1.
  float t = 0.0f;
  /// Label number 0..51 into kLinePointLabels.
  std::int32_t index = 0;

  friend bool operator==(const LinePoint&, const LinePoint&) = default;
};

/// One entry of a set's command list.
struct Command {
  CommandType type = CommandType::kRevForward;
  /// First and second point texts (UTF-8); "" when the slot is not set.
  std::array<std::string, 2> point;
  /// Width in the user's length unit (mm, cm or in).
  float haba = 0.0f;
  /// Point slots in use, 0..2: the highest slot ever set, plus one.
  std::int32_t num = 0;

  friend bool operator==(const Command&, const Command&) = default;
};

/// What ValidateCommand finds; the first failing rule wins.
enum class CommandCheck : int {
  kNoSuchCommand = -1,
  kValid = 0,
  kPointMissing = 1,
  kTooManyPoints = 2,
  kWidthRequired = 5,
  kWidthNotAllowed = 6,
};

/// The anchor number (counted from 1) when the text is exactly the decimal
/// rendering of its own integer value ("7"); none for "007", "+7", "" or a
/// label.
std::optional<std::int32_t> AnchorReference(std::string_view pointText);

/// The label number of a point text's first character; none when the text is
/// empty or does not begin with a label character.
std::optional<int> LabelNumber(std::string_view pointText);

/// The label character of a label number; 0 outside 0..51.
char LabelCharacter(int labelNumber);

}  // namespace quorvane::commands
