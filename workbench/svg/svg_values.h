// The small value grammars of SVG attributes: numbers, lengths, transforms,
// colours, style declarations, and the hex form of tag bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "workbench/document/color.h"
#include "workbench/document/rect.h"

namespace workbench::svg {

/// A number in the C locale; none unless the whole text is one number.
std::optional<double> ParseNumber(std::string_view text);
/// A list of numbers separated by commas and/or white space.
std::optional<std::vector<double>> ParseNumberList(std::string_view text);
/// A length converted to points: no unit, "pt" and "px" count 1 and 0.75,
/// "mm", "cm", "in", "pc" convert. Percentages and em units give none.
std::optional<double> ParseLengthPoints(std::string_view text);
/// The shortest text that reads back as exactly the same double.
std::string FormatNumber(double value);

/// An SVG transform list as one matrix; none when malformed.
std::optional<document::AffineMatrix> ParseTransform(std::string_view text);
std::string FormatMatrix(const document::AffineMatrix& m);

/// An RGB colour from an SVG paint: #rgb, #rrggbb, rgb(...), a CSS name.
/// "none" gives std::nullopt in `paint` with `ok` true.
struct PaintValue {
  bool ok = false;
  std::optional<document::Color> paint;
};
PaintValue ParsePaint(std::string_view text);
/// #rrggbb of any colour; custom colours need their base colour resolved.
std::string FormatRgb(const document::Color& color, const document::Color* customBase);

/// The exact colour in the workbench's own form: "gray(g)",
/// "cmyk(c,m,y,k)", "rgb(r,g,b)" (0..1 each) or "custom(tint)" for a
/// custom colour named separately.
std::string FormatExactColor(const document::Color& color);
std::optional<document::Color> ParseExactColor(std::string_view text);

/// "a: b; c: d" as (name, value) pairs, trimmed, in order.
std::vector<std::pair<std::string, std::string>> ParseStyle(std::string_view text);
std::string FormatStyle(const std::vector<std::pair<std::string, std::string>>& decls);

/// Bytes as lowercase hex, two digits each; and back (none when malformed).
std::string HexEncode(std::string_view bytes);
std::optional<std::string> HexDecode(std::string_view hex);

std::string_view Trim(std::string_view s);

}  // namespace workbench::svg
