#include "quorvane/generation/lapel.h"

#include <numbers>
#include <optional>
#include <vector>

#include "quorvane/generation/outline_reader.h"
#include "quorvane/generation/result_outline.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/geometry/direction.h"
#include "quorvane/geometry/line_intersection.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/outline_intersection.h"
#include "quorvane/geometry/path_run.h"

namespace quorvane::generation {

namespace {

using geometry::OutlineCrossing;
using geometry::OutlinePoint;
using geometry::Vec2;

// How far every cast looks for the margin, in points.
constexpr double kCastLength = 500.0;
// A margin edge closer than this to the corner edge's direction gives no
// corner point of its own, in radians.
constexpr double kCornerParallelAngle = 0.5;

Vec2 LeftNormal(Vec2 d) { return geometry::RotateVector(d, std::numbers::pi / 2.0); }

// What both constructions work on. The second point's vertex of the
// finish line already stands on the exact curve point.
struct LapelInput {
  std::span<const OutlinePoint> f;
  std::span<OutlinePoint> m;
  int c = 0;
  int b = 0;
};

// Casts of the construction for a second point before the corner. A cast
// along an axis has a bounding box of zero height (or width), and the
// exact crossing test misses an edge it plainly crosses whenever the
// crossing rounds off the cast's line; only then the tolerant test decides.
std::optional<OutlineCrossing> CastExact(Vec2 from, Vec2 to, std::span<const OutlinePoint> m, bool takeStart) {
  if (auto hit = geometry::IntersectSegmentWithOutline(from, to, m, takeStart)) return hit;
  return geometry::IntersectSegmentWithOutlineTolerant(from, to, 0.0, m, takeStart);
}

std::optional<OutlineCrossing> CastTolerant(Vec2 from, Vec2 to, std::span<const OutlinePoint> m, bool takeStart) {
  return geometry::IntersectSegmentWithOutlineTolerant(from, to, 0.0, m, takeStart);
}

// Finish-line vertex j moved `depth` to the left: the mitre of its two
// edges moved after a right turn, a plain shift along the arriving edge's
// normal otherwise.
Vec2 OffsetVertex(std::span<const OutlinePoint> f, int j, double depth) {
  const auto around = *geometry::OutlineNeighbours(f, j);
  const Vec2 v = f[j].p;
  const Vec2 dp = v - around.prev;
  const Vec2 dn = around.next - v;
  const Vec2 np = geometry::UnitVector(LeftNormal(dp));
  if (!geometry::TurnsLeft(around.prev, v, around.next)) {
    const Vec2 nn = geometry::UnitVector(LeftNormal(dn));
    if (auto x = geometry::IntersectLines(around.prev + depth * np, dp, around.next + depth * nn, dn)) return x->point;
  }
  return v + depth * np;
}

// A point of the doubled run, held on the segment from the finish line to
// an end point when the run folds back across it.
Vec2 Clamp(Vec2 x, Vec2 v, Vec2 endOuter, Vec2 endInner) {
  return geometry::IntersectSegments(x, v, endOuter, endInner) ? endOuter : x;
}

int Wrap(int i, int n) { return ((i % n) + n) % n; }

// The new outline, in a block of the host's allocator sized up front.
class OutlineSink {
 public:
  explicit OutlineSink(host::HostDocument& doc) : doc_(doc) {}
  bool Allocate(int count) {
    auto array = doc_.AllocateArray<OutlinePoint>(static_cast<std::size_t>(count));
    if (!array) return false;
    points_ = std::move(*array);
    return true;
  }
  void push_back(OutlinePoint p) {
    if (size_ < points_.Size()) points_[size_++] = p;
  }
  std::span<const OutlinePoint> Points() const { return {points_.Data(), size_}; }

