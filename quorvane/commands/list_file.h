// The list file "Trevask-list.txt": every savable command set in its text
// form, one after another, in code page 932.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/commands/command_set_list.h"
#include "quorvane/text/diagnostic.h"
#include "quorvane/commands/read_csv.h"

namespace quorvane::commands {

using text::Diagnostic;

inline constexpr std::string_view kListFileName = "Trevask-list.txt";

enum class ListFileAccess { kRead, kWrite };

/// Where the list file is read from or written to. The preferences folder
/// (from the host's folders service) is created when missing, failure
/// ignored. Reading: its "Trevask-list.txt" when that file can be read, else
/// the fallback folder's. Writing: the preferences folder's when it is a
/// folder, else the fallback folder's. Without a fallback, the preferences
/// folder's file either way.
std::filesystem::path LocateListFile(const std::filesystem::path& prefsFolder,
                                     ListFileAccess access,
                                     const std::optional<std::filesystem::path>& fallbackFolder = {});

/// Appends the sets of list-file records to `list`: a record whose first
/// field begins with "#" starts a set named by the rest of the field, the
/// next record's first field is its basic width, then "%" starts line points
/// (3 fields each) and "*" commands (5 fields each); a shorter record ends
/// the set and records outside a set are skipped. Values are kept as read,
/// except that `num` is brought into 0..2; anything odd is reported in
/// `problems`, naming `file` and the line.
void LoadListRecords(const CRecordset& records, const std::string& file, CCommandSetList& list,
                     std::vector<Diagnostic>& problems);

/// What loading the list file did.
struct ListLoadResult {
  /// True when the file was there and read (even if it held no set).
  bool read = false;
  /// Problems worked around, and a file that exists but could not be read.
  std::vector<Diagnostic> problems;
};

/// Appends the sets of the list file to `list`. A missing file loads nothing
/// and is no problem (first run); an unreadable one loads nothing.
ListLoadResult LoadListFile(const std::filesystem::path& file, CCommandSetList& list);

/// The list file's bytes: the text form of each set in list order, art-held
/// sets ("<...>") left out, every line ended by CR LF as the Windows program
/// wrote it in text mode (a file it can read again). Returns a message naming the set when one cannot
/// be written (then `out` is untouched); none on success.
std::optional<std::string> ListFileText(const CCommandSetList& list, std::string& out);

/// Replaces the list file with the whole list, atomically: on any failure
/// the old file stays whole and a message naming the file is returned.
std::optional<std::string> SaveListFile(const std::filesystem::path& file,
                                        const CCommandSetList& list);

}  // namespace quorvane::commands
