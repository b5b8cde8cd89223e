// The pieces of a document as the cutting room sees them: each finish line
// with the cut line of its seam allowance, its notches carried to the cut
// line, and its name. Points are document points, y up.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "workbench/document/document.h"
#include "workbench/fabric/line_conventions.h"
#include "workbench/fabric/notches.h"
#include "workbench/fabric/outline.h"

namespace workbench::fabric {

/// A notch of a piece, ready to draw.
struct PieceNotch {
  std::string label;
  CarriedNotch place;
  std::vector<std::vector<Point>> strokes;
};

struct FabricPiece {
  /// The path's Inkscape label; else its layer's title when the layer holds
  /// no other piece; else its SVG id or "#<n>".
  std::string name;
  document::ArtId finishArt;
  /// The cut line: the smallest closed path of the piece layer's seam
  /// allowance layer that holds the finish line; none when it has none.
  document::ArtId cutArt;
  geometry::PathData finish;
  std::optional<geometry::PathData> cut;
  Polygon finishOutline;
  /// The cut line flattened, or the finish line when there is no cut line.
  Polygon boundary;
  std::vector<PieceNotch> notches;
};

struct FabricLayout {
  std::vector<FabricPiece> pieces;
  /// What a user should know: notches kept on the finish line, notches on
  /// no finish line, pieces without a seam allowance.
  std::vector<std::string> reports;
};

/// The pieces of the document: every closed path the module would take
/// (not locked, not on its layers, not a notch), in document order.
FabricLayout CollectPieces(const document::Document& doc, const LineConventions& conventions);

/// Bounds of everything the pieces draw (boundaries, finish lines, notches)
/// as {left, bottom, right, top}; none without pieces.
std::optional<document::Rect> LayoutBounds(const FabricLayout& layout);

/// Draws every piece's carried notches on its seam allowance layer as open
/// paths named "notch mark" and returns the layout they came from.
FabricLayout DrawNotchMarks(document::Document& doc, const LineConventions& conventions);

}  // namespace workbench::fabric
