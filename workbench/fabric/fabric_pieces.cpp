#include "workbench/fabric/fabric_pieces.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "workbench/cli/pieces.h"

namespace workbench::fabric {

using document::ArtId;
using document::Document;

namespace {

geometry::PathData PathOf(const Document& doc, ArtId art) {
  return {*doc.Segments(art), doc.IsClosed(art).value_or(false)};
}

// The smallest closed path of the piece's allowance layer holding the
// finish line's vertices.
ArtId CutLineOf(const Document& doc, ArtId finishArt, const Polygon& finish) {
  const std::string layer = cli::LayerTitleOf(doc, finishArt);
  ArtId best;
  double bestArea = 0.0;
  for (std::string_view suffix : {cli::kSeamLayerSuffix, cli::kSeamLayerSuffixJapanese}) {
    for (ArtId cut : cli::ClosedPathsOnLayer(doc, layer + std::string(suffix))) {
      const Polygon outline = Flatten(PathOf(doc, cut));
      // Where a command trims the allowance to nothing the finish line lies
      // on the cut line, so most of its vertices inside is enough.
      const auto inside = std::count_if(finish.begin(), finish.end(),
                                        [&](Point p) { return Contains(outline, p); });
      if (2 * static_cast<std::size_t>(inside) <= finish.size()) continue;
      const double area = std::abs(TwiceSignedArea(outline));
      if (!best || area < bestArea) {
        best = cut;
        bestArea = area;
      }
    }
  }
  return best;
}

}  // namespace

FabricLayout CollectPieces(const Document& doc, const LineConventions& conventions) {
  FabricLayout layout;
  std::map<std::string, int> perLayer;
  std::vector<cli::Piece> found;
  for (const cli::Piece& piece : cli::ClosedPieces(doc)) {
    found.push_back(piece);
    ++perLayer[cli::LayerTitleOf(doc, piece.art)];
  }
  for (const cli::Piece& piece : found) {
    FabricPiece p;
    p.finishArt = piece.art;
    const std::string layer = cli::LayerTitleOf(doc, piece.art);
    const std::string& label = doc.FindArt(piece.art)->name;
    p.name = !label.empty() ? label : perLayer[layer] == 1 && !layer.empty() ? layer : piece.label;
    p.finish = PathOf(doc, piece.art);
    p.finishOutline = Flatten(p.finish);
    p.cutArt = CutLineOf(doc, piece.art, p.finishOutline);
    if (p.cutArt) {
      p.cut = PathOf(doc, p.cutArt);
      p.boundary = Flatten(*p.cut);
    } else {
      p.boundary = p.finishOutline;
      layout.reports.push_back("piece \"" + p.name + "\" has no seam allowance: its finish line is its boundary");
    }
    layout.pieces.push_back(std::move(p));
  }
  for (const NotchSource& notch : FindNotches(doc)) {
    bool placed = false;
    for (FabricPiece& piece : layout.pieces) {
      const std::optional<CarriedNotch> carried = CarryNotch(piece.finish, piece.boundary, notch.centre);
      if (!carried) continue;
      placed = true;
      if (!carried->carried && piece.cut) {
        layout.reports.push_back("notch \"" + notch.label + "\" of piece \"" + piece.name +
                                 "\" stays on the finish line: its normal does not meet the cut line");
      }
      piece.notches.push_back({notch.label, *carried, NotchStrokes(*carried, conventions)});
      break;
    }
    if (!placed) layout.reports.push_back("notch \"" + notch.label + "\" lies on no finish line");
  }
  return layout;
}

std::optional<document::Rect> LayoutBounds(const FabricLayout& layout) {
  std::optional<document::Rect> box;
  const auto add = [&](Point p) {
    if (!box) box = document::Rect{p.x, p.y, p.x, p.y};
    box->left = std::min(box->left, p.x);
    box->right = std::max(box->right, p.x);
    box->bottom = std::min(box->bottom, p.y);
    box->top = std::max(box->top, p.y);
  };
  for (const FabricPiece& piece : layout.pieces) {
    for (Point p : piece.boundary) add(p);
    for (Point p : piece.finishOutline) add(p);
    for (const PieceNotch& notch : piece.notches) {
      for (const auto& stroke : notch.strokes) {
        for (Point p : stroke) add(p);
      }
    }
  }
  return box;
}

FabricLayout DrawNotchMarks(Document& doc, const LineConventions& conventions) {
  FabricLayout layout = CollectPieces(doc, conventions);
  for (const FabricPiece& piece : layout.pieces) {
    if (!piece.cutArt) continue;
    const ArtId group = doc.LayerGroup(doc.LayerOfArt(piece.cutArt));
    document::PathStyle style = doc.GetPathStyle(piece.cutArt).value_or(document::PathStyle{});
    style.fillPaint = false;
    for (const PieceNotch& notch : piece.notches) {
      for (const std::vector<Point>& stroke : notch.strokes) {
        std::vector<geometry::PathSegment> segments;
        for (Point p : stroke) segments.push_back(geometry::PathSegment::Corner(p));
        const ArtId mark = doc.NewPath(group, std::move(segments), false, style);
        doc.SetName(mark, "notch mark");
      }
    }
  }
  return layout;
}

}  // namespace workbench::fabric
