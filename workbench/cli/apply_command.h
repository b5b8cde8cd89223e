// `quorvane apply` and `quorvane finish-line`: the module's batch
// application and its "Create basic finish line" on pattern pieces of an
// SVG file, played through its panel's flyout menu.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "workbench/cli/module_session.h"

namespace workbench::cli {

inline constexpr const char* kApplyDescription =
    "Applies a command set to closed paths of an SVG file the way the module's batch application does, "
    "after turning each path clockwise (so anchor numbers mean what the panel shows). The result of each "
    "path lands on the layer \"<layer>(Auto seam-margin generate)\". Without --set each path must carry its "
    "own set in its tags. Without --path every closed path not on a layer the module made is taken. "
    "Exit status: 0 when every path got its seam allowance, 1 when some did not (each named with the "
    "module's message), 2 for bad input. The output is written even when some paths failed.";

inline constexpr const char* kFinishLineDescription =
    "Makes the finish line of closed cut lines with the module's \"Create basic finish line\": an inward "
    "offset by the margin (in the unit of the settings) on the layer \"<layer>(Basic finish line)\". "
    "Exit status as for apply.";

/// Exit statuses of the commands that change a document.
inline constexpr int kExitDone = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitBadInput = 2;

struct ApplyRequest {
  std::filesystem::path input;
  /// None: NAME-seam.svg (NAME-finish.svg for finish-line) beside the input.
  std::optional<std::filesystem::path> output;
  /// None: each path's own set from its tags.
  std::optional<std::string> set;
  /// SVG ids; empty for every closed path.
  std::vector<std::string> paths;
  SessionOptions session;
};

/// The default output file: `input` with `suffix` added to its stem.
std::filesystem::path OutputBeside(const std::filesystem::path& input, const std::string& suffix);

/// Runs apply; reports go to `out`, alerts and errors to `err`.
int RunApply(const ApplyRequest& request, std::ostream& out, std::ostream& err);

/// Runs finish-line with `margin` typed into the module's dialog as it is.
int RunFinishLine(const ApplyRequest& request, const std::string& margin, std::ostream& out, std::ostream& err);

}  // namespace workbench::cli
