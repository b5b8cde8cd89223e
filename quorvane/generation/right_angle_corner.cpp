#include "quorvane/generation/right_angle_corner.h"

#include <numbers>

#include "quorvane/generation/scratch_outline.h"
#include "quorvane/generation/outline_reader.h"
#include "quorvane/generation/result_outline.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/geometry/construction.h"
#include "quorvane/geometry/line_intersection.h"
#include "quorvane/geometry/outline_intersection.h"

namespace quorvane::generation {

using geometry::Vec2;

bool RightAngleCorner(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, bool forward) {
  if (anchorNumber <= 0 || !state.sourcePath || !state.resultArt) return false;
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return false;
  state.workLayer2 = *layer;

  const auto finish = ReadOutline(doc, state.sourcePath);
  if (!finish) return false;
  if (anchorNumber > finish->SegmentCount()) return false;
  const auto margin = ReadOutline(doc, state.resultArt);
  if (!margin) return false;
  const auto marginOutline = margin->Outline();
  const int n = static_cast<int>(marginOutline.size());

  const auto at = CornerAtAnchor(*finish, anchorNumber);
  if (!at) return false;
  const Vec2 p = at->p;
  const Vec2 dPrev = at->PrevEdge();
  const Vec2 dNext = at->NextEdge();

  // Each edge carried on beyond the corner crosses the allowance of the
  // other edge; the crossing nearest to the edge's own vertex is where it
  // leaves the allowance.
  const auto h1 = geometry::IntersectSegmentWithOutline(at->next, p + geometry::kCastReach * geometry::UnitVector(dNext),
                                                        marginOutline, false);
  if (!h1) return false;
  const auto h2 = geometry::IntersectSegmentWithOutline(at->prev, p + geometry::kCastReach * geometry::UnitVector(dPrev),
                                                        marginOutline, true);
  if (!h2) return false;

  const double quarterTurn = std::numbers::pi / 2.0;
  const auto c = forward ? geometry::IntersectLines(h1->point, geometry::RotateVector(dNext, -quarterTurn), h2->point,
                                                    dNext)
                         : geometry::IntersectLines(h1->point, dPrev, h2->point,
                                                    geometry::RotateVector(dPrev, -quarterTurn));
  if (!c) return false;
  const Vec2 m1 = geometry::Midpoint(c->point, h1->point);
  const Vec2 m2 = geometry::Midpoint(c->point, h2->point);

  const int i1 = h1->index;
  const int i2 = h2->index;
  const int removed = CyclicRunLength(i1, i2, n);
  auto reshaped = ScratchOutline::Allocate(doc, static_cast<std::size_t>(n - removed + 5));
  if (!reshaped) return false;
  const auto addNewCorner = [&] {
    reshaped->Add(h1->point, true);
    reshaped->Add(m1, false);
    reshaped->Add(c->point, true);
    reshaped->Add(m2, false);
    reshaped->Add(h2->point, true);
  };
  if (i1 <= i2) {
    for (int k = 0; k < i1; ++k) reshaped->Add(marginOutline[static_cast<std::size_t>(k)]);
    addNewCorner();
    for (int k = i2 + 1; k < n; ++k) reshaped->Add(marginOutline[static_cast<std::size_t>(k)]);
  } else {
    for (int k = i2 + 1; k < i1; ++k) reshaped->Add(marginOutline[static_cast<std::size_t>(k)]);
    addNewCorner();
  }

  const auto result = BuildResultOutline(doc, state, reshaped->Points(), true);
  state.resultArt = result.value_or(host::ArtRef{});
  return result.has_value();
}

}  // namespace quorvane::generation
