// The user's settings: the look of the seam-allowance line and the finish
// line, the length unit, the scaled-drawing switch, the plate colour table,
// the interface language and two remembered values.
//
// Settings is plain data (no pointers, no virtual functions): it lives inside
// the block the host keeps while the module is unloaded and reloaded.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "quorvane/text/language.h"

namespace quorvane::settings {

/// Points per millimetre, 72/25.4.
inline constexpr double kPointsPerMillimetre = 72.0 / 25.4;
/// Points per centimetre. Written 72/2.54: 720/25.4 rounds one bit higher,
/// and the stored factor must be exactly 28.346456692913385.
inline constexpr double kPointsPerCentimetre = 72.0 / 2.54;
/// Points per inch.
inline constexpr double kPointsPerInch = 72.0;

/// Units of the widths the user types.
inline constexpr std::int32_t kUnitMillimetre = 0;
inline constexpr std::int32_t kUnitCentimetre = 1;
inline constexpr std::int32_t kUnitInch = 2;

/// Points per user unit for units 0 (mm), 1 (cm) and 2 (in); none for any
/// other unit.
std::optional<double> UnitFactor(std::int32_t unit);

/// The host's colour kinds that a plate colour uses.
inline constexpr std::int32_t kColorKindGray = 0;       ///< one component: gray
inline constexpr std::int32_t kColorKindFourColor = 1;  ///< cyan, magenta, yellow, black
inline constexpr std::int32_t kColorKindThreeColor = 5; ///< red, green, blue

/// A plate colour name holds at most this many bytes in code page 932 (the
/// file's encoding); the file's 80-byte field keeps one for the terminator.
inline constexpr std::size_t kPlateColorNameMaxCp932Bytes = 79;
/// Room for the longest name in UTF-8 (a code page 932 byte becomes at most
/// three UTF-8 bytes) and the terminating NUL.
inline constexpr std::size_t kPlateColorNameCapacity = 3 * kPlateColorNameMaxCp932Bytes + 1;
/// Slots of the plate colour table; the file numbers them 1 to 100.
inline constexpr std::size_t kPlateColorSlots = 100;

/// A named colour that result lines are stroked in.
struct PlateColor {
  /// UTF-8, NUL-terminated; set it with SetPlateColorName.
  char name[kPlateColorNameCapacity] = {};
  /// One of the kColorKind constants, or another host kind read from a file.
  std::int32_t kind = kColorKindGray;
  /// Each 0 to 1; those beyond the kind's count are 0.
  double components[4] = {};
};

/// All settings, with the defaults the module starts with before the file is
/// read. The plate colour table starts empty; FillDefaultPlateColors fills it
/// when the file names no colour.
struct Settings {
  /// 16 bits, as the globals keep it.
  text::Language language = text::Language::kEnglish;
  /// Whether the panel shows its option area.
  std::int16_t showOption = 1;
  /// The seam margin last entered for creating a basic finish line, in
  /// millimetres.
  float basicFinishLineMargin = 10.0f;

  /// Whether to style the seam-allowance line.
  std::int16_t seamAllowanceLine = 1;
  /// Stroke width in points; values from the file pass through single
  /// precision.
  double seamAllowanceLineWidth = 0.5;
  /// Zero-based index into the plate colour table.
  std::int16_t seamAllowanceLineColor = 0;

  /// Whether to style the finish line.
  std::int16_t finishLine = 0;
  /// Stroke width in points, like the seam-allowance line's.
  double finishLineWidth = 0.5;
  /// Zero-based index into the plate colour table.
  std::int16_t finishLineColor = 0;

  /// Unit of the widths the user types: kUnitMillimetre, kUnitCentimetre,
  /// kUnitInch, or an unknown value kept as read.
  std::int32_t unit = kUnitMillimetre;
  /// Points per unit; follows `unit` when it is known.
  double unitFactor = kPointsPerMillimetre;
  /// The pattern is drawn at 1/10 scale.
  std::int16_t scaledDrawing = 0;

  /// Slots in use, 0 to kPlateColorSlots.
  std::int32_t plateColorCount = 0;
  PlateColor plateColors[kPlateColorSlots] = {};
};

static_assert(std::is_trivially_copyable_v<Settings> && std::is_standard_layout_v<Settings>,
              "Settings must stay plain data: it outlives the module's code");

/// The name of a plate colour as UTF-8.
std::string_view PlateColorName(const PlateColor& color);

/// Why the settings file cannot carry `utf8` as a plate colour name, or none
/// when it can (see SetPlateColorName).
std::optional<std::string> CheckPlateColorName(std::string_view utf8);

/// Sets a plate colour's name from UTF-8 text. Refuses, with a message saying
/// why and leaving the colour unchanged, a name that code page 932 cannot
/// hold, one longer than kPlateColorNameMaxCp932Bytes there, or one with a
/// character the file cannot carry (double quote, tab, CR, LF, NUL). Returns
/// none on success.
std::optional<std::string> SetPlateColorName(PlateColor& color, std::string_view utf8);

/// Fills slots 0 to 6 (each zeroed first) with the seven four-colour
/// defaults and sets the count to 7: Black, Cyan, Magenta, Yellow, Red
/// (magenta and yellow), Blue (cyan and magenta), Green (cyan and yellow).
void FillDefaultPlateColors(Settings& settings);

}  // namespace quorvane::settings
