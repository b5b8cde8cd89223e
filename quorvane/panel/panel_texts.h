// The information panel's composed texts: the list-file problems alert,
// the names it proposes for new sets, and the fixed-width rows of its
// command list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quorvane/commands/command_set.h"
#include "quorvane/text/diagnostic.h"
#include "quorvane/text/language.h"

namespace quorvane::panel {

/// The alert that tells what the list-file reader left out or changed: a
/// heading in the panel's language, then the first `kListedProblems`
/// problems as "file:line: message", then how many more there were.
inline constexpr std::size_t kListedProblems = 10;
std::string ListFileProblemsText(const std::vector<text::Diagnostic>& problems, text::Language language);

/// "Command set %d" (English) or "コマンドセット%d" with `n`.
std::string ProposedSetName(int n, text::Language language);

/// The label of the command list's first row.
std::string_view BasicRowLabel(text::Language language);

/// Columns the command list's rows are laid out in: number, command name,
/// points, then the width. Widths count as the list file's code page counts
/// bytes: one column for ASCII and half-width kana, two for anything else,
/// so Japanese names line up as they do in the list file.
inline constexpr int kNumberColumns = 3;
inline constexpr int kNameColumns = 19;
inline constexpr int kPointColumns = 7;

/// `text` followed by blanks up to `columns` display columns; longer texts
/// are kept whole ("%-Ns").
std::string PadColumns(std::string_view text, int columns);

/// Row 0 of the command list: number 1, the basic seam-margin label, an
/// empty point column and the basic width as "%.1f".
std::string BasicRowText(float basicWidth, text::Language language);

/// The row of command `index` of `set` (shown as number index + 2): the
/// type's label, its points ("a,b", "a", or a single blank for none) and,
/// for a type that carries a width, the width as "%.1f". Empty for a bad
/// index.
std::string CommandRowText(const commands::CCommandSet& set, int index, text::Language language);

/// "%.1f" in the C locale.
std::string FormatWidth(double value);

/// The decimal value at the start of a field's text (leading blanks
/// skipped), as the C library's atof reads it: 0 when there is none.
double DecimalValue(std::string_view text);

/// The integer value at the start of a field's text, as atoi reads it.
int IntegerValue(std::string_view text);

}  // namespace quorvane::panel
