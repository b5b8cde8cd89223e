// The command line's cutting outputs: `quorvane print` (a tiled PDF at
// 1:1), `quorvane export --png` and `--dxf-aama`, and `quorvane notches`
// (notches carried to the cut line, into an SVG). Each reads an SVG whose
// pieces may carry a seam allowance drawn by `quorvane apply`.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include "workbench/fabric/line_conventions.h"

namespace workbench::fabric {

inline constexpr const char* kPrintDescription =
    "Prints the pieces at their physical size as a vector PDF tiled over as many pages as they need: each "
    "page with cut marks, alignment marks where pages meet (they coincide when the pages overlap by "
    "--overlap), its row and column; the first page with a 5 cm and a 2 in test square. The cut line is "
    "drawn solid and heavier, the finish line thinner and dashed, notches on the cut line, as the print "
    "settings give them. --paper a0 or a roll width (e.g. 914mm) gives one page where the pieces fit.";
inline constexpr const char* kExportDescription =
    "--png: a picture of the pieces at --dpi, the resolution written into the PNG. --dxf-aama: each piece a "
    "block with its cut line on layer 1 (the boundary), its finish line on layer 14, notches on layer 4 and "
    "its name as text; millimetres, R12 ASCII.";
inline constexpr const char* kNotchesDescription =
    "Carries each notch (a short path or <use> whose class or label is \"notch\", centred on a finish line) "
    "along the finish line's normal to the cut line of its seam allowance and draws it there on the "
    "allowance's layer, as a slit, T or V. A notch whose normal does not meet the cut line stays on the "
    "finish line and is reported.";

/// What every output command reads.
struct OutputRequest {
  std::filesystem::path input;
  /// None: the input's name with the output's extension beside it.
  std::optional<std::filesystem::path> output;
  /// None: the workbench's print settings file.
  std::optional<std::filesystem::path> settings;
  /// Overrides the notch kind of the settings.
  std::optional<std::string> notch;
};

/// Exit statuses: done, or bad input (nothing is written then).
inline constexpr int kOutputDone = 0;
inline constexpr int kOutputBadInput = 2;

int RunPrint(const OutputRequest& request, const std::string& paper, double marginMm, double overlapMm,
             std::ostream& out, std::ostream& err);
int RunExportPng(const OutputRequest& request, int dpi, std::ostream& out, std::ostream& err);
int RunExportDxf(const OutputRequest& request, std::ostream& out, std::ostream& err);
int RunNotches(const OutputRequest& request, std::ostream& out, std::ostream& err);

}  // namespace workbench::fabric
