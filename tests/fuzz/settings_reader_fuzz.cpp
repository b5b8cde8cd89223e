// Feeds arbitrary bytes to the settings reader, then checks that what loads
// keeps its invariants and survives a save and a second load unchanged.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "quorvane/settings/settings_text.h"

using namespace quorvane::settings;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Settings settings;
  ReadSettingsText(bytes, "fuzz", settings);

  if (settings.plateColorCount < 1 || settings.plateColorCount > static_cast<std::int32_t>(kPlateColorSlots)) {
    __builtin_trap();
  }
  if (settings.seamAllowanceLineColor < 0 || settings.seamAllowanceLineColor >= settings.plateColorCount) {
    __builtin_trap();
  }
  if (settings.finishLineColor < 0 || settings.finishLineColor >= settings.plateColorCount) __builtin_trap();
  for (const PlateColor& color : settings.plateColors) {
    // Every name keeps its terminator and is one the file can carry.
    if (std::memchr(color.name, '\0', sizeof color.name) == nullptr) __builtin_trap();
    if (CheckPlateColorName(PlateColorName(color))) __builtin_trap();
  }

  // What loaded saves, and the saved file reads back and saves again to the
  // same bytes. (One round may still drop a trailing slot that has neither a
  // name nor a colour kind the file can write; the second round is stable.)
  std::string saved;
  if (SettingsText(settings, saved)) __builtin_trap();
  Settings again;
  ReadSettingsText(saved, "fuzz-saved", again);
  std::string savedAgain;
  if (SettingsText(again, savedAgain)) __builtin_trap();
  Settings third;
  if (!ReadSettingsText(savedAgain, "fuzz-saved-again", third).empty()) __builtin_trap();
  std::string savedThird;
  if (SettingsText(third, savedThird) || savedThird != savedAgain) __builtin_trap();
  return 0;
}
