#include "workbench/cli/pieces.h"

#include <sstream>

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
  std::vector<Piece> pieces;
  int number = 0;
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    const document::LayerId layer = doc.LayerAt(i);
    const bool skip = IsModuleLayer(doc.FindLayer(layer)->title);
    for (ArtId id : doc.AllArtOfLayer(layer)) {
      const document::Art& art = *doc.FindArt(id);
      if (art.type != ArtType::kPath || doc.TypeOf(art.parent) == ArtType::kCompoundPath) continue;
      ++number;
      if (skip || !art.closed || IsLocked(doc, id) || IsMarkedNotch(art)) continue;
      pieces.push_back({id, art.foreign.sourceId.empty() ? "#" + std::to_string(number) : art.foreign.sourceId});
    }
  }
  return pieces;
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
