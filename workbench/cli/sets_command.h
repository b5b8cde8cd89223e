// `quorvane sets`: the command sets of a list file as the module's panel
// lists them: its set list, and for each set the rows of its command list.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "workbench/cli/module_session.h"

namespace workbench::cli {

inline constexpr const char* kSetsDescription =
    "Lists the command sets the module reads from the list file, each with the rows its panel shows for "
    "it: the basic seam margin first, then one row per command (number, command, points, width). With "
    "--json, one JSON document: {\"sets\": [{\"name\": ..., \"rows\": [...]}]}.";

/// One set as the panel shows it.
struct ListedSet {
  std::string name;
  /// The command list's rows, as the panel writes them.
  std::vector<std::string> rows;
};

/// Reads the sets through the module's panel: with a closed scratch path
/// selected and the module's tool in use, so that the panel is enabled, it
/// picks each row of the set list and reads the command list. None, after
/// writing why to `err`, when the module could not be driven.
std::optional<std::vector<ListedSet>> ReadSetsThroughPanel(ModuleSession& session, std::ostream& err);

/// Runs `sets`: 0, or 2 after writing the problem to `err`.
int RunSets(const SessionOptions& options, bool json, std::ostream& out, std::ostream& err);

}  // namespace workbench::cli
