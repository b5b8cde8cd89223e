// What the command line needs to know of a document to drive the module:
// which paths are pattern pieces, which layers the module made, and what
// landed on them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workbench/document/document.h"

namespace workbench::cli {

/// Titles of the layers the module makes, as it names them.
inline constexpr std::string_view kWorkLayerTitles[] = {"<<Quorvane Work Layer1>>", "<<Quorvane Work Layer2>>",
                                                        "trevaskPlgTmp"};
/// Suffixes of result layers: the seam allowance (English and Japanese
/// user interface) and the finish line made from a cut line.
inline constexpr std::string_view kSeamLayerSuffix = "(Auto seam-margin generate)";
inline constexpr std::string_view kSeamLayerSuffixJapanese = "(\xE8\x87\xAA\xE5\x8B\x95\xE4\xBD\x9C\xE6\x88\x90\xE7\xB8\xAB\xE4\xBB\xA3)";
inline constexpr std::string_view kFinishLayerSuffix = "(Basic finish line)";

/// One pattern piece the command line works on.
struct Piece {
  document::ArtId art;
  /// Its SVG id, or "#<n>" (1-based, in document order) when it has none.
  std::string label;
};

/// True for a work layer or a layer of results.
bool IsModuleLayer(std::string_view title);

/// Whether the art is marked as a notch (a mark matching one piece to the
/// next, not a piece): its Inkscape label or one of its classes is "notch".
bool IsMarkedNotch(const document::Art& art);
/// Whether a space-separated class list holds "notch".
bool HasNotchClass(std::string_view classes);

/// Every closed path that is not inside a compound path, not locked (nor
/// inside locked art or on a locked layer: it could not be selected), not
/// a notch and not on a layer the module made, in document order from the
/// top layer.
std::vector<Piece> ClosedPieces(const document::Document& doc);

/// What picks the pieces to take; all empty: every closed path that can be
/// taken.
struct PieceChoice {
  /// SVG ids, taken in this order; each must name a closed path that is not
  /// locked.
  std::vector<std::string> ids;
  /// Layer titles: the paths on those layers.
  std::vector<std::string> layers;
  /// Class names: the paths that carry one of them, or whose enclosing
  /// group does.
  std::vector<std::string> classes;
  bool Empty() const { return ids.empty() && layers.empty() && classes.empty(); }
};

/// A path or compound path that is not taken, and why, in the user's words
/// ("open", "locked", "on a layer the module made", "a notch", "a compound
/// path with a hole", "a compound path", "not picked").
struct Passed {
  std::string label;
  std::string why;
};

/// The pieces a choice takes (ids first, in their order, then the others in
/// document order) and every other path and compound path with why it was
/// passed over.
struct PiecePick {
  std::vector<Piece> pieces;
  std::vector<Passed> passed;
};

/// Picks the pieces. None, with `error` saying why, when an id names no
/// path or no closed unlocked one, a layer title no layer has, or a class
/// no path carries.
std::optional<PiecePick> PickPieces(const document::Document& doc, const PieceChoice& choice, std::string* error);

/// For each piece, the label of the first other piece whose outline holds
/// it whole (a hole drawn as a path of its own, which gets an allowance of
/// its own: a ring), or "" when it lies inside none.
std::vector<std::string> EnclosingPieces(const document::Document& doc, const std::vector<Piece>& pieces);

/// Whether the art, an enclosing group or its layer is locked.
bool IsLocked(const document::Document& doc, document::ArtId art);

/// The art whose SVG id is `id`; none when no art has it.
document::ArtId FindById(const document::Document& doc, std::string_view id);

/// Turns the path positively (clockwise with y up), as the panel does with
/// the path it takes as its source, so that anchor numbers count the same
/// way. True when it was reversed.
bool MakePositive(document::Document& doc, document::ArtId path);

/// The art on the layer titled `layerTitle` (none when absent), depth first.
std::vector<document::ArtId> ArtOnLayer(const document::Document& doc, std::string_view layerTitle);

/// The closed paths on the layer titled `layerTitle`.
std::vector<document::ArtId> ClosedPathsOnLayer(const document::Document& doc, std::string_view layerTitle);

/// Removes the module's work layers left behind by a run that failed.
/// Returns how many were removed.
int RemoveWorkLayers(document::Document& doc);

/// The title of the layer holding `art`, or "".
std::string LayerTitleOf(const document::Document& doc, document::ArtId art);

}  // namespace workbench::cli
