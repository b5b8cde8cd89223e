#include "quorvane/text/diagnostic.h"

namespace quorvane::text {

std::string Diagnostic::ToString() const {
  std::string text = file;
  if (line > 0) text += ":" + std::to_string(line);
  return text + ": " + message;
}

}  // namespace quorvane::text
