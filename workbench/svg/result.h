// Results of reading and writing files: a value, or an error that names the
// file, the line and what is wrong.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace workbench::svg {

/// What went wrong, and where. `line` is 1-based; 0 when the error is not
/// about one line (a file that cannot be opened or written).
struct Error {
  std::string file;
  int line = 0;
  std::string message;

  /// "file:line: message", or "file: message" without a line.
  std::string ToString() const {
    return line > 0 ? file + ":" + std::to_string(line) + ": " + message : file + ": " + message;
  }
};

/// A value or an Error.
template <typename T>
class Result {
 public:
  Result(T value) : v_(std::move(value)) {}
  Result(Error error) : v_(std::move(error)) {}

  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() { return std::get<0>(v_); }
  const T& value() const { return std::get<0>(v_); }
  const Error& error() const { return std::get<1>(v_); }

 private:
  std::variant<T, Error> v_;
};

/// Success without a value.
struct Done {};

}  // namespace workbench::svg
