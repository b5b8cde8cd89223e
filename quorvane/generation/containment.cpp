#include "quorvane/generation/containment.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "quorvane/generation/tolerances.h"
#include "quorvane/geometry/construction.h"

namespace quorvane::generation {

namespace {

using geometry::Vec2;

Vec2 FromQv(QvRealPoint p) { return {p.h, p.v}; }

struct Box {
  double left = std::numeric_limits<double>::infinity();
  double bottom = std::numeric_limits<double>::infinity();
  double right = -std::numeric_limits<double>::infinity();
  double top = -std::numeric_limits<double>::infinity();

  void Add(Vec2 p) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    bottom = std::min(bottom, p.y);
    top = std::max(top, p.y);
  }
  bool Overlaps(const Box& o) const { return left <= o.right && o.left <= right && bottom <= o.top && o.bottom <= top; }
  bool Contains(Vec2 p, double grow) const {
    return p.x >= left - grow && p.x <= right + grow && p.y >= bottom - grow && p.y <= top + grow;
  }
};

Box ControlBox(std::span<const BezierPiece> pieces) {
  Box box;
  for (const BezierPiece& p : pieces) {
    box.Add(p.p0);
    box.Add(p.p1);
    box.Add(p.p2);
    box.Add(p.p3);
  }
  return box;
}

std::vector<Vec2> Sample(std::span<const BezierPiece> pieces) {
  std::vector<Vec2> points;
  points.reserve(pieces.size() * kContainmentSamplesPerPiece);
  for (const BezierPiece& piece : pieces) {
    for (int j = 0; j < kContainmentSamplesPerPiece; ++j) {
      points.push_back(PointAt(piece, static_cast<double>(j) / kContainmentSamplesPerPiece));
    }
  }
  return points;
}

// The crossing rule over a polygon's edges sorted into horizontal bands: an
// edge can only cross the ray of a point whose height lies within its own,
// so each point looks at the edges of its band alone. The answer is the one
// a scan of every edge gives, with the same arithmetic.
class CrossingIndex {
 public:
  CrossingIndex(std::span<const Vec2> polygon, const Box& box) : polygon_(polygon), bottom_(box.bottom) {
    const std::size_t n = polygon.size();
    const std::size_t bands = std::clamp<std::size_t>(n / 8, 1, 4096);
    const double height = box.top - box.bottom;
    if (height > 0.0) perBand_ = static_cast<double>(bands) / height;
    bands_.resize(height > 0.0 ? bands : 1);
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      const double lo = std::min(polygon[i].y, polygon[j].y);
      const double hi = std::max(polygon[i].y, polygon[j].y);
      for (std::size_t b = Band(lo), last = Band(hi); b <= last; ++b) bands_[b].push_back(i);
    }
  }

  bool Inside(Vec2 p) const {
    bool inside = false;
    const std::size_t n = polygon_.size();
    for (std::size_t i : bands_[Band(p.y)]) {
      const Vec2 a = polygon_[i];
      const Vec2 b = polygon_[i == 0 ? n - 1 : i - 1];
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
  }

 private:
  // Never falls as y rises, so an edge's bands cover every height it spans.
  std::size_t Band(double y) const {
    const double at = (y - bottom_) * perBand_;
    if (!(at > 0.0)) return 0;
    if (at >= static_cast<double>(bands_.size() - 1)) return bands_.size() - 1;
    return static_cast<std::size_t>(at);
  }

  std::span<const Vec2> polygon_;
  double bottom_;
  double perBand_ = 0.0;
  std::vector<std::vector<std::size_t>> bands_;
};

}  // namespace

std::vector<BezierPiece> ClosedPathPieces(std::span<const host::PathSegment> segments) {
  std::vector<BezierPiece> pieces;
  const std::size_t n = segments.size();
  for (std::size_t i = 0; i < n; ++i) {
    const host::PathSegment& s = segments[i];
    const host::PathSegment& e = segments[(i + 1) % n];
    pieces.push_back({FromQv(s.p), FromQv(s.out), FromQv(e.in), FromQv(e.p)});
  }
  return pieces;
}

bool PolylineInsidePolygon(std::span<const Vec2> inner, std::span<const Vec2> outer, double slack) {
  if (outer.empty()) return false;
  Box box;
  for (Vec2 p : outer) box.Add(p);
  const std::size_t n = outer.size();
  const CrossingIndex crossings(outer, box);
  for (Vec2 p : inner) {
    if (!box.Contains(p, slack)) return false;
    // Inside or near an edge; the crossing rule is the cheaper question.
    if (crossings.Inside(p)) continue;
    // An edge whose box, grown by the slack and a margin far above rounding,
    // misses p is farther than the slack and needs no distance.
    const double grow = slack * (1.0 + 1e-9) + 1e-9 * (1.0 + std::fabs(p.x) + std::fabs(p.y));
    bool nearEdge = false;
    for (std::size_t i = 0; i < n && !nearEdge; ++i) {
      const Vec2 a = outer[i];
      const Vec2 b = outer[(i + 1) % n];
      if ((a.x < p.x - grow && b.x < p.x - grow) || (a.x > p.x + grow && b.x > p.x + grow) ||
          (a.y < p.y - grow && b.y < p.y - grow) || (a.y > p.y + grow && b.y > p.y + grow)) {
        continue;
      }
      nearEdge = geometry::DistanceToSegment(p, a, b) <= slack;
    }
    if (!nearEdge) return false;
  }
  return true;
}

bool SegmentsInside(std::span<const host::PathSegment> a, std::span<const host::PathSegment> b) {
  const std::vector<BezierPiece> pa = ClosedPathPieces(a);
  const std::vector<BezierPiece> pb = ClosedPathPieces(b);
  if (pa.empty() || pb.empty() || !ControlBox(pa).Overlaps(ControlBox(pb))) return false;
  return PolylineInsidePolygon(Sample(pa), Sample(pb), kContainmentSlack);
}

bool PathInsidePath(host::HostDocument& doc, host::ArtRef a, host::ArtRef b) {
  auto sa = doc.Segments(a);
  auto sb = doc.Segments(b);
  return sa && sb && SegmentsInside(*sa, *sb);
}

}  // namespace quorvane::generation
