#include "curve_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>

#include "tolerances.h"

namespace workbench::geometry {
namespace {

// Fitting is Schneider's least-squares scheme: chord-length parameters,
// Newton reparameterisation, and a split at the worst point when one cubic
// is not enough. Ends at corners leave their handles free; ends inside a
// smooth stretch share a tangent estimated from the neighbouring vertices.

constexpr double kTangentWindow = 5.0;   // points of arc on each side
constexpr int kReparameterisations = 200;
constexpr int kDeepestSplit = 40;
constexpr double kTangentialWeight = 0.01;

Point Unit(Point v) {
  const double len = Length(v);
  return len > 0.0 ? v * (1.0 / len) : Point{};
}

constexpr double kEstimateMargin = 1e-12;  // relative, see LazyLength

// CubicBezier::At and DerivativeAt with the same arithmetic, inlined into
// the fitter's inner loops.
inline Point PointAt(const CubicBezier& c, double t) {
  const double u = 1.0 - t;
  const double b0 = u * u * u;
  const double b1 = 3.0 * u * u * t;
  const double b2 = 3.0 * u * t * t;
  const double b3 = t * t * t;
  return {b0 * c.p0.x + b1 * c.p1.x + b2 * c.p2.x + b3 * c.p3.x,
          b0 * c.p0.y + b1 * c.p1.y + b2 * c.p2.y + b3 * c.p3.y};
}

inline Point DerivativeAt(const CubicBezier& c, double t) {
  const double u = 1.0 - t;
  return 3.0 * (u * u * (c.p1 - c.p0) + 2.0 * u * t * (c.p2 - c.p1) + t * t * (c.p3 - c.p2));
}

// The vector from the nearest point of segment ab to p.
Point SegmentOffset(Point p, Point a, Point b) {
  const Point ab = b - a;
  const double len2 = Dot(ab, ab);
  double t = len2 > 0.0 ? Dot(p - a, ab) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return p - (a + t * ab);
}

double SegmentDistance(Point p, Point a, Point b) { return Length(SegmentOffset(p, a, b)); }

// A segment prepared for many distance questions: with its reciprocal
// squared length, a point's distance from it is estimated by one
// multiplication where SegmentOffset divides.
struct Segment {
  Point a;
  Point ab;
  double inverseLength2;
  double magnitude;  // of its coordinates, which bounds the rounding
};

Segment PrepareSegment(Point a, Point b) {
  const Point ab = b - a;
  const double len2 = Dot(ab, ab);
  return {a, ab, len2 > 0.0 ? 1.0 / len2 : 0.0,
          std::fabs(a.x) + std::fabs(a.y) + std::fabs(ab.x) + std::fabs(ab.y)};
}

// True when SegmentDistance(p, a, b) is certainly below `bound`. The
// estimate differs from it only by roundings of the coordinates' size, far
// within the slack allowed here; false means "maybe not", never "no".
bool ClearlyNearer(Point p, const Segment& s, double bound) {
  const double t = std::clamp(Dot(p - s.a, s.ab) * s.inverseLength2, 0.0, 1.0);
  const Point off = p - (s.a + t * s.ab);
  const double len2 = Dot(off, off);
  if (!(len2 < 1e280)) return false;
  const double slack = 1e-13 * (s.magnitude + std::fabs(p.x) + std::fabs(p.y)) + 1e-140;
  return std::sqrt(len2) * (1.0 + kEstimateMargin) + slack < bound * (1.0 - kEstimateMargin);
}

// The length of a vector, taken with hypot only when a comparison needs it.
// sqrt(x*x + y*y) differs from hypot by a few units in the last place while
// the squares neither overflow nor underflow, so comparisons that this
// estimate decides with a wide relative margin come out exactly as they
// would on the hypot values; close calls fall back to hypot itself.
class LazyLength {
 public:
  explicit LazyLength(Point v) : v_(v), square_(v.x * v.x + v.y * v.y) {
    inRange_ = square_ > 1e-280 && square_ < 1e280;
    if (!inRange_) {
      exact_ = Length(v);
      estimate_ = exact_;
    }
  }
  double Estimate() {
    if (estimate_ < 0.0) estimate_ = std::sqrt(square_);
    return estimate_;
  }
  double Exact() {
    if (exact_ < 0.0) exact_ = Length(v_);
    return exact_;
  }
  // Whether this length is shorter than `other`'s, decided on the squares
  // where they differ clearly.
  bool ShorterThan(LazyLength& other) {
    if (inRange_ && other.inRange_) {
      if (square_ < other.square_ * (1.0 - 3.0 * kEstimateMargin)) return true;
      if (square_ > other.square_ * (1.0 + 3.0 * kEstimateMargin)) return false;
    }
    return Exact() < other.Exact();
  }
  // Whether this length is certainly below `bound`, from the square alone.
  bool ClearlyBelow(double bound) const {
    return inRange_ && bound > 1e-140 && square_ < bound * bound * (1.0 - 3.0 * kEstimateMargin);
  }

