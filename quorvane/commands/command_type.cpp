#include "quorvane/commands/command_type.h"

#include <array>
#include <string>

namespace quorvane::commands {
namespace {

struct TypeInfo {
  std::string_view english;
  std::string_view japanese;
  int points;
  bool hasWidth;
  /// The name the failure alert gives the type, which for some types is
  /// not its label.
  std::string_view failureEnglish;
  std::string_view failureJapanese;
};

// Indexed by code. The blanks pad the panel's list columns; the Japanese
// labels mix ideographic (U+3000) and ASCII spaces on purpose.
constexpr std::array<TypeInfo, kCommandTypeCount> kTypes = {{
    {"Rev. forward ", "反転順\u3000 ", 1, false, "Rev. forward", "反転順"},
    {"Rev. backward ", "反転逆\u3000 ", 1, false, "Rev. backward", "反転逆"},
    {"90. forward ", "90°順\u3000 ", 1, false, "90. forward", "90度順"},
    {"90. backward ", "90°逆\u3000 ", 1, false, "90. backward", "90度逆"},
    {"45. backward ", "45°逆\u3000 ", 2, true, "45. left", "45度左"},
    {"Extended crossing ", "延長交叉", 1, false, "Extended crossing", "延長交叉"},
    {"Extended one-side ", "片側延長", 2, true, "Extended one-side", "片側延長"},
    {"Lapel ", "折り返し  ", 2, false, "Lapel", "折り返し"},
    {"Cut off ", "切り落し  ", 1, true, "Cut off", "切り落し"},
    {"Opening ", "カンコ     ", 2, true, "Opening", "カンコ"},
    {"45. forward ", "45°順\u3000 ", 2, true, "45. right", "45度右"},
}};

const TypeInfo* Find(CommandType type) {
  if (!IsKnownCommandType(type)) return nullptr;
  return &kTypes[static_cast<std::size_t>(type)];
}

}  // namespace

std::string_view CommandTypeLabel(CommandType type, text::Language language) {
  const TypeInfo* info = Find(type);
  if (info == nullptr) return {};
  return text::EnglishTexts(language) ? info->english : info->japanese;
}

int CommandTypePointCount(CommandType type) {
  const TypeInfo* info = Find(type);
  return info == nullptr ? 0 : info->points;
}

bool CommandTypeHasWidth(CommandType type) {
  const TypeInfo* info = Find(type);
  return info != nullptr && info->hasWidth;
}

std::string CommandFailureText(CommandType type, int rowNumber, text::Language language) {
  const TypeInfo* info = Find(type);
  if (info == nullptr) return {};
  const std::string number = std::to_string(rowNumber);
  if (text::EnglishTexts(language)) {
    return "Could not generate seam-margin of command no. " + number + " (" + std::string(info->failureEnglish) + ")";
  }
  return "コマンドNo." + number + " " + std::string(info->failureJapanese) + " の縫代が作成できませんでした。";
}

}  // namespace quorvane::commands
