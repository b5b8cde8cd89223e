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

}  // namespace

// Plain ASCII passes unchanged both ways; that is nearly every file, so it
// skips iconv. Code page 932 maps 0x5C and 0x7E to themselves like ASCII.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  return Convert("UTF-8", "CP932", cp932);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  return Convert("CP932", "UTF-8", utf8);
}

}  // namespace quorvane::text
