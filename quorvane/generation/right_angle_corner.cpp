#include "quorvane/generation/right_angle_corner.h"

#include <numbers>

#include "quorvane/geometry/construction.h"
#include "quorvane/geometry/line_intersection.h"
#include "quorvane/geometry/outline_intersection.h"

namespace quorvane::generation {

using geometry::OutlinePoint;
using geometry::Vec2;

std::optional<geometry::Outline> RightAngleCornerOutline(const CommandInput& in, std::int32_t anchorNumber,
                                                         bool forward) {
  const auto at = CornerAtAnchor(in, anchorNumber);
  if (!at) return std::nullopt;
  const Vec2 p = at->p;
  const Vec2 dPrev = at->PrevEdge();
  const Vec2 dNext = at->NextEdge();

  // Each edge carried on beyond the corner crosses the allowance of the
  // other edge; the crossing nearest to the edge's own vertex is where it
  // leaves the allowance.
  const auto h1 = geometry::IntersectSegmentWithOutline(at->next, p + geometry::kCastReach * geometry::UnitVector(dNext),
                                                        in.margin, false);
  if (!h1) return std::nullopt;
  const auto h2 = geometry::IntersectSegmentWithOutline(at->prev, p + geometry::kCastReach * geometry::UnitVector(dPrev),
                                                        in.margin, true);
  if (!h2) return std::nullopt;

  const double quarterTurn = std::numbers::pi / 2.0;
  const auto c = forward ? geometry::IntersectLines(h1->point, geometry::RotateVector(dNext, -quarterTurn), h2->point,
                                                    dNext)
                         : geometry::IntersectLines(h1->point, dPrev, h2->point,
                                                    geometry::RotateVector(dPrev, -quarterTurn));
  if (!c) return std::nullopt;
  const OutlinePoint newCorner[] = {{h1->point, true},
                                    {geometry::Midpoint(c->point, h1->point), false},
                                    {c->point, true},
                                    {geometry::Midpoint(c->point, h2->point), false},
                                    {h2->point, true}};
  return geometry::ReplaceRun(in.margin, h1->index, h2->index, newCorner);
}

}  // namespace quorvane::generation
