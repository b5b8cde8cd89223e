// Pieces with their seam margins for the corner generators' tests, on the
// real workbench document, and the checks those tests share.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "generation_test_support.h"
#include "quorvane/geometry/vec2.h"

namespace quorvane::generation::testing {

/// How far a refitted curve may move from the outline it was fitted to,
/// in points: the fit tolerance and a little.
inline constexpr double kRefitSlack = 1.05;

/// A clockwise piece whose corner (0, 200), anchor 2, lies between two
/// curves: the left side bulges out leftward and arrives along (40, 60);
/// the top bulges upward and leaves along (60, 40).
std::vector<host::PathSegment> CurvedCornerPiece();
inline constexpr geometry::Vec2 kCurvedCorner{0.0, 200.0};
inline constexpr geometry::Vec2 kCurvedArrival{40.0, 60.0};
inline constexpr geometry::Vec2 kCurvedDeparture{60.0, 40.0};

/// A closed polygon of corner anchors, in points, y up.
std::vector<host::PathSegment> Polygon(const std::vector<geometry::Vec2>& points);

/// The anchors of a path.
std::vector<geometry::Vec2> Anchors(const std::vector<host::PathSegment>& segments);

/// Distance from p to the nearest anchor.
double NearestAnchorDistance(const std::vector<geometry::Vec2>& anchors, geometry::Vec2 p);

/// Where the line through p along d meets the line through q along e.
geometry::Vec2 LineMeet(geometry::Vec2 p, geometry::Vec2 d, geometry::Vec2 q, geometry::Vec2 e);

/// Distance from p to the infinite line through a along d.
double DistanceToLine(geometry::Vec2 p, geometry::Vec2 a, geometry::Vec2 d);

/// A closed path of the document with an anchor where it turns outward
/// through 30 to 115 degrees (between the chords to its neighbours), turned
/// to positive orientation if needed.
struct CorpusCorner {
  host::ArtRef art;
  int anchorNumber = 0;  ///< 1-based
  geometry::Vec2 corner;
};
std::optional<CorpusCorner> FirstCornerOfCorpusPiece(host::HostDocument& doc);

class TrimTest : public HostFixture {
 protected:
  /// Adds the finish line and gives it the basic margin of `widthMm`.
  void MakePiece(const std::vector<host::PathSegment>& finish, float widthMm);
  /// Adds the finish line and makes `margin` (drawn on Work Layer 2) the
  /// current margin, for margins whose vertex order a test must control.
  void MakePieceWithMargin(const std::vector<host::PathSegment>& finish,
                           const std::vector<host::PathSegment>& margin);

  std::vector<host::PathSegment> FinishSegments() { return *Doc().Segments(state_.sourcePath); }
  std::vector<host::PathSegment> MarginSegments() { return *Doc().Segments(state_.resultArt); }

  /// A failed generator left the margin as it was: the same art, alone on
  /// Work Layer 2, with the same segments.
  void ExpectMarginUnchanged(const std::vector<host::PathSegment>& before, host::ArtRef art);

  /// The new margin is one closed, positively oriented path alone on Work
  /// Layer 2 that holds the finish line, and it follows the old margin
  /// (within `slack` pt) everywhere farther than `radius` from `corner`.
  void ExpectChangedOnlyNear(const std::vector<host::PathSegment>& before, geometry::Vec2 corner, double radius,
                             double slack = 0.1);

  /// Every point of the new margin lies on the old margin or on one of the
  /// straight pieces from a[k] to b[k], within `slack` pt. (The refitted
  /// path keeps a corner at the vertex nearest each finish-line anchor, so
  /// a straight edge may come back in two collinear pieces: anchors alone
  /// are no measure.)
  void ExpectOldMarginOrPieces(const std::vector<host::PathSegment>& before,
                               const std::vector<std::pair<geometry::Vec2, geometry::Vec2>>& pieces,
                               double slack = 0.01);
};

}  // namespace quorvane::generation::testing
