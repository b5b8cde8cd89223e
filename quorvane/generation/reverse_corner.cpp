#include "quorvane/generation/reverse_corner.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <span>

#include "quorvane/geometry/construction.h"
#include "quorvane/geometry/direction.h"
#include "quorvane/geometry/line_intersection.h"
#include "quorvane/geometry/outline_intersection.h"
#include "quorvane/geometry/projection.h"

namespace quorvane::generation {

using geometry::OutlinePoint;
using geometry::Vec2;

std::optional<geometry::Outline> ReverseCornerOutline(const CommandInput& in, std::int32_t anchorNumber,
                                                      bool forward) {
  if (!in.HasAnchor(anchorNumber)) return std::nullopt;
  const std::span<const OutlinePoint> finishOutline = in.finish;
  const std::span<const OutlinePoint> marginOutline = in.margin;
  const int n = static_cast<int>(marginOutline.size());
  const auto vertex = [&](int k) { return marginOutline[static_cast<std::size_t>(k)]; };

  // The corner, and the directions of its two edges pointing out through it.
  // Where a curve meets the corner its handle gives the tangent; the
  // flattened neighbours stand in only where a handle sits on its anchor.
  const geometry::PathSegment& s = in.anchors[static_cast<std::size_t>(anchorNumber - 1)];
  const Vec2 anchor = s.p;
  const auto corner = geometry::NearestOutlinePoint(anchor, finishOutline);
  if (!corner) return std::nullopt;
  const auto neighbours = geometry::OutlineNeighbours(finishOutline, *corner);
  if (!neighbours) return std::nullopt;
  const Vec2 p = finishOutline[static_cast<std::size_t>(*corner)].p;
  Vec2 dPrev = p - neighbours->prev;
  Vec2 dNext = p - neighbours->next;
  if (s.out.x != s.p.x || s.out.y != s.p.y) dNext = anchor - s.out;
  if (s.in.x != s.p.x || s.in.y != s.p.y) dPrev = anchor - s.in;

  const auto cast = [&](Vec2 from, Vec2 direction, bool takeStart) {
    return geometry::IntersectSegmentWithOutline(from, p + geometry::kCastReach * geometry::UnitVector(direction), marginOutline,
                                                 takeStart);
  };
  const double quarterTurn = std::numbers::pi / 2.0;
  std::optional<geometry::OutlineCrossing> h1;
  std::optional<geometry::OutlineCrossing> h2;
  std::optional<geometry::LineCrossing> x;
  Vec2 fold;
  if (!forward) {
    h1 = cast(p, dNext, true);
    if (!h1) h1 = cast(p, geometry::RotateVector(dPrev, quarterTurn), true);
    if (!h1) return std::nullopt;
    h2 = cast(p, dPrev, false);
    if (!h2) return std::nullopt;
    // The allowance must also be found across the corner from H1.
    if (!cast(2.0 * p - h1->point, dPrev, false)) return std::nullopt;
    x = geometry::IntersectLines(h1->point, dPrev, h2->point, geometry::ReflectVector(dNext, dPrev));
    fold = dPrev;
  } else {
    h1 = cast(p, dNext, false);
    if (!h1) return std::nullopt;
    h2 = cast(p, dPrev, true);
    if (!h2) h2 = cast(p, geometry::RotateVector(dNext, -quarterTurn), true);
    if (!h2) return std::nullopt;
    if (!cast(2.0 * p - h2->point, dNext, false)) return std::nullopt;
    x = geometry::IntersectLines(h1->point, geometry::ReflectVector(dPrev, dNext), h2->point, dNext);
    fold = dNext;
  }
  if (!x) return std::nullopt;
  const Vec2 f0 = p - geometry::kCastReach * geometry::UnitVector(fold);
  const Vec2 f1 = p + geometry::kCastReach * geometry::UnitVector(fold);
  const double xDistance = geometry::DistanceToSegment(x->point, f0, f1);
  const int i1 = h1->index;
  const int i2 = h2->index;

  // Walk the strip away from the corner until it lies as far from the fold
  // line as X; Q is where it crosses that distance. The vertices passed
  // come back mirrored into the new corner.
  int stripCount = 0;
  bool found = false;
  Vec2 q;
  const int step = forward ? -1 : 1;
  const int first = forward ? i1 : i2;
  const int last = forward ? (i2 < i1 ? i2 + 1 : 1) : (i2 < i1 ? i1 - 1 : n - 1);
  double dW = 0.0;
  for (int k = first; forward ? k >= last : k <= last; k += step) {
    const Vec2 v = vertex(k).p;
    const double d = geometry::DistanceToSegment(v, f0, f1);
    if (d >= xDistance) {
      found = true;
      if (stripCount >= 1) {
        const Vec2 w = vertex(k - step).p;
        q = w + ((xDistance - dW) / (d - dW)) * (v - w);
      }
      break;
    }
    ++stripCount;
    dW = d;
  }

  const auto mirrored = [&](int k, bool useQ) {
    return OutlinePoint{geometry::ReflectPointAcrossLine(useQ ? q : vertex(k).p, p, f1), vertex(k).corner};
  };
  // The new corner: H1, the strip mirrored across the fold line, H2.
  geometry::Outline newCorner{OutlinePoint{h1->point, true}};
  if (!forward) {
    for (int j = stripCount - 1; j >= 0; --j) newCorner.push_back(mirrored(i2 + j, found && j == stripCount - 1));
  } else {
    const int top = i1 <= i2 ? i1 - 1 : i1;
    for (int j = 0; j < stripCount; ++j) newCorner.push_back(mirrored(top - j, found && j == stripCount - 1));
  }
  newCorner.push_back(OutlinePoint{h2->point, true});
  return geometry::ReplaceRun(in.margin, i1, i2, newCorner);
}

}  // namespace quorvane::generation