 private:
  host::HostDocument& doc_;
  host::ScratchArray<OutlinePoint> points_;
  std::size_t size_ = 0;
};

// The stretch from the second point forward to the corner is doubled.
bool SecondPointBefore(const LapelInput& in, OutlineSink& out) {
  const auto f = in.f;
  const auto m = in.m;
  const int nF = static_cast<int>(f.size());
  const int nM = static_cast<int>(m.size());
  const std::span<const OutlinePoint> mc(m.data(), m.size());
  const Vec2 p = f[in.c].p;
  const auto around = *geometry::OutlineNeighbours(f, in.c);
  const Vec2 dA = p - around.prev;
  const Vec2 dB = around.next - p;

  auto hx = CastExact(p, p + kCastLength * geometry::UnitVector(dA), mc, false);
  const Vec2 p1 = p - geometry::UnitVector(dB);
  auto hy = CastExact(p1, p1 + kCastLength * geometry::UnitVector(dA), mc, false);
  auto hz = CastExact(p, p + kCastLength * geometry::UnitVector(LeftNormal(dA)), mc, true);
  if (!hx || !hy || !hz) return false;
  const int iY = hy->index;
  const Vec2 e = m[Wrap(iY - 1, nM)].p - m[iY].p;
  Vec2 k = m[iY].p;
  if (!geometry::TurnsLeft(around.prev, p, around.next) && !geometry::IsParallel(dA, e, kCornerParallelAngle)) {
    if (auto x = geometry::IntersectLines(m[hz->index].p, dA, m[iY].p, e)) k = x->point;
  }
  const Vec2 t = k + geometry::ReflectVector(hx->point - k, dA);

  const Vec2 bp = f[in.b].p;
  const Vec2 n2 = LeftNormal(f[Wrap(in.b + 1, nF)].p - bp);
  auto hb = CastExact(bp, bp + kCastLength * geometry::UnitVector(n2), mc, true);
  if (!hb || hb->index == hx->index) return false;
  m[hb->index].p = hb->point;
  const double depth = 2.0 * geometry::Distance(p, m[hz->index].p);
  const Vec2 bOuter = bp + depth * geometry::UnitVector(n2);

  const int iX = hx->index;
  const int iB = hb->index;
  auto keep = [&](int from, int to) {
    for (int i = from; i <= to; ++i) out.push_back(m[i]);
  };
  auto run = [&] {
    const int count = Wrap(in.c - in.b, nF) + 1;
    for (int i = 0; i < count; ++i) {
      const int j = Wrap(in.b + i, nF);
      Vec2 x;
      if (j == in.b) {
        x = bOuter;
      } else if (j == in.c) {
        x = t;
      } else {
        x = Clamp(Clamp(OffsetVertex(f, j, depth), f[j].p, bOuter, bp), f[j].p, t, p);
      }
      out.push_back({x, f[j].corner});
    }
    for (Vec2 q : {t, geometry::Midpoint(t, k), k, geometry::Midpoint(hx->point, k), hx->point}) {
      out.push_back({q, false});
    }
  };
  const int runCount = Wrap(in.c - in.b, nF) + 6;
  if (!out.Allocate(iX < iB ? iB - iX + 1 + runCount : iB + 1 + runCount + nM - iX)) return false;
  if (iX < iB) {
    keep(iX, iB);
    run();
  } else {
    keep(0, iB);
    run();
    keep(iX, nM - 1);
  }
  return true;
}

// The stretch from the corner forward to the second point is doubled: the
// mirror image of SecondPointBefore.
bool SecondPointAfter(const LapelInput& in, OutlineSink& out) {
  const auto f = in.f;
  const auto m = in.m;
  const int nF = static_cast<int>(f.size());
  const int nM = static_cast<int>(m.size());
  const std::span<const OutlinePoint> mc(m.data(), m.size());
  const Vec2 p = f[in.c].p;
  const auto around = *geometry::OutlineNeighbours(f, in.c);
  const Vec2 dA = p - around.prev;
  const Vec2 dB = around.next - p;

  auto hx = CastTolerant(p, p - kCastLength * geometry::UnitVector(dB), mc, true);
  const Vec2 p1 = p + geometry::UnitVector(dA);
  auto hy = CastTolerant(p1, p1 - kCastLength * geometry::UnitVector(dB), mc, true);
  auto hz = CastTolerant(p, p + kCastLength * geometry::UnitVector(LeftNormal(dB)), mc, true);
  if (!hx || !hy || !hz) return false;
  const int iY = hy->index;
  const Vec2 e = m[Wrap(iY + 1, nM)].p - m[iY].p;
  Vec2 k = m[iY].p;
  if (!geometry::TurnsLeft(around.prev, p, around.next) && !geometry::IsParallel(e, dB, kCornerParallelAngle)) {
    if (auto x = geometry::IntersectLines(m[iY].p, e, m[hz->index].p, dB)) k = x->point;
  }
  const Vec2 t = k + geometry::ReflectVector(hx->point - k, dB);

  const Vec2 bp = f[in.b].p;
  const Vec2 n2 = LeftNormal(bp - f[Wrap(in.b - 1, nF)].p);
  auto hb = CastTolerant(bp, bp + kCastLength * geometry::UnitVector(n2), mc, false);
  if (!hb || hb->index == hx->index) return false;
  m[hb->index].p = hb->point;
  const double depth = 2.0 * geometry::Distance(p, m[hz->index].p);
  const Vec2 bOuter = bp + depth * geometry::UnitVector(n2);

  const int iX = hx->index;
  const int iB = hb->index;
  auto keep = [&](int from, int to) {
    for (int i = from; i <= to; ++i) out.push_back(m[i]);
  };
  auto run = [&] {
    for (Vec2 q : {hx->point, geometry::Midpoint(hx->point, k), k, geometry::Midpoint(t, k), t}) {
      out.push_back({q, false});
    }
    const int count = Wrap(in.b - in.c, nF) + 1;
    for (int i = 0; i < count; ++i) {
      const int j = Wrap(in.c + i, nF);
      Vec2 x;
      if (j == in.c) {
        x = t;
      } else if (j == in.b) {
        x = bOuter;
      } else {
        x = Clamp(Clamp(OffsetVertex(f, j, depth), f[j].p, t, p), f[j].p, bOuter, bp);
      }
      out.push_back({x, f[j].corner});
    }
  };
  const int runCount = Wrap(in.b - in.c, nF) + 6;
  if (!out.Allocate(iB < iX ? iX - iB + 1 + runCount : iX + 1 + runCount + nM - iB)) return false;
  if (iB < iX) {
    keep(iB, iX);
    run();
  } else {
    keep(0, iX);
    run();
    keep(iB, nM - 1);
  }
  return true;
}

}  // namespace

bool Lapel(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, std::int32_t segmentNumber,
           double t) {
  if (anchorNumber <= 0 || segmentNumber <= 0 || !state.sourcePath || !state.resultArt) return false;
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return false;
  state.workLayer2 = *layer;

  auto finish = ReadOutline(doc, state.sourcePath);
  if (!finish) return false;
  const int count = finish->SegmentCount();
  if (anchorNumber > count || segmentNumber > count) return false;
  auto margin = ReadOutline(doc, state.resultArt);
  if (!margin) return false;
  host::ScratchArray<OutlinePoint>& f = finish->outline;
  const std::span<const OutlinePoint> fc(f.Data(), f.Size());

  const QvRealPoint anchor = finish->segments[anchorNumber - 1].p;
  const int c = NearestOutlineVertex({anchor.h, anchor.v}, fc);
  if (c < 0) return false;
  auto bezier = doc.Bezier(state.sourcePath, segmentNumber - 1);
  if (!bezier) return false;
  auto exact = doc.BezierPoint(*bezier, t);
  if (!exact) return false;
  auto b = geometry::NearestOutlinePoint({exact->h, exact->v}, fc);
  if (!b) return false;
  // The doubled depth is measured from the exact second point.
  f[*b].p = {exact->h, exact->v};

  std::vector<geometry::PathSegment> anchors;
  anchors.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const host::PathSegment& s = finish->segments[i];
    anchors.push_back({{s.p.h, s.p.v}, {s.in.h, s.in.v}, {s.out.h, s.out.v}, s.corner != 0});
  }
  const LapelInput input{fc, {margin->outline.Data(), margin->outline.Size()}, c, *b};
  OutlineSink outline(doc);
  const bool built = geometry::IsForwardRunShorter(segmentNumber - 1, anchorNumber - 1, anchors)
                         ? SecondPointBefore(input, outline)
                         : SecondPointAfter(input, outline);
  if (!built) return false;

  auto result = BuildResultOutline(doc, state, outline.Points(), true);
  state.resultArt = result.value_or(host::ArtRef{});
  return result.has_value();
}

}  // namespace quorvane::generation
