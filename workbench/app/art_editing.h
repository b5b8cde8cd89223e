// What the app's own editing commands act on and how: deleting and moving
// the selection, selecting a layer's art. Locked art, art inside locked art
// and art of locked layers are never touched. Points are document points
// (y up).
#pragma once

#include <vector>

#include "workbench/document/document.h"
#include "workbench/geometry/point.h"

namespace workbench::app {

/// Whether the user may change `art`: it exists, neither it nor any group
/// holding it is locked, and its layer is not locked.
bool IsEditable(const document::Document& doc, document::ArtId art);

/// The selected objects the editing commands act on, topmost first: each
/// selected, editable art whose parent is not itself selected (a selected
/// group is taken whole, not child by child).
std::vector<document::ArtId> EditableSelection(const document::Document& doc);

/// Removes `art`. True when anything was removed.
bool DeleteArt(document::Document& doc, const std::vector<document::ArtId>& art);

/// Moves `art` (with everything inside it) by `delta`. True when anything
/// moved.
bool MoveArt(document::Document& doc, const std::vector<document::ArtId>& art, geometry::Point delta);

/// Makes the selection every unlocked art of `layer` (none when the layer
/// is locked); art of other layers is deselected unless it is locked or on
/// a locked layer. True when the selection changed.
bool SelectAllOfLayer(document::Document& doc, document::LayerId layer);

/// Deselects every editable art. True when the selection changed.
bool DeselectEditable(document::Document& doc);

}  // namespace workbench::app
