#include "quorvane/generation/lapel.h"

#include <numbers>
#include <optional>
#include <vector>

#include "quorvane/geometry/construction.h"
#include "quorvane/geometry/direction.h"
#include "quorvane/geometry/line_intersection.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/outline_intersection.h"
#include "quorvane/geometry/path_run.h"

namespace quorvane::generation {

namespace {

using geometry::OutlinePoint;
using geometry::Vec2;

// A margin edge closer than this to the corner edge's direction gives no
// corner point of its own, in radians.
constexpr double kCornerParallelAngle = 0.5;

using geometry::CyclicIndex;
using geometry::LeftNormal;

// What both constructions work on. The second point's vertex of the
// finish line already stands on the exact curve point.
struct LapelInput {
  std::span<const OutlinePoint> finish;
  std::span<const OutlinePoint> margin;
  /// Finish-line vertices of the corner and of the second point.
  int corner = 0;
  int second = 0;
};

// Finish-line vertex j moved `depth` to the left (a mitre after a right
// turn).
Vec2 OffsetVertex(std::span<const OutlinePoint> f, int j, double depth) {
  const auto around = *geometry::OutlineNeighbours(f, j);
  return geometry::MitredOffsetVertex(around.prev, f[j].p, around.next, depth);
}

// A point of the doubled run, held on the segment from the finish line to
// an end point when the run folds back across it.
Vec2 Clamp(Vec2 x, Vec2 v, Vec2 endOuter, Vec2 endInner) {
  return geometry::IntersectSegments(x, v, endOuter, endInner) ? endOuter : x;
}

// The doubled stretch: from the second point forward to the corner when the
// second point lies before it, from the corner forward to the second point
// when it lies after it; each construction is the other's mirror image. The
// one before casts exactly first (CastOntoOutline), the one after with the
// tolerant test alone.
std::optional<geometry::Outline> DoubledStretch(const LapelInput& in, bool secondBefore) {
  const auto f = in.finish;
  geometry::Outline m(in.margin.begin(), in.margin.end());
  const int nF = static_cast<int>(f.size());
  const int nM = static_cast<int>(m.size());
  const std::span<const OutlinePoint> mc(m.data(), m.size());
  const Vec2 p = f[in.corner].p;
  const auto around = *geometry::OutlineNeighbours(f, in.corner);
  const Vec2 dA = p - around.prev;
  const Vec2 dB = around.next - p;
  const auto cast = [&](Vec2 from, Vec2 to, bool takeStart) {
    return secondBefore ? geometry::CastOntoOutline(from, to, mc, takeStart)
                        : geometry::IntersectSegmentWithOutlineTolerant(from, to, 0.0, mc, takeStart);
  };
  // The corner edge on the stretch's side; X and Y lie along it beyond the
  // corner, Z along its normal.
  const Vec2 dCorner = secondBefore ? dA : dB;

  auto hx = cast(p, secondBefore ? p + geometry::kCastReach * geometry::UnitVector(dA)
                                 : p - geometry::kCastReach * geometry::UnitVector(dB),
                 !secondBefore);
  const Vec2 p1 = secondBefore ? p - geometry::UnitVector(dB) : p + geometry::UnitVector(dA);
  auto hy = cast(p1, secondBefore ? p1 + geometry::kCastReach * geometry::UnitVector(dA)
                                  : p1 - geometry::kCastReach * geometry::UnitVector(dB),
                 !secondBefore);
  auto hz = cast(p, p + geometry::kCastReach * geometry::UnitVector(LeftNormal(dCorner)), true);
  if (!hx || !hy || !hz) return std::nullopt;
  const int iY = hy->index;
  const Vec2 e = m[CyclicIndex(secondBefore ? iY - 1 : iY + 1, nM)].p - m[iY].p;
  Vec2 k = m[iY].p;
  if (!geometry::TurnsLeft(around.prev, p, around.next) &&
      !geometry::IsParallel(secondBefore ? dA : e, secondBefore ? e : dB, kCornerParallelAngle)) {
    const auto x = secondBefore ? geometry::IntersectLines(m[hz->index].p, dA, m[iY].p, e)
                                : geometry::IntersectLines(m[iY].p, e, m[hz->index].p, dB);
    if (x) k = x->point;
  }
  const Vec2 t = k + geometry::ReflectVector(hx->point - k, dCorner);

  const Vec2 bp = f[in.second].p;
  const Vec2 n2 = secondBefore ? LeftNormal(f[CyclicIndex(in.second + 1, nF)].p - bp)
                               : LeftNormal(bp - f[CyclicIndex(in.second - 1, nF)].p);
  auto hb = cast(bp, bp + geometry::kCastReach * geometry::UnitVector(n2), secondBefore);
  if (!hb || hb->index == hx->index) return std::nullopt;
  m[hb->index].p = hb->point;
  const double depth = 2.0 * geometry::Distance(p, m[hz->index].p);
  const Vec2 bOuter = bp + depth * geometry::UnitVector(n2);

  // The finish line offset by the depth along the stretch, its ends on the
  // end lines (B to its outer point, the corner to T), and the corner's
  // points on the margin side.
  const int first = secondBefore ? in.second : in.corner;
  const int last = secondBefore ? in.corner : in.second;
  const Vec2 firstOuter = secondBefore ? bOuter : t;
  const Vec2 firstInner = secondBefore ? bp : p;
  const Vec2 lastOuter = secondBefore ? t : bOuter;
  const Vec2 lastInner = secondBefore ? p : bp;
  const Vec2 cornerPoints[] = {t, geometry::Midpoint(t, k), k, geometry::Midpoint(hx->point, k), hx->point};
  geometry::Outline run;
  if (!secondBefore) {
    for (auto q = std::rbegin(cornerPoints); q != std::rend(cornerPoints); ++q) run.push_back({*q, false});
  }
  const int count = CyclicIndex(last - first, nF) + 1;
  for (int i = 0; i < count; ++i) {
    const int j = CyclicIndex(first + i, nF);
    Vec2 x;
    if (j == first) {
      x = firstOuter;
    } else if (j == last) {
      x = lastOuter;
    } else {
      x = Clamp(Clamp(OffsetVertex(f, j, depth), f[j].p, firstOuter, firstInner), f[j].p, lastOuter, lastInner);
    }
    run.push_back({x, f[j].corner});
  }
  if (secondBefore) {
    for (Vec2 q : cornerPoints) run.push_back({q, false});
  }
  const int iX = hx->index;
  const int iB = hb->index;
  return secondBefore ? geometry::SpliceRun(mc, iX, iB, run) : geometry::SpliceRun(mc, iB, iX, run);
}

}  // namespace

std::optional<geometry::Outline> LapelOutline(const CommandInput& in, std::int32_t anchorNumber,
                                              std::int32_t segmentNumber, Vec2 secondPoint) {
  if (!in.HasAnchor(anchorNumber) || !in.HasAnchor(segmentNumber)) return std::nullopt;
  geometry::Outline f = in.finish;
  const auto corner = geometry::NearestOutlinePoint(in.anchors[static_cast<std::size_t>(anchorNumber - 1)].p, f);
  if (!corner) return std::nullopt;
  const auto second = geometry::NearestOutlinePoint(secondPoint, f);
  if (!second) return std::nullopt;
  // The doubled depth is measured from the exact second point.
  f[static_cast<std::size_t>(*second)].p = secondPoint;
  const LapelInput input{f, in.margin, *corner, *second};
  return DoubledStretch(input, geometry::IsForwardRunShorter(segmentNumber - 1, anchorNumber - 1, in.anchors));
}

}  // namespace quorvane::generation
