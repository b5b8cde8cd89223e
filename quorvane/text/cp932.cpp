#include "cp932.h"

#include <cerrno>
#include <iconv.h>

namespace quorvane::text {
namespace {

// One iconv conversion, refusing rather than approximating: no //TRANSLIT,
// no //IGNORE, so an unmappable character fails the whole conversion.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view input) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;

  std::string output;
  output.resize(input.size() * 4 + 16);
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  char* out = output.data();
  size_t outLeft = output.size();

  bool ok = true;
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) {
      if (errno == E2BIG) {
        const size_t used = output.size() - outLeft;
        output.resize(output.size() * 2);
        out = output.data() + used;
        outLeft = output.size() - used;
        continue;
      }
      ok = false;  // EILSEQ or EINVAL: invalid or truncated input
      break;
    }
  }
  if (ok && iconv(cd, nullptr, nullptr, &out, &outLeft) == static_cast<size_t>(-1)) ok = false;
  const size_t used = output.size() - outLeft;
  iconv_close(cd);
  if (!ok) return std::nullopt;
  output.resize(used);
  return output;
}

bool IsAscii(std::string_view s) {
  for (unsigned char c : s) {
    if (c >= 0x80) return false;
  }
  return true;
}

// UTF-8 of kKeptByteBase + b: F4 8F, then BC to BF, then the low six bits.
constexpr unsigned char kKeptPrefix0 = 0xF4;
constexpr unsigned char kKeptPrefix1 = 0x8F;

void AppendKeptByte(std::string& out, unsigned char b) {
  out += static_cast<char>(kKeptPrefix0);
  out += static_cast<char>(kKeptPrefix1);
  out += static_cast<char>(0xBC | (b >> 6));
  out += static_cast<char>(0x80 | (b & 0x3F));
}

// The byte a kept-byte sequence at `at` stands for, if one starts there.
std::optional<unsigned char> KeptByteAt(std::string_view s, std::size_t at) {
  if (at + 4 > s.size()) return std::nullopt;
  const auto u = [&](std::size_t i) { return static_cast<unsigned char>(s[at + i]); };
  if (u(0) != kKeptPrefix0 || u(1) != kKeptPrefix1 || (u(2) & 0xFC) != 0xBC || (u(3) & 0xC0) != 0x80) {
    return std::nullopt;
  }
  return static_cast<unsigned char>(((u(2) & 0x03) << 6) | (u(3) & 0x3F));
}

std::optional<std::string> PlainUtf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  return Convert("CP932", "UTF-8", utf8);
}

}  // namespace

// Plain ASCII passes unchanged both ways; that is nearly every file, so it
// skips iconv. Code page 932 maps 0x5C and 0x7E to themselves like ASCII.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  return Convert("UTF-8", "CP932", cp932);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  std::string out;
  std::size_t plain = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::optional<unsigned char> kept = KeptByteAt(utf8, at);
    if (!kept) {
      ++at;
      continue;
    }
    std::optional<std::string> part = PlainUtf8ToCp932(utf8.substr(plain, at - plain));
    if (!part) return std::nullopt;
    out += *part;
    out += static_cast<char>(*kept);
    at += 4;
    plain = at;
  }
  std::optional<std::string> rest = PlainUtf8ToCp932(utf8.substr(plain));
  if (!rest) return std::nullopt;
  return out + *rest;
}

std::string Cp932ToKeptText(std::string_view cp932, bool* kept) {
  if (kept != nullptr) *kept = false;
  // Nearly every text converts and converts back whole.
  if (std::optional<std::string> utf8 = Cp932ToUtf8(cp932)) {
    if (PlainUtf8ToCp932(*utf8) == cp932) return std::move(*utf8);
  }
  std::string out;
  for (std::size_t at = 0; at < cp932.size();) {
    const bool lead = IsCp932LeadByte(static_cast<unsigned char>(cp932[at]));
    const std::size_t length = lead && at + 1 < cp932.size() ? 2 : 1;
    const std::string_view unit = cp932.substr(at, length);
    std::optional<std::string> one = Cp932ToUtf8(unit);
    if (one && PlainUtf8ToCp932(*one) == unit) {
      out += *one;
    } else {
      for (const char c : unit) AppendKeptByte(out, static_cast<unsigned char>(c));
      if (kept != nullptr) *kept = true;
    }
    at += length;
  }
  return out;
}

std::string DisplayText(std::string_view text) {
  std::string out;
  std::string bytes;  // the run of kept bytes being gathered
  const auto flush = [&] {
    for (std::size_t at = 0; at < bytes.size();) {
      const bool lead = IsCp932LeadByte(static_cast<unsigned char>(bytes[at]));
      const std::size_t length = lead && at + 1 < bytes.size() ? 2 : 1;
      const std::optional<std::string> one = Cp932ToUtf8(std::string_view(bytes).substr(at, length));
      out += one ? *one : std::string("\xEF\xBF\xBD");
      at += one ? length : 1;
    }
    bytes.clear();
  };
  for (std::size_t at = 0; at < text.size();) {
    if (const std::optional<unsigned char> kept = KeptByteAt(text, at)) {
      bytes += static_cast<char>(*kept);
      at += 4;
    } else {
      flush();
      out += text[at++];
    }
  }
  flush();
  return out;
}

}  // namespace quorvane::text
