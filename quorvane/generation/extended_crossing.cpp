#include "quorvane/generation/extended_crossing.h"

#include "quorvane/geometry/construction.h"
#include "quorvane/geometry/outline_intersection.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::generation {

using geometry::Vec2;

std::optional<geometry::Outline> ExtendedCrossingOutline(const CommandInput& in, std::int32_t anchorNumber) {
  const auto at = CornerAtAnchor(in, anchorNumber);
  if (!at) return std::nullopt;
  const Vec2 p = at->p;
  const Vec2 dPrev = at->PrevEdge();
  const Vec2 dNext = at->NextEdge();

  // Each edge line runs from the far end of its edge through the corner and
  // on beyond it, so the crossing nearest its start is the one past the
  // corner.
  const auto h1 = geometry::IntersectSegmentWithOutline(
      at->next, p + (geometry::kCastReach / geometry::VectorLength(dNext)) * dNext, in.margin, false);
  const auto h2 = geometry::IntersectSegmentWithOutline(
      at->prev, p + (geometry::kCastReach / geometry::VectorLength(dPrev)) * dPrev, in.margin, true);
  if (!h1 || !h2 || h1->index == h2->index) return std::nullopt;

  // The margin runs forward from H1 to H2 across the corner: everything
  // strictly between the vertex after H1 and the vertex before H2 goes, and
  // those two vertices move onto the crossings.
  geometry::Outline moved = in.margin;
  moved[static_cast<std::size_t>(h1->index)].p = h1->point;
  moved[static_cast<std::size_t>(h2->index)].p = h2->point;
  return geometry::SpliceRun(moved, h2->index, h1->index, {});
}

}  // namespace quorvane::generation