 private:
  Point v_;
  double square_;
  bool inRange_;
  double estimate_ = -1.0;
  double exact_ = -1.0;
};

// The exact answer to `lhs > rhs` where the estimates stand for the values
// within a few units in the last place; `exact` gives both values when the
// estimates lie too close to tell.
template <typename Exact>
bool Greater(double lhsEstimate, double rhsEstimate, Exact exact) {
  if (lhsEstimate > rhsEstimate * (1.0 + kEstimateMargin)) return true;
  if (lhsEstimate < rhsEstimate * (1.0 - kEstimateMargin)) return false;
  const auto [lhs, rhs] = exact();
  return lhs > rhs;
}

// Solves the small dense system m z = r in place (Gaussian elimination with
// partial pivoting); false when it is singular.
template <std::size_t N>
bool Solve(std::array<std::array<double, N>, N>& m, std::array<double, N>& r, std::size_t n) {
  for (std::size_t col = 0; col < n; ++col) {
    std::size_t pivot = col;
    for (std::size_t row = col + 1; row < n; ++row) {
      if (std::fabs(m[row][col]) > std::fabs(m[pivot][col])) pivot = row;
    }
    if (std::fabs(m[pivot][col]) < 1e-300) return false;
    std::swap(m[pivot], m[col]);
    std::swap(r[pivot], r[col]);
    for (std::size_t row = col + 1; row < n; ++row) {
      const double f = m[row][col] / m[col][col];
      for (std::size_t k = col; k < n; ++k) m[row][k] -= f * m[col][k];
      r[row] -= f * r[col];
    }
  }
  for (std::size_t col = n; col-- > 0;) {
    double sum = r[col];
    for (std::size_t k = col + 1; k < n; ++k) sum -= m[col][k] * r[k];
    r[col] = sum / m[col][col];
  }
  // A near-singular system shows up as huge or non-finite results.
  for (std::size_t k = 0; k < n; ++k) {
    if (!std::isfinite(r[k])) return false;
  }
  return true;
}

// The tangent at pts[k] from a least-squares cubic in arc length through the
// vertices within the window on both sides; `cyclic` lets the window wrap.
Point EstimateTangent(const std::vector<Point>& pts, std::size_t k, bool cyclic,
                      double window) {
  const std::size_t n = pts.size();
  struct Sample {
    double s;
    Point p;
  };
  std::vector<Sample> samples{{0.0, pts[k]}};
  auto walk = [&](int dir) {
    double s = 0.0;
    std::size_t i = k;
    int taken = 0;
    for (std::size_t steps = 0; steps + 1 < n; ++steps) {
      std::size_t j;
      if (dir > 0) {
        if (i + 1 < n) j = i + 1;
        else if (cyclic) j = 0;
        else break;
      } else {
        if (i > 0) j = i - 1;
        else if (cyclic) j = n - 1;
        else break;
      }
      s += Distance(pts[i], pts[j]);
      if (s > window && taken >= 2) break;
      samples.push_back({dir * s, pts[j]});
      ++taken;
      i = j;
    }
    return taken;
  };
  const int ahead = walk(+1);
  const int behind = walk(-1);
  if (ahead == 0 && behind == 0) return {};
  if (samples.size() < 5 || ahead == 0 || behind == 0) {
    // Too few vertices for a polynomial: the chord through the neighbours.
    double lo = 0.0, hi = 0.0;
    Point plo = pts[k], phi = pts[k];
    for (const Sample& smp : samples) {
      if (smp.s < lo) { lo = smp.s; plo = smp.p; }
      if (smp.s > hi) { hi = smp.s; phi = smp.p; }
    }
    return Unit(phi - plo);
  }
  double scale = 0.0;
  for (const Sample& smp : samples) scale = std::max(scale, std::fabs(smp.s));
  std::array<std::array<double, 4>, 4> m{};
  std::array<double, 4> rx{}, ry{};
  for (const Sample& smp : samples) {
    const double u = smp.s / scale;
    const double basis[4] = {1.0, u, u * u, u * u * u};
    for (int a = 0; a < 4; ++a) {
      for (int b = 0; b < 4; ++b) m[a][b] += basis[a] * basis[b];
      rx[a] += basis[a] * (smp.p.x - pts[k].x);
      ry[a] += basis[a] * (smp.p.y - pts[k].y);
    }
  }
  auto my = m;
  if (!Solve(m, rx, 4) || !Solve(my, ry, 4)) return Unit(samples[1].p - samples.back().p);
  return Unit({rx[1], ry[1]});
}

class RunFitter {
 public:
  RunFitter(double tolerance, std::vector<CubicBezier>& out) : tol_(tolerance), out_(out) {}

