#include "quorvane/host/error_report.h"

#include <cstdio>
#include <cstdint>

#include "sdk/errors.h"

namespace quorvane::host {

bool ShouldReportError(QvErr code) {
  return code != kQvNoErr && code != 1 && code != kQvErrSuiteNotFound && code != kQvErrCancel;
}

std::string FormatErrorReport(QvErr code, const char* caller, const char* selector) {
  const auto bits = static_cast<std::uint32_t>(code);
  const char bytes[5] = {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
                         static_cast<char>((bits >> 16) & 0xFF), static_cast<char>((bits >> 24) & 0xFF), '\0'};
  char text[1024];
  std::snprintf(text, sizeof text, "Error=%x, %s (caller : %s, selector : %s)", static_cast<unsigned>(bits), bytes,
                caller != nullptr ? caller : "", selector != nullptr ? selector : "");
  return text;
}

}  // namespace quorvane::host
