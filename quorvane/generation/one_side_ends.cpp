#include "quorvane/generation/one_side_ends.h"

#include <algorithm>
#include <numbers>

#include "quorvane/geometry/outline_intersection.h"

namespace quorvane::generation {

namespace {

using geometry::OutlinePoint;
using geometry::Vec2;

// Casts start this far from their origin, in points.
constexpr double kCastStartOffset = 1.0;
// How many casts a search makes, how many of them step to the left of the
// first direction before the search turns to the right, and the step, in
// points.
constexpr int kSearchCasts = 30;
constexpr int kLeftCasts = 15;
constexpr double kSideStep = 0.1;

// Casts from s0 to e0, and on a miss from lines shifted sideways by u: 0.1,
// 0.2, ... 1.5 points, then -0.1 ... -1.4 points.
std::optional<geometry::OutlineCrossing> SearchSideways(Vec2 s0, Vec2 e0, Vec2 u,
                                                        std::span<const OutlinePoint> outline) {
  Vec2 s = s0;
  Vec2 e = e0;
  for (int k = 0; k < kSearchCasts; ++k) {
    if (auto hit = geometry::IntersectSegmentWithOutline(s, e, outline, true)) return hit;
    if (k == kLeftCasts) {
      s = s0;
      e = e0;
    }
    const double side = k < kLeftCasts ? kSideStep : -kSideStep;
    s = s + side * u;
    e = e + side * u;
  }
  return std::nullopt;
}

}  // namespace

StraightenedEnd StraightenOneSideEnd(std::span<const OutlinePoint> margin, Vec2 corner, Vec2 joined, Vec2 along,
                                     double sigma, float width) {
  StraightenedEnd out;
  const double length = static_cast<double>(width) + kOneSideOversize;
  const Vec2 v = geometry::UnitVector(joined - corner);
  const Vec2 u = geometry::UnitVector(geometry::RotateVector(joined - corner, std::numbers::pi / 2.0));
  auto first = SearchSideways(joined + kCastStartOffset * v, joined + length * v, u, margin);
  if (!first) return out;
  out.crossings[out.crossingCount++] = first->point;
  const Vec2 c = first->point;
  const Vec2 d = geometry::UnitVector(along);
  auto second = SearchSideways(c + sigma * kCastStartOffset * d, c + sigma * length * d, u, margin);
  if (!second) return out;
  out.crossings[out.crossingCount++] = second->point;

  const int s = static_cast<int>(margin.size());
  const int i1 = first->index;
  const int i2 = second->index == 0 ? s : second->index;
  const int lo = std::min(i1, i2);
  const int hi = std::max(i1, i2);
  // The vertices between the crossings collapse onto the first of them.
  geometry::Outline m(margin.begin(), margin.end());
  for (int j = lo + 1; j <= hi - 1; ++j) m[static_cast<std::size_t>(j)].p = m[static_cast<std::size_t>(j - 1)].p;
  out.margin = std::move(m);
  return out;
}

}  // namespace quorvane::generation
