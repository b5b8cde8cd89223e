#include "workbench/app/art_editing.h"

#include "sdk/transform_art_suite.h"
#include "workbench/plugin/geometry_actions.h"

namespace workbench::app {

using document::ArtId;
using document::Document;

bool IsEditable(const Document& doc, ArtId art) {
  const document::Layer* layer = doc.FindLayer(doc.LayerOfArt(art));
  if (layer == nullptr || !layer->editable) return false;
  for (ArtId at = art; at; at = doc.ParentOf(at)) {
    const document::Art* a = doc.FindArt(at);
    if (a == nullptr || a->locked) return false;
  }
  return true;
}

std::vector<ArtId> EditableSelection(const Document& doc) {
  std::vector<ArtId> taken;
  for (ArtId art : doc.SelectedArt()) {
    const document::Art* parent = doc.FindArt(doc.ParentOf(art));
    if (parent != nullptr && parent->selected && parent->parent) continue;
    if (IsEditable(doc, art)) taken.push_back(art);
  }
  return taken;
}

bool DeleteArt(Document& doc, const std::vector<ArtId>& art) {
  bool deleted = false;
  for (ArtId a : art) deleted = doc.Dispose(a) || deleted;
  return deleted;
}

bool MoveArt(Document& doc, const std::vector<ArtId>& art, geometry::Point delta) {
  if (art.empty() || (delta.x == 0.0 && delta.y == 0.0)) return false;
  const document::AffineMatrix by = document::AffineMatrix::Translate(delta.x, delta.y);
  for (ArtId a : art) plugin::TransformArtTree(doc, a, by, 1.0, kQvTransformObjects);
  return true;
}

bool SelectAllOfLayer(Document& doc, document::LayerId layer) {
  const document::Layer* found = doc.FindLayer(layer);
  if (found == nullptr) return false;
  // Nothing is touched when the selection is already the layer's art, so
  // that no empty step is recorded.
  const std::vector<ArtId> elsewhere = [&] {
    std::vector<ArtId> art;
    for (ArtId a : EditableSelection(doc)) {
      if (doc.LayerOfArt(a) != layer) art.push_back(a);
    }
    return art;
  }();
  bool missing = false;
  if (found->editable) {
    for (ArtId a : doc.AllArtOfLayer(layer)) missing = missing || (!doc.FindArt(a)->selected && IsEditable(doc, a));
  }
  if (!missing && elsewhere.empty()) return false;
  for (ArtId a : elsewhere) doc.SetSelected(a, false);
  if (missing) doc.SelectAllOnLayer(layer);
  return true;
}

bool DeselectEditable(Document& doc) {
  const std::vector<ArtId> taken = EditableSelection(doc);
  for (ArtId art : taken) doc.SetSelected(art, false);
  return !taken.empty();
}

}  // namespace workbench::app
