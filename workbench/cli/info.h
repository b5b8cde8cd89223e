// `quorvane info`: what a document holds, as text or JSON.
#pragma once

#include <iosfwd>
#include <string>

namespace workbench::cli {

/// The help text of the subcommand.
inline constexpr const char* kInfoDescription =
    "Lists the layers of an SVG document (title, locked, visible) and every path: its layer, SVG id, "
    "name, closed flag, anchor count, signed area in square points (positive clockwise with y up) "
    "and bounds in points (y up), then the same bounds in the SVG's own user units with y down, as Inkscape "
    "shows X, Y, W and H (\"svgBounds\": x, y, width, height in JSON). A compound path is one entry with \"subpaths\" giving its number of "
    "subpaths; its anchors and area are the sums over them, and it counts as closed when all are.";

/// Reads `file` and prints the report to `out` (JSON when `json`). Returns
/// the exit code: 0, or 2 after printing the error to `err`.
int RunInfo(const std::string& file, bool json, std::ostream& out, std::ostream& err);

}  // namespace workbench::cli
