// Byte-level reader of the list file: records (lines) of comma-separated
// fields, code page 932 aware, with no quoting.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/text/cp932.h"

namespace quorvane::commands {

/// One record: the fields of one line, as raw code page 932 bytes.
class CRecord {
 public:
  explicit CRecord(int line = 1) : line_(line) {}

  int GetFieldCount() const { return static_cast<int>(fields_.size()); }
  /// Field i's bytes, or "" when i is out of range.
  std::string_view GetField(int i) const;
  /// The 1-based line of the file where the record starts.
  int GetLine() const { return line_; }

  void AddField(std::string field) { fields_.push_back(std::move(field)); }

 private:
  std::vector<std::string> fields_;
  int line_;
};

/// The records of one file, in file order.
class CRecordset {
 public:
  int GetRecordCount() const { return static_cast<int>(records_.size()); }
  /// Record i; i must be within 0..count-1.
  const CRecord& GetRecord(int i) const { return records_[static_cast<std::size_t>(i)]; }

  void AddRecord(CRecord record) { records_.push_back(std::move(record)); }

 private:
  std::vector<CRecord> records_;
};

/// Splits list-file bytes into records and fields:
/// - a byte 0x81..0x9F or 0xE0..0xFC leads a double-byte character and takes
///   the next byte with it unexamined (it never ends a field or a record);
/// - a comma ends the field, a line feed the field and the record, the end
///   of the bytes the field and the final record (so bytes ending with a
///   line feed give a last record of one empty field; no bytes, no records);
/// - carriage returns and 0xFF bytes are dropped; a field keeps at most its
///   first kMaxFieldBytes bytes, the rest are read and dropped;
/// - there is no quoting.
class CReadCSV {
 public:
  static constexpr std::size_t kMaxFieldBytes = 1023;

  static CRecordset Read(std::string_view bytes);
  /// The records of a file; none when it does not exist or cannot be read.
  static std::optional<CRecordset> ReadFile(const std::filesystem::path& path);
};

using text::IsCp932LeadByte;

}  // namespace quorvane::commands
