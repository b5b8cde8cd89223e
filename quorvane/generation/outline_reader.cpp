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
  geometry::Outline outline;
  outline.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const QvOutlinePoint& q = (*points)[i];
    outline.push_back(geometry::OutlinePoint{{q.h, q.v}, q.corner != 0});
  }
  return PathOutline{std::move(*segments), std::move(outline)};
}

std::vector<geometry::PathSegment> PathOutline::Anchors() const {
  std::vector<geometry::PathSegment> anchors;
  anchors.reserve(static_cast<std::size_t>(SegmentCount()));
  for (int i = 0; i < SegmentCount(); ++i) {
    const host::PathSegment& s = segments[static_cast<std::size_t>(i)];
    anchors.push_back({{s.p.h, s.p.v}, {s.in.h, s.in.v}, {s.out.h, s.out.v}, s.corner != 0});
  }
  return anchors;
}

}  // namespace quorvane::generation
