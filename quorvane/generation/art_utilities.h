// Small operations on the document's art and selection that the driver, the
// margin builders and the panel share.
#pragma once

#include <optional>

#include "quorvane/geometry/vec2.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// Deselects the art of every layer of the document.
QvErr DeselectAllArt(host::HostDocument& doc);

/// Of all path art on the layer, the one with the most segments; the first
/// found (from the top) on ties. None when the layer holds no path or it
/// cannot be read.
std::optional<host::ArtRef> FindLargestPath(host::HostDocument& doc, host::LayerRef layer);

/// Deselects art on every layer, then selects all (unlocked) art of `layer`.
QvErr SelectOnlyLayerArt(host::HostDocument& doc, host::LayerRef layer);

/// Deselects art on every layer, then selects `art`.
QvErr SelectOnlyArt(host::HostDocument& doc, host::ArtRef art);

/// Reverses the path's segment order when its signed area is negative, so
/// that it runs with the enclosed area on its right (clockwise, y up) and
/// its left-hand normal points out.
QvErr MakeOrientationPositive(host::HostDocument& doc, host::ArtRef path);

/// The midpoint of the art's bounds, in points; (0, 0) when the bounds
/// cannot be read.
geometry::Vec2 ArtBoundsCenter(host::HostDocument& doc, host::ArtRef art);

}  // namespace quorvane::generation
