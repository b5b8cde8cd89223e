// Where a command writes its output document, and writing it there so that
// the file the name leads to is always either the old file or the new one,
// whole.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace workbench::cli {

/// The output as the user named it, resolved.
struct OutputTarget {
  /// True for "-": the document goes to standard output.
  bool standardOutput = false;
  /// The regular file written: the name given, or the file its symbolic
  /// links lead to.
  std::filesystem::path file;
  /// The permission bits of the file it replaces; none for a new file.
  std::optional<mode_t> mode;
};

/// Resolves `-o NAME`: "-" is standard output; symbolic links are followed
/// to the file they lead to (which may not exist yet); an existing target
/// must be a regular file. None with `error` saying why otherwise (a folder,
/// a FIFO, a device, a socket, a loop of links).
std::optional<OutputTarget> ResolveOutput(const std::filesystem::path& named, std::string* error);

/// Writes `bytes` to the target. A file is written as a temporary file
/// beside it (flushed to disk, with the old file's permissions) and renamed
/// over it, so a crash, a kill or a full disk midway leaves the old file
/// whole; the temporary file is removed on failure and on SIGINT, SIGTERM
/// and SIGHUP, and leftovers of killed runs are removed by the next save of
/// the same file. Standard output goes to `standardOutput`. None on success,
/// else a message naming the file and the reason.
std::optional<std::string> WriteOutput(const OutputTarget& target, std::string_view bytes,
                                       std::ostream& standardOutput);

/// The name of the temporary file a save of `file` by process `pid` uses.
std::filesystem::path TemporaryFileFor(const std::filesystem::path& file, long pid);

}  // namespace workbench::cli
