#include "quorvane/text/numbers.h"

#include <charconv>

namespace quorvane::text {

std::string FormatGeneral(double value) {
  char buffer[48];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  return std::string(buffer, result.ptr);
}

std::string FormatFixed(double value, int decimals) {
  // The largest double in fixed notation has 309 digits before the point.
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ptr);
}

}  // namespace quorvane::text
