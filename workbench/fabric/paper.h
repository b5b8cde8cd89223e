// Paper sizes and how a drawing is tiled over pages of one size. Lengths in
// millimetres; drawing coordinates run from the drawing's top-left corner,
// x to the right and y down, as on paper.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace workbench::fabric {

struct Paper {
  std::string name;
  double widthMm = 0.0;
  /// 0 for a roll: as long as the drawing needs.
  double heightMm = 0.0;
};

/// "a4", "letter", "a3", "tabloid", "a0", "WxHmm" (a sheet) or "Wmm" (a
/// plotter's roll of width W); none for anything else.
std::optional<Paper> ParsePaper(std::string_view text);

/// The pages a drawing is printed on. Page (row, column) shows the drawing's
/// rectangle from (column * stepX, row * stepY), printableWidth by
/// printableHeight, at the page's margins; neighbouring pages share `overlap`
/// millimetres of the drawing.
struct TilePlan {
  double pageWidthMm = 0.0;
  double pageHeightMm = 0.0;
  double marginMm = 0.0;
  double overlapMm = 0.0;
  double printableWidthMm = 0.0;
  double printableHeightMm = 0.0;
  double stepXMm = 0.0;
  double stepYMm = 0.0;
  int rows = 1;
  int columns = 1;
};

/// Plans the pages for a drawing of the given size; none when the margins
/// leave no room, or the overlap is not less than the printable size.
std::optional<TilePlan> PlanTiles(const Paper& paper, double marginMm, double overlapMm, double drawingWidthMm,
                                  double drawingHeightMm);

}  // namespace workbench::fabric
