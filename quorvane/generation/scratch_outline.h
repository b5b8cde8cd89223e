// What the corner generators share: the reach of their casts and the
// scratch outline they assemble the reshaped margin in.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/vec2.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// How far a corner generator carries an edge beyond its corner, in points:
/// a margin farther from the corner than this is not found.
inline constexpr double kCornerCastReach = 500.0;

/// A new outline being written point by point into a block of the host's
/// allocator; the block goes back to the host with the record.
class ScratchOutline {
 public:
  /// Room for `capacity` points; none when the host has no memory.
  static std::optional<ScratchOutline> Allocate(host::HostDocument& doc, std::size_t capacity) {
    auto array = doc.AllocateArray<geometry::OutlinePoint>(capacity);
    if (!array) return std::nullopt;
    return ScratchOutline(std::move(*array));
  }

  void Add(geometry::OutlinePoint point) {
    if (size_ < array_.Size()) array_[size_++] = point;
  }
  void Add(geometry::Vec2 p, bool corner) { Add(geometry::OutlinePoint{p, corner}); }
  /// The points written so far.
  std::span<const geometry::OutlinePoint> Points() const { return {array_.Data(), size_}; }

 private:
  explicit ScratchOutline(host::ScratchArray<geometry::OutlinePoint> array) : array_(std::move(array)) {}
  host::ScratchArray<geometry::OutlinePoint> array_;
  std::size_t size_ = 0;
};

/// How many margin vertices the run from i1 forward to i2 holds, both
/// included, counted cyclically on an outline of n vertices.
inline int CyclicRunLength(int i1, int i2, int n) { return i1 <= i2 ? i2 - i1 + 1 : i2 + n - i1 + 1; }

}  // namespace quorvane::generation
