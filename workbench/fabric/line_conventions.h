// How cutting output draws a piece: the cut line solid and heavier, the
// finish line thinner and dashed, notches on the cut line. Kept in the
// workbench's own print settings file, never in the module's settings.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workbench/svg/result.h"

namespace workbench::fabric {

/// The shape of a notch mark on the cut line.
enum class NotchKind {
  kSlit,  ///< a straight cut into the allowance, `notchLengthMm` long.
  kT,     ///< a slit with a bar `notchWidthMm` wide across its inner end.
  kV,     ///< a wedge `notchWidthMm` wide on the cut line, `notchLengthMm` deep.
};

/// "slit", "t" or "v"; none for anything else.
std::optional<NotchKind> ParseNotchKind(std::string_view text);
std::string_view NotchKindName(NotchKind kind);

/// Line conventions, all lengths in millimetres.
struct LineConventions {
  double cutWidthMm = 0.6;
  double finishWidthMm = 0.25;
  /// Dash and gap lengths of the finish line.
  std::vector<double> finishDashMm = {3.0, 1.5};
  double notchWidthLineMm = 0.4;
  NotchKind notch = NotchKind::kSlit;
  double notchLengthMm = 6.0;
  double notchWidthMm = 6.0;

  friend bool operator==(const LineConventions&, const LineConventions&) = default;
};

/// The workbench's print settings file: print.ini in
/// $XDG_CONFIG_HOME/quorvane-workbench (~/.config/quorvane-workbench).
std::filesystem::path DefaultPrintSettingsFile();

/// Reads "key = value" lines ('#' starts a comment); keys not given keep
/// their defaults and a missing file gives the defaults. Errors name the
/// file and line of an unknown key or a bad value.
svg::Result<LineConventions> ReadLineConventions(const std::filesystem::path& file);
/// The settings as the file's text.
std::string FormatLineConventions(const LineConventions& conventions);
/// Writes the file (creating its folder) through a temporary file beside it.
svg::Result<svg::Done> WriteLineConventions(const LineConventions& conventions, const std::filesystem::path& file);

}  // namespace workbench::fabric
