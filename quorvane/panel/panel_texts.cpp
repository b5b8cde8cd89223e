#include "quorvane/panel/panel_texts.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>

#include "quorvane/commands/command_type.h"
#include "quorvane/text/cp932.h"
#include "quorvane/text/messages.h"
#include "quorvane/text/numbers.h"

namespace quorvane::panel {

namespace {

// Display columns of UTF-8 text: its length in code page 932 when it has
// one there, otherwise one column per ASCII byte and two per other
// character.
int Columns(std::string_view text) {
  if (std::optional<std::string> cp932 = text::Utf8ToCp932(text)) return static_cast<int>(cp932->size());
  int columns = 0;
  for (unsigned char c : text) {
    if (c < 0x80) {
      ++columns;
    } else if ((c & 0xC0) != 0x80) {
      columns += 2;
    }
  }
  return columns;
}

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

std::string Number(int n) {
  char buffer[16];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, n);
  return std::string(buffer, ec == std::errc{} ? end : buffer);
}

}  // namespace

std::string ListFileProblemsText(const std::vector<text::Diagnostic>& problems, text::Language language) {
  std::string text(text::Text(text::Message::kListFileProblems, language));
  const std::size_t listed = std::min(problems.size(), kListedProblems);
  for (std::size_t i = 0; i < listed; ++i) text += "\n" + problems[i].ToString();
  if (problems.size() > listed) {
    const std::string more = Number(static_cast<int>(problems.size() - listed));
    text += text::TextWith(text::Message::kMoreListFileProblems, language, more);
  }
  return text;
}

std::string ProposedSetName(int n, text::Language language) {
  return text::TextWith(text::Message::kProposedSetName, language, Number(n));
}

std::string_view BasicRowLabel(text::Language language) {
  return text::Text(text::Message::kBasicRowLabel, language);
}

std::string PadColumns(std::string_view text, int columns) {
  std::string padded(text);
  const int used = Columns(text);
  if (used < columns) padded.append(static_cast<std::size_t>(columns - used), ' ');
  return padded;
}

std::string FormatWidth(double value) { return text::FormatFixed(value, 1); }

std::string BasicRowText(float basicWidth, text::Language language) {
  return PadColumns(Number(1), kNumberColumns) + PadColumns(BasicRowLabel(language), kNameColumns) +
         PadColumns("", kPointColumns) + FormatWidth(basicWidth);
}

std::string CommandRowText(const commands::CCommandSet& set, int index, text::Language language) {
  const commands::Command* command = set.GetCommand(index);
  if (command == nullptr) return {};
  std::string points = " ";
  if (command->num >= 2) {
    points = command->point[0] + "," + command->point[1];
  } else if (command->num == 1) {
    points = command->point[0];
  }
  const std::string width = commands::CommandTypeHasWidth(command->type) ? FormatWidth(command->haba) : "";
  return PadColumns(Number(index + 2), kNumberColumns) +
         PadColumns(commands::CommandTypeLabel(command->type, language), kNameColumns) +
         PadColumns(points, kPointColumns) + width;
}

double DecimalValue(std::string_view text) {
  text = SkipBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{}) return 0.0;
  return negative ? -value : value;
}

int IntegerValue(std::string_view text) {
  text = SkipBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  if (ec != std::errc{}) return 0;
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

}  // namespace quorvane::panel
