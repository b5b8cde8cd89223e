#include "support/module_run_check.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "quorvane/generation/seam_allowance_generator.h"
#include "quorvane/generation/tolerances.h"
#include "quorvane/text/messages.h"
#include "support/bound_host.h"
#include "support/distance_field.h"
#include "workbench/geometry/bezier.h"
#include "workbench/geometry/curve_fit.h"
#include "workbench/geometry/flatten.h"
#include "workbench/geometry/self_crossing.h"

namespace quorvane::testing {
namespace {

// Commands such as Opening, Lapel and the reversed corners bring the
// allowance back onto the finish line, and the result is curves fitted to
// the built outline within the fitting tolerance: where the outline runs
// along the finish line, the curves may stray inside by that much.
constexpr double kOnFinishLine = generation::kFitTolerance;
// Commands build on lines through their points (the edges carried on beyond
// it, its outward normal) cast up to 500 pt; where one crosses the finish
// line again (concave corner, dart, S-curve), the command joins the margin on
// the piece's far side, as built: it does not test which way a corner turns.
constexpr double kCastReach = 500.0;
constexpr double kCastStart = 0.5;  // clear of the point's own edges

// Whether a line from `from` along `direction`, from kCastStart to
// kCastReach away, crosses the polygon.
bool CastCrosses(const std::vector<wg::Point>& polygon, wg::Point from, wg::Point direction) {
  if (!(wg::Length(direction) > 0.0)) return false;
  const wg::Point unit = direction * (1.0 / wg::Length(direction));
  const wg::Point a = from + kCastStart * unit;
  const wg::Point ab = (kCastReach - kCastStart) * unit;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const wg::Point c = polygon[i], cd = polygon[(i + 1) % polygon.size()] - c;
    const double denominator = wg::Cross(ab, cd);
    if (denominator == 0.0) continue;
    const double t = wg::Cross(c - a, cd) / denominator, u = wg::Cross(c - a, ab) / denominator;
    if (t >= 0.0 && t <= 1.0 && u >= 0.0 && u <= 1.0) return true;
  }
  return false;
}

// The segment and parameter a command point names on the finish line
// `path`, if it names one there.
std::optional<commands::ResolvedPoint> ResolveOnPiece(const wg::PathData& path, const commands::CCommandSet& set,
                                                      const std::string& text) {
  const auto resolved = set.ResolvePoint(text);
  if (!resolved || resolved->segment < 1 || resolved->segment > static_cast<int>(path.segments.size())) {
    return std::nullopt;
  }
  return resolved;
}

// Whether a construction line through one of the set's command points
// crosses the finish line `path` (flattened: `polygon`).
bool ConstructionCrossesPiece(const wg::PathData& path, const std::vector<wg::Point>& polygon,
                              const commands::CCommandSet& set) {
  const std::size_t anchors = path.segments.size();
  for (int i = 0; i < set.GetCommandCount(); ++i) {
    std::string texts[2];
    const int points = set.GetCommandPoints(i, texts[0], texts[1]);
    for (int slot = 0; slot < points; ++slot) {
      const auto resolved = ResolveOnPiece(path, set, texts[slot]);
      if (!resolved) continue;
      const int segment = resolved->segment;
      const float t = resolved->t;
      // An anchor: the edges arriving and leaving; a line point: its tangent.
      const wg::CubicBezier curve = wg::CurveAt(path.segments, static_cast<std::size_t>(segment - 1));
      const wg::Point after = t > 0.0f ? curve.DerivativeAt(t) : wg::StartTangent(curve);
      const wg::Point before =
          t > 0.0f ? after : wg::EndTangent(wg::CurveAt(path.segments, (segment + anchors - 2) % anchors));
      const wg::Point point = curve.At(t);
      for (const wg::Point d : {before, -1.0 * after, wg::Point{-before.y, before.x}, wg::Point{-after.y, after.x}}) {
        if (CastCrosses(polygon, point, d)) return true;
      }
    }
  }
  return false;
}

// The place on the finish line `path` that a command point names, if any.
std::optional<wg::Point> PointOnPiece(const wg::PathData& path, const commands::CCommandSet& set,
                                      const std::string& text) {
  const auto resolved = ResolveOnPiece(path, set, text);
  if (!resolved) return std::nullopt;
  return wg::CurveAt(path.segments, static_cast<std::size_t>(resolved->segment - 1)).At(resolved->t);
}

// Whether the set holds a command of two points that are one place. The
// two-point commands build on the stretch going forward from the first
// point to the second; from a point to itself that is the whole finish line,
// yet the run they build over it is that one point, and at a corner the two
// ends take their directions from different edges, meeting the margin on
// either side of it: the margin from the first end forward to the second,
// nearly all of it, is replaced by what the command builds at the corner.
// The result is closed but holds only the corner.
bool CommandFromAPointToItself(const wg::PathData& path, const commands::CCommandSet& set) {
  for (int i = 0; i < set.GetCommandCount(); ++i) {
    std::string first, second;
    if (set.GetCommandPoints(i, first, second) != 2) continue;
    const auto a = PointOnPiece(path, set, first), b = PointOnPiece(path, set, second);
    if (a && b && wg::Length(*a - *b) <= kOnFinishLine) return true;
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
                       host::ArtRef source, const commands::CCommandSet& set, Holding holding) {
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
    // A finish line that crosses itself has no single inside (the command
    // line refuses such a piece before the module sees it): its result is
    // asked only to be closed, since what it should hold, and so which way
    // round it goes, is not defined; it can even come out flat.
    const wg::PathData finishPath = ToPathData(*before);
    auto simplePiece = [&finishPath] {
      constexpr double kCrossingFlatness = 0.05;  // points
      return !wg::FindSelfCrossing(finishPath, kCrossingFlatness);
    };
    if (!(doc.SignedArea(state.resultArt).value_or(0.0) > 0.0) && simplePiece()) {
      problem << "the result is not clockwise; ";
    }
    if (result && !result->empty()) {
      const DistanceField outline(ToPathData(*result), 5.0, 0.01);
      std::vector<wg::Point> finishLine;
      for (const wg::FlatPoint& f : wg::FlattenPath(finishPath, 0.01, 0.0)) finishLine.push_back(f.point);
      double worst = 0.0;
      for (const wg::Point& p : finishLine) worst = std::max(worst, outline.Inside(p) ? 0.0 : outline(p));
      outcome.outsideBy = worst;
      if (worst > kOnFinishLine && holding == Holding::kFinishLine && simplePiece()) {
        outcome.acrossThePiece = ConstructionCrossesPiece(finishPath, finishLine, set);
        outcome.fromAPointToItself = CommandFromAPointToItself(finishPath, set);
        if (!outcome.acrossThePiece && !outcome.fromAPointToItself) {
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
    bool known = text == text::Text(text::Message::kBasicMarginFailed, text::Language::kEnglish);
    for (int i = 0; i < set.GetCommandCount() && !known; ++i) {
      known = text == commands::CommandFailureText(set.GetCommandType(i), i + 2, text::Language::kEnglish);
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
