#include "quorvane/settings/diagnostic.h"

namespace quorvane::settings {

std::string Diagnostic::ToString() const {
  std::string text = file;
  if (line > 0) text += ":" + std::to_string(line);
  return text + ": " + message;
}

}  // namespace quorvane::settings