  // Fits pts (at least two) with optional unit tangents at the ends: `t0` the
  // direction leaving pts.front(), `t1` the direction arriving at pts.back().
  void Fit(const std::vector<Point>& pts, std::optional<Point> t0, std::optional<Point> t1,
           int depth) {
    const Point a = pts.front();
    const Point b = pts.back();
    if (pts.size() == 2 || NearChord(pts)) {
      out_.push_back({a, a, b, b});
      return;
    }
    std::vector<double> u = ChordParameters(pts);
    std::vector<Segment> edges;
    edges.reserve(pts.size() - 1);
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) edges.push_back(PrepareSegment(pts[i], pts[i + 1]));
    CubicBezier c = LeastSquares(pts, u, t0, t1);
    std::size_t worst = 0;
    double err = MaxError(pts, edges, u, c, worst);
    // Alternate projection of the points onto the curve and a new fit,
    // keeping the best; give up when the error no longer falls noticeably.
    CubicBezier current = c;
    double stalled = err;
    // The projection's own derivatives at the new parameters, where it has
    // them, spare the next fit evaluating them again.
    std::vector<Point> slopes(pts.size());
    std::vector<bool> sloped(pts.size(), false);
    for (int it = 0; it < kReparameterisations && err > tol_; ++it) {
      Reparameterise(pts, current, u, slopes, sloped);
      const CubicBezier previous = current;
      current = LeastSquares(pts, u, t0, t1, &previous, &slopes, &sloped);
      std::size_t nextWorst = 0;
      const double nextErr = MaxError(pts, edges, u, current, nextWorst);
      if (nextErr < err) {
        c = current;
        err = nextErr;
        worst = nextWorst;
      }
      if (it % 8 == 7) {
        if (err > 0.97 * stalled) break;
        stalled = err;
      }
    }
    if (err <= tol_) {
      out_.push_back(c);
      return;
    }
    if (depth >= kDeepestSplit || pts.size() <= 3) {
      for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        out_.push_back({pts[i], pts[i], pts[i + 1], pts[i + 1]});
      }
      return;
    }
    // Split at the worst vertex, kept away from the ends so both halves make
    // progress.
    const std::size_t split = std::clamp<std::size_t>(worst, 1, pts.size() - 2);
    const double runLength = length_;
    const Point ts = EstimateTangent(pts, split, false,
                                     std::min(kTangentWindow, 0.25 * runLength));
    std::optional<Point> tm;
    if (Length(ts) > 0.0) tm = ts;
    std::vector<Point> left(pts.begin(), pts.begin() + static_cast<std::ptrdiff_t>(split) + 1);
    std::vector<Point> right(pts.begin() + static_cast<std::ptrdiff_t>(split), pts.end());
    Fit(left, t0, tm, depth + 1);
    Fit(right, tm, t1, depth + 1);
  }

