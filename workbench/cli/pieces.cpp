#include "workbench/cli/pieces.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "workbench/geometry/flatten.h"

namespace workbench::cli {

using document::ArtId;
using document::ArtType;
using document::Document;

namespace {

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

}  // namespace

bool HasNotchClass(std::string_view classes) {
  std::istringstream words{std::string(classes)};
  std::string word;
  while (words >> word) {
    if (word == "notch") return true;
  }
  return false;
}

bool IsMarkedNotch(const document::Art& art) {
  if (art.name == "notch") return true;
  for (const auto& [name, value] : art.foreign.attributes) {
    if (name == "class" && HasNotchClass(value)) return true;
  }
  return false;
}

bool IsModuleLayer(std::string_view title) {
  for (std::string_view work : kWorkLayerTitles) {
    if (title == work) return true;
  }
  return EndsWith(title, kSeamLayerSuffix) || EndsWith(title, kSeamLayerSuffixJapanese) ||
         EndsWith(title, kFinishLayerSuffix);
}

std::vector<Piece> ClosedPieces(const Document& doc) {
  std::string unused;
  return PickPieces(doc, {}, &unused)->pieces;
}

namespace {

bool Contains(const std::vector<std::string>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Whether the art or an enclosing group carries one of `classes`.
bool CarriesClass(const Document& doc, ArtId art, const std::vector<std::string>& classes) {
  for (ArtId at = art; at; at = doc.ParentOf(at)) {
    for (const auto& [name, value] : doc.FindArt(at)->foreign.attributes) {
      if (name != "class") continue;
      std::istringstream words(value);
      std::string word;
      while (words >> word) {
        if (Contains(classes, word)) return true;
      }
    }
  }
  return false;
}

// Why a path of the document is not taken as a piece; none when it may be.
std::optional<std::string> NotAPiece(const Document& doc, ArtId id, bool moduleLayer) {
  const document::Art& art = *doc.FindArt(id);
  if (moduleLayer) return "on a layer the module made";
  if (IsMarkedNotch(art)) return "a notch";
  if (!art.closed) return "open";
  if (IsLocked(doc, id)) return "locked";
  return std::nullopt;
}

}  // namespace

std::optional<PiecePick> PickPieces(const Document& doc, const PieceChoice& choice, std::string* error) {
  PiecePick pick;
  std::set<ArtId> taken;
  for (const std::string& id : choice.ids) {
    const ArtId art = FindById(doc, id);
    if (!art) {
      *error = "no path with id \"" + id + "\"";
      return std::nullopt;
    }
    const document::Art& found = *doc.FindArt(art);
    if (found.type != ArtType::kPath || !found.closed) {
      *error = "\"" + id + "\" is not a closed path";
      return std::nullopt;
    }
    if (IsLocked(doc, art)) {
      *error = "\"" + id + "\" is locked";
      return std::nullopt;
    }
    if (taken.insert(art).second) pick.pieces.push_back({art, id});
  }
  for (const std::string& title : choice.layers) {
    if (!doc.FindLayerByTitle(title)) {
      *error = "no layer \"" + title + "\"";
      return std::nullopt;
    }
  }
  bool classCarried = false;
  int number = 0;
  int compounds = 0;
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    const document::LayerId layer = doc.LayerAt(i);
    const std::string& title = doc.FindLayer(layer)->title;
    const bool moduleLayer = IsModuleLayer(title);
    for (ArtId id : doc.AllArtOfLayer(layer)) {
      const document::Art& art = *doc.FindArt(id);
      const bool carries = !choice.classes.empty() && CarriesClass(doc, id, choice.classes);
      classCarried = classCarried || carries;
      if (art.type == ArtType::kCompoundPath) {
        ++compounds;
        const std::string label =
            art.foreign.sourceId.empty() ? "compound path #" + std::to_string(compounds) : art.foreign.sourceId;
        pick.passed.push_back({label, moduleLayer              ? "on a layer the module made"
                                      : art.children.size() > 1 ? "a compound path with a hole"
                                                                : "a compound path"});
        continue;
      }
      if (art.type != ArtType::kPath || doc.TypeOf(art.parent) == ArtType::kCompoundPath) continue;
      ++number;
      const std::string label = art.foreign.sourceId.empty() ? "#" + std::to_string(number) : art.foreign.sourceId;
      if (taken.count(id) != 0) continue;
      const bool picked = choice.Empty() || Contains(choice.layers, title) || carries;
      if (std::optional<std::string> why = NotAPiece(doc, id, moduleLayer)) {
        pick.passed.push_back({label, *why});
      } else if (!picked) {
        pick.passed.push_back({label, "not picked"});
      } else {
        pick.pieces.push_back({id, label});
      }
    }
  }
  if (!choice.classes.empty() && !classCarried) {
    std::string names;
    for (const std::string& name : choice.classes) names += (names.empty() ? "\"" : ", \"") + name + "\"";
    *error = "no art carries the class " + names;
    return std::nullopt;
  }
  return pick;
}

namespace {

// Nonzero winding of `polygon` around `p`.
bool Inside(const std::vector<geometry::FlatPoint>& polygon, geometry::Point p) {
  int winding = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const geometry::Point a = polygon[i].point;
    const geometry::Point b = polygon[(i + 1) % polygon.size()].point;
    const double side = geometry::Cross(b - a, p - a);
    if (a.y <= p.y && b.y > p.y && side > 0) ++winding;
    if (a.y > p.y && b.y <= p.y && side < 0) --winding;
  }
  return winding != 0;
}

}  // namespace

