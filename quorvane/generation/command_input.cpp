#include "quorvane/generation/command_input.h"

namespace quorvane::generation {

std::optional<OutlineCorner> CornerAtAnchor(const CommandInput& in, std::int32_t anchorNumber) {
  if (!in.HasAnchor(anchorNumber)) return std::nullopt;
  const auto index = geometry::NearestOutlinePoint(in.anchors[static_cast<std::size_t>(anchorNumber - 1)].p, in.finish);
  if (!index) return std::nullopt;
  const auto around = geometry::OutlineNeighbours(in.finish, *index);
  if (!around) return std::nullopt;
  return OutlineCorner{in.finish[static_cast<std::size_t>(*index)].p, around->prev, around->next};
}

}  // namespace quorvane::generation
