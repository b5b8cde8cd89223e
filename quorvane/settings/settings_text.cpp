#include "quorvane/settings/settings_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "quorvane/text/cp932.h"
#include "quorvane/text/numbers.h"

namespace quorvane::settings {

namespace {

constexpr std::string_view kPlateColorPrefix = "PlateColor_";
constexpr std::size_t kMaxFields = 6;

bool IsCp932LeadByte(char c) { return text::IsCp932LeadByte(static_cast<unsigned char>(c)); }

// The first `max` bytes of code page 932 text, less a lead byte whose trail
// byte would be cut off.
std::string_view CutCp932(std::string_view s, std::size_t max) {
  if (s.size() <= max) return s;
  std::size_t i = 0;
  while (i < s.size()) {
    const std::size_t length = IsCp932LeadByte(s[i]) && i + 1 < s.size() ? 2 : 1;
    if (i + length > max) break;
    i += length;
  }
  return s.substr(0, i);
}

// v rounded to single precision; beyond its range, an infinity (a plain
// conversion would be undefined there).
double RoundToSingle(double v) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (v > kMax) return std::numeric_limits<double>::infinity();
  if (v < -kMax) return -std::numeric_limits<double>::infinity();
  return static_cast<float>(v);
}

// `v` as written to the file: a number that reads back as one. What read as
// infinite (a width beyond single precision, say) is written as the
// largest finite value of its sign within `limit`, and not-a-number as 0.
std::string FiniteText(double v, double limit = std::numeric_limits<double>::max()) {
  if (std::isnan(v)) v = 0.0;
  return text::FormatGeneral(std::clamp(v, -limit, limit));
}

std::string SingleText(double v) { return FiniteText(RoundToSingle(v), std::numeric_limits<float>::max()); }

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

class Reader {
 public:
  Reader(const std::string& file, Settings& settings) : file_(file), settings_(settings) {}

  void ReadAll(std::string_view bytes);
  std::vector<Diagnostic> TakeProblems() { return std::move(problems_); }

 private:
  void ReadLine(std::string_view raw);
  void Apply(const std::vector<std::string>& fields);
  void ApplyPlateColor(const std::string& key, const std::vector<std::string>& fields);
  void FinishTable();

  // Reads like atoi: white space, a sign, digits up to the first other
  // character; reports anything that is not wholly a number.
  std::int64_t Integer(std::string_view text, const std::string& key);
  std::int16_t Short(std::string_view text, const std::string& key);
  // Reads like atof in the C locale, whatever the process locale is:
  // infinities, NaN and numbers beyond the range included.
  double Decimal(std::string_view text, const std::string& key);
  // A decimal number rounded to single precision; infinite beyond its range.
  double Single(std::string_view text, const std::string& key);

  void Report(int line, std::string message) { problems_.push_back({file_, line, std::move(message)}); }
  void Report(std::string message) { Report(line_, std::move(message)); }

  const std::string& file_;
  Settings& settings_;
  std::vector<Diagnostic> problems_;
  int line_ = 0;
  int seamColorLine_ = 0;
  int finishColorLine_ = 0;
};

void Reader::ReadAll(std::string_view bytes) {
  // The text ends at the first NUL byte, as it always has for this file.
  if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
    const auto line = 1 + std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(nul), '\n');
    Report(static_cast<int>(line), "a NUL byte ends the text here; the rest of the file is not read");
    bytes = bytes.substr(0, nul);
  }
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t end = bytes.find('\n', pos);
    ++line_;
    ReadLine(bytes.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
    pos = end == std::string_view::npos ? bytes.size() : end + 1;
  }
  line_ = 0;
  FinishTable();
}

void Reader::ReadLine(std::string_view raw) {
  std::string kept;
  bool quoted = false;
  for (const char c : raw) {
    if (c == '\r' || c == '\t') continue;
    if (c == '"') quoted = !quoted;
    if (c == ' ' && !quoted) continue;
    kept += c;
  }
  if (kept.empty() || kept.front() == '\'') return;
  if (kept.size() > kMaxLineLength) {
    Report("line longer than " + std::to_string(kMaxLineLength) + " characters; ignored");
    return;
  }
  if (quoted) Report("a double quote is not closed; the value runs to the end of the line");

  std::vector<std::string> fields(1);
  quoted = false;
  for (const char c : kept) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == '=' || c == ',')) {
      if (fields.size() == kMaxFields) break;
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  for (std::size_t i = 2; i < fields.size(); ++i) {
    fields[i] = std::string(CutCp932(fields[i], kMaxExtraValueLength));
  }
  if (fields.size() < 2 || fields[0].empty() || fields[1].empty()) return;
  Apply(fields);
}

