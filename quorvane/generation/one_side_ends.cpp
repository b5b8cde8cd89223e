#include "quorvane/generation/one_side_ends.h"

#include <algorithm>
#include <numbers>
#include <optional>

#include "quorvane/generation/outline_reader.h"
#include "quorvane/generation/result_outline.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/outline_intersection.h"

namespace quorvane::generation {

namespace {

using geometry::OutlinePoint;
using geometry::Vec2;

// Every cast is this much longer than the width's number, in points.
constexpr double kCastExtra = 100.0;
// Casts start this far from their origin, in points.
constexpr double kCastStartOffset = 1.0;
// How many casts a search makes, how many of them step to the left of the
// first direction before the search turns to the right, and the step, in
// points.
constexpr int kSearchCasts = 30;
constexpr int kLeftCasts = 15;
constexpr double kSideStep = 0.1;

constexpr std::uint32_t kStartRecorded = 1;
constexpr std::uint32_t kEndRecorded = 2;

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

// Straightens the margin at one recorded end: p the corner, h the margin
// vertex the run joined there, d the finish line's direction at the end,
// sigma -1 to look backward along it (start) or +1 forward (end). The two
// crossings go into found[0] and found[1]. False when the follow-up must
// stop.
bool TreatEnd(host::HostDocument& doc, RunState& state, Vec2 p, Vec2 h, Vec2 d, double sigma, Vec2* found) {
  auto margin = ReadOutline(doc, state.resultArt);
  if (!margin) return false;
  margin->segments = {};  // only the outline is needed
  host::ScratchArray<OutlinePoint>& m = margin->outline;
  const std::span<const OutlinePoint> view(m.Data(), m.Size());
  const int s = static_cast<int>(m.Size());
  const double length = static_cast<double>(state.oneSideEnds.width) + kCastExtra;

  const Vec2 v = geometry::UnitVector(h - p);
  const Vec2 u = geometry::UnitVector(geometry::RotateVector(h - p, std::numbers::pi / 2.0));
  auto first = SearchSideways(h + kCastStartOffset * v, h + length * v, u, view);
  if (!first) return false;
  found[0] = first->point;
  const Vec2 c = first->point;
  const Vec2 along = geometry::UnitVector(d);
  auto second = SearchSideways(c + sigma * kCastStartOffset * along, c + sigma * length * along, u, view);
  if (!second) return false;
  found[1] = second->point;

  const int i1 = first->index;
  const int i2 = second->index == 0 ? s : second->index;
  const int lo = std::min(i1, i2);
  const int hi = std::max(i1, i2);
  // The vertices between the crossings collapse onto the first of them.
  for (int j = lo + 1; j <= hi - 1; ++j) m[j].p = m[j - 1].p;

  auto result = BuildResultOutline(doc, state, view, false);
  state.resultArt = result.value_or(host::ArtRef{});
  return result.has_value();
}

}  // namespace

void FinishOneSideEnds(host::HostDocument& doc, RunState& state) {
  OneSideEndRecords& records = state.oneSideEnds;
  if (!records.pending) return;
  records.pending = false;
  Vec2* pts = records.points;
  if (records.mask == kStartRecorded || records.mask == (kStartRecorded | kEndRecorded)) {
    if (!TreatEnd(doc, state, pts[0], pts[1], pts[4], -1.0, &pts[2])) return;
  }
  if (records.mask == kEndRecorded || records.mask == (kStartRecorded | kEndRecorded)) {
    if (!TreatEnd(doc, state, pts[5], pts[6], pts[9], +1.0, &pts[7])) return;
  }
  records.mask = 0;
}

}  // namespace quorvane::generation
