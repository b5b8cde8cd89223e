#include "workbench/fabric/paper.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace workbench::fabric {

namespace {

std::optional<double> Positive(std::string_view text) {
  double value = 0.0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !(value > 0.0) || value > 100000.0) return std::nullopt;
  return value;
}

// Pages along one direction: one when the drawing fits, otherwise enough
// steps that the last page reaches the drawing's far edge.
int PagesAlong(double drawing, double printable, double step) {
  if (drawing <= printable) return 1;
  return 1 + static_cast<int>(std::ceil((drawing - printable) / step - 1e-9));
}

}  // namespace

std::optional<Paper> ParsePaper(std::string_view text) {
  if (text == "a4") return Paper{"A4", 210.0, 297.0};
  if (text == "letter") return Paper{"Letter", 215.9, 279.4};
  if (text == "a3") return Paper{"A3", 297.0, 420.0};
  if (text == "tabloid") return Paper{"Tabloid", 279.4, 431.8};
  if (text == "a0") return Paper{"A0", 841.0, 1189.0};
  if (text.size() < 3 || text.substr(text.size() - 2) != "mm") return std::nullopt;
  const std::string_view size = text.substr(0, text.size() - 2);
  const std::size_t x = size.find('x');
  if (x == std::string_view::npos) {
    const std::optional<double> width = Positive(size);
    if (!width) return std::nullopt;
    return Paper{std::string(text), *width, 0.0};
  }
  const std::optional<double> width = Positive(size.substr(0, x));
  const std::optional<double> height = Positive(size.substr(x + 1));
  if (!width || !height) return std::nullopt;
  return Paper{std::string(text), *width, *height};
}

std::optional<TilePlan> PlanTiles(const Paper& paper, double marginMm, double overlapMm, double drawingWidthMm,
                                  double drawingHeightMm) {
  TilePlan plan;
  plan.marginMm = marginMm;
  plan.overlapMm = overlapMm;
  plan.pageWidthMm = paper.widthMm;
  plan.pageHeightMm = paper.heightMm > 0.0 ? paper.heightMm : drawingHeightMm + 2.0 * marginMm;
  plan.printableWidthMm = plan.pageWidthMm - 2.0 * marginMm;
  plan.printableHeightMm = plan.pageHeightMm - 2.0 * marginMm;
  if (marginMm < 0.0 || overlapMm < 0.0 || !(plan.printableWidthMm > overlapMm) ||
      !(plan.printableHeightMm > overlapMm)) {
    return std::nullopt;
  }
  plan.stepXMm = plan.printableWidthMm - overlapMm;
  plan.stepYMm = plan.printableHeightMm - overlapMm;
  plan.columns = PagesAlong(drawingWidthMm, plan.printableWidthMm, plan.stepXMm);
  plan.rows = PagesAlong(drawingHeightMm, plan.printableHeightMm, plan.stepYMm);
  return plan;
}

}  // namespace workbench::fabric
