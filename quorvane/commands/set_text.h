// The text form of one command set, shared by the list file and art tags:
//   #<name>
//   <basic width, "%f">
//   %LinePoint-Num,t,index
//   <Num>,<t "%f">,<index>        one line per line point
//   *Commands-type,point,haba,num
//   <type>,<point 1>,<point 2>,<haba "%f">,<num>   one line per command
// each line ended by a line feed, in code page 932.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/commands/command_set.h"
#include "quorvane/commands/command_type.h"
#include "quorvane/text/diagnostic.h"
#include "quorvane/text/language.h"

namespace quorvane::commands {

using text::Diagnostic;

/// Why a name cannot be given to a set (a UTF-8 message in the given
/// language, for an alert), or none when it can: it must have a code page 932
/// form, no line break, and no comma (the file has no quoting, a comma would
/// cut the name when it is read back).
std::optional<std::string> CheckSetName(std::string_view utf8Name,
                                        text::Language language = text::Language::kEnglish);

/// Appends the set's text form, in code page 932, to `out`. Returns a
/// message and leaves `out` as it was when a name or point text has no code
/// page 932 form or would break the line structure; none on success.
std::optional<std::string> AppendSetText(const CCommandSet& set, std::string& out);

/// The leading decimal integer of a field the way the list file has always
/// been read: blanks skipped, an optional sign, the digits; 0 when there are
/// none; saturated at the 32-bit limits.
std::int32_t ParseLeadingInt(std::string_view field);

/// The leading decimal number of a field (C locale): blanks skipped, an
/// optional sign, the longest number; 0 when there is none.
float ParseLeadingFloat(std::string_view field);

/// "%f" of a width or parameter, in the C locale whatever the process locale.
std::string FormatFixed6(float value);

/// UTF-8 of code page 932 bytes. Bytes that are not valid code page 932
/// become U+FFFD and add a diagnostic naming `what`, so that such a text can
/// be shown but never written back as if it were the original.
std::string DecodeText(std::string_view cp932, std::string_view what, const std::string& file,
                       int line, std::vector<Diagnostic>& problems);

}  // namespace quorvane::commands
