#include "quorvane/generation/extend_one_side.h"

#include <algorithm>
#include <numbers>
#include <optional>
#include <vector>

#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/basic_seam_margin.h"
#include "quorvane/generation/one_side_ends.h"
#include "quorvane/generation/outline_reader.h"
#include "quorvane/generation/result_outline.h"
#include "quorvane/generation/scratch_outline.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/geometry/construction.h"
#include "quorvane/geometry/direction.h"
#include "quorvane/geometry/line_intersection.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/outline_intersection.h"

namespace quorvane::generation {

namespace {

using geometry::OutlinePoint;
using geometry::Vec2;

// How far beyond the command's width the new allowance first reaches; the
// widened margin trims it back. Points.
constexpr double kOversize = 100.0;
// Edges closer than this to parallel at an end make it neither convex nor
// concave, in radians.
constexpr double kStraightEndAngle = 0.25;
// How much deeper than the basic width the inset base path lies, in points.
constexpr double kInsetSlack = 0.1;

using geometry::LeftNormal;

// How the finish line turns at one vertex, with the edges around it.
struct VertexTurn {
  Vec2 prev;
  Vec2 v;
  Vec2 next;
  Vec2 dIn;   // v − prev
  Vec2 dOut;  // next − v
  bool straight = false;  // the edges within kStraightEndAngle of parallel
  bool concave = false;   // a left turn that is not straight
};

VertexTurn TurnAt(std::span<const OutlinePoint> outline, int i) {
  const auto around = *geometry::OutlineNeighbours(outline, i);
  VertexTurn c{around.prev, outline[i].p, around.next, outline[i].p - around.prev, around.next - outline[i].p};
  c.straight = geometry::IsParallel(c.dIn, c.dOut, kStraightEndAngle);
  c.concave = !c.straight && geometry::TurnsLeft(c.prev, c.v, c.next);
  return c;
}

// A copy of the finish line inset into the piece, made by the Offset Path
// action on Work Layer 2. The copy is told apart from the margin and from
// the action's input by comparing the layer's art before and after the
// action: whatever is new there is the action's. It is read once and then
// disposed of at once, before the new allowance is united with the layer,
// so that it never takes part in the union (which would consume it, or
// drop it as lying inside the margin); the destructor disposes of it on
// every other way out. Either way it is disposed of exactly once.
class InsetBasePath {
 public:
  InsetBasePath(host::HostDocument& doc, const RunState& state, double distance) : doc_(doc) {
    auto group = doc.LayerGroup(state.workLayer2);
    if (!group) return;
    auto before = doc.Children(*group);
    if (!before) return;
    auto copy = doc.Duplicate(state.sourcePath, host::PaintOrder::kInsideOnTop, *group);
    if (!copy) return;
    DeselectAllArt(doc);
    doc.SetSelected(*copy, true);
    if (state.resultArt) doc.SetSelected(state.resultArt, false);
    const QvErr err = PlayOffsetAction(doc, distance);
    if (err == kQvNoErr) {
      if (auto after = doc.Children(*group)) {
        for (host::ArtRef art : *after) {
          if (art != *copy && std::find(before->begin(), before->end(), art) == before->end()) made_.push_back(art);
        }
      }
    }
    doc.Dispose(*copy);
  }
  InsetBasePath(const InsetBasePath&) = delete;
  InsetBasePath& operator=(const InsetBasePath&) = delete;
  ~InsetBasePath() { DisposeNow(); }

  /// The inset path with the most segments; none when the action failed.
  std::optional<host::ArtRef> Path() const {
    std::optional<host::ArtRef> best;
    int most = -1;
    for (host::ArtRef art : made_) {
      if (doc_.ArtType(art) != kQvPathArt) continue;
      auto count = doc_.SegmentCount(art);
      if (count && *count > most) {
        most = *count;
        best = art;
      }
    }
    return best;
  }

  void DisposeNow() {
    for (host::ArtRef art : made_) doc_.Dispose(art);
    made_.clear();
  }

