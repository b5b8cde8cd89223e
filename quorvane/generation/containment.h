// Whether one closed path lies inside another, judged on sampled outlines
// with a small slack, so that a path touching the other's outline from
// inside still counts as inside.
#pragma once

#include <span>
#include <vector>

#include "quorvane/generation/curve_fit.h"
#include "quorvane/geometry/vec2.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// The cubic pieces of a closed path, the closing piece (last anchor back
/// to the first) included.
std::vector<BezierPiece> ClosedPathPieces(std::span<const host::PathSegment> segments);

/// Whether every point of `inner` lies inside the closed polygon `outer`
/// (crossing rule) or within `slack` points of one of its edges.
bool PolylineInsidePolygon(std::span<const geometry::Vec2> inner, std::span<const geometry::Vec2> outer, double slack);

/// Whether the closed path with segments `a` lies inside the one with
/// segments `b`: both sampled at 128 points a piece, within 2 pt slack. Paths
/// whose control-point boxes do not overlap are never inside.
bool SegmentsInside(std::span<const host::PathSegment> a, std::span<const host::PathSegment> b);

/// SegmentsInside on two path arts of the document; false when either
/// cannot be read.
bool PathInsidePath(host::HostDocument& doc, host::ArtRef a, host::ArtRef b);

}  // namespace quorvane::generation
