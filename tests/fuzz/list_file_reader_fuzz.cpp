// Feeds arbitrary bytes to the list-file reader and loader, then checks that
// what loads keeps its invariants and survives a save and a second load.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "quorvane/commands/list_file.h"
#include "quorvane/text/cp932.h"

using namespace quorvane::commands;

namespace {

int SavableCount(const CCommandSetList& list) {
  int count = 0;
  for (const CCommandSet& set : list.Sets()) count += set.IsArtHeld() ? 0 : 1;
  return count;
}

// A text cut after a lead byte (at the field limit or the end of the file)
// takes the next byte written after it as its trail byte when read again.
bool EndsInLeadByte(const std::string& text) {
  const std::optional<std::string> bytes = quorvane::text::Utf8ToCp932(text);
  if (!bytes) return false;
  std::size_t at = 0;
  while (at < bytes->size()) {
    const bool lead = IsCp932LeadByte(static_cast<unsigned char>((*bytes)[at]));
    if (lead && at + 1 == bytes->size()) return true;
    at += lead ? 2 : 1;
  }
  return false;
}

bool HasCutText(const CCommandSetList& list) {
  for (const CCommandSet& set : list.Sets()) {
    if (EndsInLeadByte(set.GetName())) return true;
    for (const Command& c : set.GetCommands()) {
      if (EndsInLeadByte(c.point[0]) || EndsInLeadByte(c.point[1])) return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const CRecordset records = CReadCSV::Read(bytes);
  for (int r = 0; r < records.GetRecordCount(); ++r) {
    const CRecord& record = records.GetRecord(r);
    if (record.GetFieldCount() < 1) __builtin_trap();
    for (int f = 0; f < record.GetFieldCount(); ++f) {
      if (record.GetField(f).size() > CReadCSV::kMaxFieldBytes) __builtin_trap();
    }
  }

  CCommandSetList list;
  std::vector<Diagnostic> problems;
  LoadListRecords(records, "fuzz", list, problems);
  for (const CCommandSet& set : list.Sets()) {
    for (const Command& c : set.GetCommands()) {
      if (c.num < 0 || c.num > 2) __builtin_trap();
    }
  }

  std::string text;
  if (ListFileText(list, text)) return 0;  // refused: a name with a line break
  if (HasCutText(list)) return 0;
  CCommandSetList again;
  LoadListRecords(CReadCSV::Read(text), "fuzz", again, problems);
  if (again.GetSetCount() != SavableCount(list)) __builtin_trap();
  std::string textAgain;
  if (ListFileText(again, textAgain) || textAgain != text) __builtin_trap();
  return 0;
}