 private:
  bool NearChord(const std::vector<Point>& pts) const {
    const Point a = pts.front();
    const Point b = pts.back();
    if (Distance(a, b) <= kSamePoint) return false;
    const double limit = 0.5 * tol_;
    const Segment chord = PrepareSegment(a, b);
    for (const Point& p : pts) {
      if (ClearlyNearer(p, chord, limit)) continue;
      LazyLength d(SegmentOffset(p, a, b));
      if (d.ClearlyBelow(limit)) continue;
      if (Greater(d.Estimate(), limit, [&] { return std::pair{d.Exact(), limit}; })) return false;
    }
    return true;
  }

  std::vector<double> ChordParameters(const std::vector<Point>& pts) {
    std::vector<double> u(pts.size(), 0.0);
    for (std::size_t i = 1; i < pts.size(); ++i) u[i] = u[i - 1] + Distance(pts[i - 1], pts[i]);
    length_ = u.back();
    if (length_ > 0.0) {
      for (double& v : u) v /= length_;
    }
    return u;
  }

  // Least squares for the handles with the parameters fixed. Without a
  // `previous` curve it minimises the plain distances to the points; with one
  // it weighs the distance along that curve's normal fully and the part along
  // its tangent only lightly, which stops the slow sliding of parameters along
  // the curve that plain alternation suffers from.
  static CubicBezier LeastSquares(const std::vector<Point>& pts, const std::vector<double>& u,
                                  std::optional<Point> t0, std::optional<Point> t1,
                                  const CubicBezier* previous = nullptr,
                                  const std::vector<Point>* slopes = nullptr,
                                  const std::vector<bool>* sloped = nullptr) {
    const Point a = pts.front();
    const Point b = pts.back();
    // Columns of the design matrix: each unknown moves the curve by a
    // vector-valued basis function at every parameter.
    const std::size_t n = (t0 ? 1 : 2) + (t1 ? 1 : 2);
    std::array<std::array<double, 4>, 4> m{};
    std::array<double, 4> r{};
    for (std::size_t i = 0; i < pts.size(); ++i) {
      const double t = u[i];
      const double s = 1.0 - t;
      const double b0 = s * s * s, b1 = 3 * s * s * t, b2 = 3 * s * t * t, b3 = t * t * t;
      const Point rest = pts[i] - ((b0 + b1) * a + (b2 + b3) * b);
      std::array<Point, 4> col{};
      std::size_t k = 0;
      if (t0) col[k++] = b1 * *t0;
      else { col[k++] = {b1, 0.0}; col[k++] = {0.0, b1}; }
      if (t1) col[k++] = -b2 * *t1;
      else { col[k++] = {b2, 0.0}; col[k++] = {0.0, b2}; }
      Point along{1.0, 0.0};
      if (previous) {
        const Point d = Unit(sloped && (*sloped)[i] ? (*slopes)[i] : DerivativeAt(*previous, t));
        // A unit vector needs no second hypot to tell it from the zero one.
        const bool unit = std::fabs(d.x) >= 0.5 || std::fabs(d.y) >= 0.5;
        if (unit || Length(d) > 0.0) along = d;
      }
      const Point across{-along.y, along.x};
      const double weight = previous ? kTangentialWeight : 1.0;
      for (std::size_t p = 0; p < n; ++p) {
        for (std::size_t q = 0; q < n; ++q) {
          m[p][q] += Dot(across, col[p]) * Dot(across, col[q]) +
                     weight * Dot(along, col[p]) * Dot(along, col[q]);
        }
        r[p] += Dot(across, col[p]) * Dot(across, rest) + weight * Dot(along, col[p]) * Dot(along, rest);
      }
    }
    const double chord = Distance(a, b);
    const bool solved = Solve(m, r, n);
    Point h1, h2;
    std::size_t k = 0;
    if (t0) {
      double len = solved ? r[k] : 0.0;
      if (len < 1e-6 * chord) len = chord / 3.0;
      h1 = len * *t0;
      ++k;
    } else {
      h1 = solved ? Point{r[k], r[k + 1]} : (b - a) * (1.0 / 3.0);
      k += 2;
    }
    if (t1) {
      double len = solved ? r[k] : 0.0;
      if (len < 1e-6 * chord) len = chord / 3.0;
      h2 = -len * *t1;
    } else {
      h2 = solved ? Point{r[k], r[k + 1]} : (a - b) * (1.0 / 3.0);
    }
    return {a, a + h1, b + h2, b};
  }

