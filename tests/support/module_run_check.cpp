#include "support/module_run_check.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "quorvane/generation/seam_allowance_generator.h"
#include "workbench/geometry/flatten.h"

namespace quorvane::testing {
namespace {

namespace wg = workbench::geometry;

std::vector<wg::Point> Flatten(const std::vector<host::PathSegment>& segments) {
  wg::PathData path;
  path.closed = true;
  for (const host::PathSegment& s : segments) {
    path.segments.push_back({{s.p.h, s.p.v}, {s.in.h, s.in.v}, {s.out.h, s.out.v}, s.corner != 0});
  }
  std::vector<wg::Point> points;
  for (const wg::FlatPoint& f : wg::FlattenPath(path, 0.01, 0.0)) points.push_back(f.point);
  return points;
}

// How far `p` lies outside the polygon (nonzero rule); 0 inside.
double OutsideBy(const std::vector<wg::Point>& polygon, wg::Point p) {
  int winding = 0;
  double nearest = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const wg::Point a = polygon[i];
    const wg::Point b = polygon[(i + 1) % polygon.size()];
    const wg::Point ab{b.x - a.x, b.y - a.y};
    const double len2 = ab.x * ab.x + ab.y * ab.y;
    const double t = len2 > 0 ? std::clamp(((p.x - a.x) * ab.x + (p.y - a.y) * ab.y) / len2, 0.0, 1.0) : 0.0;
    nearest = std::min(nearest, std::hypot(a.x + t * ab.x - p.x, a.y + t * ab.y - p.y));
    const double cross = ab.x * (p.y - a.y) - ab.y * (p.x - a.x);
    if (a.y <= p.y && b.y > p.y && cross > 0) ++winding;
    if (a.y > p.y && b.y <= p.y && cross < 0) --winding;
  }
  return winding != 0 ? 0.0 : nearest;
}

// The commands build their corners and openings from straight lines through
// their points: the finish line's edges before and after a point carried on
// beyond it, and its normal to the allowance side (the left of the path's
// direction), cast up to 500 pt to meet the seam margin. Where such a line
// crosses the finish line again on its way (at a concave corner, a dart, a
// smooth point of an S-curve, a normal cast across a narrow part), the
// command joins the seam margin on the far side of the piece, as its
// construction says; it does not test which way the corner turns.
// Results are fitted within a tolerance, and commands such as Opening and
// Lapel bring the allowance back onto the finish line.
constexpr double kOnFinishLine = 0.5;
constexpr double kCastReach = 500.0;
// Lines start this far from their point so that the point's own edges do not
// count as crossings.
constexpr double kCastStart = 0.5;

wg::Point At(const host::PathSegment& s) { return {s.p.h, s.p.v}; }
wg::Point Sub(wg::Point a, wg::Point b) { return {a.x - b.x, a.y - b.y}; }
double CrossOf(wg::Point a, wg::Point b) { return a.x * b.y - a.y * b.x; }

// Whether segment a-b and segment c-d cross.
bool SegmentsCross(wg::Point a, wg::Point b, wg::Point c, wg::Point d) {
  const wg::Point r = Sub(b, a), q = Sub(d, c);
  const double denominator = CrossOf(r, q);
  if (denominator == 0.0) return false;
  const double t = CrossOf(Sub(c, a), q) / denominator;
  const double u = CrossOf(Sub(c, a), r) / denominator;
  return t >= 0.0 && t <= 1.0 && u >= 0.0 && u <= 1.0;
}

// Point and tangent of the cubic from segment k's anchor to the next one at
// parameter t; the tangent falls back to the chords where handles coincide.
std::pair<wg::Point, wg::Point> CurveAt(const std::vector<host::PathSegment>& path, std::size_t k, double t) {
  const host::PathSegment& s = path[k];
  const host::PathSegment& e = path[(k + 1) % path.size()];
  const wg::Point p[4] = {At(s), {s.out.h, s.out.v}, {e.in.h, e.in.v}, At(e)};
  const double u = 1.0 - t;
  const wg::Point point{u * u * u * p[0].x + 3 * u * u * t * p[1].x + 3 * u * t * t * p[2].x + t * t * t * p[3].x,
                        u * u * u * p[0].y + 3 * u * u * t * p[1].y + 3 * u * t * t * p[2].y + t * t * t * p[3].y};
  wg::Point tangent{3 * u * u * (p[1].x - p[0].x) + 6 * u * t * (p[2].x - p[1].x) + 3 * t * t * (p[3].x - p[2].x),
                    3 * u * u * (p[1].y - p[0].y) + 6 * u * t * (p[2].y - p[1].y) + 3 * t * t * (p[3].y - p[2].y)};
  for (const wg::Point chord : {t < 0.5 ? Sub(p[2], p[0]) : Sub(p[3], p[1]), Sub(p[3], p[0])}) {
    if (tangent.x != 0.0 || tangent.y != 0.0) break;
    tangent = chord;
  }
  return {point, tangent};
}

// Whether a line from `from` along `direction`, from kCastStart to
// kCastReach away, crosses the polygon.
bool CastCrosses(const std::vector<wg::Point>& polygon, wg::Point from, wg::Point direction) {
  const double length = std::hypot(direction.x, direction.y);
  if (!(length > 0.0)) return false;
  const wg::Point unit{direction.x / length, direction.y / length};
  const wg::Point a{from.x + kCastStart * unit.x, from.y + kCastStart * unit.y};
  const wg::Point b{from.x + kCastReach * unit.x, from.y + kCastReach * unit.y};
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    if (SegmentsCross(a, b, polygon[i], polygon[(i + 1) % polygon.size()])) return true;
  }
  return false;
}