void Reader::Apply(const std::vector<std::string>& fields) {
  const std::string& key = fields[0];
  const std::string& value = fields[1];
  if (key == "language") {
    settings_.language = value == "ENGLISH"  ? text::Language::kEnglish
                         : value == "KOREAN" ? text::Language::kKorean
                                             : text::Language::kJapanese;
  } else if (key == "showoption") {
    settings_.showOption = Short(value, key);
  } else if (key == "cbfl_trevask") {
    settings_.basicFinishLineMargin = static_cast<float>(Single(value, key));
  } else if (key == "seam_allowance_line") {
    settings_.seamAllowanceLine = Short(value, key);
  } else if (key == "seam_allowance_line_width") {
    settings_.seamAllowanceLineWidth = Single(value, key);
  } else if (key == "seam_allowance_line_color") {
    settings_.seamAllowanceLineColor = Short(value, key);
    seamColorLine_ = line_;
  } else if (key == "finish_line") {
    settings_.finishLine = Short(value, key);
  } else if (key == "finish_line_width") {
    settings_.finishLineWidth = Single(value, key);
  } else if (key == "finish_line_color") {
    settings_.finishLineColor = Short(value, key);
    finishColorLine_ = line_;
  } else if (key == "trevask_unit") {
    settings_.unit = static_cast<std::int32_t>(Integer(value, key));
    if (const std::optional<double> factor = UnitFactor(settings_.unit)) settings_.unitFactor = *factor;
  } else if (key == "scaled_drawing") {
    settings_.scaledDrawing = Short(value, key);
  } else if (key.starts_with(kPlateColorPrefix)) {
    ApplyPlateColor(key, fields);
  }
}

void Reader::ApplyPlateColor(const std::string& key, const std::vector<std::string>& fields) {
  const std::string_view digits = std::string_view(key).substr(kPlateColorPrefix.size(), 3);
  const bool allDigits = digits.size() == 3 && std::all_of(digits.begin(), digits.end(), [](char c) {
                           return c >= '0' && c <= '9';
                         });
  if (!allDigits) {
    Report("\"" + key + "\" has no three-digit plate colour number; ignored");
    return;
  }
  const int number = (digits[0] - '0') * 100 + (digits[1] - '0') * 10 + (digits[2] - '0');
  if (number < 1 || number > static_cast<int>(kPlateColorSlots)) {
    Report("\"" + key + "\": plate colour numbers run from 001 to " + std::to_string(kPlateColorSlots) +
           "; ignored");
    return;
  }
  settings_.plateColorCount = std::max(settings_.plateColorCount, static_cast<std::int32_t>(number));
  PlateColor& color = settings_.plateColors[number - 1];
  const std::string_view suffix = std::string_view(key).substr(kPlateColorPrefix.size() + 3);

  if (suffix == "_name") {
    const std::string_view cut = CutCp932(fields[1], kPlateColorNameMaxCp932Bytes);
    if (cut.size() < fields[1].size()) {
      Report("plate colour name longer than " + std::to_string(kPlateColorNameMaxCp932Bytes) +
             " bytes; cut to " + std::to_string(cut.size()));
    }
    const std::optional<std::string> utf8 = text::Cp932ToUtf8(cut);
    if (!utf8) {
      Report("plate colour name is not valid code page 932 (Shift JIS) text; the name is left as it was");
      return;
    }
    if (std::optional<std::string> problem = SetPlateColorName(color, *utf8)) Report(*problem);
  } else if (suffix == "_color") {
    color.kind = static_cast<std::int32_t>(Integer(fields[1], key));
    std::size_t components = 0;
    switch (color.kind) {
      case kColorKindGray: components = 1; break;
      case kColorKindFourColor: components = 4; break;
      case kColorKindThreeColor: components = 3; break;
      default: return;  // an unknown kind keeps its components
    }
    const std::size_t given = fields.size() - 2;
    if (given < components) {
      Report(key + " of kind " + std::to_string(color.kind) + " gives " + std::to_string(given) + " of " +
             std::to_string(components) + " components; the missing ones read as 0");
    }
    // Only the components the kind names are set; the others keep what an
    // earlier line of another kind gave them.
    for (std::size_t i = 0; i < components; ++i) {
      color.components[i] = i < given ? Decimal(fields[2 + i], key) : 0.0;
    }
  } else {
    Report("unknown plate colour key \"" + key + "\"; only its number counts");
  }
}

void Reader::FinishTable() {
  if (settings_.plateColorCount == 0) FillDefaultPlateColors(settings_);
  const auto check = [&](std::int16_t& index, const char* key, int line) {
    if (index >= 0 && index < settings_.plateColorCount) return;
    Report(line, std::string(key) + " " + std::to_string(index) + " names no plate colour (there are " +
                     std::to_string(settings_.plateColorCount) + "); the first is used");
    index = 0;
  };
  check(settings_.seamAllowanceLineColor, "seam_allowance_line_color", seamColorLine_);
  check(settings_.finishLineColor, "finish_line_color", finishColorLine_);
}

std::int64_t Reader::Integer(std::string_view text, const std::string& key) {
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t digitsStart = i;
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), kMax + 2);  // saturates, no overflow
  }
  if (negative) value = -value;
  const bool outOfRange = value < kMin || value > kMax;
  value = std::clamp(value, kMin, kMax);
  if (i == digitsStart) {
    Report(key + " = " + Quoted(text) + " is not a number; read as 0");
  } else if (outOfRange) {
    Report(key + " = " + Quoted(text) + " is out of range; read as " + std::to_string(value));
  } else if (i < text.size()) {
    Report(key + " = " + Quoted(text) + " is not wholly a number; read as " + std::to_string(value));
  }
  return value;
}

