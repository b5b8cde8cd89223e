#include "quorvane/commands/set_tags.h"

#include <algorithm>
#include <cstdio>

#include "quorvane/commands/read_csv.h"
#include "quorvane/commands/set_text.h"

namespace quorvane::commands {
namespace {

constexpr const char* kCarrier = "art tags TREVASK_001...";
constexpr std::size_t kArtFieldsPerLine = 5;

// Length of the longest prefix of at most `limit` bytes that does not end
// inside a double-byte character.
std::size_t WholeCharacterPrefix(std::string_view cp932, std::size_t limit) {
  std::size_t at = 0;
  while (at < cp932.size()) {
    const std::size_t length = IsCp932LeadByte(static_cast<unsigned char>(cp932[at])) ? 2 : 1;
    if (at + length > limit) break;
    at += length;
  }
  return std::min(at, cp932.size());
}

std::string_view Trim(std::string_view field) {
  while (!field.empty() && static_cast<unsigned char>(field.front()) <= 32) field.remove_prefix(1);
  while (!field.empty() && static_cast<unsigned char>(field.back()) <= 32) field.remove_suffix(1);
  return field;
}

std::vector<std::string_view> ArtFields(std::string_view line) {
  std::vector<std::string_view> fields;
  while (fields.size() < kArtFieldsPerLine) {
    const std::size_t comma = line.find(',');
    fields.push_back(Trim(line.substr(0, comma)).substr(0, kMaxArtFieldBytes));
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  return fields;
}

std::string_view FieldOrEmpty(const std::vector<std::string_view>& fields, std::size_t i) {
  return i < fields.size() ? fields[i] : std::string_view();
}

}  // namespace

std::string SetTagName(int n) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "TREVASK_%03d", n);
  return buffer;
}

std::vector<std::string> SplitSetTagText(std::string_view text) {
  std::vector<std::string> pieces;
  for (std::size_t offset = 0; offset <= text.size(); offset += kTagPieceBytes) {
    pieces.emplace_back(text.substr(offset, kTagPieceBytes));
  }
  return pieces;
}

std::optional<std::string> JoinSetTagText(
    const std::function<std::optional<std::string>(const std::string& tagName)>& getTag) {
  std::string text;
  for (int n = 1; n <= kMaxSetTags; ++n) {
    const std::optional<std::string> value = getTag(SetTagName(n));
    if (!value) break;
    text += *value;
  }
  if (text.empty()) return std::nullopt;
  return text;
}

std::optional<std::string> ArtHeldSetName(std::string_view setText,
                                          std::vector<Diagnostic>& problems) {
  if (setText.empty() || setText.front() != '#') return std::nullopt;
  const std::size_t lineEnd = setText.find('\n');
  if (lineEnd == std::string_view::npos) return std::nullopt;
  std::string_view name = setText.substr(1, lineEnd - 1);
  if (!name.empty() && name.back() == '\r') name.remove_suffix(1);
  name = name.substr(0, WholeCharacterPrefix(name, kMaxArtSetNameBytes));
  std::string utf8 = DecodeText(name, "set name", kCarrier, 1, problems);
  if (IsArtHeldName(utf8)) return utf8;
  return "<" + utf8 + ">";
}

bool ParseArtSetText(std::string_view setText, CCommandSet& set,
                     std::vector<Diagnostic>& problems) {
  enum class Mode { kBeforeName, kWidth, kNone, kLinePoints, kCommands };
  Mode mode = Mode::kBeforeName;
  bool taken = false;
  int lineNumber = 0;
  while (!setText.empty()) {
    const std::size_t lineEnd = setText.find('\n');
    const std::string_view line = setText.substr(0, lineEnd);
    setText.remove_prefix(lineEnd == std::string_view::npos ? setText.size() : lineEnd + 1);
    ++lineNumber;
    if (line.size() > kMaxArtLineBytes) {
      problems.push_back(Diagnostic{kCarrier, lineNumber,
                                    "a line longer than 1024 bytes ends the set \"" +
                                        set.GetName() + "\" here"});
      break;
    }
    if (line.empty()) continue;
    if (mode == Mode::kBeforeName) {
      if (line.front() == '#') mode = Mode::kWidth;
      continue;
    }
    // One set a carrier: a second name line is where that set would begin.
    if (line.front() == '#') break;

    const std::vector<std::string_view> fields = ArtFields(line);
    const std::string_view first = FieldOrEmpty(fields, 0);
    taken = true;
    if (mode == Mode::kWidth) {
      set.SetBasicWidth(ParseLeadingFloat(first));
      mode = Mode::kNone;
    } else if (!first.empty() && first.front() == '%') {
      mode = Mode::kLinePoints;
    } else if (!first.empty() && first.front() == '*') {
      mode = Mode::kCommands;
    } else if (mode == Mode::kLinePoints) {
      set.AppendReadLinePoint(LinePoint{ParseLeadingInt(first),
                                        ParseLeadingFloat(FieldOrEmpty(fields, 1)),
                                        ParseLeadingInt(FieldOrEmpty(fields, 2))});
    } else if (mode == Mode::kCommands) {
      Command c;
      c.type = static_cast<CommandType>(ParseLeadingInt(first));
      c.point[0] = DecodeText(FieldOrEmpty(fields, 1), "first point", kCarrier, lineNumber,
                              problems);
      c.point[1] = DecodeText(FieldOrEmpty(fields, 2), "second point", kCarrier, lineNumber,
                              problems);
      c.haba = ParseLeadingFloat(FieldOrEmpty(fields, 3));
      c.num = ParseLeadingInt(FieldOrEmpty(fields, 4));
      set.AppendReadCommand(std::move(c));
    }
  }
  return taken;
}

std::optional<int> RefreshArtHeldSet(CCommandSetList& list,
                                     const std::optional<std::string>& setText,
                                     std::vector<Diagnostic>& problems) {
  const int count = list.GetSetCount();
  if (count > 0 && list.GetSet(count - 1)->IsArtHeld()) list.RemoveSet(count - 1);
  if (!setText) return std::nullopt;
  std::optional<std::string> name = ArtHeldSetName(*setText, problems);
  if (!name) return std::nullopt;
  CCommandSet& set = list.AddSet(std::move(*name));
  ParseArtSetText(*setText, set, problems);
  return list.GetSetCount() - 1;
}

}  // namespace quorvane::commands
