#include "quorvane/geometry/path_run.h"

#include <algorithm>

namespace quorvane::geometry {

namespace {

double RunLength(std::span<const PathSegment> segments, int from, int to) {
  double length = 0.0;
  for (int k = from; k < to; ++k) {
    length += Distance(segments[static_cast<std::size_t>(k)].p, segments[static_cast<std::size_t>(k + 1)].p);
  }
  return length;
}

}  // namespace

bool IsForwardRunShorter(int a, int b, std::span<const PathSegment> segments) {
  const int count = static_cast<int>(segments.size());
  if (a == b || a < 0 || b < 0 || a >= count || b >= count) return false;
  const int lo = std::min(a, b);
  const int hi = std::max(a, b);
  const double inner = RunLength(segments, lo, hi);
  const double outer = RunLength(segments, hi, count - 1) + RunLength(segments, 0, lo) +
                       Distance(segments[static_cast<std::size_t>(count - 1)].p, segments.front().p);
  return a < b ? inner <= outer : outer <= inner;
}

}  // namespace quorvane::geometry
