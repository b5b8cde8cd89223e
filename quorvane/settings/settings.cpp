#include "quorvane/settings/settings.h"

#include <cstring>

#include "quorvane/text/cp932.h"

namespace quorvane::settings {

std::optional<double> UnitFactor(std::int32_t unit) {
  switch (unit) {
    case kUnitMillimetre: return kPointsPerMillimetre;
    case kUnitCentimetre: return kPointsPerCentimetre;
    case kUnitInch: return kPointsPerInch;
    default: return std::nullopt;
  }
}

std::string_view PlateColorName(const PlateColor& color) {
  return {color.name, strnlen(color.name, kPlateColorNameCapacity)};
}

std::optional<std::string> CheckPlateColorName(std::string_view utf8) {
  const std::string quoted = "\"" + std::string(utf8) + "\"";
  for (const char c : utf8) {
    // The file keeps a name between double quotes on one line and drops tabs
    // and CRs while reading, so these would not come back as written.
    if (c == '"' || c == '\t' || c == '\r' || c == '\n' || c == '\0') {
      return "The plate colour name " + quoted +
             " cannot be used: names cannot hold double quotes, tabs or line breaks.";
    }
  }
  const std::optional<std::string> cp932 = text::Utf8ToCp932(utf8);
  if (!cp932) {
    return "The plate colour name " + quoted +
           " cannot be used: it has a character that code page 932 (Shift JIS), the settings "
           "file's encoding, cannot hold.";
  }
  if (cp932->size() > kPlateColorNameMaxCp932Bytes) {
    return "The plate colour name " + quoted + " is too long: at most " +
           std::to_string(kPlateColorNameMaxCp932Bytes) + " bytes (a Japanese character takes two).";
  }
  return std::nullopt;
}

std::optional<std::string> SetPlateColorName(PlateColor& color, std::string_view utf8) {
  if (std::optional<std::string> problem = CheckPlateColorName(utf8)) return problem;
  std::memset(color.name, 0, sizeof color.name);
  std::memcpy(color.name, utf8.data(), utf8.size());
  return std::nullopt;
}

void FillDefaultPlateColors(Settings& settings) {
  struct Default {
    const char* name;
    double cyan, magenta, yellow, black;
  };
  static constexpr Default kDefaults[] = {
      {"Black", 0, 0, 0, 1}, {"Cyan", 1, 0, 0, 0}, {"Magenta", 0, 1, 0, 0}, {"Yellow", 0, 0, 1, 0},
      {"Red", 0, 1, 1, 0},   {"Blue", 1, 1, 0, 0}, {"Green", 1, 0, 1, 0},
  };
  std::int32_t slot = 0;
  for (const Default& d : kDefaults) {
    PlateColor& color = settings.plateColors[slot++];
    color = PlateColor{};
    std::memcpy(color.name, d.name, std::strlen(d.name));
    color.kind = kColorKindFourColor;
    color.components[0] = d.cyan;
    color.components[1] = d.magenta;
    color.components[2] = d.yellow;
    color.components[3] = d.black;
  }
  settings.plateColorCount = slot;
}

}  // namespace quorvane::settings
