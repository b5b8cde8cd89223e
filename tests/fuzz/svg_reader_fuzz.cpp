// Arbitrary bytes must give a document or an error with a line, never a
// crash; an accepted document must save and read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "workbench/svg/svg_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto read = workbench::svg::ReadSvgString(text, "fuzz.svg");
  if (!read) {
    if (read.error().line < 0 || read.error().message.empty()) std::abort();
    return 0;
  }
  const std::string saved = workbench::svg::WriteSvgString(read.value());
  auto again = workbench::svg::ReadSvgString(saved, "saved.svg");
  if (!again || again.value().LayerCount() != read.value().LayerCount()) std::abort();
  return 0;
}
