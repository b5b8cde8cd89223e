#include "workbench/ui/dialog_script.h"

#include <charconv>

namespace workbench::ui {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// A whole decimal number, nothing else.
std::optional<std::int32_t> Number(std::string_view s) {
  s = Trim(s);
  std::int32_t value = 0;
  const char* end = s.data() + s.size();
  auto [ptr, ec] = std::from_chars(s.data(), end, value);
  if (s.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

bool Fail(std::string* error, std::string message) {
  if (error != nullptr) *error = std::move(message);
  return false;
}

// One step; `error` gets a message without the step's position.
bool ParseStep(std::string_view step, DialogStep* out, std::string* error) {
  std::string_view trimmed = Trim(step);
  if (trimmed.empty()) return Fail(error, "empty step");
  if (trimmed == "ok" || trimmed == "cancel") {
    out->kind = DialogStep::Kind::kClick;
    out->control = trimmed == "ok" ? 1 : 2;
    return true;
  }
  const std::size_t space = trimmed.find(' ');
  const std::string_view verb = trimmed.substr(0, space);
  if (verb != "text" && verb != "select" && verb != "click") {
    return Fail(error, "unknown action '" + std::string(verb) + "'; expected text, select, click, ok or cancel");
  }
  if (space == std::string_view::npos) return Fail(error, "'" + std::string(verb) + "' names no control");
  // The text after '=' is kept as written, spaces included.
  const std::string_view rest = step.substr(step.find(verb) + verb.size() + 1);
  if (verb == "click") {
    auto control = Number(rest);
    if (!control) return Fail(error, "'click' needs a control number, not '" + std::string(Trim(rest)) + "'");
    out->kind = DialogStep::Kind::kClick;
    out->control = *control;
    return true;
  }
  const std::size_t equals = rest.find('=');
  const std::size_t hash = verb == "select" ? rest.find('#') : std::string_view::npos;
  const std::size_t cut = equals < hash ? equals : hash;
  if (cut == std::string_view::npos) {
    return Fail(error, verb == "text" ? "'text' needs N=TEXT" : "'select' needs N=TEXT or N#ROW");
  }
  auto control = Number(rest.substr(0, cut));
  if (!control) {
    return Fail(error, "'" + std::string(verb) + "' needs a control number, not '" +
                           std::string(Trim(rest.substr(0, cut))) + "'");
  }
  out->control = *control;
  if (cut == equals) {
    out->kind = verb == "text" ? DialogStep::Kind::kSetText : DialogStep::Kind::kSelectText;
    out->text = std::string(rest.substr(equals + 1));
    return true;
  }
  auto index = Number(rest.substr(hash + 1));
  if (!index || *index < 0) {
    return Fail(error, "'select' needs a row number of 0 or more after '#', not '" +
                           std::string(Trim(rest.substr(hash + 1))) + "'");
  }
  out->kind = DialogStep::Kind::kSelectIndex;
  out->index = *index;
  return true;
}

}  // namespace

std::optional<DialogAnswer> ParseDialogAnswer(std::string_view text, std::string* error) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) {
    Fail(error, "a dialog answer is RESOURCE:STEPS (e.g. \"16259:select 5=basic;click 1\"), but there is no ':'");
    return std::nullopt;
  }
  DialogAnswer answer;
  const std::string_view resource = Trim(text.substr(0, colon));
  if (resource != "*") {
    auto id = Number(resource);
    if (!id || *id < 0) {
      Fail(error, "the dialog is named by its resource number or '*', not '" + std::string(resource) + "'");
      return std::nullopt;
    }
    answer.resourceId = *id;
  }
  std::string_view steps = text.substr(colon + 1);
  int number = 1;
  while (true) {
    const std::size_t semicolon = steps.find(';');
    const std::string_view step = steps.substr(0, semicolon);
    // A trailing ';' ends the list; an empty step elsewhere is a mistake.
    if (!(Trim(step).empty() && semicolon == std::string_view::npos && number > 1)) {
      DialogStep parsed;
      std::string why;
      if (!ParseStep(step, &parsed, &why)) {
        Fail(error, "step " + std::to_string(number) + " (\"" + std::string(Trim(step)) + "\"): " + why);
        return std::nullopt;
      }
      answer.steps.push_back(std::move(parsed));
    }
    if (semicolon == std::string_view::npos) break;
    steps.remove_prefix(semicolon + 1);
    ++number;
  }
  return answer;
}

std::string DescribeStep(const DialogStep& step) {
  const std::string control = std::to_string(step.control);
  switch (step.kind) {
    case DialogStep::Kind::kSetText:
      return "text " + control + "=" + step.text;
    case DialogStep::Kind::kSelectIndex:
      return "select " + control + "#" + std::to_string(step.index);
    case DialogStep::Kind::kSelectText:
      return "select " + control + "=" + step.text;
    case DialogStep::Kind::kClick:
      break;
  }
  return "click " + control;
}

}  // namespace workbench::ui
