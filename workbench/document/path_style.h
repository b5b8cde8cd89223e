// How a path is painted: fill and stroke.
#pragma once

#include <vector>

#include "workbench/document/color.h"

namespace workbench::document {

enum class LineCap { kButt, kRound, kProjecting };
enum class LineJoin { kMiter, kRound, kBevel };

/// A dash pattern; an empty `array` is a solid line. Lengths in points.
struct DashStyle {
  double offset = 0.0;
  std::vector<double> array;

  friend bool operator==(const DashStyle&, const DashStyle&) = default;
};

struct FillStyle {
  Color color = Color::Gray(0.0);
  bool overprint = false;

  friend bool operator==(const FillStyle&, const FillStyle&) = default;
};

struct StrokeStyle {
  Color color = Color::Gray(1.0);
  bool overprint = false;
  /// Stroke width in points.
  double width = 1.0;
  DashStyle dash;
  LineCap cap = LineCap::kButt;
  LineJoin join = LineJoin::kMiter;
  /// Ratio of the miter length to the stroke width beyond which a miter
  /// join is bevelled.
  double miterLimit = 4.0;

  friend bool operator==(const StrokeStyle&, const StrokeStyle&) = default;
};

/// The paint of a path or compound path. Copying a style copies both fill
/// and stroke. The default is an unfilled black stroke of 1 pt.
struct PathStyle {
  bool fillPaint = false;
  FillStyle fill;
  bool strokePaint = true;
  StrokeStyle stroke;
  /// Fill rule: even-odd when true, non-zero winding otherwise.
  bool evenOdd = false;

  friend bool operator==(const PathStyle&, const PathStyle&) = default;
};

}  // namespace workbench::document
