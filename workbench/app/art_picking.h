// What the selection tool picks: the objects under a click or touched by a
// rubber band, and how a pick changes the document's selection. Points are
// document points (y up).
#pragma once

#include <vector>

#include "workbench/document/document.h"

namespace workbench::app {

/// The objects the selection tool handles, topmost first: the art directly
/// inside each visible, unlocked layer's top group that is neither hidden
/// nor locked. A group or compound path is picked whole.
std::vector<document::ArtId> PickableArt(const document::Document& doc);

/// The topmost pickable object within `tolerance` points of `p`: a path's
/// outline, the inside of a filled closed path, or the box of a text or
/// image. Empty when nothing is there.
document::ArtId ArtAt(const document::Document& doc, geometry::Point p, double tolerance);

/// Every pickable object that the rectangle touches (some part of its
/// outline, or its box for text and images, lies inside), topmost first.
std::vector<document::ArtId> ArtInRect(const document::Document& doc, const document::Rect& band);

/// A click of the selection tool on `hit` (empty: on nothing). Without
/// `extend` the selection becomes `hit` alone; with it `hit` toggles and
/// the rest stays. True when the selection changed.
bool ClickSelect(document::Document& doc, document::ArtId hit, bool extend);

/// A rubber band over `touched`: the selection becomes those objects, or
/// with `extend` they are added to it. True when the selection changed.
bool BandSelect(document::Document& doc, const std::vector<document::ArtId>& touched, bool extend);

}  // namespace workbench::app
