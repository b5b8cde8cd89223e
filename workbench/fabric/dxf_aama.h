// DXF-AAMA: the exchange format of cutting-room systems. Each piece is a
// block: its cut line on layer 1 as the boundary, its finish line on layer
// 14 (sew line), its notches on layer 4 and its name as text on layer 1;
// millimetres, y up; R12 ASCII so that every system reads it.
#pragma once

#include <filesystem>
#include <string>

#include "workbench/fabric/fabric_pieces.h"
#include "workbench/svg/result.h"

namespace workbench::fabric {

/// AAMA layer numbers.
inline constexpr int kBoundaryLayer = 1;
inline constexpr int kNotchLayer = 4;
inline constexpr int kSewLineLayer = 14;

/// The layout as DXF text. `style` names the style in the file's text.
std::string FormatDxfAama(const FabricLayout& layout, const std::string& style);

/// Writes the DXF through a temporary file beside `file`.
svg::Result<svg::Done> WriteDxfAama(const FabricLayout& layout, const std::string& style,
                                    const std::filesystem::path& file);

/// A block name the format takes: letters, digits, '-' and '_' only.
std::string BlockName(const std::string& name);

}  // namespace workbench::fabric
