// `quorvane demo`: the bundled set of every command kind applied to the
// bundled sample piece, as an SVG file and, when rsvg-convert is there, a
// PNG picture of it.
#pragma once

#include <filesystem>
#include <iosfwd>

#include "workbench/cli/module_session.h"

namespace workbench::cli {

inline constexpr const char* kDemoDescription =
    "Applies the bundled command set \"Every kind\" (one command of each kind) to the bundled sample piece "
    "and writes front-bodice-seam.svg into the output folder, and front-bodice-seam.png when rsvg-convert "
    "is installed.";

/// The bundled sample piece, list file and set.
inline constexpr const char* kSamplePiece = "front-bodice.svg";
inline constexpr const char* kSampleList = "every-kind-list.txt";
inline constexpr const char* kSampleSet = "Every kind";

/// The bundled samples: data/samples of the source tree the program was
/// built from.
std::filesystem::path SamplesFolder();

/// Runs the demo with the samples of `samples` into `folder` (created when
/// missing). The exit status of apply, or 2 when the folder cannot be made.
int RunDemo(const std::filesystem::path& samples, const std::filesystem::path& folder, SessionOptions options,
            std::ostream& out, std::ostream& err);

}  // namespace workbench::cli
