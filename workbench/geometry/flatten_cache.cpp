#include "flatten_cache.h"

namespace workbench::geometry {

const std::vector<FlatPoint>& FlattenCache::Flatten(const PathData& path, double flatness,
                                                    double maxSegmentLength) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    // Limits compare exactly: only the very same request has the same answer.
    if (it->flatness == flatness && it->maxSegmentLength == maxSegmentLength && it->path == path) {
      ++hits_;
      entries_.splice(entries_.begin(), entries_, it);
      return entries_.front().points;
    }
  }
  ++misses_;
  entries_.push_front({path, flatness, maxSegmentLength, FlattenPath(path, flatness, maxSegmentLength)});
  // The flattening reserves for its vertices generously; a kept one holds
  // only what it uses.
  entries_.front().points.shrink_to_fit();
  if (entries_.size() > capacity_) entries_.pop_back();
  return entries_.front().points;
}

}  // namespace workbench::geometry
