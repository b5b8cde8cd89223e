#include "support/module_run_check.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

#include "quorvane/generation/seam_allowance_generator.h"
#include "quorvane/text/messages.h"
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
      double worst = 0.0;
      for (const wg::Point& p : Flatten(*before)) worst = std::max(worst, OutsideBy(outline, p));
      outcome.outsideBy = worst;
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
