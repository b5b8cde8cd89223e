#include "quorvane/geometry/outline.h"

#include <cmath>

namespace quorvane::geometry {

std::optional<Neighbours> OutlineNeighbours(std::span<const OutlinePoint> outline, int i) {
  const int n = static_cast<int>(outline.size());
  if (i < 0 || i >= n) return std::nullopt;
  const auto at = [&](int k) { return outline[static_cast<std::size_t>(k)].p; };
  return Neighbours{at(i == 0 ? n - 1 : i - 1), at(i == n - 1 ? 0 : i + 1)};
}

std::optional<int> NearestOutlinePoint(Vec2 p, std::span<const OutlinePoint> outline) {
  std::optional<int> best;
  double bestDistance = 0.0;
  for (std::size_t k = 0; k < outline.size(); ++k) {
    const double distance = Distance(p, outline[k].p);
    if (!std::isfinite(distance)) continue;
    if (!best || distance < bestDistance) {
      best = static_cast<int>(k);
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace quorvane::geometry
