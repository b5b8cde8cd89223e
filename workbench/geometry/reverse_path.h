// Reversing the direction of host paths.
#pragma once

#include "path_data.h"

namespace workbench::geometry {

/// The same curves run the other way: anchors in reverse order, each
/// segment's in- and out-handles swapped, corner flags kept. Anchor i becomes
/// anchor n-1-i; a closed path's closing curve becomes the curve from the old
/// first anchor to the old last one, so every curve keeps its shape. The
/// signed area changes sign.
PathData ReversePath(const PathData& path);

}  // namespace workbench::geometry
