#include "quorvane/commands/read_csv.h"

#include "quorvane/text/file_io.h"

namespace quorvane::commands {

std::string_view CRecord::GetField(int i) const {
  if (i < 0 || i >= GetFieldCount()) return {};
  return fields_[static_cast<std::size_t>(i)];
}

CRecordset CReadCSV::Read(std::string_view bytes) {
  CRecordset records;
  if (bytes.empty()) return records;

  int line = 1;
  CRecord record(line);
  std::string field;
  auto keep = [&field](char byte) {
    if (field.size() < kMaxFieldBytes) field.push_back(byte);
  };

  for (std::size_t at = 0; at < bytes.size(); ++at) {
    const char byte = bytes[at];
    const auto value = static_cast<unsigned char>(byte);
    if (IsCp932LeadByte(value)) {
      keep(byte);
      if (at + 1 < bytes.size()) {
        ++at;
        // The trail byte may be a comma, a line feed or a carriage return;
        // it still belongs to the character. Only a real line feed counts
        // as a new line of the file for messages, this one does not end one.
        if (bytes[at] == '\n') ++line;
        keep(bytes[at]);
      }
      continue;
    }
    if (byte == ',') {
      record.AddField(std::move(field));
      field.clear();
    } else if (byte == '\n') {
      record.AddField(std::move(field));
      field.clear();
      records.AddRecord(std::move(record));
      record = CRecord(++line);
    } else if (byte != '\r' && value != 0xFF) {
      keep(byte);
    }
  }
  record.AddField(std::move(field));
  records.AddRecord(std::move(record));
  return records;
}

std::optional<CRecordset> CReadCSV::ReadFile(const std::filesystem::path& path) {
  const std::optional<std::string> bytes = text::ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  return Read(*bytes);
}

}  // namespace quorvane::commands
