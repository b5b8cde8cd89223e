// The follow-up of an "Extended one-side" command at ends that meet a
// concave corner of the finish line: after the widened allowance has been
// trimmed, the margin is straightened across the corner.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "quorvane/geometry/outline.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::generation {

/// How far beyond the command's width an "Extended one-side" allowance
/// first reaches, and how much longer than the width's number the
/// follow-up's casts are. Points.
inline constexpr double kOneSideOversize = 100.0;

/// The ends of an "Extended one-side" run that meet a concave corner of the
/// finish line, recorded by the run's construction and consumed by the
/// follow-up.
struct OneSideEndRecords {
  /// Set when either end is concave; the follow-up clears it.
  bool pending = false;
  /// 1: the start is recorded, 2: the end, 3: both.
  std::uint32_t mask = 0;
  /// [0] the start's finish-line vertex, [1] the margin vertex it joined,
  /// [2] and [3] the follow-up's two crossings there, [4] the direction of
  /// the finish line leaving the start; [5] to [9] the same for the end,
  /// [9] being the direction arriving at it. Points, y up.
  geometry::Vec2 points[10];
  /// The command's width in the user's unit, as typed: the follow-up's
  /// casts are this number plus 100 points long.
  float width = 0.0f;
};

inline constexpr std::uint32_t kOneSideStartRecorded = 1;
inline constexpr std::uint32_t kOneSideEndRecorded = 2;

/// One end straightened: the crossings found (in order, as far as the
/// search got) and, when both were found, the new margin.
struct StraightenedEnd {
  int crossingCount = 0;
  geometry::Vec2 crossings[2];
  std::optional<geometry::Outline> margin;
};

/// Straightens `margin` at one recorded end: `corner` the finish-line
/// vertex, `joined` the margin vertex the run joined there, `along` the
/// finish line's direction at the end, `sigma` -1 to look backward along it
/// (the start) or +1 forward (the end). Casts from the joined vertex away
/// from the corner, then from that crossing along the finish line away from
/// the run, each cast retried up to 30 times 0.1 pt further to the side; the
/// margin vertices between the two crossings all move onto the first of
/// them. The casts are `width` (a number in the user's unit, not converted)
/// + 100 points long.
StraightenedEnd StraightenOneSideEnd(std::span<const geometry::OutlinePoint> margin, geometry::Vec2 corner,
                                     geometry::Vec2 joined, geometry::Vec2 along, double sigma, float width);

}  // namespace quorvane::generation