 private:
  host::HostDocument& doc_;
  std::vector<host::ArtRef> made_;
};

}  // namespace

bool ExtendOneSide(host::HostDocument& doc, RunState& state, std::int32_t firstAnchor, std::int32_t secondAnchor,
                   float width) {
  if (firstAnchor < 1 || secondAnchor < 1 || !state.sourcePath || !state.resultArt) return false;
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return false;
  state.workLayer2 = *layer;
  const double w = static_cast<double>(width) * state.pointsPerUnit;
  const double basic = static_cast<double>(state.basicWidth) * state.pointsPerUnit;
  const double reach = w + kOversize;
  state.oneSideEnds.width = width;

  auto sourceSegments = doc.Segments(state.sourcePath);
  if (!sourceSegments) return false;
  const int count = static_cast<int>(sourceSegments->size());
  if (firstAnchor > count || secondAnchor > count) return false;
  const Vec2 anchorA{(*sourceSegments)[firstAnchor - 1].p.h, (*sourceSegments)[firstAnchor - 1].p.v};
  const Vec2 anchorB{(*sourceSegments)[secondAnchor - 1].p.h, (*sourceSegments)[secondAnchor - 1].p.v};

  // Without a basic allowance the margin lies on the finish line or inside
  // it. The run is then built beside a copy inset 0.1 pt deeper than the
  // margin, so that the junction casts start inside the margin and cross it.
  std::optional<InsetBasePath> inset;
  host::ArtRef base = state.sourcePath;
  if (basic <= 0.0) {
    inset.emplace(doc, state, basic - kInsetSlack);
    if (auto path = inset->Path()) base = *path;
  }
  auto finish = ReadOutline(doc, base);
  if (inset) inset->DisposeNow();
  if (!finish) return false;
  auto margin = ReadOutline(doc, state.resultArt);
  if (!margin) return false;
  const std::span<const OutlinePoint> f = finish->Outline();
  host::ScratchArray<OutlinePoint>& m = margin->outline;
  const std::span<const OutlinePoint> mView(m.Data(), m.Size());
  const int n = static_cast<int>(f.size());
  const int s = static_cast<int>(m.Size());

  auto ia = geometry::NearestOutlinePoint(anchorA, f);
  auto ib = geometry::NearestOutlinePoint(anchorB, f);
  if (!ia || !ib) return false;
  const VertexTurn start = TurnAt(f, *ia);
  const VertexTurn end = TurnAt(f, *ib);
  OneSideEndRecords& records = state.oneSideEnds;

  // Where the new allowance leaves the margin: at a convex or straight start
  // along the line of the edge after it, carried back beyond the corner (or
  // along its normal when straight); at a concave start, the nearest
  // margin vertex, left for the follow-up to straighten.
  int idxA = -1;
  Vec2 hitA;
  if (start.concave) {
    idxA = *geometry::NearestOutlinePoint(start.v, mView);
    hitA = m[idxA].p;
    records.points[0] = start.v;
    records.points[1] = hitA;
    records.points[4] = start.dOut;
    records.pending = true;
    records.mask = 1;
  } else {
    const Vec2 dir = start.straight ? LeftNormal(start.next - start.v) : start.v - start.next;
    auto hit = geometry::CastOntoOutline(start.v, start.v + geometry::kCastReach * geometry::UnitVector(dir), mView, true);
    if (!hit) return false;
    idxA = hit->index;
    hitA = hit->point;
  }
  m[idxA].p = hitA;

  int idxB = -1;
  Vec2 hitB;
  if (end.concave) {
    idxB = *geometry::NearestOutlinePoint(end.v, mView);
    hitB = m[idxB].p;
    records.points[5] = end.v;
    records.points[6] = hitB;
    records.points[9] = end.dIn;
    records.pending = true;
    records.mask += 2;
  } else {
    const Vec2 dir = end.straight ? LeftNormal(end.v - end.prev) : end.v - end.prev;
    auto hit = geometry::CastOntoOutline(end.v, end.v + geometry::kCastReach * geometry::UnitVector(dir), mView, false);
    if (!hit) return false;
    idxB = hit->index;
    hitB = hit->point;
  }
  if (idxA == idxB) return false;
  m[idxB].p = hitB;

  // The outer corners of the new allowance at the two ends.
  Vec2 xa;
  {
    const Vec2 nOut = geometry::UnitVector(LeftNormal(start.dOut));
    const Vec2 e = start.next + reach * nOut;
    if (start.concave) {
      const Vec2 nearest = m[*geometry::NearestOutlinePoint(start.v, mView)].p;
      xa = start.v + reach * geometry::UnitVector(nearest - start.v);
    } else if (start.straight) {
      xa = start.v + reach * nOut;
    } else {
      // The margin's line beside the edge before the start meets the
      // oversized line beside the edge after it.
      const Vec2 q = m[idxA == 0 ? s - 1 : idxA - 1].p;
      auto x = geometry::IntersectLines(q, start.dIn, e, start.dOut);
      xa = x ? x->point : start.v + reach * nOut;
    }
  }
  Vec2 xb;
  {
    const Vec2 nIn = geometry::UnitVector(LeftNormal(end.dIn));
    const Vec2 q = end.prev + reach * nIn;
    if (end.concave) {
      const Vec2 nearest = m[*geometry::NearestOutlinePoint(end.v, mView)].p;
      xb = end.v + reach * geometry::UnitVector(nearest - end.v);
    } else if (end.straight) {
      xb = end.v + reach * nIn;
    } else {
      const Vec2 e = m[idxB == s - 1 ? 0 : idxB + 1].p;
      auto x = geometry::IntersectLines(q, end.dIn, e, end.dOut);
      xb = x ? x->point : end.v + reach * nIn;
    }
  }

  const int runCount = *ia <= *ib ? *ib - *ia + 1 : *ib + n - *ia + 1;
  geometry::Outline run;
  run.reserve(static_cast<std::size_t>(runCount));
  for (int k = 0; k < runCount; ++k) {
    const int j = (*ia + k) % n;
    const VertexTurn c = TurnAt(f, j);
    Vec2 p;
    if (k == 0) {
      p = xa;
    } else if (k == runCount - 1) {
      p = xb;
    } else {
      p = geometry::MitredOffsetVertex(c.prev, c.v, c.next, reach);
      // Points of a run that folds back over its own ends are held on
      // the end lines.
      if (geometry::IntersectSegments(p, c.v, start.v, xa)) p = xa;
      if (geometry::IntersectSegments(p, c.v, end.v, xb)) p = xb;
    }
    run.push_back(OutlinePoint{p, f[j].corner});
  }
  auto outline = ScratchOutline::Copy(doc, geometry::SpliceRun(mView, idxB, idxA, run));
  if (!outline) return false;

  auto result = BuildResultOutline(doc, state, outline->Points(), false);
  state.resultArt = result.value_or(host::ArtRef{});
  return result.has_value();
}

void PrepareOneSideMargin(host::HostDocument& doc, RunState& state) {
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return;
  state.workLayer2 = *layer;
  if (!state.resultArt) return;
  auto margin = ReadOutline(doc, state.resultArt);
  if (!margin) return;
  auto result = BuildResultOutline(doc, state, margin->Outline(), true);
  state.resultArt = result.value_or(host::ArtRef{});
}

bool WidenAndFinishOneSide(host::HostDocument& doc, RunState& state, float width,
                           const std::function<void()>& onFailure) {
  const float distance = state.basicWidth > 0.0f ? width : width + state.basicWidth;
  const bool widened = BuildWidenedMargin(doc, state, distance);
  // The user hears of the failure before the follow-up changes the margin.
  if (!widened && onFailure) onFailure();
  if (state.oneSideEnds.pending) FinishOneSideEnds(doc, state);
  return widened;
}

bool ApplyExtendedOneSide(host::HostDocument& doc, RunState& state, int commandIndex, std::int32_t firstAnchor,
                          std::int32_t secondAnchor, float width, const std::function<void()>& onFailure) {
  if (state.basicWidth > 0.0f && !(width > state.basicWidth)) return true;
  if (commandIndex == 0 && state.hostVersion == kActionPathfinderHostVersion) PrepareOneSideMargin(doc, state);
  if (!ExtendOneSide(doc, state, firstAnchor, secondAnchor, width)) {
    if (onFailure) onFailure();
    return false;
  }
  return WidenAndFinishOneSide(doc, state, width, onFailure);
}

}  // namespace quorvane::generation
