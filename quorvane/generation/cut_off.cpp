#include "quorvane/generation/cut_off.h"

#include <numbers>
#include <span>

#include "quorvane/generation/outline_reader.h"
#include "quorvane/generation/result_outline.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/geometry/construction.h"
#include "quorvane/geometry/line_intersection.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/outline_intersection.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::generation {

namespace {

using geometry::OutlinePoint;
using geometry::Vec2;

// H3, two midpoints, C0 and H4.
constexpr int kNotchPoints = 5;

}  // namespace

bool CutOff(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, float width) {
  if (anchorNumber <= 0 || !state.sourcePath || !state.resultArt) return false;
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return false;
  state.workLayer2 = *layer;
  const double w = static_cast<double>(width) * state.pointsPerUnit;

  auto finish = ReadOutline(doc, state.sourcePath);
  if (!finish || anchorNumber > finish->SegmentCount()) return false;
  auto margin = ReadOutline(doc, state.resultArt);
  if (!margin) return false;
  const std::span<const OutlinePoint> m = margin->Outline();

  const auto at = CornerAtAnchor(*finish, anchorNumber);
  if (!at) return false;
  const Vec2 p = at->p;
  const Vec2 dPrev = at->PrevEdge();
  const Vec2 dNext = at->NextEdge();

  // Both edges offset outward by w; dNext points back along the edge after
  // the corner, so its outward side is its right.
  const Vec2 a = p + w * geometry::UnitVector(geometry::RotateVector(dPrev, std::numbers::pi / 2.0));
  const Vec2 aNext = p + w * geometry::UnitVector(geometry::RotateVector(dNext, -std::numbers::pi / 2.0));
  const auto c0 = geometry::IntersectLines(a, dPrev, aNext, dNext);
  if (!c0) return false;

  // The corner must lie inside the margin on both edge lines.
  if (!geometry::IntersectSegmentWithOutline(at->next, p + geometry::kCastReach * geometry::UnitVector(dNext), m, false) ||
      !geometry::IntersectSegmentWithOutline(at->prev, p + geometry::kCastReach * geometry::UnitVector(dPrev), m, true)) {
    return false;
  }

  const Vec2 inner = c0->point;
  const auto h3 = geometry::IntersectSegmentWithOutline(inner, inner + geometry::kCastReach * geometry::UnitVector(dNext), m, false);
  const auto h4 = geometry::IntersectSegmentWithOutline(inner, inner + geometry::kCastReach * geometry::UnitVector(dPrev), m, false);
  if (!h3 || !h4) return false;
  const int i3 = h3->index;
  const int i4 = h4->index;

  // Margin vertices i3 to i4, counted forward and cyclically, give way to
  // the notch.
  const int nM = static_cast<int>(m.size());
  const int removed = i3 <= i4 ? i4 - i3 + 1 : i4 + nM - i3 + 1;
  const int count = nM - removed + kNotchPoints;
  auto out = doc.AllocateArray<OutlinePoint>(static_cast<std::size_t>(count));
  if (!out) return false;
  const OutlinePoint notch[kNotchPoints] = {{h3->point}, {geometry::Midpoint(inner, h3->point)}, {inner},
                                           {geometry::Midpoint(inner, h4->point)}, {h4->point}};
  std::size_t k = 0;
  auto keep = [&](int from, int to) {
    for (int i = from; i <= to; ++i) (*out)[k++] = m[static_cast<std::size_t>(i)];
  };
  if (i3 <= i4) {
    keep(0, i3 - 1);
    for (const OutlinePoint& q : notch) (*out)[k++] = q;
    keep(i4 + 1, nM - 1);
  } else {
    keep(i4 + 1, i3 - 1);
    for (const OutlinePoint& q : notch) (*out)[k++] = q;
  }

  auto built = BuildResultOutline(doc, state, {out->Data(), k}, true);
  state.resultArt = built ? *built : host::ArtRef{};
  return built.has_value();
}

}  // namespace quorvane::generation
