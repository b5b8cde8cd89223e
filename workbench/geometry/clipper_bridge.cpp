#include "clipper_bridge.h"

#include <algorithm>
#include <cmath>

#include "bezier.h"
#include "curve_fit.h"
#include "flatten.h"
#include "tolerances.h"

namespace workbench::geometry::detail {

bool AnchorTurns(const PathData& path, std::size_t i) {
  const auto& segs = path.segments;
  const std::size_t n = segs.size();
  if (n < 2) return false;
  if (!path.closed && (i == 0 || i + 1 == n)) return true;
  const Point in = EndTangent(CurveAt(segs, (i + n - 1) % n));
  const Point out = StartTangent(CurveAt(segs, i));
  if (Length(in) == 0.0 || Length(out) == 0.0) return true;
  return std::fabs(std::atan2(Cross(in, out), Dot(in, out))) > kSmoothTangentTurn;
}

DensePolygon FlattenForClipper(const PathData& path) {
  PathData closed = path;
  closed.closed = true;
  DensePolygon out;
  const auto& segs = closed.segments;
  const std::size_t n = segs.size();
  for (const FlatPoint& fp : FlattenPath(closed, kClipperFlatness, 0.0)) {
    out.points.push_back(fp.point);
    const bool corner = fp.anchor && AnchorTurns(closed, fp.index);
    out.corners.push_back(corner);
    out.arriving.push_back(corner ? EndTangent(CurveAt(segs, (fp.index + n - 1) % n)) : Point{});
    out.leaving.push_back(corner ? StartTangent(CurveAt(segs, fp.index)) : Point{});
  }
  return out;
}

void DensePolygon::Reverse() {
  std::reverse(points.begin(), points.end());
  std::reverse(corners.begin(), corners.end());
  std::reverse(arriving.begin(), arriving.end());
  std::reverse(leaving.begin(), leaving.end());
  std::swap(arriving, leaving);
  for (Point& p : arriving) p = -1.0 * p;
  for (Point& p : leaving) p = -1.0 * p;
}

ClipperFrame::ClipperFrame(const std::vector<DensePolygon>& polygons) {
  double extent = 1.0;
  for (const DensePolygon& poly : polygons) {
    for (const Point& p : poly.points) extent = std::max({extent, std::fabs(p.x), std::fabs(p.y)});
  }
  scale_ = std::min(kClipperScale, kClipperMaxCoordinate / extent);
}

ClipperLib::IntPoint ClipperFrame::ToInt(Point p) const {
  return {static_cast<ClipperLib::cInt>(std::llround(p.x * scale_)),
          static_cast<ClipperLib::cInt>(std::llround(p.y * scale_))};
}

Point ClipperFrame::ToPoint(const ClipperLib::IntPoint& p) const {
  return {double(p.X) / scale_, double(p.Y) / scale_};
}

ClipperLib::Path ClipperFrame::ToPath(const DensePolygon& polygon) const {
  ClipperLib::Path out;
  out.reserve(polygon.points.size());
  for (const Point& p : polygon.points) {
    const ClipperLib::IntPoint ip = ToInt(p);
    if (out.empty() || !(out.back() == ip)) out.push_back(ip);
  }
  while (out.size() > 1 && out.back() == out.front()) out.pop_back();
  return out;
}

void ClipperFrame::AddCornerHints(const DensePolygon& polygon) {
  for (std::size_t i = 0; i < polygon.points.size(); ++i) {
    if (i < polygon.corners.size() && polygon.corners[i]) {
      const ClipperLib::IntPoint ip = ToInt(polygon.points[i]);
      hints_.emplace_back(ip.X, ip.Y);
    }
  }
  std::sort(hints_.begin(), hints_.end());
}

PathData ClipperFrame::FitRing(const ClipperLib::Path& input, bool reverse) const {
  // Clipper leaves slivers a few units wide where offset loops were cut
  // away; vertices within the flattening tolerance of their neighbours carry
  // no shape and would only read as corners.
  const double reach = kClipperFlatness * scale_;
  auto close = [reach](const ClipperLib::IntPoint& a, const ClipperLib::IntPoint& b) {
    return WithinDistance({double(a.X - b.X), double(a.Y - b.Y)}, {}, reach);
  };
  ClipperLib::Path ring;
  for (const ClipperLib::IntPoint& ip : input) {
    if (ring.empty() || !close(ring.back(), ip)) ring.push_back(ip);
  }
  while (ring.size() > 3 && close(ring.back(), ring.front())) ring.pop_back();
  if (ring.size() < 3) ring = input;
  std::vector<Point> pts;
  std::vector<bool> corners;
  pts.reserve(ring.size());
  corners.reserve(ring.size());
  for (const ClipperLib::IntPoint& ip : ring) {
    pts.push_back(ToPoint(ip));
    corners.push_back(std::binary_search(hints_.begin(), hints_.end(), std::make_pair(ip.X, ip.Y)));
  }
  if (reverse) {
    std::reverse(pts.begin(), pts.end());
    std::reverse(corners.begin(), corners.end());
  }
  return FitCurves(pts, true, kResultFitTolerance, corners);
}

std::vector<CompoundPath> ClipperFrame::FitTree(const ClipperLib::PolyTree& tree,
                                                bool clockwiseOuter) const {
  // Clipper's outer rings turn counter-clockwise (y up), its holes clockwise.
  std::vector<CompoundPath> out;
  std::vector<const ClipperLib::PolyNode*> outers(tree.Childs.begin(), tree.Childs.end());
  for (std::size_t i = 0; i < outers.size(); ++i) {
    const ClipperLib::PolyNode* node = outers[i];
    if (node->IsOpen() || node->Contour.size() < 3) continue;
    CompoundPath shape{FitRing(node->Contour, clockwiseOuter)};
    for (const ClipperLib::PolyNode* hole : node->Childs) {
      if (hole->Contour.size() >= 3) shape.push_back(FitRing(hole->Contour, clockwiseOuter));
      for (const ClipperLib::PolyNode* island : hole->Childs) outers.push_back(island);
    }
    out.push_back(std::move(shape));
  }
  return out;
}

}  // namespace workbench::geometry::detail
