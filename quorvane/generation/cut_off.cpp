#include "quorvane/generation/cut_off.h"

#include <numbers>
#include <span>

#include "quorvane/geometry/construction.h"
#include "quorvane/geometry/line_intersection.h"
#include "quorvane/geometry/outline_intersection.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::generation {

using geometry::OutlinePoint;
using geometry::Vec2;

std::optional<geometry::Outline> CutOffOutline(const CommandInput& in, std::int32_t anchorNumber, double width) {
  const std::span<const OutlinePoint> m = in.margin;
  const auto at = CornerAtAnchor(in, anchorNumber);
  if (!at) return std::nullopt;
  const Vec2 p = at->p;
  const Vec2 dPrev = at->PrevEdge();
  const Vec2 dNext = at->NextEdge();

  // Both edges offset outward by the width; dNext points back along the
  // edge after the corner, so its outward side is its right.
  const Vec2 a = p + width * geometry::UnitVector(geometry::RotateVector(dPrev, std::numbers::pi / 2.0));
  const Vec2 aNext = p + width * geometry::UnitVector(geometry::RotateVector(dNext, -std::numbers::pi / 2.0));
  const auto c0 = geometry::IntersectLines(a, dPrev, aNext, dNext);
  if (!c0) return std::nullopt;

  // The corner must lie inside the margin on both edge lines.
  if (!geometry::IntersectSegmentWithOutline(at->next, p + geometry::kCastReach * geometry::UnitVector(dNext), m, false) ||
      !geometry::IntersectSegmentWithOutline(at->prev, p + geometry::kCastReach * geometry::UnitVector(dPrev), m, true)) {
    return std::nullopt;
  }

  const Vec2 inner = c0->point;
  const auto h3 = geometry::IntersectSegmentWithOutline(inner, inner + geometry::kCastReach * geometry::UnitVector(dNext), m, false);
  const auto h4 = geometry::IntersectSegmentWithOutline(inner, inner + geometry::kCastReach * geometry::UnitVector(dPrev), m, false);
  if (!h3 || !h4) return std::nullopt;

  // Margin vertices from H3's to H4's, counted forward and cyclically, give
  // way to the notch.
  const OutlinePoint notch[] = {{h3->point}, {geometry::Midpoint(inner, h3->point)}, {inner},
                                {geometry::Midpoint(inner, h4->point)}, {h4->point}};
  return geometry::ReplaceRun(m, h3->index, h4->index, notch);
}

}  // namespace quorvane::generation
