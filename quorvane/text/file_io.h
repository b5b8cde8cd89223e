// Whole-file reading and crash-safe saving of the module's own files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane::text {

/// Every byte of a file; none when it does not exist or cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

/// Replaces a file's content with `bytes`: writes a temporary file beside it,
/// flushes it to disk and renames it into place, so a crash or a full disk
/// midway leaves the old file whole. The temporary file's name ends in the
/// process id; those of processes that are gone (saves that were killed) are
/// removed first. Returns a message naming the file and what went wrong, or
/// none on success.
std::optional<std::string> SaveFileAtomically(const std::filesystem::path& path,
                                              std::string_view bytes);

}  // namespace quorvane::text
