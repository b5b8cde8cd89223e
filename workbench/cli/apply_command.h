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
#include "workbench/cli/pieces.h"

namespace workbench::cli {

inline constexpr const char* kApplyDescription =
    "Applies a command set to closed paths of SVG files the way the module's batch application does, "
    "after turning each path clockwise (so anchor numbers mean what the panel shows). The result of each "
    "path lands on the layer \"<layer>(Auto seam-margin generate)\". Without --set each path must carry its "
    "own set in its tags. Without --path, --layer or --class every closed path that is not locked, not a "
    "notch and not on a layer the module made is taken; with them, the paths they name (together). Every path not taken is listed with why (open, "
    "locked, on a layer the module made, a notch, a compound path with a hole, not picked), and a path lying "
    "inside another piece is said to get an allowance of its own. Several input files are worked one after "
    "another, each with a fresh start of the module; -o then names a folder (an existing one, or a name ending "
    "in / that is created) and each output is NAME-seam.svg in it. On a terminal a progress line per file goes "
    "to standard error. Exit status: 0 when every path got its seam allowance, 1 when some did not (each "
    "named with the module's message), 2 for bad input; over several files, the worst of them. The output is "
    "written even when some paths failed.";

inline constexpr const char* kFinishLineDescription =
    "Makes the finish line of closed cut lines with the module's \"Create basic finish line\": an inward "
    "offset by the margin (in the unit of the settings) on the layer \"<layer>(Basic finish line)\". "
    "Paths are chosen, several files worked, -o read and the exit status given as for apply; each output "
    "is NAME-finish.svg.";

inline constexpr const char* kJsonDescription =
    "With --json, standard output is one JSON document: {\"command\", \"status\", \"files\": [{\"input\", "
    "\"output\", \"status\", \"seconds\", \"errors\": [...], \"paths\": [{\"id\", \"done\", \"result\", "
    "\"inside\", \"messages\": [...], \"seconds\"}], \"skipped\": [{\"id\", \"why\"}]}]}; \"result\" is the SVG id "
    "of the path made (the piece's id and -seam or -finish), null when none. Exit statuses stay as without it.";

/// Exit statuses of the commands that change a document.
inline constexpr int kExitDone = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitBadInput = 2;

struct ApplyRequest {
  /// The input files, one or more.
  std::vector<std::filesystem::path> inputs;
  /// -o as given. None: NAME-seam.svg (NAME-finish.svg for finish-line)
  /// beside each input. A folder with several inputs or when it ends in /.
  std::optional<std::filesystem::path> output;
  /// None: each path's own set from its tags.
  std::optional<std::string> set;
  /// The paths to take; empty for every closed path.
  PieceChoice choice;
  SessionOptions session;
  /// One JSON document on standard output instead of the text report.
  bool json = false;
  /// No report of the paths done or passed over; problems still go to
  /// standard error.
  bool quiet = false;
  /// A line on standard error as each of several files starts.
  bool progress = false;
};

/// The default output file: `input` with `suffix` added to its stem.
std::filesystem::path OutputBeside(const std::filesystem::path& input, const std::string& suffix);

/// Runs apply; reports go to `out`, alerts and errors to `err`.
int RunApply(const ApplyRequest& request, std::ostream& out, std::ostream& err);

/// Runs finish-line with `margin` typed into the module's dialog as it is.
int RunFinishLine(const ApplyRequest& request, const std::string& margin, std::ostream& out, std::ostream& err);

}  // namespace workbench::cli
