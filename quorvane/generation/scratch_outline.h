// The scratch outline the generators assemble a reshaped margin in.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>

#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/vec2.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// A new outline being written point by point into a block of the host's
/// allocator, sized up front; the block goes back to the host with the
/// record. A count that does not match what is written is a fault of the
/// generator, and fails loudly (std::logic_error) instead of dropping or
/// leaving out points.
class ScratchOutline {
 public:
  /// Room for `capacity` points; none when the host has no memory.
  static std::optional<ScratchOutline> Allocate(host::HostDocument& doc, std::size_t capacity) {
    auto array = doc.AllocateArray<geometry::OutlinePoint>(capacity);
    if (!array) return std::nullopt;
    return ScratchOutline(std::move(*array));
  }
  /// `points` copied into a block of the host's allocator; none when the
  /// host has no memory.
  static std::optional<ScratchOutline> Copy(host::HostDocument& doc, std::span<const geometry::OutlinePoint> points) {
    auto out = Allocate(doc, points.size());
    if (out) out->Add(points);
    return out;
  }

  /// Appends one point; throws when the block is already full.
  void Add(geometry::OutlinePoint point) {
    if (size_ >= array_.Size()) throw std::logic_error("scratch outline: more points than counted");
    array_[size_++] = point;
  }
  void Add(geometry::Vec2 p, bool corner) { Add(geometry::OutlinePoint{p, corner}); }
  void Add(std::span<const geometry::OutlinePoint> points) {
    for (const geometry::OutlinePoint& point : points) Add(point);
  }
  /// The finished outline; throws unless exactly the counted points were
  /// written.
  std::span<const geometry::OutlinePoint> Points() const {
    if (size_ != array_.Size()) throw std::logic_error("scratch outline: fewer points than counted");
    return {array_.Data(), size_};
  }

 private:
  explicit ScratchOutline(host::ScratchArray<geometry::OutlinePoint> array) : array_(std::move(array)) {}
  host::ScratchArray<geometry::OutlinePoint> array_;
  std::size_t size_ = 0;
};

/// How many margin vertices the run from i1 forward to i2 holds, both
/// included, counted cyclically on an outline of n vertices.
inline int CyclicRunLength(int i1, int i2, int n) { return i1 <= i2 ? i2 - i1 + 1 : i2 + n - i1 + 1; }

}  // namespace quorvane::generation