std::vector<std::string> EnclosingPieces(const Document& doc, const std::vector<Piece>& pieces) {
  constexpr double kContainmentFlatness = 0.1;  // points
  std::vector<std::optional<document::Rect>> bounds;
  for (const Piece& piece : pieces) bounds.push_back(doc.Bounds(piece.art));
  std::vector<std::string> enclosing(pieces.size());
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const auto* inner = doc.Segments(pieces[i].art);
    if (!bounds[i] || inner == nullptr || inner->empty()) continue;
    for (std::size_t j = 0; j < pieces.size() && enclosing[i].empty(); ++j) {
      const std::optional<document::Rect>& outer = bounds[j];
      // Bounds first: most pieces lie beside each other, and flattening
      // every pair would be quadratic in curves.
      if (j == i || !outer || bounds[i]->left < outer->left || bounds[i]->right > outer->right ||
          bounds[i]->bottom < outer->bottom || bounds[i]->top > outer->top) {
        continue;
      }
      const auto outline = geometry::FlattenPath({*doc.Segments(pieces[j].art), true}, kContainmentFlatness, 0.0);
      const auto holds = [&](const geometry::PathSegment& s) { return Inside(outline, s.anchor); };
      if (std::all_of(inner->begin(), inner->end(), holds)) enclosing[i] = pieces[j].label;
    }
  }
  return enclosing;
}

bool IsLocked(const Document& doc, ArtId art) {
  const document::Layer* layer = doc.FindLayer(doc.LayerOfArt(art));
  if (layer == nullptr || !layer->editable) return true;
  for (ArtId at = art; at; at = doc.ParentOf(at)) {
    if (doc.FindArt(at)->locked) return true;
  }
  return false;
}

ArtId FindById(const Document& doc, std::string_view id) {
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    for (ArtId art : doc.AllArtOfLayer(doc.LayerAt(i))) {
      if (doc.FindArt(art)->foreign.sourceId == id) return art;
    }
  }
  return {};
}

bool MakePositive(Document& doc, ArtId path) {
  const std::optional<double> area = doc.SignedArea(path);
  if (!area || *area >= 0.0) return false;
  return doc.ReversePath(path);
}

std::vector<ArtId> ArtOnLayer(const Document& doc, std::string_view layerTitle) {
  const document::LayerId layer = doc.FindLayerByTitle(layerTitle);
  if (!layer) return {};
  return doc.AllArtOfLayer(layer);
}

std::vector<ArtId> ClosedPathsOnLayer(const Document& doc, std::string_view layerTitle) {
  std::vector<ArtId> paths;
  for (ArtId id : ArtOnLayer(doc, layerTitle)) {
    const document::Art& art = *doc.FindArt(id);
    if (art.type == ArtType::kPath && art.closed) paths.push_back(id);
  }
  return paths;
}

int RemoveWorkLayers(Document& doc) {
  int removed = 0;
  for (std::string_view title : kWorkLayerTitles) {
    while (document::LayerId layer = doc.FindLayerByTitle(title)) {
      if (!doc.DeleteLayer(layer)) break;
      ++removed;
    }
  }
  return removed;
}

std::string LayerTitleOf(const Document& doc, ArtId art) {
  const document::Layer* layer = doc.FindLayer(doc.LayerOfArt(art));
  return layer != nullptr ? layer->title : std::string();
}

}  // namespace workbench::cli
