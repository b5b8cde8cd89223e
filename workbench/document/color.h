// Colours of path styles, custom colours and swatches.
#pragma once

#include <string>

#include "workbench/document/handles.h"

namespace workbench::document {

/// How a colour is given.
enum class ColorKind {
  kGray,    ///< `gray` is the amount of ink: 0 white, 1 black.
  kCmyk,    ///< `cyan`, `magenta`, `yellow`, `black`, each 0..1 (ink).
  kRgb,     ///< `red`, `green`, `blue`, each 0..1 (light).
  kCustom,  ///< the document's custom colour `custom`, lightened by `tint`.
};

/// A colour. Only the fields of its kind are meaningful; the others keep
/// their defaults.
struct Color {
  ColorKind kind = ColorKind::kGray;
  double gray = 1.0;
  double cyan = 0.0;
  double magenta = 0.0;
  double yellow = 0.0;
  double black = 0.0;
  double red = 0.0;
  double green = 0.0;
  double blue = 0.0;
  CustomColorId custom;
  /// For custom colours: 0 is the full colour, 1 is white.
  double tint = 0.0;

  friend bool operator==(const Color&, const Color&) = default;

  static Color Gray(double ink) {
    Color c;
    c.kind = ColorKind::kGray;
    c.gray = ink;
    return c;
  }
  static Color Rgb(double r, double g, double b) {
    Color c;
    c.kind = ColorKind::kRgb;
    c.red = r;
    c.green = g;
    c.blue = b;
    return c;
  }
  static Color Cmyk(double cy, double m, double y, double k) {
    Color c;
    c.kind = ColorKind::kCmyk;
    c.cyan = cy;
    c.magenta = m;
    c.yellow = y;
    c.black = k;
    return c;
  }
  static Color Custom(CustomColorId id, double tint) {
    Color c;
    c.kind = ColorKind::kCustom;
    c.custom = id;
    c.tint = tint;
    return c;
  }
};

/// A named colour of the document. Its `color` is gray, CMYK or RGB (never
/// another custom colour).
struct CustomColor {
  std::string name;
  Color color;
  /// True for a spot colour, false for a global process colour.
  bool spot = false;

  friend bool operator==(const CustomColor&, const CustomColor&) = default;
};

/// One entry of the document's swatch list.
struct Swatch {
  std::string name;
  Color color;

  friend bool operator==(const Swatch&, const Swatch&) = default;
};

}  // namespace workbench::document
