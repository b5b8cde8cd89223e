// Modal alerts and yes/no questions of the user suite. Without a display
// they are answered from a script; every prompt shown is recorded.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sdk/types.h"

namespace workbench::plugin {

enum class PromptKind { kAlert, kError, kQuestion };

/// One expected prompt and its answer. An empty `text` accepts any text;
/// otherwise the prompt's text must equal it exactly.
struct ScriptedAnswer {
  PromptKind kind = PromptKind::kAlert;
  std::string text;
  /// For questions: true answers yes.
  bool yes = true;
};

/// A prompt as it was shown, and how it was answered.
struct ShownPrompt {
  PromptKind kind = PromptKind::kAlert;
  std::string text;
  bool answered = false;
  bool yes = false;
};

class UserPrompts {
 public:
  /// A display that answers prompts itself (the desktop app); it returns
  /// the answer (true for OK or yes) or none to fall back on the script.
  using Display = std::function<std::optional<bool>(PromptKind, const std::string&)>;

  /// Appends an expected prompt to the script.
  void Script(ScriptedAnswer answer) { script_.push_back(std::move(answer)); }
  void SetDisplay(Display display) { display_ = std::move(display); }

  /// Shows a prompt: the display answers it, or the next scripted answer if
  /// its kind and text match. Otherwise kQvErrNoAnswer, and LastFailure()
  /// says which prompt went unanswered, with its text. `yes` may be null.
  QvErr Show(PromptKind kind, std::string_view text, bool* yes);

  const std::vector<ShownPrompt>& Shown() const { return shown_; }
  std::size_t RemainingScript() const { return script_.size(); }
  /// Why the last prompt failed; empty when none failed.
  const std::string& LastFailure() const { return lastFailure_; }

 private:
  std::deque<ScriptedAnswer> script_;
  std::vector<ShownPrompt> shown_;
  Display display_;
  std::string lastFailure_;
};

std::string_view PromptKindName(PromptKind kind);

}  // namespace workbench::plugin
