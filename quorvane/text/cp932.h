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
/// UTF-8 or holds a character that code page 932 has no code for. Kept bytes
/// (see Cp932ToKeptText) become the bytes they stand for.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

/// First code point of the kept bytes: U+10FF00 + byte stands for that one
/// byte of a code page 932 text. Plane 16 is private use and code page 932
/// has no code there, so no typed character is ever taken for a kept byte.
inline constexpr char32_t kKeptByteBase = 0x10FF00;

/// The text of code page 932 bytes, whatever they hold: each character that
/// converts to Unicode and back to the same bytes becomes its UTF-8; the bytes
/// of any other (a lone or cut lead byte, an unassigned code, an IBM or NEC
/// extension code that has a second code for the same character) are kept
/// one by one as kKeptByteBase + byte. Utf8ToCp932 gives the bytes back
/// exactly. `kept` is set when some bytes had to be kept that way.
std::string Cp932ToKeptText(std::string_view cp932, bool* kept = nullptr);

/// `text` for showing to the user: kept bytes that form a character (an
/// extension code) show as that character, any other kept byte as U+FFFD.
std::string DisplayText(std::string_view text);

/// True for a byte that leads a code page 932 double-byte character.
constexpr bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace quorvane::text
