// Conversion between the files' code page 932 bytes and UTF-8 in memory.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane::text {

/// The UTF-8 text of code page 932 bytes; none when the bytes are not valid
/// code page 932 (a lone lead byte, an unassigned code).
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

/// The code page 932 bytes of UTF-8 text; none when the text is not valid
/// UTF-8 or holds a character that code page 932 has no code for.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

}  // namespace quorvane::text
