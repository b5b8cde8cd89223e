#include "quorvane/generation/command_input.h"

#include "quorvane/generation/tolerances.h"

namespace quorvane::generation {

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

std::optional<OutlineCorner> CornerAtAnchor(const CommandInput& in, std::int32_t anchorNumber) {
  if (!in.HasAnchor(anchorNumber)) return std::nullopt;
  const int index = NearestOutlineVertex(in.anchors[static_cast<std::size_t>(anchorNumber - 1)].p, in.finish);
  if (index < 0) return std::nullopt;
  const auto around = geometry::OutlineNeighbours(in.finish, index);
  if (!around) return std::nullopt;
  return OutlineCorner{in.finish[static_cast<std::size_t>(index)].p, around->prev, around->next};
}

}  // namespace quorvane::generation
