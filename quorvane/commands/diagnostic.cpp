#include "quorvane/commands/diagnostic.h"

namespace quorvane::commands {

std::string Diagnostic::ToString() const {
  std::string text = file;
  if (line > 0) text += ":" + std::to_string(line);
  text += ": ";
  text += message;
  return text;
}

}  // namespace quorvane::commands
