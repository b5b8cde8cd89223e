// `quorvane sets`: the command sets of a list file as the module's panel
// lists them: its set list, and for each set the rows of its command list.
#pragma once

#include <iosfwd>
#include <optional>
#include <string_view>
#include <string>
#include <vector>

#include "workbench/cli/module_session.h"

namespace workbench::cli {

inline constexpr const char* kSetsDescription =
    "Lists the command sets the module reads from the list file, each with the rows its panel shows for "
    "it: the basic seam margin first, then one row per command (number, command, points, width). Widths are "
    "in the unit of the settings, named on the first line. With --json, one JSON document: {\"unit\", "
    "\"sets\": [{\"name\", \"rows\": [{\"number\", \"type\", \"typeName\", \"points\", \"width\", \"unit\", "
    "\"text\"}]}]}: \"type\" is the command's code in the list file (null for the basic seam margin), "
    "\"typeName\" its English name, \"points\" its anchor numbers or line-point labels, \"width\" null for a "
    "command without one, \"text\" the row as the panel shows it.";

/// One set as the panel shows it.
struct ListedSet {
  std::string name;
  /// The command list's rows, as the panel writes them.
  std::vector<std::string> rows;
};

/// A command list row taken apart.
struct RowFields {
  int number = 0;
  /// The command's code; none for the basic seam margin's row.
  std::optional<int> type;
  /// The English name of the command, or "Basic seam-margin".
  std::string typeName;
  std::vector<std::string> points;
  /// None for a command that has no width.
  std::optional<double> width;
};

/// Takes a row the panel writes ("2  Extended one-side  13,15  30.0", in
/// English or Japanese) apart; none when it is no such row.
std::optional<RowFields> ParseRow(std::string_view row);

/// Reads the sets through the module's panel: with a closed scratch path
/// selected and the module's tool in use, so that the panel is enabled, it
/// picks each row of the set list and reads the command list. None, after
/// writing why to `err`, when the module could not be driven.
std::optional<std::vector<ListedSet>> ReadSetsThroughPanel(ModuleSession& session, std::ostream& err);

/// Runs `sets`: 0, or 2 after writing the problem to `err`.
int RunSets(const SessionOptions& options, bool json, std::ostream& out, std::ostream& err);

}  // namespace workbench::cli
