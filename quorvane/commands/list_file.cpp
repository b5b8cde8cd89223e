#include "quorvane/commands/list_file.h"

#include <fstream>
#include <set>

#include "quorvane/commands/set_text.h"
#include "quorvane/text/file_io.h"

namespace quorvane::commands {
namespace {

constexpr int kLinePointFields = 3;
constexpr int kCommandFields = 5;

enum class Mode { kNone, kLinePoints, kCommands };

class SetParser {
 public:
  SetParser(const CRecordset& records, const std::string& file, std::vector<Diagnostic>& problems)
      : records_(records), file_(file), problems_(problems) {}

  // Parses the set whose "#" record is `start`; returns the record where
  // parsing stopped, which the walk continues with.
  int Parse(int start, CCommandSet& set) {
    const int count = records_.GetRecordCount();
    if (start + 1 >= count) return count;
    set.SetBasicWidth(ParseLeadingFloat(records_.GetRecord(start + 1).GetField(0)));

    Mode mode = Mode::kNone;
    std::set<int> labels;
    for (int r = start + 2; r < count; ++r) {
      const CRecord& record = records_.GetRecord(r);
      const std::string_view first = record.GetField(0);
      const char lead = first.empty() ? '\0' : first.front();
      if (lead == '#') return r;
      if (lead == '%') {
        mode = Mode::kLinePoints;
        continue;
      }
      if (lead == '*') {
        mode = Mode::kCommands;
        continue;
      }
      if (mode == Mode::kNone) continue;
      const int needed = mode == Mode::kLinePoints ? kLinePointFields : kCommandFields;
      if (record.GetFieldCount() < needed) {
        ReportShortRecord(r, record, needed, set);
        return r;
      }
      if (mode == Mode::kLinePoints) {
        ReadLinePoint(record, set, labels);
      } else {
        ReadCommand(record, set);
      }
    }
    return count;
  }

 private:
  void Report(int line, std::string message) {
    problems_.push_back(Diagnostic{file_, line, std::move(message)});
  }

  void ReportShortRecord(int r, const CRecord& record, int needed, const CCommandSet& set) {
    // A file that ends with a line feed gives one last empty record; that is
    // the normal end of the last set, not a truncation.
    const bool trailingEmpty = r + 1 == records_.GetRecordCount() &&
                               record.GetFieldCount() == 1 && record.GetField(0).empty();
    if (trailingEmpty) return;
    Report(record.GetLine(),
           "the set \"" + set.GetName() + "\" ends here: the line has " +
               std::to_string(record.GetFieldCount()) + " field(s) where " +
               std::to_string(needed) + " are needed; the lines up to the next set are skipped");
  }

  void ReadLinePoint(const CRecord& record, CCommandSet& set, std::set<int>& labels) {
    LinePoint p;
    p.Num = ParseLeadingInt(record.GetField(0));
    p.t = ParseLeadingFloat(record.GetField(1));
    p.index = ParseLeadingInt(record.GetField(2));
    if (p.index < 0 || p.index >= kMaxLinePoints) {
      Report(record.GetLine(), "line-point label number " + std::to_string(p.index) +
                                   " is outside 0 to 51; no command can name it");
    } else if (!labels.insert(p.index).second) {
      Report(record.GetLine(), "line-point label \"" + std::string(1, LabelCharacter(p.index)) +
                                   "\" appears twice in the set \"" + set.GetName() +
                                   "\"; commands use the first");
    }
    set.AppendReadLinePoint(p);
  }

  void ReadCommand(const CRecord& record, CCommandSet& set) {
    Command c;
    const std::int32_t type = ParseLeadingInt(record.GetField(0));
    c.type = static_cast<CommandType>(type);
    c.point[0] = DecodeText(record.GetField(1), "first point", file_, record.GetLine(), problems_);
    c.point[1] = DecodeText(record.GetField(2), "second point", file_, record.GetLine(), problems_);
    c.haba = ParseLeadingFloat(record.GetField(3));
    c.num = ParseLeadingInt(record.GetField(4));
    // Such rows only come from a hand-edited file; taking them would give a
    // set that can never apply, or one whose commands look at point slots
    // that do not exist. The row is left out and named.
    if (!IsKnownCommandType(c.type)) {
      Report(record.GetLine(), "unknown command type " + std::to_string(type) +
                                   " (the types are 0 to 10); the command is left out");
      return;
    }
    if (c.num < 0 || c.num > 2) {
      Report(record.GetLine(), "a command uses " + std::to_string(c.num) +
                                   " point slots, but only 0 to 2 exist; the command is left out");
      return;
    }
    set.AppendReadCommand(std::move(c));
  }

  const CRecordset& records_;
  const std::string& file_;
  std::vector<Diagnostic>& problems_;
};

}  // namespace

std::filesystem::path LocateListFile(const std::filesystem::path& prefsFolder,
                                     ListFileAccess access,
                                     const std::optional<std::filesystem::path>& fallbackFolder) {
  std::error_code ec;
  std::filesystem::create_directories(prefsFolder, ec);
  const std::filesystem::path preferred = prefsFolder / kListFileName;
  if (!fallbackFolder) return preferred;
  if (access == ListFileAccess::kRead) {
    if (std::ifstream(preferred, std::ios::binary).is_open()) return preferred;
  } else if (std::filesystem::is_directory(prefsFolder, ec)) {
    return preferred;
  }
  return *fallbackFolder / kListFileName;
}

void LoadListRecords(const CRecordset& records, const std::string& file, CCommandSetList& list,
                     std::vector<Diagnostic>& problems) {
  SetParser parser(records, file, problems);
  const int count = records.GetRecordCount();
  for (int r = 0; r < count;) {
    const CRecord& record = records.GetRecord(r);
    const std::string_view first = record.GetField(0);
    if (first.empty() || first.front() != '#') {
      ++r;
      continue;
    }
    CCommandSet& set =
        list.AddSet(DecodeText(first.substr(1), "set name", file, record.GetLine(), problems));
    r = parser.Parse(r, set);
  }
}

ListLoadResult LoadListFile(const std::filesystem::path& file, CCommandSetList& list) {
  ListLoadResult result;
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return result;
  std::optional<CRecordset> records = CReadCSV::ReadFile(file);
  if (!records) {
    result.problems.push_back(
        Diagnostic{file.string(), 0, "the command-set list file could not be read"});
    return result;
  }
  result.read = true;
  LoadListRecords(*records, file.string(), list, result.problems);
  return result;
}

std::optional<std::string> ListFileText(const CCommandSetList& list, std::string& out) {
  std::string text;
  for (const CCommandSet& set : list.Sets()) {
    if (set.IsArtHeld()) continue;
    if (std::optional<std::string> error = AppendSetText(set, text)) return error;
  }
  out.reserve(out.size() + text.size() + text.size() / 8);
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return std::nullopt;
}

std::optional<std::string> SaveListFile(const std::filesystem::path& file,
                                        const CCommandSetList& list) {
  std::string text;
  if (std::optional<std::string> error = ListFileText(list, text)) {
    return file.string() + ": not saved, the old file is kept: " + *error;
  }
  return text::SaveFileAtomically(file, text);
}

}  // namespace quorvane::commands
