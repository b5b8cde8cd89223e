// Checks of the command line's arguments that come before any work, with
// messages that say what is wrong in the user's terms.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace workbench::cli {

/// The subcommands, in the order the help lists them.
inline constexpr const char* kSubcommands[] = {"info", "apply", "finish-line", "sets", "demo"};

/// Why `file` is no SVG document (a PNG or other image, PDF, compressed or
/// plain text without an <svg> element); none when it may be one, or when
/// it cannot be read (the reader then says so).
std::optional<std::string> NotSvg(const std::filesystem::path& file);

/// Why `output` cannot be the output file: an existing folder. None
/// otherwise.
std::optional<std::string> OutputProblem(const std::filesystem::path& output);

/// "info, apply, finish-line, sets, demo".
std::string SubcommandList();

}  // namespace workbench::cli
