// A problem found in one of the module's files (or in art tags), with where
// it was found.
#pragma once

#include <string>

namespace quorvane::text {

/// A problem a reader found and worked around; the rest still loads.
struct Diagnostic {
  /// The file, or a description of the carrier ("art tags TREVASK_001...").
  std::string file;
  /// 1-based line, 0 when the problem is not tied to one line.
  int line = 0;
  std::string message;

  /// "file:line: message" (the line left out when 0).
  std::string ToString() const;
};

}  // namespace quorvane::text
