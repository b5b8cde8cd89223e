#include "quorvane/generation/forty_five_degree_corner.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <span>

#include "quorvane/generation/outline_reader.h"
#include "quorvane/generation/result_outline.h"
#include "quorvane/generation/scratch_outline.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/geometry/construction.h"
#include "quorvane/geometry/direction.h"
#include "quorvane/geometry/line_intersection.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/outline_intersection.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::generation {

namespace {

using geometry::OutlinePoint;
using geometry::Vec2;
using Points = std::span<const OutlinePoint>;

// How much farther than the new width the slope's top looks for the finish
// line, in points.
constexpr double kDropSlack = 10.0;
// Corner edges closer than this to parallel get a plain offset, not a
// mitre, in radians.
constexpr double kCornerParallelAngle = 0.5;
// The slope's diagonal per unit of rise: the square root of 2 as the
// commands' single-precision widths carry it.
const double kSlopeDiagonal = static_cast<double>(std::sqrt(2.0f));

using geometry::CyclicIndex;
using geometry::LeftNormal;

// What both directions share: the finish line and the old margin, the
// corner c (at P) and the second point b (at B), and the new width.
struct Corner {
  Points f;
  Points m;
  int c = 0;
  int b = 0;
  double rise = 0.0;
  double width = 0.0;  // ext + rise, in points
};

// The new outline's pieces at the ends of the widened stretch.
struct Ends {
  Vec2 k;          // the new allowance corner at P
  Vec2 s;          // the top of the slope
  Vec2 slopeFoot;  // the finish-line vertex under S
};

// Finish-line vertex j offset outward by the new width: the mitre of its
// two edges where the line turns right, the offset along the edge before
// it where it turns left (or the edges are near parallel). An offset whose
// line back to its vertex crosses the line from the corner to K, or from
// the slope's foot to S, gives way to K or S.
Vec2 OffsetVertex(const Corner& in, int j, const Ends& ends, Vec2 p) {
  const Vec2 v = in.f[static_cast<std::size_t>(j)].p;
  const auto around = geometry::OutlineNeighbours(in.f, j);
  Vec2 x = geometry::MitredOffsetVertex(around->prev, v, around->next, in.width);
  if (geometry::IntersectSegments(x, v, ends.k, p)) x = ends.k;
  if (geometry::IntersectSegments(x, v, ends.s, ends.slopeFoot)) x = ends.s;
  return x;
}

// The slope's top, S = M[s] + √2·rise along d2 turned by `turn`, dropped
// back to the new width from the finish line along the normal N2. None
// when the drop misses the finish line.
struct Slope {
  Vec2 s;
  Vec2 foot;
  int e = 0;  // the finish-line vertex just after the foot
};
std::optional<Slope> SlopeTop(const Corner& in, Vec2 marginVertex, Vec2 d2, double turn) {
  Slope out;
  out.s = marginVertex + (kSlopeDiagonal * in.rise) * geometry::UnitVector(geometry::RotateVector(d2, turn));
  const Vec2 n2 = geometry::UnitVector(LeftNormal(d2));
  const auto drop = geometry::IntersectSegmentWithOutline(out.s, out.s - (in.width + kDropSlack) * n2, in.f, false);
  if (!drop) return std::nullopt;
  out.foot = drop->point;
  out.e = drop->index;
  // Exactly the new width out, along the normal at the second point.
  if (geometry::Distance(out.s, out.foot) != in.width) out.s = out.foot + in.width * n2;
  return out;
}

// K where one edge at the corner, offset by the new width, meets the line
// through the old margin vertex `marginVertex` parallel to the other edge;
// `fallback` where the corner turns left, its edges are near parallel, or
// the lines do not meet.
Vec2 CornerPoint(Vec2 prev, Vec2 p, Vec2 next, Vec2 offsetPoint, Vec2 offsetDirection, Vec2 marginVertex,
                 Vec2 marginDirection, Vec2 fallback, bool offsetFirst) {
  const Vec2 dPrev = p - prev;
  const Vec2 dNext = next - p;
  if (geometry::TurnsLeft(prev, p, next) || geometry::IsParallel(dPrev, dNext, kCornerParallelAngle)) {
    return fallback;
  }
  const auto k = offsetFirst ? geometry::IntersectLines(offsetPoint, offsetDirection, marginVertex, marginDirection)
                             : geometry::IntersectLines(marginVertex, marginDirection, offsetPoint, offsetDirection);
  return k ? k->point : fallback;
}

// The widened stretch: "45. backward" from the second point forward to the
// corner, "45. forward" from the corner forward to the second point, each
// the other's mirror image. The corner's normal cast (along the edge on the
// stretch's side) finds A on the margin, the second point's normal finds
// H_B; the margin is kept from A round to H_B and the new run put between.
std::optional<geometry::Outline> WidenedStretch(const Corner& in, bool backward) {
  const Vec2 p = in.f[static_cast<std::size_t>(in.c)].p;
  const auto around = geometry::OutlineNeighbours(in.f, in.c);
  const Vec2 dPrev = p - around->prev;
  const Vec2 dNext = around->next - p;
  const Vec2 nPrev = geometry::UnitVector(LeftNormal(dPrev));
  const Vec2 nNext = geometry::UnitVector(LeftNormal(dNext));
  const int nM = static_cast<int>(in.m.size());
  const int nF = static_cast<int>(in.f.size());

  // The edge on the stretch's side, and the one the new width leaves along.
  const Vec2 nStretch = backward ? nNext : nPrev;
  const Vec2 offsetFrom = backward ? around->prev : around->next;
  const Vec2 offsetDirection = backward ? dPrev : dNext;
  const Vec2 nOffset = backward ? nPrev : nNext;
  const Vec2 marginDirection = backward ? dNext : dPrev;

  const auto atCorner = geometry::IntersectSegmentWithOutline(p, p + geometry::kCastReach * nStretch, in.m, true);
  if (!atCorner) return std::nullopt;
  const int a = atCorner->index;
  const Vec2 marginVertex = in.m[static_cast<std::size_t>(CyclicIndex(backward ? a + 1 : a - 1, nM))].p;
  Ends ends;
  ends.k = CornerPoint(around->prev, p, around->next, offsetFrom + in.width * nOffset, offsetDirection, marginVertex,
                       marginDirection, p + in.width * nOffset, backward);

  const Vec2 bp = in.f[static_cast<std::size_t>(in.b)].p;
  const auto aroundB = geometry::OutlineNeighbours(in.f, in.b);
  const Vec2 d2 = backward ? aroundB->next - bp : bp - aroundB->prev;
  const auto atSecond =
      geometry::IntersectSegmentWithOutline(bp, bp + geometry::kCastReach * geometry::UnitVector(LeftNormal(d2)), in.m, true);
  if (!atSecond || atSecond->index == a) return std::nullopt;
  const int s = atSecond->index;
  const Vec2 hb = atSecond->point;

  const double turn = backward ? std::numbers::pi / 4.0 : 3.0 * std::numbers::pi / 4.0;
  const auto slope = SlopeTop(in, in.m[static_cast<std::size_t>(s)].p, d2, turn);
  if (!slope) return std::nullopt;
  ends.s = slope->s;
  ends.slopeFoot = in.f[static_cast<std::size_t>(slope->e)].p;
  const int e = slope->e;

  // The finish line offset from E to the corner (backward) or from the
  // corner to E (forward), with the corner's point K and the slope's S at
  // its ends, joined to H_B through the midpoint of H_B and S.
  geometry::Outline run;
  if (backward) {
    run.push_back(OutlinePoint{hb});
    run.push_back(OutlinePoint{geometry::Midpoint(hb, ends.s)});
  }
  const int first = backward ? e : in.c;
  const int last = backward ? in.c : e;
  for (int j = first;; j = CyclicIndex(j + 1, nF)) {
    const Vec2 x = j == in.c ? ends.k : j == e ? ends.s : OffsetVertex(in, j, ends, p);
    run.push_back(OutlinePoint{x});
    if (j == last) break;
  }
  if (!backward) {
    run.push_back(OutlinePoint{geometry::Midpoint(hb, ends.s)});
    run.push_back(OutlinePoint{hb});
  }
  return backward ? geometry::SpliceRun(in.m, a, s, run) : geometry::SpliceRun(in.m, s, a, run);
}

}  // namespace

