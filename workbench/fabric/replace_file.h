// Writing an output file without ever leaving a truncated one.
#pragma once

#include <filesystem>
#include <string>

#include "workbench/svg/result.h"

namespace workbench::fabric {

/// Writes the bytes to a temporary file beside `file` and renames it into
/// place. The error names the file.
svg::Result<svg::Done> ReplaceFile(const std::filesystem::path& file, const std::string& bytes);

/// The temporary file a writer fills before MoveIntoPlace.
std::filesystem::path TemporaryBeside(const std::filesystem::path& file);

/// Renames the finished temporary file onto `file`; removes it on failure.
svg::Result<svg::Done> MoveIntoPlace(const std::filesystem::path& temporary, const std::filesystem::path& file);

}  // namespace workbench::fabric
