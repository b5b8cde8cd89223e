#include "workbench/cli/arguments.h"

#include <string_view>
#include <system_error>

#include "workbench/cli/preferences.h"

namespace workbench::cli {

namespace {

struct Signature {
  std::string_view start;
  const char* what;
};

// The first bytes of files people give by mistake.
constexpr Signature kSignatures[] = {
    {"\x89PNG", "a PNG image"},      {"\xFF\xD8\xFF", "a JPEG image"}, {"GIF8", "a GIF image"},
    {"%PDF", "a PDF document"},      {"\x1F\x8B", "a compressed file (unpack .svgz first)"},
    {"PK\x03\x04", "a ZIP archive"},
};

}  // namespace

std::optional<std::string> NotSvg(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  const std::optional<std::string> bytes = ReadWholeFile(file);
  if (!bytes) return std::nullopt;
  for (const Signature& s : kSignatures) {
    if (std::string_view(*bytes).substr(0, s.start.size()) == s.start) {
      return file.string() + ": this is " + s.what + ", not an SVG document";
    }
  }
  if (bytes->find("<svg") == std::string::npos) {
    return file.string() + ": this is not an SVG document: it has no <svg> element";
  }
  return std::nullopt;
}

std::optional<std::string> OutputProblem(const std::filesystem::path& output) {
  std::error_code ec;
  if (std::filesystem::is_directory(output, ec)) {
    return output.string() + ": is a folder; -o names the SVG file to write";
  }
  return std::nullopt;
}

std::string SubcommandList() {
  std::string list;
  for (const char* name : kSubcommands) list += (list.empty() ? "" : ", ") + std::string(name);
  return list;
}

}  // namespace workbench::cli
