// Printing at 1:1: the pieces at their physical size on as many pages as
// they need, in a vector PDF with its fonts embedded. Each page carries cut
// marks at the corners of its printable area, alignment marks where it meets
// its neighbours (they coincide when the pages are laid on each other by
// the overlap), its row and column; the first page carries a 5 cm and a
// 2 in test square.
#pragma once

#include <filesystem>
#include <string>

#include "workbench/fabric/fabric_pieces.h"
#include "workbench/fabric/line_conventions.h"
#include "workbench/fabric/paper.h"
#include "workbench/svg/result.h"

namespace workbench::fabric {

/// The strip above the pieces holding the test squares, in mm.
inline constexpr double kTestSquareStripMm = 70.0;
/// The metric test square's side and where it sits in the drawing (its
/// top-left corner), in mm.
inline constexpr double kTestSquareMm = 50.0;
inline constexpr double kTestSquareAtMm = 8.0;
/// The imperial test square's side: 2 in.
inline constexpr double kTestSquareInchMm = 50.8;

struct PrintOptions {
  Paper paper{"A4", 210.0, 297.0};
  double marginMm = 10.0;
  double overlapMm = 10.0;
  /// The document's name, printed on every page.
  std::string title;
};

/// Writes the PDF (through a temporary file renamed into place) and gives
/// the page plan it followed. Errors name the file.
svg::Result<TilePlan> PrintTiledPdf(const FabricLayout& layout, const LineConventions& conventions,
                                    const PrintOptions& options, const std::filesystem::path& file);

}  // namespace workbench::fabric
