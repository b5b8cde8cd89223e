#include "flatten.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "bezier.h"

namespace workbench::geometry {
namespace {

// Below these the caller asked for more vertices than any use needs; the
// caps keep a zero or negative limit from looping forever.
constexpr double kSmallestFlatness = 1.0e-6;
constexpr int kMostPiecesPerCurve = 1 << 16;
constexpr int kDeepestSplit = 40;

// Receives the vertices of one curve strictly between its ends, in order:
// their parameters, and their points when the caller wants them.
struct Vertices {
  std::vector<double>* parameters = nullptr;
  std::vector<FlatPoint>* points = nullptr;
  std::size_t index = 0;

  void Add(double t, Point p) const {
    if (parameters != nullptr) parameters->push_back(t);
    if (points != nullptr) points->push_back({p, false, false, index});
  }
};

// Halves the chord from (t0, a) to (t1, b) until no piece is longer than
// the limit; the halving points are the curve's own points.
void SplitLongChords(const CubicBezier& curve, double t0, Point a, double t1, Point b, double maxLength,
                     int depth, const Vertices& out) {
  if (maxLength <= 0.0 || WithinDistance(a, b, maxLength) || depth > kDeepestSplit) return;
  const double tm = 0.5 * (t0 + t1);
  const Point m = curve.At(tm);
  SplitLongChords(curve, t0, a, tm, m, maxLength, depth + 1, out);
  out.Add(tm, m);
  SplitLongChords(curve, tm, m, t1, b, maxLength, depth + 1, out);
}

}  // namespace

StraightProgress::StraightProgress(const CubicBezier& curve) {
  const Point chord = curve.p3 - curve.p0;
  const double len2 = Dot(chord, chord);
  a1_ = Dot(curve.p1 - curve.p0, chord) / len2;
  a2_ = Dot(curve.p2 - curve.p0, chord) / len2;
}

// In Bernstein form: with the handles between the ends every term is
// non-negative, so nothing cancels and the value is good to the last bits.
double StraightProgress::At(double t) const {
  const double u = 1.0 - t;
  return 3.0 * u * t * (u * a1_ + t * a2_) + t * t * t;
}

double StraightProgress::Slope(double t) const {
  const double u = 1.0 - t;
  return 3.0 * (u * u * a1_ + 2.0 * u * t * (a2_ - a1_) + t * t * (1.0 - a2_));
}

namespace {

// The cuts of a straight curve: each the parameter that a 60-step bisection
// of [previous cut, 1] on the position along the chord finds, bit for bit,
// as the cuts were always placed.
class StraightCuts {
 public:
  explicit StraightCuts(const CubicBezier& c)
      : curve_(c), chord_(c.p3 - c.p0), len2_(Dot(chord_, chord_)), progress_(c) {
    // Both ways of measuring the progress round within a few units of the
    // last place of the largest coordinate over the chord's length; far
    // beyond that the cubic decides as the curve would.
    double largest = 0.0;
    for (const Point& p : {c.p0, c.p1, c.p2, c.p3}) largest = std::max({largest, std::fabs(p.x), std::fabs(p.y)});
    margin_ = 256.0 * kEpsilon * (1.0 + largest / std::sqrt(len2_));
  }

  // The cut after `lo` at `target` of the chord. Every halving whose
  // midpoint lies clear of the rounding band around the target is settled by
  // comparing it with the band's ends, found once per cut from Newton's root
  // of the progress cubic; only midpoints inside the band measure the
  // progress as the bisection always did.
  double Cut(double lo, double target) const {
    const double root = Root(lo, target);
    // The computed cubic never falls by more than a few units of the last
    // place, which kSlack covers: below `low` every midpoint is clearly
    // short of the target, above `high` clearly past it.
    const double below = target - margin_ - kSlack, above = target + margin_ + kSlack;
    const double width = 2.0 * (margin_ + kSlack) / std::max(progress_.Slope(root), 1e-3);
    double low = root - width, high = root + width;
    for (double w = width; low > lo && !(progress_.At(low) < below);) low = root - (w *= 4.0);
    for (double w = width; high < 1.0 && !(progress_.At(high) > above);) high = root + (w *= 4.0);
    // Compared as sums (halving is exact) so the test need not wait for it.
    const double low2 = 2.0 * low, high2 = 2.0 * high;
    double hi = 1.0;
    for (int it = 0; it < 60; ++it) {
      const double sum = lo + hi;
      const double mid = 0.5 * sum;
      if (sum >= low2 && sum <= high2) {
        (Before(mid, target) ? lo : hi) = mid;
      } else {
        const bool before = sum < low2;
        lo = before ? mid : lo;
        hi = before ? hi : mid;
      }
    }
    return 0.5 * (lo + hi);
  }

 private:
  static constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
  static constexpr double kSlack = 64.0 * kEpsilon;

  // The bisection's own test: the cubic where it is clear of the target, the
  // curve's point where rounding could matter.
  bool Before(double t, double target) const {
    const double cheap = progress_.At(t);
    if (cheap < target - margin_) return true;
    if (cheap > target + margin_) return false;
    return Dot(curve_.At(t) - curve_.p0, chord_) / len2_ < target;
  }

