// A small streaming JSON writer: enough for the command line's reports.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

namespace workbench::cli {

/// Builds one JSON text. Commas between members and elements are placed by
/// the writer; strings are escaped (quotes, backslash, control characters;
/// other bytes pass through, so UTF-8 stays UTF-8).
class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  /// The name of the next member of the enclosing object.
  void Key(std::string_view name);
  void String(std::string_view value);
  /// Finite numbers in their shortest exact form; NaN and infinities as null.
  void Number(double value);
  void Int(long long value);
  void Bool(bool value);
  void Null();
  /// A string, or null when `value` is empty.
  void StringOrNull(std::string_view value);
  /// A number, or null when there is none.
  void NumberOrNull(std::optional<double> value);
  /// An object of number members, or null when there is none.
  void NumbersOrNull(bool present, std::initializer_list<std::pair<std::string_view, double>> members);
  const std::string& Text() const { return out_; }

 private:
  void BeforeValue();
  void WriteString(std::string_view s);

  std::string out_;
  // For each open object or array: whether it already has an entry.
  std::vector<bool> hasEntry_;
  bool afterKey_ = false;
};

}  // namespace workbench::cli