bool FortyFiveDegreeCorner(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber,
                           std::int32_t segmentNumber, double t, float extensionWidth, float widthDelta,
                           bool backward) {
  if (anchorNumber <= 0 || segmentNumber <= 0 || !state.sourcePath || !state.resultArt) return false;
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return false;
  state.workLayer2 = *layer;
  const double ext = static_cast<double>(extensionWidth) * state.pointsPerUnit;
  const double rise = static_cast<double>(widthDelta) * state.pointsPerUnit;

  auto finish = ReadOutline(doc, state.sourcePath);
  if (!finish || anchorNumber > finish->SegmentCount() || segmentNumber > finish->SegmentCount()) return false;
  auto margin = ReadOutline(doc, state.resultArt);
  if (!margin) return false;

  Corner in;
  in.f = finish->Outline();
  in.m = margin->Outline();
  in.rise = rise;
  in.width = ext + rise;
  const QvRealPoint anchor = finish->segments[static_cast<std::size_t>(anchorNumber - 1)].p;
  in.c = NearestOutlineVertex({anchor.h, anchor.v}, in.f);
  if (in.c < 0) return false;

  const auto bezier = doc.Bezier(state.sourcePath, segmentNumber - 1);
  if (!bezier) return false;
  const auto second = doc.BezierPoint(*bezier, t);
  if (!second) return false;
  const auto b = geometry::NearestOutlinePoint({second->h, second->v}, in.f);
  if (!b) return false;
  in.b = *b;

  const auto stretch = WidenedStretch(in, backward);
  if (!stretch) return false;
  auto outline = ScratchOutline::Copy(doc, *stretch);
  if (!outline) return false;
  auto built = BuildResultOutline(doc, state, outline->Points(), true);
  state.resultArt = built ? *built : host::ArtRef{};
  return built.has_value();
}

}  // namespace quorvane::generation
