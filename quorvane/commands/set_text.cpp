#include "quorvane/commands/set_text.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "quorvane/commands/read_csv.h"
#include "quorvane/text/cp932.h"
#include "quorvane/text/messages.h"
#include "quorvane/text/numbers.h"

namespace quorvane::commands {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Skips leading blanks and a '+', the parts of the old atoi/atof syntax that
// from_chars does not take.
std::string_view NumberStart(std::string_view field) {
  std::size_t at = 0;
  while (at < field.size() && IsBlank(field[at])) ++at;
  field.remove_prefix(at);
  if (!field.empty() && field.front() == '+') {
    field.remove_prefix(1);
    // "+-5" is no number.
    if (!field.empty() && field.front() == '-') return {};
  }
  return field;
}

bool HasLineBreak(std::string_view text) {
  return text.find('\n') != std::string_view::npos || text.find('\r') != std::string_view::npos;
}

void AppendNumber(std::string& out, std::int32_t value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

}  // namespace

std::optional<std::string> CheckSetName(std::string_view utf8Name, text::Language language) {
  if (HasLineBreak(utf8Name)) return std::string(text::Text(text::Message::kSetNameLineBreak, language));
  if (utf8Name.find(',') != std::string_view::npos) {
    return std::string(text::Text(text::Message::kSetNameComma, language));
  }
  if (!text::Utf8ToCp932(utf8Name)) return text::TextWith(text::Message::kSetNameCharacter, language, utf8Name);
  return std::nullopt;
}

std::int32_t ParseLeadingInt(std::string_view field) {
  field = NumberStart(field);
  std::size_t end = 0;
  if (end < field.size() && field[end] == '-') ++end;
  const std::size_t digitsStart = end;
  while (end < field.size() && field[end] >= '0' && field[end] <= '9') ++end;
  if (end == digitsStart) return 0;
  std::int32_t value = 0;
  const auto [ptr, ec] = std::from_chars(field.data(), field.data() + end, value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    return field.front() == '-' ? std::numeric_limits<std::int32_t>::min()
                                : std::numeric_limits<std::int32_t>::max();
  }
  return value;
}

float ParseLeadingFloat(std::string_view field) {
  field = NumberStart(field);
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // Too large gives an infinity like strtod; too small gives zero.
    const bool negative = !field.empty() && field.front() == '-';
    const std::size_t e = field.find_first_of("eE");
    const bool tiny = e != std::string_view::npos && e + 1 < field.size() && field[e + 1] == '-';
    if (tiny) return negative ? -0.0f : 0.0f;
    return negative ? -std::numeric_limits<float>::infinity()
                    : std::numeric_limits<float>::infinity();
  }
  if (ec != std::errc()) return 0.0f;
  // A double beyond the float range must not be converted directly.
  if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max()) {
    return value < 0 ? -std::numeric_limits<float>::infinity()
                     : std::numeric_limits<float>::infinity();
  }
  return static_cast<float>(value);
}

std::string FormatFixed6(float value) { return text::FormatFixed(value, 6); }

std::string DecodeText(std::string_view cp932, std::string_view what, const std::string& file,
                       int line, std::vector<Diagnostic>& problems) {
  bool kept = false;
  std::string text = text::Cp932ToKeptText(cp932, &kept);
  // Extension codes that have a second code for their character are kept
  // quietly; only bytes that form no character at all are worth a word.
  if (kept && !text::Cp932ToUtf8(cp932)) {
    problems.push_back(Diagnostic{file, line,
                                  "the " + std::string(what) + " \"" + text::DisplayText(text) +
                                      "\" is not valid code page 932 text; the bad bytes show as "
                                      "U+FFFD and are saved back as they were read"});
  }
  return text;
}

std::optional<std::string> AppendSetText(const CCommandSet& set, std::string& out) {
  const std::string& name = set.GetName();
  std::optional<std::string> cp932Name = text::Utf8ToCp932(name);
  // A line feed kept as the trail byte of a character (a name read from a
  // hand-edited file) would end the line when written too; a carriage
  // return there reads back as it was.
  if (HasLineBreak(name) || (cp932Name && cp932Name->find('\n') != std::string::npos)) {
    return "The command set name \"" + name + "\" contains a line break and cannot be saved.";
  }
  if (!cp932Name) {
    return "The command set name \"" + name +
           "\" has a character that the list file (code page 932) cannot hold; rename the set "
           "before saving.";
  }

  std::string text = "#" + *cp932Name + "\n";
  text += FormatFixed6(set.GetBasicWidth()) + "\n";
  text += "%LinePoint-Num,t,index\n";
  for (const LinePoint& p : set.GetLinePoints()) {
    AppendNumber(text, p.Num);
    text += ',' + FormatFixed6(p.t) + ',';
    AppendNumber(text, p.index);
    text += '\n';
  }
  text += "*Commands-type,point,haba,num\n";
  for (const Command& c : set.GetCommands()) {
    AppendNumber(text, static_cast<std::int32_t>(c.type));
    for (const std::string& point : c.point) {
      std::optional<std::string> cp932Point = text::Utf8ToCp932(point);
      if (!cp932Point || HasLineBreak(point) || cp932Point->find('\n') != std::string::npos) {
        return "The point \"" + point + "\" of a command of the set \"" + name +
               "\" cannot be written to the list file.";
      }
      text += ',' + *cp932Point;
    }
    text += ',' + FormatFixed6(c.haba) + ',';
    AppendNumber(text, c.num);
    text += '\n';
  }
  out += text;
  return std::nullopt;
}

}  // namespace quorvane::commands
