#include "workbench/cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace workbench::cli {

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!hasEntry_.empty()) {
    if (hasEntry_.back()) out_ += ',';
    hasEntry_.back() = true;
  }
}

void JsonWriter::BeginObject() {
  BeforeValue();
  out_ += '{';
  hasEntry_.push_back(false);
}

void JsonWriter::EndObject() {
  hasEntry_.pop_back();
  out_ += '}';
}

void JsonWriter::BeginArray() {
  BeforeValue();
  out_ += '[';
  hasEntry_.push_back(false);
}

void JsonWriter::EndArray() {
  hasEntry_.pop_back();
  out_ += ']';
}

void JsonWriter::Key(std::string_view name) {
  BeforeValue();
  WriteString(name);
  out_ += ':';
  afterKey_ = true;
}

void JsonWriter::String(std::string_view value) {
  BeforeValue();
  WriteString(value);
}

void JsonWriter::Number(double value) {
  BeforeValue();
  if (!std::isfinite(value)) {
    out_ += "null";
    return;
  }
  if (value == 0.0) value = 0.0;
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  out_.append(buf, ec == std::errc() ? end : buf);
}

void JsonWriter::Int(long long value) {
  BeforeValue();
  out_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
}

void JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
}

void JsonWriter::StringOrNull(std::string_view value) {
  if (value.empty()) {
    Null();
  } else {
    String(value);
  }
}

void JsonWriter::NumberOrNull(std::optional<double> value) {
  if (value) {
    Number(*value);
  } else {
    Null();
  }
}

void JsonWriter::NumbersOrNull(bool present, std::initializer_list<std::pair<std::string_view, double>> members) {
  if (!present) {
    Null();
    return;
  }
  BeginObject();
  for (const auto& [key, value] : members) {
    Key(key);
    Number(value);
  }
  EndObject();
}

void JsonWriter::WriteString(std::string_view s) {
  out_ += '"';
  for (char c : s) {
    switch (c) {
      case '"': out_ += "\\\""; break;
      case '\\': out_ += "\\\\"; break;
      case '\b': out_ += "\\b"; break;
      case '\f': out_ += "\\f"; break;
      case '\n': out_ += "\\n"; break;
      case '\r': out_ += "\\r"; break;
      case '\t': out_ += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
          out_ += buf;
        } else {
          out_ += c;
        }
    }
  }
  out_ += '"';
}

}  // namespace workbench::cli