  // Newton's steps on the progress cubic from the previous cut, kept inside
  // a bracket that halves whenever a step would leave it; close enough once
  // within the band.
  double Root(double lo, double target) const {
    double hi = 1.0;
    double t = lo;
    for (int it = 0; it < 64; ++it) {
      const double f = progress_.At(t) - target;
      if (std::fabs(f) <= 0.25 * margin_) return t;
      (f < 0.0 ? lo : hi) = t;
      const double slope = progress_.Slope(t);
      double next = slope > 0.0 ? t - f / slope : 0.5 * (lo + hi);
      if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
      if (next == t) return t;
      t = next;
    }
    return t;
  }

  const CubicBezier& curve_;
  Point chord_;
  double len2_;
  StraightProgress progress_;
  double margin_ = 0.0;
};

// Cuts a straight curve into n pieces of equal length. Its handles may sit
// anywhere on the chord, so each cut's parameter is found on the position
// along the chord.
void EqualStraightPieces(const CubicBezier& curve, int n, const Vertices& out) {
  const StraightCuts cuts(curve);
  double t = 0.0;
  for (int k = 1; k < n; ++k) {
    t = cuts.Cut(t, double(k) / n);
    out.Add(t, curve.At(t));
  }
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

// Uniform steps in t: with n steps the curve stays within
// 3/4 * max|second difference| / n^2 of its chords (Wang's bound).
int UniformSteps(const CubicBezier& curve, double flatness) {
  const double m = std::max(Length(curve.p0 - 2.0 * curve.p1 + curve.p2),
                            Length(curve.p1 - 2.0 * curve.p2 + curve.p3));
  const double tol = std::max(flatness, kSmallestFlatness);
  const double wanted = std::ceil(std::sqrt(0.75 * m / tol));
  return static_cast<int>(std::clamp(wanted, 1.0, double(kMostPiecesPerCurve)));
}

// About how many vertices a path flattens into, from its handle polygon,
// which is never shorter than the curve: enough to reserve once.
std::size_t VertexEstimate(const PathData& path, double flatness, double maxSegmentLength) {
  const std::size_t curves = CurveCount(path.segments, path.closed);
  double estimate = double(curves) + 1.0;
  for (std::size_t i = 0; i < curves; ++i) {
    const CubicBezier c = CurveAt(path.segments, i);
    estimate += UniformSteps(c, flatness);
    if (maxSegmentLength > 0.0) {
      const double reach = Distance(c.p0, c.p1) + Distance(c.p1, c.p2) + Distance(c.p2, c.p3);
      estimate += std::min(std::ceil(reach / maxSegmentLength), double(kMostPiecesPerCurve));
    }
  }
  return static_cast<std::size_t>(std::min(estimate, 1.0e7));
}

void FlattenCurve(const CubicBezier& curve, double flatness, double maxSegmentLength, const Vertices& out) {
  if (IsStraightAndMonotone(curve)) {
    // A straight curve needs no vertex but those the length limit asks for.
    if (maxSegmentLength <= 0.0) return;
    const double pieces = std::ceil(Distance(curve.p0, curve.p3) / maxSegmentLength);
    EqualStraightPieces(curve, static_cast<int>(std::min(pieces, double(kMostPiecesPerCurve))), out);
    return;
  }
  const int n = UniformSteps(curve, flatness);
  double t0 = 0.0;
  Point a = curve.p0;
  for (int k = 1; k <= n; ++k) {
    const double t1 = double(k) / n;
    const Point b = k == n ? curve.p3 : curve.At(t1);
    SplitLongChords(curve, t0, a, t1, b, maxSegmentLength, 0, out);
    if (k < n) out.Add(t1, b);
    t0 = t1;
    a = b;
  }
}

}  // namespace

std::vector<double> FlattenCurveParameters(const CubicBezier& curve, double flatness,
                                           double maxSegmentLength) {
  std::vector<double> out;
  FlattenCurve(curve, flatness, maxSegmentLength, Vertices{&out, nullptr, 0});
  return out;
}

std::vector<FlatPoint> FlattenPath(const PathData& path, double flatness,
                                   double maxSegmentLength) {
  std::vector<FlatPoint> out;
  const auto& segs = path.segments;
  if (segs.empty()) return out;
  out.reserve(VertexEstimate(path, flatness, maxSegmentLength));
  const std::size_t curves = CurveCount(segs, path.closed);
  for (std::size_t i = 0; i < curves; ++i) {
    out.push_back({segs[i].anchor, true, segs[i].corner, i});
    FlattenCurve(CurveAt(segs, i), flatness, maxSegmentLength, Vertices{nullptr, &out, i});
  }
  if (!path.closed) {
    const std::size_t last = segs.size() - 1;
    out.push_back({segs[last].anchor, true, segs[last].corner, last});
  }
  return out;
}

}  // namespace workbench::geometry