  // Moves each point's parameter to its nearest point on the curve: a coarse
  // table of curve samples, searched forward in order since the points run
  // along the curve, then Newton steps.
  // Where the Newton steps stop at the parameter they end with, slopes[i]
  // is the curve's derivative there and sloped[i] is set.
  static void Reparameterise(const std::vector<Point>& pts, const CubicBezier& c,
                             std::vector<double>& u, std::vector<Point>& slopes,
                             std::vector<bool>& sloped) {
    constexpr int kSamples = 128;
    std::array<Point, kSamples + 1> table;
    for (int k = 0; k <= kSamples; ++k) table[k] = PointAt(c, double(k) / kSamples);
    const CubicBezier d2{6.0 * (c.p2 - 2.0 * c.p1 + c.p0), {}, {}, 6.0 * (c.p3 - 2.0 * c.p2 + c.p1)};
    // The table's steps, measured once for all points.
    std::array<std::optional<LazyLength>, kSamples + 1> step;
    int from = 0;
    for (std::size_t i = 1; i + 1 < pts.size(); ++i) {
      int best = from;
      LazyLength bestDist(table[from] - pts[i]);
      for (int k = from + 1; k <= kSamples; ++k) {
        LazyLength dist(table[k] - pts[i]);
        if (dist.ShorterThan(bestDist)) {
          bestDist = dist;
          best = k;
        } else if (k > best + 2) {
          if (!step[k]) step[k].emplace(table[k] - table[k - 1]);
          LazyLength& s = *step[k];
          const bool beyond = Greater(dist.Estimate(), bestDist.Estimate() + 2.0 * s.Estimate() + 1e-9, [&] {
            return std::pair{dist.Exact(), bestDist.Exact() + 2.0 * s.Exact() + 1e-9};
          });
          if (beyond) break;
        }
      }
      from = std::max(0, best - 1);
      double t = double(best) / kSamples;
      sloped[i] = false;
      for (int step = 0; step < 4; ++step) {
        const Point diff = PointAt(c, t) - pts[i];
        const Point d1 = DerivativeAt(c, t);
        slopes[i] = d1;
        const Point dd = (1.0 - t) * d2.p0 + t * d2.p3;
        const double den = Dot(d1, d1) + Dot(diff, dd);
        if (den <= 1e-300) {
          sloped[i] = true;
          break;
        }
        const double next = std::clamp(t - Dot(diff, d1) / den, 0.0, 1.0);
        if (std::fabs(next - t) < 1e-12) {
          sloped[i] = true;
          break;
        }
        t = next;
      }
      u[i] = t;
    }
  }

  // `edges` are the prepared edges of pts.
  static double MaxError(const std::vector<Point>& pts, const std::vector<Segment>& edges,
                         const std::vector<double>& u, const CubicBezier& c, std::size_t& worst) {
    double err = 0.0;
    // Whether a distance beats err: most do not by far, and need no hypot.
    auto beats = [&err](LazyLength& e) {
      if (e.ClearlyBelow(err)) return false;
      return e.Exact() > err;
    };
    for (std::size_t i = 0; i < pts.size(); ++i) {
      LazyLength e(PointAt(c, u[i]) - pts[i]);
      if (beats(e)) {
        err = e.Exact();
        worst = i;
      }
      if (i + 1 < pts.size()) {
        // Between vertices the curve must stay near the edge too.
        const Point mid = PointAt(c, 0.5 * (u[i] + u[i + 1]));
        if (err > 0.0 && ClearlyNearer(mid, edges[i], err)) continue;
        LazyLength em(SegmentOffset(mid, pts[i], pts[i + 1]));
        if (beats(em)) {
          err = em.Exact();
          worst = (u[i + 1] - 0.5 > 0.5 - u[i]) ? i : i + 1;
        }
      }
    }
    return err;
  }

