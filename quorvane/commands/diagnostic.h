// A problem found in a file or in art tags, with where it was found.
#pragma once

#include <filesystem>
#include <string>

namespace quorvane::commands {

/// A problem the loaders found and worked around; the list still loads.
struct Diagnostic {
  /// The file, or a description of the carrier ("art tags TREVASK_001...").
  std::string file;
  /// 1-based line, 0 when the problem is not tied to one line.
  int line = 0;
  std::string message;

  /// "file:line: message" (the line left out when 0).
  std::string ToString() const;
};

}  // namespace quorvane::commands
