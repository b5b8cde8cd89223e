#include "quorvane/commands/command.h"

#include <charconv>

namespace quorvane::commands {

std::optional<std::int32_t> AnchorReference(std::string_view pointText) {
  // "%d" of the value must give back the text: this rejects leading zeros,
  // signs other than a minus, blanks and trailing characters in one rule.
  std::int32_t value = 0;
  const char* first = pointText.data();
  const char* last = first + pointText.size();
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last || pointText.empty()) return std::nullopt;
  char buffer[16];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (std::string_view(buffer, static_cast<std::size_t>(written.ptr - buffer)) != pointText) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> LabelNumber(std::string_view pointText) {
  if (pointText.empty()) return std::nullopt;
  const std::size_t at = kLinePointLabels.find(pointText.front());
  if (at == std::string_view::npos) return std::nullopt;
  return static_cast<int>(at);
}

char LabelCharacter(int labelNumber) {
  if (labelNumber < 0 || labelNumber >= kMaxLinePoints) return 0;
  return kLinePointLabels[static_cast<std::size_t>(labelNumber)];
}

}  // namespace quorvane::commands
