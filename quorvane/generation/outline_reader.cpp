#include "quorvane/generation/outline_reader.h"

#include "quorvane/generation/tolerances.h"

namespace quorvane::generation {

std::optional<PathOutline> ReadOutline(host::HostDocument& doc, host::ArtRef art) {
  auto segments = doc.Segments(art);
  if (!segments || segments->empty()) return std::nullopt;
  segments->push_back(segments->front());

  auto points = doc.SegmentsToPoints(*segments, kReadFlatness, kReadStep);
  if (!points || points->Size() < 2) return std::nullopt;
  // The flattening ends on the repeated start, which a closed outline
  // does not list twice.
  const std::size_t count = points->Size() - 1;
  auto outline = doc.AllocateArray<geometry::OutlinePoint>(count);
  if (!outline) return std::nullopt;
  for (std::size_t i = 0; i < count; ++i) {
    const QvOutlinePoint& q = (*points)[i];
    (*outline)[i] = geometry::OutlinePoint{{q.h, q.v}, q.corner != 0};
  }
  return PathOutline{std::move(*segments), std::move(*outline)};
}

int NearestOutlineVertex(geometry::Vec2 p, std::span<const geometry::OutlinePoint> outline) {
  double best = kNoNearestDistance;
  int index = -1;
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const double d = geometry::Distance(outline[i].p, p);
    if (d < best) {
      best = d;
      index = static_cast<int>(i);
    }
  }
  return index;
}

std::optional<OutlineCorner> CornerAtAnchor(const PathOutline& path, std::int32_t anchorNumber) {
  if (anchorNumber < 1 || anchorNumber > path.SegmentCount()) return std::nullopt;
  const QvRealPoint anchor = path.segments[static_cast<std::size_t>(anchorNumber - 1)].p;
  const auto outline = path.Outline();
  const int index = NearestOutlineVertex({anchor.h, anchor.v}, outline);
  if (index < 0) return std::nullopt;
  const auto around = geometry::OutlineNeighbours(outline, index);
  if (!around) return std::nullopt;
  return OutlineCorner{outline[static_cast<std::size_t>(index)].p, around->prev, around->next};
}

}  // namespace quorvane::generation
