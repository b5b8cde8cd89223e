// Inside the geometry library only: moving dense polygons in and out of
// Clipper's integer coordinates and fitting its results back into curves.
#pragma once

#include <clipper.hpp>

#include <utility>
#include <vector>

#include "path_data.h"

namespace workbench::geometry::detail {

/// A polygon in points with, per vertex, whether it must stay a corner.
struct DensePolygon {
  std::vector<Point> points;
  std::vector<bool> corners;
  /// At corners, the exact unit directions in which the path arrives and
  /// leaves (the flattened edges only approximate them); empty elsewhere.
  std::vector<Point> arriving;
  std::vector<Point> leaving;

  /// The same polygon run the other way round.
  void Reverse();
};

/// Flattens a path finely for Clipper (the closing curve always included);
/// anchors where the tangent turns are flagged as corners.
DensePolygon FlattenForClipper(const PathData& path);

/// Whether the curves meeting at anchor i turn there (a real corner).
bool AnchorTurns(const PathData& path, std::size_t i);

/// The integer frame shared by all polygons of one Clipper call.
class ClipperFrame {
 public:
  /// A frame fine enough for kResultFitTolerance and large enough for every
  /// coordinate of `polygons`.
  explicit ClipperFrame(const std::vector<DensePolygon>& polygons);

  ClipperLib::IntPoint ToInt(Point p) const;
  Point ToPoint(const ClipperLib::IntPoint& p) const;
  ClipperLib::Path ToPath(const DensePolygon& polygon) const;
  double Scale() const { return scale_; }

  /// Remembers the corners of `polygon`: result vertices that Clipper leaves on
  /// them stay corners when fitted.
  void AddCornerHints(const DensePolygon& polygon);

  /// Fits every ring of a Clipper result: one compound path per outer ring
  /// with its holes. Outer rings get a positive signed area (clockwise) when
  /// `clockwiseOuter`, else a negative one; holes run the other way.
  std::vector<CompoundPath> FitTree(const ClipperLib::PolyTree& tree, bool clockwiseOuter) const;

  /// One ring fitted into a closed path, reversed first when `reverse`.
  PathData FitRing(const ClipperLib::Path& ring, bool reverse) const;

 private:
  double scale_ = 1.0;
  std::vector<std::pair<ClipperLib::cInt, ClipperLib::cInt>> hints_;
};

}  // namespace workbench::geometry::detail
