#include "workbench/fabric/line_conventions.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "workbench/fabric/replace_file.h"

namespace workbench::fabric {

namespace fs = std::filesystem;

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// A positive length below a metre; none otherwise.
std::optional<double> Length(std::string_view text) {
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !(value > 0.0) || value > 1000.0) return std::nullopt;
  return value;
}

std::optional<std::vector<double>> Lengths(std::string_view text) {
  std::vector<double> values;
  while (!(text = Trim(text)).empty()) {
    const std::size_t space = text.find_first_of(" \t,");
    const std::optional<double> value = Length(text.substr(0, space));
    if (!value) return std::nullopt;
    values.push_back(*value);
    text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
  }
  return values;
}

std::string Number(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", value);
  return buffer;
}

}  // namespace

std::optional<NotchKind> ParseNotchKind(std::string_view text) {
  if (text == "slit") return NotchKind::kSlit;
  if (text == "t") return NotchKind::kT;
  if (text == "v") return NotchKind::kV;
  return std::nullopt;
}

std::string_view NotchKindName(NotchKind kind) {
  switch (kind) {
    case NotchKind::kSlit: return "slit";
    case NotchKind::kT: return "t";
    case NotchKind::kV: return "v";
  }
  return "slit";
}

fs::path DefaultPrintSettingsFile() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const fs::path base = config != nullptr && *config != '\0' ? fs::path(config)
                        : home != nullptr                     ? fs::path(home) / ".config"
                                                              : fs::path(".config");
  return base / "quorvane-workbench" / "print.ini";
}

svg::Result<LineConventions> ReadLineConventions(const fs::path& file) {
  LineConventions c;
  std::error_code ec;
  if (!fs::exists(file, ec)) return c;
  std::ifstream in(file);
  if (!in) return svg::Error{file.string(), 0, "cannot open the file"};
  std::string raw;
  int line = 0;
  while (std::getline(in, raw)) {
    ++line;
    std::string_view text = raw;
    if (const std::size_t hash = text.find('#'); hash != std::string_view::npos) text = text.substr(0, hash);
    text = Trim(text);
    if (text.empty()) continue;
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return svg::Error{file.string(), line, "expected \"key = value\""};
    const std::string_view key = Trim(text.substr(0, equals));
    const std::string_view value = Trim(text.substr(equals + 1));
    const auto bad = [&](const char* what) {
      return svg::Error{file.string(), line,
                        std::string(key) + " must be " + what + ", not \"" + std::string(value) + "\""};
    };
    double* length = key == "cut-line-width"      ? &c.cutWidthMm
                     : key == "finish-line-width" ? &c.finishWidthMm
                     : key == "notch-line-width"  ? &c.notchWidthLineMm
                     : key == "notch-length"      ? &c.notchLengthMm
                     : key == "notch-width"       ? &c.notchWidthMm
                                                  : nullptr;
    if (length != nullptr) {
      const std::optional<double> v = Length(value);
      if (!v) return bad("a length in mm above 0");
      *length = *v;
    } else if (key == "finish-line-dash") {
      std::optional<std::vector<double>> v = Lengths(value);
      if (!v || v->size() % 2 != 0) return bad("pairs of dash and gap lengths in mm");
      c.finishDashMm = std::move(*v);
    } else if (key == "notch") {
      const std::optional<NotchKind> v = ParseNotchKind(value);
      if (!v) return bad("slit, t or v");
      c.notch = *v;
    } else {
      return svg::Error{file.string(), line, "unknown setting \"" + std::string(key) + "\""};
    }
  }
  return c;
}

std::string FormatLineConventions(const LineConventions& c) {
  std::string dash;
  for (double d : c.finishDashMm) dash += (dash.empty() ? "" : " ") + Number(d);
  return "# Quorvane workbench: line conventions of cutting output (lengths in mm)\n"
         "cut-line-width = " + Number(c.cutWidthMm) + "\n" +
         "finish-line-width = " + Number(c.finishWidthMm) + "\n" +
         "finish-line-dash = " + dash + "\n" +
         "notch-line-width = " + Number(c.notchWidthLineMm) + "\n" +
         "notch = " + std::string(NotchKindName(c.notch)) + "\n" +
         "notch-length = " + Number(c.notchLengthMm) + "\n" +
         "notch-width = " + Number(c.notchWidthMm) + "\n";
}

svg::Result<svg::Done> WriteLineConventions(const LineConventions& conventions, const fs::path& file) {
  std::error_code ec;
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  return ReplaceFile(file, FormatLineConventions(conventions));
}

}  // namespace workbench::fabric
