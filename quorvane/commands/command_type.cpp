#include "quorvane/commands/command_type.h"

#include <array>

namespace quorvane::commands {
namespace {

struct TypeInfo {
  std::string_view english;
  std::string_view japanese;
  int points;
  bool hasWidth;
};

// Indexed by code. The blanks pad the panel's list columns; the Japanese
// labels mix ideographic (U+3000) and ASCII spaces on purpose.
constexpr std::array<TypeInfo, kCommandTypeCount> kTypes = {{
    {"Rev. forward ", "反転順\u3000 ", 1, false},
    {"Rev. backward ", "反転逆\u3000 ", 1, false},
    {"90. forward ", "90°順\u3000 ", 1, false},
    {"90. backward ", "90°逆\u3000 ", 1, false},
    {"45. backward ", "45°逆\u3000 ", 2, true},
    {"Extended crossing ", "延長交叉", 1, false},
    {"Extended one-side ", "片側延長", 2, true},
    {"Lapel ", "折り返し  ", 2, false},
    {"Cut off ", "切り落し  ", 1, true},
    {"Opening ", "カンコ     ", 2, true},
    {"45. forward ", "45°順\u3000 ", 2, true},
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

}  // namespace quorvane::commands
