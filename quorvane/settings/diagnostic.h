// A problem found in the settings file, with where it was found.
#pragma once

#include <string>

namespace quorvane::settings {

/// A problem the reader found and worked around; the rest still loads.
struct Diagnostic {
  std::string file;
  /// 1-based line, 0 when the problem is not tied to one line.
  int line = 0;
  std::string message;

  /// "file:line: message" (the line left out when 0).
  std::string ToString() const;
};

}  // namespace quorvane::settings
