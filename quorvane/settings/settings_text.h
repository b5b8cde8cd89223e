// The settings file's text form, "key = value" lines in code page 932:
//
//   language = ENGLISH
//   seam_allowance_line_width = 0.5
//   PlateColor_001_name = "Black"
//   PlateColor_001_color = 1, 0, 0, 0, 1
//
// Lines end in LF (CR is dropped); a line whose first character is an
// apostrophe is a comment. Spaces count only inside double quotes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/text/diagnostic.h"
#include "quorvane/settings/settings.h"

namespace quorvane::settings {

using text::Diagnostic;

/// At most this many characters of a line are kept (after dropping CR, tab
/// and spaces outside quotes); a longer line is ignored and reported.
inline constexpr std::size_t kMaxLineLength = 255;
/// Extra values (the colour components) are cut to this many characters.
inline constexpr std::size_t kMaxExtraValueLength = 31;

/// Applies the settings file's bytes to `settings`, as loading does after the
/// defaults are set: each known key overrides the field it names (later lines
/// win), unknown keys are skipped; then, when the file named no plate colour,
/// the seven defaults are filled in, and a colour index outside the table
/// becomes 0. Malformed numbers read as far as they are numbers (0 when not
/// at all). Everything odd is reported, naming `file` and the line.
std::vector<Diagnostic> ReadSettingsText(std::string_view bytes, const std::string& file,
                                         Settings& settings);

/// The settings file's bytes for `settings`, lines ending in CR LF, widths
/// rounded to single precision. Returns a message naming the slot when a
/// plate colour name cannot be written as it is (then `out` is untouched);
/// none on success.
std::optional<std::string> SettingsText(const Settings& settings, std::string& out);

}  // namespace quorvane::settings
