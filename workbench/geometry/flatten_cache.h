// The flattenings a caller asked for last, kept so that the same path with
// the same limits is flattened once per revision: a live preview reads the
// same outline many times between two edits.
#pragma once

#include <cstddef>
#include <list>
#include <vector>

#include "flatten.h"
#include "path_data.h"

namespace workbench::geometry {

class FlattenCache {
 public:
  /// Keeps the `capacity` flattenings used last (at least one).
  explicit FlattenCache(std::size_t capacity = 16) : capacity_(capacity > 0 ? capacity : 1) {}

  /// FlattenPath(path, flatness, maxSegmentLength), from the cache when a
  /// path equal in every anchor, handle, flag and closure was flattened with
  /// the same limits. The reference lives until the next call.
  const std::vector<FlatPoint>& Flatten(const PathData& path, double flatness, double maxSegmentLength);

  std::size_t Hits() const { return hits_; }
  std::size_t Misses() const { return misses_; }

 private:
  struct Entry {
    PathData path;
    double flatness;
    double maxSegmentLength;
    std::vector<FlatPoint> points;
  };
  std::size_t capacity_;
  std::list<Entry> entries_;  // most recently used first
  std::size_t hits_ = 0;
  std::size_t misses_ = 0;
};

}  // namespace workbench::geometry
