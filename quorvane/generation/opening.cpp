#include "quorvane/generation/opening.h"

#include <numbers>
#include <optional>

#include "quorvane/geometry/construction.h"
#include "quorvane/geometry/direction.h"
#include "quorvane/geometry/line_intersection.h"
#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/outline_intersection.h"

namespace quorvane::generation {

namespace {

using geometry::OutlinePoint;
using geometry::Vec2;

using geometry::LeftNormal;

}  // namespace

std::optional<geometry::Outline> OpeningOutline(const CommandInput& in, Vec2 x1, Vec2 x2, double width) {
  const std::span<const OutlinePoint> f = in.finish;
  const std::span<const OutlinePoint> m = in.margin;
  const int nF = static_cast<int>(f.size());
  const double w = width;
  auto f1 = geometry::NearestOutlinePoint(x1, f);
  auto f2 = geometry::NearestOutlinePoint(x2, f);
  if (!f1 || !f2) return std::nullopt;
  const auto around1 = geometry::OutlineNeighbours(f, *f1);
  const auto around2 = geometry::OutlineNeighbours(f, *f2);
  const Vec2 n1 = LeftNormal(around1->next - x1);
  const Vec2 n2 = LeftNormal(x2 - around2->prev);
  // A point that coincides with the neighbour it is measured to has no
  // normal to cast along.
  if (geometry::VectorLength(n1) == 0.0 || geometry::VectorLength(n2) == 0.0) return std::nullopt;

  auto h1 = geometry::IntersectSegmentWithOutlineTolerant(x1, x1 + geometry::kCastReach * geometry::UnitVector(n1), w, m, true);
  auto h2 = geometry::IntersectSegmentWithOutlineTolerant(x2, x2 + geometry::kCastReach * geometry::UnitVector(n2), w, m, true);
  if (!h1 || !h2 || h1->index == h2->index) return std::nullopt;
  const int j1 = h1->index;
  const int j2 = h2->index;

  // The finish line from f1 forward to f2, offset by w.
  const int k = ((*f2 - *f1) % nF + nF) % nF + 1;
  geometry::Outline run;
  run.reserve(static_cast<std::size_t>(k));
  auto put = [&](Vec2 p, bool corner) { run.push_back(OutlinePoint{p, corner}); };
  for (int i = 0; i < k; ++i) {
    const int j = (*f1 + i) % nF;
    const auto around = *geometry::OutlineNeighbours(f, j);
    if (i == 0) {
      put(x1 + w * geometry::UnitVector(LeftNormal(around.next - f[j].p)), f[j].corner);
    } else if (i == k - 1) {
      put(x2 + w * geometry::UnitVector(LeftNormal(f[j].p - around.prev)), f[j].corner);
    } else {
      put(geometry::MitredOffsetVertex(around.prev, f[j].p, around.next, w), f[j].corner);
    }
  }
  // The margin from H2 forward to H1, each crossing in place of the margin
  // vertex of its index, then the run.
  geometry::Outline kept(m.begin(), m.end());
  kept[static_cast<std::size_t>(j1)] = OutlinePoint{h1->point, false};
  kept[static_cast<std::size_t>(j2)] = OutlinePoint{h2->point, false};
  return geometry::SpliceRun(kept, j2, j1, run);
}

}  // namespace quorvane::generation
