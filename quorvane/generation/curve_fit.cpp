#include "quorvane/generation/curve_fit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "quorvane/generation/tolerances.h"

namespace quorvane::generation {

namespace {

using geometry::Vec2;

double SquaredLength(Vec2 v) { return geometry::Dot(v, v); }

// Squared distance of p from the line through a and b (from a when they meet).
double SquaredDistanceToLine(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 d = b - a;
  const double len2 = SquaredLength(d);
  if (len2 == 0.0) return SquaredLength(p - a);
  const double c = geometry::Cross(d, p - a);
  return c * c / len2;
}

// The angle between two edges, in degrees.
double TurnDegrees(Vec2 incoming, Vec2 outgoing) {
  const double c = geometry::Dot(incoming, outgoing) / (geometry::VectorLength(incoming) * geometry::VectorLength(outgoing));
  return std::acos(std::clamp(c, -1.0, 1.0)) * 180.0 / std::numbers::pi;
}

struct Fit {
  BezierPiece piece;
  double error = 0.0;
};

// One cubic through the run: its ends on the run's ends, the inner control
// points by least squares at chord-length parameters. `edges[i]` is the
// length of the edge that arrives at run[i] (edges[0] is not used). The
// error is measured only as far as it takes to exceed `tolerance`.
Fit FitOne(std::span<const Vec2> run, std::span<const double> edges, double tolerance) {
  const std::size_t n = run.size();
  const Vec2 p0 = run.front();
  const Vec2 p3 = run.back();
  const Fit straight{{p0, p0, p3, p3}, 0.0};
  if (n < 4) return straight;

  std::vector<double> t(n, 0.0);
  for (std::size_t i = 1; i < n; ++i) t[i] = t[i - 1] + edges[i];
  const double total = t.back();
  if (total <= 0.0) return straight;
  for (double& ti : t) ti /= total;

  double c11 = 0.0, c12 = 0.0, c22 = 0.0;
  Vec2 x1, x2;
  for (std::size_t i = 0; i < n; ++i) {
    const double u = 1.0 - t[i];
    const double b0 = u * u * u;
    const double b1 = 3.0 * u * u * t[i];
    const double b2 = 3.0 * u * t[i] * t[i];
    const double b3 = t[i] * t[i] * t[i];
    const Vec2 rest = run[i] - b0 * p0 - b3 * p3;
    c11 += b1 * b1;
    c12 += b1 * b2;
    c22 += b2 * b2;
    x1 = x1 + b1 * rest;
    x2 = x2 + b2 * rest;
  }
  const double det = c11 * c22 - c12 * c12;
  if (det <= kFitSingularDeterminant) return straight;
  const Vec2 p1 = (1.0 / det) * (c22 * x1 - c12 * x2);
  const Vec2 p2 = (1.0 / det) * (c11 * x2 - c12 * x1);
  if (SquaredDistanceToLine(p1, p0, p3) < kFitStraightSquaredDistance &&
      SquaredDistanceToLine(p2, p0, p3) < kFitStraightSquaredDistance) {
    return straight;
  }

  Fit fit{{p0, p1, p2, p3}, 0.0};
  // The squared distance rules out most points without a square root: it
  // decides only where it lies clearly below the tolerance's square.
  const double clearlyWithin = tolerance * tolerance * (1.0 - 1e-9);
  for (std::size_t i = 0; i < n && fit.error <= tolerance; ++i) {
    const Vec2 d = run[i] - PointAt(fit.piece, t[i]);
    if (SquaredLength(d) < clearlyWithin && tolerance > 1e-100) continue;
    fit.error = std::max(fit.error, geometry::Distance(run[i], PointAt(fit.piece, t[i])));
  }
  return fit;
}

// Halving the run bounds the recursion depth by log2 of its length.
void FitRun(std::span<const Vec2> run, std::span<const double> edges, double tolerance,
            std::vector<BezierPiece>& out) {
  const std::size_t n = run.size();
  if (n < 2) return;
  const Fit fit = FitOne(run, edges, tolerance);
  if (fit.error > tolerance && n > 3) {
    const std::size_t h = n / 2;
    FitRun(run.subspan(0, h + 1), edges.subspan(0, h + 1), tolerance, out);
    FitRun(run.subspan(h), edges.subspan(h), tolerance, out);
    return;
  }
  out.push_back(fit.piece);
}

}  // namespace

Vec2 PointAt(const BezierPiece& piece, double t) {
  const double u = 1.0 - t;
  return (u * u * u) * piece.p0 + (3.0 * u * u * t) * piece.p1 + (3.0 * u * t * t) * piece.p2 + (t * t * t) * piece.p3;
}

std::vector<BezierPiece> FitBezierPieces(std::span<const Vec2> points, std::span<const int> cornerIndices,
                                         double tolerance) {
  std::vector<bool> flagged(points.size(), false);
  for (const int index : cornerIndices) {
    if (index >= 0 && static_cast<std::size_t>(index) < points.size()) flagged[static_cast<std::size_t>(index)] = true;
  }
  std::vector<Vec2> kept;
  std::vector<bool> corner;
  kept.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i > 0 && SquaredLength(points[i] - points[i - 1]) <= kFitRepeatSquaredDistance) continue;
    kept.push_back(points[i]);
    corner.push_back(flagged[i]);
  }
  // Every run measures its chord parameters from these, each edge once.
  std::vector<double> edgeLengths(kept.size(), 0.0);
  for (std::size_t i = 1; i < kept.size(); ++i) edgeLengths[i] = geometry::Distance(kept[i - 1], kept[i]);

  std::vector<BezierPiece> pieces;
  const std::span<const Vec2> all(kept);
  const std::span<const double> lengths(edgeLengths);
  const std::size_t m = kept.size();
  std::size_t start = 0;
  for (std::size_t i = 1; i + 1 < m; ++i) {
    const Vec2 incoming = kept[i] - kept[i - 1];
    const Vec2 outgoing = kept[i + 1] - kept[i];
    bool split = corner[i];
    if (!split && geometry::VectorLength(incoming) >= kFitShortEdgeLength &&
        geometry::VectorLength(outgoing) >= kFitShortEdgeLength) {
      split = TurnDegrees(incoming, outgoing) >= kFitCornerAngleDegrees;
    }
    if (split) {
      FitRun(all.subspan(start, i - start + 1), lengths.subspan(start, i - start + 1), tolerance, pieces);
      start = i;
    }
  }
  if (m >= start + 2) FitRun(all.subspan(start), lengths.subspan(start), tolerance, pieces);
  return pieces;
}

std::vector<host::PathSegment> ClosedPathFromPieces(std::span<const BezierPiece> pieces) {
  auto qv = [](Vec2 v) { return QvRealPoint{v.x, v.y}; };
  std::vector<host::PathSegment> segments(pieces.size() + 1);
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    segments[k].p = qv(pieces[k].p0);
    segments[k].out = qv(pieces[k].p1);
    segments[k].corner = 1;
    segments[k + 1].in = qv(pieces[k].p2);
    segments[k + 1].p = qv(pieces[k].p3);
  }
  if (pieces.empty()) return {};
  segments.front().in = segments.back().in;
  segments.pop_back();
  return segments;
}

}  // namespace quorvane::generation
