// Shared by the tests of the commands that reshape a stretch of the margin
// ("Extended one-side", "Lapel", "Opening"): test shapes in points (y up,
// clockwise so that their left side is outside) and measurements of the
// result art.
#pragma once

#include <vector>

#include "generation_test_support.h"

namespace quorvane::generation::testing {

/// The rectangle (0, 0)–(300, 200); anchors 1 to 4 at (0, 0), (0, 200),
/// (300, 200), (300, 0).
std::vector<host::PathSegment> Rectangle();

/// An L: anchors (0, 0), (0, 300), (100, 300), (100, 100), (300, 100),
/// (300, 0); the turn at anchor 4 is concave.
std::vector<host::PathSegment> ElShape();

/// A U: anchors (0, 0), (0, 300), (100, 300), (100, 100), (400, 100),
/// (400, 300), (500, 300), (500, 0); concave at anchors 4 and 5.
std::vector<host::PathSegment> YouShape();

/// The basic width the stretch tests use, in millimetres, and in points.
inline constexpr float kBasicMm = 10.0f;
inline constexpr double kBasicPt = 10.0 * kPointsPerMillimetre;

class StretchFixture : public HostFixture {
 protected:
  /// Adds `finish` as the source path and builds its basic margin at
  /// `basicMm`, as the driver does before the commands.
  host::ArtRef Start(const std::vector<host::PathSegment>& finish, float basicMm = kBasicMm, std::int32_t version = 27);

  /// The result art's signed area (positive for a usable margin).
  double ResultArea();
  /// Whether p lies inside the result art.
  bool InResult(geometry::Vec2 p);
  /// The smallest distance from the source path to the result art's
  /// outline, and its bounds.
  double ResultClearance();
  QvRealRect ResultBounds();
  /// The result's anchor nearest to p, and its distance.
  double NearestResultAnchor(geometry::Vec2 p);
  /// Whether the result is the only art on Work Layer 2, closed and
  /// positively oriented.
  void ExpectCleanResult();
};

}  // namespace quorvane::generation::testing