// Whether a construction line through one of the set's command points
// crosses the finish line `path` (flattened: `polygon`).
bool ConstructionCrossesPiece(const std::vector<host::PathSegment>& path, const std::vector<wg::Point>& polygon,
                              const commands::CCommandSet& set) {
  const int anchors = static_cast<int>(path.size());
  for (int i = 0; i < set.GetCommandCount(); ++i) {
    std::string texts[2];
    const int points = set.GetCommandPoints(i, texts[0], texts[1]);
    for (int slot = 0; slot < points; ++slot) {
      int segment = 0;
      float t = 0.0f;
      if (set.ResolvePoint(texts[slot], segment, t) < 0 || segment < 1 || segment > anchors) continue;
      const auto k = static_cast<std::size_t>(segment - 1);
      const auto [point, after] = CurveAt(path, k, t);
      const wg::Point before = t > 0.0f ? after : CurveAt(path, (k + path.size() - 1) % path.size(), 1.0).second;
      for (const wg::Point d : {before, wg::Point{-after.x, -after.y}, wg::Point{-before.y, before.x},
                                wg::Point{-after.y, after.x}}) {
        if (CastCrosses(polygon, point, d)) return true;
      }
    }
  }
  return false;
}

bool SameSegments(const std::vector<host::PathSegment>& a, const std::vector<host::PathSegment>& b) {
  auto same = [](QvRealPoint p, QvRealPoint q) { return p.h == q.h && p.v == q.v; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](const auto& s, const auto& t) {
           return same(s.p, t.p) && same(s.in, t.in) && same(s.out, t.out) && s.corner == t.corner;
         });
}

}  // namespace

RunOutcome RunAndCheck(host::HostDocument& doc, workbench::plugin::Host& host, generation::RunState& state,
                       host::ArtRef source, const commands::CCommandSet& set) {
  RunOutcome outcome;
  std::ostringstream problem;
  problem.precision(10);
  const auto before = doc.Segments(source);
  if (!before) return {"the source path has no segments", false};
  const commands::CCommandSet setBefore = set;
  const std::size_t alertsBefore = host.Prompts().Shown().size();
  state.sourcePath = source;
  generation::SeamAllowanceGenerator(
      doc, state, set, {true, set.GetCommandCount() + 1, generation::OptimizeChoice::kNone}, true);

  const auto& shown = host.Prompts().Shown();
  const std::size_t alerts = shown.size() - alertsBefore;
  if (state.resultArt) {
    outcome.finished = true;
    const auto result = doc.Segments(state.resultArt);
    if (alerts != 0) problem << "a finished run showed " << alerts << " alert(s): " << shown.back().text << "; ";
    if (!doc.IsClosed(state.resultArt).value_or(false)) problem << "the result is not closed; ";
    if (!(doc.SignedArea(state.resultArt).value_or(0.0) > 0.0)) problem << "the result is not clockwise; ";
    if (result && !result->empty()) {
      const std::vector<wg::Point> outline = Flatten(*result);
      const std::vector<wg::Point> finishLine = Flatten(*before);
      double worst = 0.0;
      for (const wg::Point& p : finishLine) worst = std::max(worst, OutsideBy(outline, p));
      outcome.outsideBy = worst;
      if (worst > kOnFinishLine) {
        outcome.acrossThePiece = ConstructionCrossesPiece(*before, finishLine, set);
        if (!outcome.acrossThePiece) {
          problem << "the finish line leaves the result by " << worst
                  << " pt, and no construction line of the set crosses the piece; ";
        }
      }
    } else {
      problem << "the result has no segments; ";
    }
  } else if (alerts != 1) {
    problem << "a failed run showed " << alerts << " alerts instead of one; ";
  } else {
    const std::string& text = shown.back().text;
    bool known = text == generation::kBasicMarginFailedText;
    for (int i = 0; i < set.GetCommandCount() && !known; ++i) {
      known = text == generation::CommandFailureText(set.GetCommandType(i), i + 2, true);
    }
    if (!known) problem << "the alert \"" << text << "\" is no command's own message; ";
  }
  const auto after = doc.Segments(source);
  if (!after || !SameSegments(*before, *after)) problem << "the source path changed; ";
  if (!(set == setBefore)) problem << "the set changed; ";
  outcome.problem = problem.str();
  if (!outcome.problem.empty()) outcome.problem.pop_back();  // the last "; " less its space
  return outcome;
}

}  // namespace quorvane::testing
