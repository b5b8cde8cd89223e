#include "offset_path.h"

#include <clipper.hpp>

#include <algorithm>
#include <cmath>

#include "clipper_bridge.h"
#include "signed_area.h"
#include "tolerances.h"

namespace workbench::geometry {
namespace {

using detail::DensePolygon;

Point Unit(Point v) {
  const double len = Length(v);
  return len > 0.0 ? v * (1.0 / len) : Point{};
}

Point Rotate(Point v, double angle) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  return {c * v.x - s * v.y, s * v.x + c * v.y};
}

// The offset polygon before overlaps are resolved, built like Clipper's own
// offsetter: each edge moved along its outward normal, convex corners joined,
// concave corners looped through the vertex itself so that the union with a
// positive fill cuts the loops away. Corners of the input get the caller's
// join; every other vertex (steps of a flattened curve) gets an arc, which
// keeps the offset of a curve within kClipperFlatness of the exact one.
// Generated corner points are flagged so the fitted result keeps them sharp.
DensePolygon RawOffset(const DensePolygon& ccw, double d, double miterLimit, JoinType join) {
  const std::size_t n = ccw.points.size();
  std::vector<Point> dir(n);
  for (std::size_t k = 0; k < n; ++k) {
    const Point e = ccw.points[(k + 1) % n] - ccw.points[k];
    dir[k] = Unit(e);
  }
  const double absD = std::fabs(d);
  const double arcStep = 2.0 * std::acos(std::max(-1.0, 1.0 - kClipperFlatness / absD));
  DensePolygon out;
  auto push = [&](Point p, bool corner) {
    out.points.push_back(p);
    out.corners.push_back(corner);
  };
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t prev = (k + n - 1) % n;
    const Point v = ccw.points[k];
    const bool inputCorner = ccw.corners[k];
    // At corners the exact tangents decide the join: a mitre's tip moves far
    // when the direction of a sharp corner's edges changes a little.
    Point in = dir[prev], out = dir[k];
    if (inputCorner && Length(ccw.arriving[k]) > 0.0 && Length(ccw.leaving[k]) > 0.0) {
      in = ccw.arriving[k];
      out = ccw.leaving[k];
    }
    const Point n1{in.y, -in.x};
    const Point n2{out.y, -out.x};
    const double sinA = Cross(in, out);
    const double cosA = Dot(in, out);
    const double turn = std::atan2(sinA, cosA);  // signed, left turns positive
    if (std::fabs(turn) < 1e-12) {
      push(v + d * n1, false);
      continue;
    }
    if (sinA * d < 0.0) {
      // Concave side: loop through the vertex itself. The loop's winding
      // cancels wherever the offset edges overshoot, also where the offset
      // swallows the curve entirely (a distance beyond its radius).
      push(v + d * n1, false);
      push(v, false);
      push(v + d * n2, false);
      continue;
    }
    const double cosN = Dot(n1, n2);
    const JoinType kind = inputCorner ? join : JoinType::kRound;
    if (kind == JoinType::kMiter) {
      const double ratio = std::sqrt(2.0 / std::max(1e-300, 1.0 + cosN));
      if (cosN > -1.0 + 1e-12 && ratio <= miterLimit) {
        push(v + d * (1.0 / (1.0 + cosN)) * (n1 + n2), true);
      } else {
        push(v + d * n1, true);
        push(v + d * n2, true);
      }
    } else if (kind == JoinType::kBevel) {
      push(v + d * n1, inputCorner);
      push(v + d * n2, inputCorner);
    } else {
      // An arc from n1 to n2 turning with the path; a tiny turn is one mitre
      // point when that stays within the flatness.
      if (cosN > 0.0 && absD * (1.0 / std::cos(0.5 * std::fabs(turn)) - 1.0) <= kClipperFlatness) {
        push(v + d * (1.0 / (1.0 + cosN)) * (n1 + n2), false);
        continue;
      }
      const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(turn) / arcStep)));
      for (int j = 0; j <= steps; ++j) push(v + d * Rotate(n1, turn * j / steps), false);
    }
  }
  return out;
}

}  // namespace

std::vector<CompoundPath> OffsetPath(const PathData& path, double distance, double miterLimit,
                                     JoinType join) {
  if (path.segments.empty()) return {};
  const bool clockwise = SignedArea(path.segments, true) >= 0.0;
  if (distance == 0.0) {
    PathData same = path;
    same.closed = true;
    return {CompoundPath{same}};
  }
  DensePolygon ccw = detail::FlattenForClipper(path);
  if (clockwise) ccw.Reverse();
  // Repeated vertices have no direction; drop them (keeping their flags).
  DensePolygon clean;
  for (std::size_t i = 0; i < ccw.points.size(); ++i) {
    if (!clean.points.empty() && WithinDistance(clean.points.back(), ccw.points[i], kSamePoint)) {
      // Two anchors on one spot: the corner arrives like the first one and
      // leaves like the second.
      if (ccw.corners[i]) {
        if (!clean.corners.back()) clean.arriving.back() = ccw.arriving[i];
        clean.corners.back() = true;
        clean.leaving.back() = ccw.leaving[i];
      }
      continue;
    }
    clean.points.push_back(ccw.points[i]);
    clean.corners.push_back(ccw.corners[i]);
    clean.arriving.push_back(ccw.arriving[i]);
    clean.leaving.push_back(ccw.leaving[i]);
  }
  while (clean.points.size() > 1 && WithinDistance(clean.points.back(), clean.points.front(), kSamePoint)) {
    if (clean.corners.back()) {
      if (!clean.corners.front()) clean.leaving.front() = clean.leaving.back();
      clean.arriving.front() = clean.arriving.back();
      clean.corners.front() = true;
    }
    clean.points.pop_back();
    clean.corners.pop_back();
    clean.arriving.pop_back();
    clean.leaving.pop_back();
  }
  if (clean.points.size() < 3) return {};

  const DensePolygon raw = RawOffset(clean, distance, miterLimit, join);
  detail::ClipperFrame frame({raw, clean});
  frame.AddCornerHints(raw);
  ClipperLib::Clipper clipper;
  clipper.AddPath(frame.ToPath(raw), ClipperLib::ptSubject, true);
  ClipperLib::PolyTree tree;
  clipper.Execute(ClipperLib::ctUnion, tree, ClipperLib::pftPositive, ClipperLib::pftPositive);
  return frame.FitTree(tree, clockwise);
}

}  // namespace workbench::geometry