  double tol_;
  double length_ = 0.0;
  std::vector<CubicBezier>& out_;
};

double Turn(Point in, Point out) {
  const double cr = Cross(in, out);
  const double dt = Dot(in, out);
  return std::fabs(std::atan2(cr, dt));
}

// Removes unflagged vertices that sit on a straight line between long
// edges, so a long straight stretch becomes one segment. Every removed
// vertex stays within a quarter of the tolerance of the chord that replaces
// it.
void DropCollinearBetweenLongEdges(std::vector<Point>& pts, std::vector<bool>& corner,
                                   double tolerance) {
  if (pts.size() < 3) return;
  std::vector<Point> keptPts{pts[0]};
  std::vector<bool> keptCorner{corner[0]};
  std::vector<Point> dropped;  // removed since the last kept vertex but one
  for (std::size_t i = 1; i < pts.size(); ++i) {
    const Point p = pts[i];
    if (keptPts.size() >= 2 && !keptCorner.back()) {
      const Point a = keptPts[keptPts.size() - 2];
      const Point m = keptPts.back();
      bool straight = Distance(a, m) >= kLongStraightEdge && Distance(m, p) >= kLongStraightEdge &&
                      Dot(m - a, p - m) > 0.0 && SegmentDistance(m, a, p) <= 0.25 * tolerance;
      // Every point dropped since a is checked again against the longer
      // segment: most are clearly near it, and only close calls pay hypot.
      const Segment ap = PrepareSegment(a, p);
      for (std::size_t k = 0; straight && k < dropped.size(); ++k) {
        straight = ClearlyNearer(dropped[k], ap, 0.25 * tolerance) ||
                   SegmentDistance(dropped[k], a, p) <= 0.25 * tolerance;
      }
      if (straight) {
        dropped.push_back(m);
        keptPts.back() = p;
        keptCorner.back() = corner[i];
        continue;
      }
    }
    dropped.clear();
    keptPts.push_back(p);
    keptCorner.push_back(corner[i]);
  }
  pts = std::move(keptPts);
  corner = std::move(keptCorner);
}

PathData Assemble(const std::vector<CubicBezier>& cubics, bool closed) {
  PathData path;
  path.closed = closed;
  for (std::size_t i = 0; i < cubics.size(); ++i) {
    const Point in = i > 0 ? cubics[i - 1].p2 : (closed ? cubics.back().p2 : cubics[i].p0);
    path.segments.push_back({cubics[i].p0, in, cubics[i].p1, true});
  }
  if (!closed && !cubics.empty()) {
    const CubicBezier& last = cubics.back();
    path.segments.push_back({last.p3, last.p2, last.p3, true});
  }
  const std::size_t n = path.segments.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (!closed && (i == 0 || i + 1 == n)) continue;
    const CubicBezier& before = cubics[(i + cubics.size() - 1) % cubics.size()];
    const CubicBezier& after = cubics[i % cubics.size()];
    const Point tin = EndTangent(before);
    const Point tout = StartTangent(after);
    path.segments[i].corner = Turn(tin, tout) > 10.0 * kSmoothTangentTurn;
  }
  return path;
}

}  // namespace

Point StartTangent(const CubicBezier& c) {
  for (const Point& p : {c.p1, c.p2, c.p3}) {
    if (Distance(p, c.p0) > kSamePoint) return Unit(p - c.p0);
  }
  return {};
}

Point EndTangent(const CubicBezier& c) {
  for (const Point& p : {c.p2, c.p1, c.p0}) {
    if (Distance(p, c.p3) > kSamePoint) return Unit(c.p3 - p);
  }
  return {};
}

