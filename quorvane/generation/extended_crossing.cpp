#include "quorvane/generation/extended_crossing.h"

#include <span>

#include "quorvane/generation/outline_reader.h"
#include "quorvane/generation/result_outline.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/geometry/construction.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/outline_intersection.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::generation {

namespace {

using geometry::OutlinePoint;
using geometry::Vec2;


}  // namespace

bool ExtendedCrossing(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber) {
  if (anchorNumber <= 0 || !state.sourcePath || !state.resultArt) return false;
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return false;
  state.workLayer2 = *layer;

  auto finish = ReadOutline(doc, state.sourcePath);
  if (!finish || anchorNumber > finish->SegmentCount()) return false;
  auto margin = ReadOutline(doc, state.resultArt);
  if (!margin) return false;

  const auto at = CornerAtAnchor(*finish, anchorNumber);
  if (!at) return false;
  const Vec2 p = at->p;
  const Vec2 dPrev = at->PrevEdge();
  const Vec2 dNext = at->NextEdge();

  // Each edge line runs from the far end of its edge through the corner and
  // on beyond it, so the crossing nearest its start is the one past the
  // corner.
  const std::span<const OutlinePoint> m = margin->Outline();
  const auto h1 = geometry::IntersectSegmentWithOutline(
      at->next, p + (geometry::kCastReach / geometry::VectorLength(dNext)) * dNext, m, false);
  const auto h2 = geometry::IntersectSegmentWithOutline(
      at->prev, p + (geometry::kCastReach / geometry::VectorLength(dPrev)) * dPrev, m, true);
  if (!h1 || !h2 || h1->index == h2->index) return false;
  const int i1 = h1->index;
  const int i2 = h2->index;

  // The margin runs forward from H1 to H2 across the corner: everything
  // strictly between the vertex after H1 and the vertex before H2 goes, and
  // those two vertices move onto the crossings.
  host::ScratchArray<OutlinePoint>& points = margin->outline;
  const int nM = static_cast<int>(points.Size());
  points[static_cast<std::size_t>(i1)].p = h1->point;
  points[static_cast<std::size_t>(i2)].p = h2->point;
  OutlinePoint* data = points.Data();
  int count = 0;
  if (i1 < i2) {
    for (int i = i2; i < nM; ++i) data[i1 + 1 + (i - i2)] = data[i];
    count = nM - (i2 - i1 - 1);
  } else {
    for (int i = i2; i <= i1; ++i) data[i - i2] = data[i];
    count = i1 - i2 + 1;
  }

  auto built = BuildResultOutline(doc, state, {data, static_cast<std::size_t>(count)}, true);
  state.resultArt = built ? *built : host::ArtRef{};
  return built.has_value();
}

}  // namespace quorvane::generation
