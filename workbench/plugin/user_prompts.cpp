#include "workbench/plugin/user_prompts.h"

#include "sdk/errors.h"

namespace workbench::plugin {

std::string_view PromptKindName(PromptKind kind) {
  switch (kind) {
    case PromptKind::kAlert: return "alert";
    case PromptKind::kError: return "error alert";
    case PromptKind::kQuestion: return "question";
  }
  return "prompt";
}

namespace {

// An "ok" answer serves both kinds of alert: a script should not have to
// know which of the two a module chose for a message.
bool KindsMatch(PromptKind scripted, PromptKind shown) {
  if (scripted == PromptKind::kQuestion || shown == PromptKind::kQuestion) return scripted == shown;
  return true;
}

}  // namespace

QvErr UserPrompts::Show(PromptKind kind, std::string_view text, bool* yes) {
  ShownPrompt prompt{kind, std::string(text), false, false};
  std::optional<bool> answer;
  if (display_) answer = display_(kind, prompt.text);
  if (!answer) {
    if (script_.empty()) {
      lastFailure_ = "unscripted " + std::string(PromptKindName(kind)) + ": " + prompt.text;
    } else if (const ScriptedAnswer& next = script_.front();
               !KindsMatch(next.kind, kind) || (!next.text.empty() && next.text != text)) {
      lastFailure_ = "expected " + std::string(PromptKindName(next.kind)) +
                     (next.text.empty() ? std::string() : " \"" + next.text + "\"") + " but got " +
                     std::string(PromptKindName(kind)) + ": " + prompt.text;
    } else {
      answer = kind == PromptKind::kQuestion ? next.yes : true;
      script_.pop_front();
    }
  }
  if (!answer) {
    shown_.push_back(std::move(prompt));
    return kQvErrNoAnswer;
  }
  prompt.answered = true;
  prompt.yes = *answer;
  shown_.push_back(std::move(prompt));
  if (yes != nullptr) *yes = *answer;
  return kQvNoErr;
}

}  // namespace workbench::plugin