PathData FitCurves(const std::vector<Point>& points, bool closed, double tolerance,
                   const std::vector<bool>& corners) {
  // Drop repeated points, keeping a corner flag on the point that stays.
  std::vector<Point> pts;
  std::vector<bool> corner;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const bool flagged = i < corners.size() && corners[i];
    if (!pts.empty() && Distance(pts.back(), points[i]) <= kSamePoint) {
      if (flagged) corner.back() = true;
      continue;
    }
    pts.push_back(points[i]);
    corner.push_back(flagged);
  }
  if (closed) {
    while (pts.size() > 1 && Distance(pts.back(), pts.front()) <= kSamePoint) {
      if (corner.back()) corner.front() = true;
      pts.pop_back();
      corner.pop_back();
    }
  }
  DropCollinearBetweenLongEdges(pts, corner, tolerance);
  const std::size_t n = pts.size();
  PathData path;
  path.closed = closed;
  if (n < 2 || (closed && n < 3)) {
    for (const Point& p : pts) path.segments.push_back(PathSegment::Corner(p));
    return path;
  }

  // Breaks cut the polygon into runs fitted one by one: corners leave the
  // handles free, smooth breaks (the ends of long straight edges) fix the
  // tangent along the edge.
  const std::size_t edges = closed ? n : n - 1;
  std::vector<std::optional<Point>> tangentAt(n);
  std::vector<bool> isBreak(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    const bool end = !closed && (i == 0 || i == n - 1);
    if (end) {
      corner[i] = true;
    } else {
      const Point in = pts[i] - pts[(i + n - 1) % n];
      const Point out = pts[(i + 1) % n] - pts[i];
      if (Turn(in, out) >= kCornerTurn) corner[i] = true;
    }
    if (corner[i]) isBreak[i] = true;
  }
  // A long edge whose smooth neighbours are much shorter is a straight piece
  // of the shape, not a step along a flat curve.
  std::vector<bool> longEdge(edges, false);
  auto edgeLength = [&](std::size_t e) { return Distance(pts[e % n], pts[(e + 1) % n]); };
  for (std::size_t e = 0; e < edges; ++e) {
    const Point a = pts[e];
    const Point b = pts[(e + 1) % n];
    const double len = Distance(a, b);
    if (len < kLongStraightEdge) continue;
    const bool hasBefore = closed || e > 0;
    const bool hasAfter = closed || e + 1 < edges;
    if (!corner[e] && hasBefore && edgeLength(e + edges - 1) * 4.0 > len) continue;
    if (!corner[(e + 1) % n] && hasAfter && edgeLength(e + 1) * 4.0 > len) continue;
    longEdge[e] = true;
    const Point dir = Unit(b - a);
    for (std::size_t v : {e, (e + 1) % n}) {
      isBreak[v] = true;
      if (!corner[v]) tangentAt[v] = dir;
    }
  }
  std::vector<std::size_t> breaks;
  for (std::size_t i = 0; i < n; ++i) {
    if (isBreak[i]) breaks.push_back(i);
  }
  if (breaks.empty()) {
    // A smooth closed loop: start anywhere, with the loop's own tangent.
    breaks.push_back(0);
    double perimeter = 0.0;
    for (std::size_t i = 0; i < n; ++i) perimeter += Distance(pts[i], pts[(i + 1) % n]);
    const Point t = EstimateTangent(pts, 0, true, std::min(kTangentWindow, perimeter / 8.0));
    if (Length(t) > 0.0) tangentAt[0] = t;
  }

  std::vector<CubicBezier> cubics;
  RunFitter fitter(tolerance, cubics);
  const std::size_t runs = closed ? breaks.size() : breaks.size() - 1;
  for (std::size_t r = 0; r < runs; ++r) {
    const std::size_t from = breaks[r];
    const std::size_t to = breaks[(r + 1) % breaks.size()];
    std::vector<Point> run{pts[from]};
    for (std::size_t i = (from + 1) % n;; i = (i + 1) % n) {
      run.push_back(pts[i]);
      if (i == to) break;
    }
    if (run.size() == 2 && longEdge[from]) {
      cubics.push_back({run[0], run[0], run[1], run[1]});
      continue;
    }
    fitter.Fit(run, tangentAt[from], tangentAt[to], 0);
  }
  return Assemble(cubics, closed);
}

}  // namespace workbench::geometry
