#include "flatten.h"

#include <algorithm>
#include <cmath>

#include "bezier.h"

namespace workbench::geometry {
namespace {

// Below these the caller asked for more vertices than any use needs; the
// caps keep a zero or negative limit from looping forever.
constexpr double kSmallestFlatness = 1.0e-6;
constexpr int kMostPiecesPerCurve = 1 << 16;

void SplitLongChords(const CubicBezier& curve, double t0, Point a, double t1, Point b,
                     double maxLength, int depth, std::vector<double>& out) {
  if (maxLength <= 0.0 || Distance(a, b) <= maxLength || depth > 40) return;
  const double tm = 0.5 * (t0 + t1);
  const Point m = curve.At(tm);
  SplitLongChords(curve, t0, a, tm, m, maxLength, depth + 1, out);
  out.push_back(tm);
  SplitLongChords(curve, tm, m, t1, b, maxLength, depth + 1, out);
}


// Parameters that cut a straight curve into n equal pieces. Its handles may
// sit anywhere on the chord, so the parameter is found by bisection on the
// position along the chord.
std::vector<double> EqualStraightPieces(const CubicBezier& curve, int n) {
  const Point chord = curve.p3 - curve.p0;
  const double len2 = Dot(chord, chord);
  std::vector<double> out;
  for (int k = 1; k < n; ++k) {
    const double target = double(k) / n;
    double lo = out.empty() ? 0.0 : out.back(), hi = 1.0;
    for (int it = 0; it < 60; ++it) {
      const double mid = 0.5 * (lo + hi);
      (Dot(curve.At(mid) - curve.p0, chord) / len2 < target ? lo : hi) = mid;
    }
    out.push_back(0.5 * (lo + hi));
  }
  return out;
}

bool IsStraightAndMonotone(const CubicBezier& c) {
  const Point chord = c.p3 - c.p0;
  const double len = Length(chord);
  if (len == 0.0) return false;
  for (const Point& h : {c.p1, c.p2}) {
    const double along = Dot(h - c.p0, chord) / (len * len);
    if (std::fabs(Cross(chord, h - c.p0)) / len > 1e-9 * std::max(1.0, len)) return false;
    if (along < 0.0 || along > 1.0) return false;
  }
  return true;
}

}  // namespace

std::vector<double> FlattenCurveParameters(const CubicBezier& curve, double flatness,
                                           double maxSegmentLength) {
  if (IsStraightAndMonotone(curve)) {
    // A straight curve needs no vertex but those the length limit asks for.
    if (maxSegmentLength <= 0.0) return {};
    const double pieces = std::ceil(Distance(curve.p0, curve.p3) / maxSegmentLength);
    return EqualStraightPieces(curve, static_cast<int>(std::min(pieces, double(kMostPiecesPerCurve))));
  }
  // Uniform steps in t: with n steps the curve stays within
  // 3/4 * max|second difference| / n^2 of its chords (Wang's bound).
  const double m = std::max(Length(curve.p0 - 2.0 * curve.p1 + curve.p2),
                            Length(curve.p1 - 2.0 * curve.p2 + curve.p3));
  const double tol = std::max(flatness, kSmallestFlatness);
  const double wanted = std::ceil(std::sqrt(0.75 * m / tol));
  const int n = static_cast<int>(std::clamp(wanted, 1.0, double(kMostPiecesPerCurve)));
  std::vector<double> out;
  out.reserve(static_cast<std::size_t>(n));
  double t0 = 0.0;
  Point a = curve.p0;
  for (int k = 1; k <= n; ++k) {
    const double t1 = double(k) / n;
    const Point b = k == n ? curve.p3 : curve.At(t1);
    SplitLongChords(curve, t0, a, t1, b, maxSegmentLength, 0, out);
    if (k < n) out.push_back(t1);
    t0 = t1;
    a = b;
  }
  return out;
}

std::vector<FlatPoint> FlattenPath(const PathData& path, double flatness,
                                   double maxSegmentLength) {
  std::vector<FlatPoint> out;
  const auto& segs = path.segments;
  if (segs.empty()) return out;
  const std::size_t curves = CurveCount(segs, path.closed);
  for (std::size_t i = 0; i < curves; ++i) {
    out.push_back({segs[i].anchor, true, segs[i].corner, i});
    const CubicBezier c = CurveAt(segs, i);
    for (double t : FlattenCurveParameters(c, flatness, maxSegmentLength)) {
      out.push_back({c.At(t), false, false, i});
    }
  }
  if (!path.closed) {
    const std::size_t last = segs.size() - 1;
    out.push_back({segs[last].anchor, true, segs[last].corner, last});
  }
  return out;
}

}  // namespace workbench::geometry
