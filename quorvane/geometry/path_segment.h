// One anchor of a host path, as the host's path service gives it. In points,
// y up.
#pragma once

#include "quorvane/geometry/vec2.h"

namespace quorvane::geometry {

/// An anchor point with its two handles and the host's corner flag. The
/// handles equal the anchor on a straight segment end.
struct PathSegment {
  Vec2 p;             ///< anchor point
  Vec2 in;            ///< in-handle (toward the previous anchor)
  Vec2 out;           ///< out-handle (toward the next anchor)
  bool corner = false;

  friend constexpr bool operator==(const PathSegment&, const PathSegment&) = default;
};

}  // namespace quorvane::geometry