std::int16_t Reader::Short(std::string_view text, const std::string& key) {
  const std::int64_t value = Integer(text, key);
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
    Report(key + " = " + std::to_string(value) + " does not fit 16 bits; kept modulo 65536");
  }
  return static_cast<std::int16_t>(value);
}

double Reader::Decimal(std::string_view text, const std::string& key) {
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  if (i < text.size() && text[i] == '+' && (i + 1 >= text.size() || text[i + 1] != '-')) ++i;
  double value = 0.0;
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(first, last, value);
  if (error == std::errc::result_out_of_range) {
    // As atof: too large gives an infinity, too small a zero, with the sign.
    const bool negative = first != last && *first == '-';
    const std::string_view digits(first, static_cast<std::size_t>(end - first));
    const std::size_t e = digits.find_first_of("eE");
    const bool tiny = e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-';
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    if (negative) value = -value;
    Report(key + " = " + Quoted(text) + " is beyond the range of numbers; read as " + (tiny ? "0" : "infinite"));
    return value;
  }
  if (error != std::errc()) {
    Report(key + " = " + Quoted(text) + " is not a number; read as 0");
    return 0.0;
  }
  if (!std::isfinite(value)) {
    Report(key + " = " + Quoted(text) + " is not a finite number; kept as it reads");
  } else if (end != last) {
    Report(key + " = " + Quoted(text) + " is not wholly a number; read as its start");
  }
  return value;
}

double Reader::Single(std::string_view text, const std::string& key) {
  const double value = Decimal(text, key);
  const double rounded = RoundToSingle(value);
  if (std::isfinite(value) && !std::isfinite(rounded)) {
    Report(key + " = " + Quoted(text) + " is beyond single precision; read as infinite");
  }
  return rounded;
}

void AppendLine(std::string& out, std::string_view key, std::string_view value) {
  out.append(key).append(" = ").append(value).append("\r\n");
}

// printf's "%d".
std::string FormatInteger(std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string PlateColorKey(int number, const char* suffix) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "PlateColor_%03d%s", number, suffix);
  return buffer;
}

}  // namespace

std::vector<Diagnostic> ReadSettingsText(std::string_view bytes, const std::string& file, Settings& settings) {
  Reader reader(file, settings);
  reader.ReadAll(bytes);
  return reader.TakeProblems();
}

std::optional<std::string> SettingsText(const Settings& s, std::string& out) {
  std::string text;
  AppendLine(text, "language",
             s.language == text::Language::kEnglish  ? "ENGLISH"
             : s.language == text::Language::kKorean ? "KOREAN"
                                                     : "JAPANESE");
  AppendLine(text, "showoption", FormatInteger(s.showOption));
  AppendLine(text, "cbfl_trevask", SingleText(s.basicFinishLineMargin));
  AppendLine(text, "seam_allowance_line", FormatInteger(s.seamAllowanceLine));
  AppendLine(text, "seam_allowance_line_width", SingleText(s.seamAllowanceLineWidth));
  AppendLine(text, "seam_allowance_line_color", FormatInteger(s.seamAllowanceLineColor));
  AppendLine(text, "finish_line", FormatInteger(s.finishLine));
  AppendLine(text, "finish_line_width", SingleText(s.finishLineWidth));
  AppendLine(text, "finish_line_color", FormatInteger(s.finishLineColor));
  AppendLine(text, "trevask_unit", FormatInteger(s.unit));
  AppendLine(text, "scaled_drawing", FormatInteger(s.scaledDrawing));

  const int count = std::clamp<int>(s.plateColorCount, 0, static_cast<int>(kPlateColorSlots));
  for (int number = 1; number <= count; ++number) {
    const PlateColor& color = s.plateColors[number - 1];
    const std::string_view name = PlateColorName(color);
    std::optional<std::string> problem = CheckPlateColorName(name);
    const std::optional<std::string> cp932 = problem ? std::nullopt : text::Utf8ToCp932(name);
    if (!cp932) {
      return "Plate colour " + FormatInteger(number) + " cannot be saved: " +
             problem.value_or("its name is not valid text");
    }
    AppendLine(text, PlateColorKey(number, "_name"), "\"" + *cp932 + "\"");
    const double* c = color.components;
    std::string value = FormatInteger(color.kind);
    int components = 0;
    switch (color.kind) {
      case kColorKindGray: components = 1; break;
      case kColorKindFourColor: components = 4; break;
      case kColorKindThreeColor: components = 3; break;
      default: continue;  // other kinds keep their name line only
    }
    for (int i = 0; i < components; ++i) value += ", " + FiniteText(c[i]);
    AppendLine(text, PlateColorKey(number, "_color"), value);
  }
  out = std::move(text);
  return std::nullopt;
}

}  // namespace quorvane::settings
