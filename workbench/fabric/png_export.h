// A picture of the pieces at a chosen resolution, which the PNG file
// records (its pHYs chunk) so that it prints at its physical size.
#pragma once

#include <filesystem>

#include "workbench/fabric/fabric_pieces.h"
#include "workbench/fabric/line_conventions.h"
#include "workbench/svg/result.h"

namespace workbench::fabric {

/// Resolutions the export takes, in dots per inch.
inline constexpr int kMinDpi = 10;
inline constexpr int kMaxDpi = 2400;

/// The picture's size in pixels.
struct PixelSize {
  int width = 0;
  int height = 0;
};

/// Writes the PNG on white, through a temporary file renamed into place;
/// gives its size. Errors name the file (too large a picture is one).
svg::Result<PixelSize> ExportPng(const FabricLayout& layout, const LineConventions& conventions, int dpi,
                                 const std::filesystem::path& file);

}  // namespace workbench::fabric
