// Notches: short marks across a finish line that match one piece to the
// next. In a document a notch is a short path or a <use> whose class or
// Inkscape label is "notch" and whose centre lies on a finish line. Once a
// seam allowance is drawn, each notch is carried along the finish line's
// normal to the cut line and drawn there. Points are document points, y up.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "workbench/document/document.h"
#include "workbench/fabric/line_conventions.h"
#include "workbench/fabric/outline.h"
#include "workbench/geometry/path_data.h"

namespace workbench::fabric {

/// How far a notch's centre may lie from a finish line and still mark it.
inline constexpr double kNotchOnLine = 0.5;
/// A cut line crossed farther out than this along the normal belongs to
/// something else than the allowance beside the notch (a lapel's facing).
inline constexpr double kFarthestCutLine = 60.0 * kPointsPerMm;

/// A notch found in a document.
struct NotchSource {
  document::ArtId art;
  /// Its SVG id, or "notch <n>" when it has none.
  std::string label;
  Point centre;
};

/// Whether the art is marked as a notch by its class or its Inkscape label.
bool IsNotch(const document::Document& doc, document::ArtId art);

/// Every notch of the document, in document order.
std::vector<NotchSource> FindNotches(const document::Document& doc);

/// A notch moved from the finish line to the cut line.
struct CarriedNotch {
  /// The point of the finish line nearest the notch.
  Point onFinish;
  /// Where the mark goes: on the cut line, or `onFinish` when not carried.
  Point at;
  /// Unit normal of the finish line there, pointing out of the piece.
  Point outward;
  /// False when the normal does not meet the cut line within the allowance.
  bool carried = false;
  /// Distance from the finish line to the cut line along the normal (0
  /// when not carried).
  double reach = 0.0;
};

/// Carries a notch centred at `centre` from the closed path `finish` to the
/// outline `cut`, along the finish line's exact normal (at an anchor, the
/// bisector of its two tangents); none when the centre lies farther than
/// kNotchOnLine from the finish line.
std::optional<CarriedNotch> CarryNotch(const geometry::PathData& finish, const Polygon& cut, Point centre);

/// A notch drawn as open polylines: on the cut line into the allowance as
/// the conventions give it (a slit never reaching past the finish line), or
/// across the finish line when it was not carried.
std::vector<std::vector<Point>> NotchStrokes(const CarriedNotch& notch, const LineConventions& conventions);

}  // namespace workbench::fabric
