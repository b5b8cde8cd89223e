#include "quorvane/geometry/construction.h"

#include <cmath>
#include <numbers>

#include "quorvane/geometry/direction.h"
#include "quorvane/geometry/line_intersection.h"

namespace quorvane::geometry {

Vec2 LeftNormal(Vec2 d) { return RotateVector(d, std::numbers::pi / 2.0); }

Vec2 MitredOffsetVertex(Vec2 prev, Vec2 v, Vec2 next, double distance) {
  const Vec2 dIn = v - prev;
  const Vec2 dOut = next - v;
  const Vec2 nIn = UnitVector(LeftNormal(dIn));
  if (!TurnsLeft(prev, v, next)) {
    const Vec2 nOut = UnitVector(LeftNormal(dOut));
    if (auto x = IntersectLines(prev + distance * nIn, dIn, next + distance * nOut, dOut)) return x->point;
  }
  return v + distance * nIn;
}

double DistanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 d = b - a;
  const double l2 = d.x * d.x + d.y * d.y;
  const Vec2 ap = p - a;
  const double t = Dot(ap, d);
  if (t < 0.0) return VectorLength(ap);
  if (t > l2) return Distance(p, b);
  return std::abs(ap.x * d.y - ap.y * d.x) / std::sqrt(l2);
}

std::optional<OutlineCrossing> CastOntoOutline(Vec2 from, Vec2 to, std::span<const OutlinePoint> outline,
                                               bool takeStart) {
  if (auto hit = IntersectSegmentWithOutline(from, to, outline, takeStart)) return hit;
  return IntersectSegmentWithOutlineTolerant(from, to, 0.0, outline, takeStart);
}

namespace {

// Appends vertices first..last of `outline` to `out`; nothing when first > last.
void Keep(Outline& out, std::span<const OutlinePoint> outline, int first, int last) {
  for (int i = first; i <= last; ++i) out.push_back(outline[static_cast<std::size_t>(i)]);
}

}  // namespace

Outline SpliceRun(std::span<const OutlinePoint> outline, int from, int to, std::span<const OutlinePoint> run) {
  Outline out;
  const auto keep = [&](int first, int last) { Keep(out, outline, first, last); };
  const int n = static_cast<int>(outline.size());
  out.reserve(static_cast<std::size_t>(CyclicIndex(to - from, n) + 1) + run.size());
  if (from < to) {
    keep(from, to);
    out.insert(out.end(), run.begin(), run.end());
  } else {
    keep(0, to);
    out.insert(out.end(), run.begin(), run.end());
    keep(from, n - 1);
  }
  return out;
}

Outline ReplaceRun(std::span<const OutlinePoint> outline, int first, int last, std::span<const OutlinePoint> run) {
  Outline out;
  const int n = static_cast<int>(outline.size());
  if (first <= last) {
    Keep(out, outline, 0, first - 1);
    out.insert(out.end(), run.begin(), run.end());
    Keep(out, outline, last + 1, n - 1);
  } else {
    Keep(out, outline, last + 1, first - 1);
    out.insert(out.end(), run.begin(), run.end());
  }
  return out;
}

}  // namespace quorvane::geometry
