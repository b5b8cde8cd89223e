#include "workbench/svg/svg_values.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace workbench::svg {
namespace {

using document::AffineMatrix;
using document::Color;
using document::ColorKind;

// XML's white space: a form feed separates nothing, since XML cannot hold it
// and a saved file with one could not be read back.
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Reads one number at `pos`, skipping leading separators; std::from_chars
// does not accept a leading '+', so it is skipped by hand.
std::optional<double> NextNumber(std::string_view s, std::size_t& pos) {
  while (pos < s.size() && (IsSpace(s[pos]) || s[pos] == ',')) ++pos;
  if (pos < s.size() && s[pos] == '+') ++pos;
  double v = 0.0;
  auto [end, ec] = std::from_chars(s.data() + pos, s.data() + s.size(), v);
  if (ec != std::errc() || !std::isfinite(v)) return std::nullopt;
  pos = static_cast<std::size_t>(end - s.data());
  return v;
}

constexpr double kPi = 3.14159265358979323846;

struct NamedColor {
  const char* name;
  int r, g, b;
};
constexpr std::array<NamedColor, 20> kNamedColors = {{
    {"black", 0, 0, 0},       {"white", 255, 255, 255}, {"red", 255, 0, 0},
    {"green", 0, 128, 0},     {"lime", 0, 255, 0},      {"blue", 0, 0, 255},
    {"yellow", 255, 255, 0},  {"cyan", 0, 255, 255},    {"aqua", 0, 255, 255},
    {"magenta", 255, 0, 255}, {"fuchsia", 255, 0, 255}, {"gray", 128, 128, 128},
    {"grey", 128, 128, 128},  {"silver", 192, 192, 192}, {"maroon", 128, 0, 0},
    {"navy", 0, 0, 128},      {"olive", 128, 128, 0},   {"purple", 128, 0, 128},
    {"teal", 0, 128, 128},    {"orange", 255, 165, 0},
}};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

std::optional<double> ParseNumber(std::string_view text) {
  text = Trim(text);
  std::size_t pos = 0;
  auto v = NextNumber(text, pos);
  if (!v || pos != text.size()) return std::nullopt;
  return v;
}

std::optional<std::vector<double>> ParseNumberList(std::string_view text) {
  std::vector<double> out;
  std::size_t pos = 0;
  text = Trim(text);
  while (pos < text.size()) {
    auto v = NextNumber(text, pos);
    if (!v) return std::nullopt;
    out.push_back(*v);
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
  }
  return out;
}

std::optional<double> ParseLengthPoints(std::string_view text) {
  text = Trim(text);
  std::size_t pos = 0;
  auto v = NextNumber(text, pos);
  if (!v) return std::nullopt;
  const std::string_view unit = Trim(text.substr(pos));
  if (unit.empty() || unit == "pt") return *v;
  if (unit == "px") return *v * 0.75;
  if (unit == "mm") return *v * 72.0 / 25.4;
  if (unit == "cm") return *v * 720.0 / 25.4;
  if (unit == "in") return *v * 72.0;
  if (unit == "pc") return *v * 12.0;
  return std::nullopt;
}

std::string FormatNumber(double value) {
  if (value == 0.0) value = 0.0;  // no "-0"
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

std::optional<AffineMatrix> ParseTransform(std::string_view text) {
  AffineMatrix result;
  std::size_t pos = 0;
  while (true) {
    while (pos < text.size() && (IsSpace(text[pos]) || text[pos] == ',')) ++pos;
    if (pos >= text.size()) break;
    const std::size_t open = text.find('(', pos);
    if (open == std::string_view::npos) return std::nullopt;
    const std::size_t close = text.find(')', open);
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view name = Trim(text.substr(pos, open - pos));
    auto args = ParseNumberList(text.substr(open + 1, close - open - 1));
    if (!args) return std::nullopt;
    const auto& a = *args;
    AffineMatrix m;
    if (name == "matrix" && a.size() == 6) {
      m = {a[0], a[1], a[2], a[3], a[4], a[5]};
    } else if (name == "translate" && (a.size() == 1 || a.size() == 2)) {
      m = AffineMatrix::Translate(a[0], a.size() == 2 ? a[1] : 0.0);
    } else if (name == "scale" && (a.size() == 1 || a.size() == 2)) {
      m = AffineMatrix::Scale(a[0], a.size() == 2 ? a[1] : a[0]);
    } else if (name == "rotate" && (a.size() == 1 || a.size() == 3)) {
      const double r = a[0] * kPi / 180.0;
      const AffineMatrix rot{std::cos(r), std::sin(r), -std::sin(r), std::cos(r), 0, 0};
      m = a.size() == 3 ? AffineMatrix::Translate(a[1], a[2]) * rot * AffineMatrix::Translate(-a[1], -a[2])
                        : rot;
    } else if (name == "skewX" && a.size() == 1) {
      m = {1, 0, std::tan(a[0] * kPi / 180.0), 1, 0, 0};
    } else if (name == "skewY" && a.size() == 1) {
      m = {1, std::tan(a[0] * kPi / 180.0), 0, 1, 0, 0};
    } else {
      return std::nullopt;
    }
    result = result * m;
    pos = close + 1;
  }
  return result;
}

std::string FormatMatrix(const AffineMatrix& m) {
  return "matrix(" + FormatNumber(m.a) + "," + FormatNumber(m.b) + "," + FormatNumber(m.c) + "," +
         FormatNumber(m.d) + "," + FormatNumber(m.tx) + "," + FormatNumber(m.ty) + ")";
}

PaintValue ParsePaint(std::string_view text) {
  text = Trim(text);
  PaintValue out;
  if (text == "none") {
    out.ok = true;
    return out;
  }
  auto rgb = [&out](double r, double g, double b) {
    out.ok = true;
    out.paint = Color::Rgb(r, g, b);
    return out;
  };
  if (!text.empty() && text[0] == '#') {
    const std::string_view h = text.substr(1);
    for (char c : h) {
      if (HexDigit(c) < 0) return out;
    }
    if (h.size() == 3) {
      return rgb(HexDigit(h[0]) * 17 / 255.0, HexDigit(h[1]) * 17 / 255.0, HexDigit(h[2]) * 17 / 255.0);
    }
    if (h.size() == 6) {
      return rgb((HexDigit(h[0]) * 16 + HexDigit(h[1])) / 255.0,
                 (HexDigit(h[2]) * 16 + HexDigit(h[3])) / 255.0,
                 (HexDigit(h[4]) * 16 + HexDigit(h[5])) / 255.0);
    }
    return out;
  }
  if (text.substr(0, 4) == "rgb(" && text.back() == ')') {
    std::string_view inner = text.substr(4, text.size() - 5);
    double v[3];
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
      const std::size_t comma = inner.find(',', start);
      std::string_view part = Trim(inner.substr(start, comma == std::string_view::npos ? inner.npos : comma - start));
      const bool percent = !part.empty() && part.back() == '%';
      if (percent) part.remove_suffix(1);
      auto n = ParseNumber(part);
      if (!n || (i < 2 && comma == std::string_view::npos)) return out;
      v[i] = percent ? *n / 100.0 : *n / 255.0;
      start = comma + 1;
    }
    return rgb(v[0], v[1], v[2]);
  }
  for (const auto& named : kNamedColors) {
    if (text == named.name) return rgb(named.r / 255.0, named.g / 255.0, named.b / 255.0);
  }
  return out;
}

std::string FormatRgb(const Color& color, const Color* customBase) {
  double r = 0, g = 0, b = 0;
  switch (color.kind) {
    case ColorKind::kGray: r = g = b = 1.0 - color.gray; break;
    case ColorKind::kRgb: r = color.red; g = color.green; b = color.blue; break;
    case ColorKind::kCmyk:
      r = (1 - color.cyan) * (1 - color.black);
      g = (1 - color.magenta) * (1 - color.black);
      b = (1 - color.yellow) * (1 - color.black);
      break;
    case ColorKind::kCustom: {
      if (!customBase || customBase->kind == ColorKind::kCustom) break;
      const std::string base = FormatRgb(*customBase, nullptr);
      PaintValue p = ParsePaint(base);
      const Color& c = *p.paint;
      r = c.red + (1 - c.red) * color.tint;
      g = c.green + (1 - c.green) * color.tint;
      b = c.blue + (1 - c.blue) * color.tint;
      break;
    }
  }
  auto byte = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", byte(r), byte(g), byte(b));
  return buf;
}

std::string FormatExactColor(const Color& c) {
  switch (c.kind) {
    case ColorKind::kGray: return "gray(" + FormatNumber(c.gray) + ")";
    case ColorKind::kCmyk:
      return "cmyk(" + FormatNumber(c.cyan) + "," + FormatNumber(c.magenta) + "," +
             FormatNumber(c.yellow) + "," + FormatNumber(c.black) + ")";
    case ColorKind::kRgb:
      return "rgb(" + FormatNumber(c.red) + "," + FormatNumber(c.green) + "," + FormatNumber(c.blue) + ")";
    case ColorKind::kCustom: return "custom(" + FormatNumber(c.tint) + ")";
  }
  return {};
}

std::optional<Color> ParseExactColor(std::string_view text) {
  text = Trim(text);
  const std::size_t open = text.find('(');
  if (open == std::string_view::npos || text.back() != ')') return std::nullopt;
  const std::string_view name = text.substr(0, open);
  auto args = ParseNumberList(text.substr(open + 1, text.size() - open - 2));
  if (!args) return std::nullopt;
  const auto& a = *args;
  if (name == "gray" && a.size() == 1) return Color::Gray(a[0]);
  if (name == "cmyk" && a.size() == 4) return Color::Cmyk(a[0], a[1], a[2], a[3]);
  if (name == "rgb" && a.size() == 3) return Color::Rgb(a[0], a[1], a[2]);
  if (name == "custom" && a.size() == 1) return Color::Custom({}, a[0]);
  return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> ParseStyle(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view decl = text.substr(start, end - start);
    const std::size_t colon = decl.find(':');
    if (colon != std::string_view::npos) {
      const std::string_view name = Trim(decl.substr(0, colon));
      if (!name.empty()) out.emplace_back(std::string(name), std::string(Trim(decl.substr(colon + 1))));
    }
    start = end + 1;
  }
  return out;
}

std::string FormatStyle(const std::vector<std::pair<std::string, std::string>>& decls) {
  std::string out;
  for (const auto& [name, value] : decls) {
    if (!out.empty()) out += ';';
    out += name + ":" + value;
  }
  return out;
}

std::string HexEncode(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out.push_back(kDigits[c >> 4]);
    out.push_back(kDigits[c & 15]);
  }
  return out;
}

std::optional<std::string> HexDecode(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string out;
  out.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int hi = HexDigit(hex[i]);
    const int lo = HexDigit(hex[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<char>(hi * 16 + lo));
  }
  return out;
}

}  // namespace workbench::svg
