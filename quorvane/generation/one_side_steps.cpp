// The driver's steps of an "Extended one-side" command: the run, the
// widened margin and the follow-up at concave ends.
#include <algorithm>
#include <optional>
#include <vector>

#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/basic_seam_margin.h"
#include "quorvane/generation/command_steps.h"
#include "quorvane/generation/extend_one_side.h"
#include "quorvane/generation/one_side_ends.h"
#include "quorvane/generation/outline_reader.h"
#include "quorvane/generation/result_outline.h"
#include "quorvane/generation/work_layers.h"

namespace quorvane::generation {

namespace {

using geometry::Vec2;

// How much deeper than the basic width the inset base path lies, in points.
constexpr double kInsetSlack = 0.1;

// A copy of the finish line inset into the piece, made by the Offset Path
// action on Work Layer 2. The copy is told apart from the margin and from
// the action's input by comparing the layer's art before and after the
// action: whatever is new there is the action's. It is read once and then
// disposed of at once, before the new allowance is united with the layer,
// so that it never takes part in the union (which would consume it, or
// drop it as lying inside the margin); the destructor disposes of it on
// every other way out. Either way it is disposed of exactly once.
class InsetBasePath {
 public:
  InsetBasePath(host::HostDocument& doc, const RunState& state, double distance) : doc_(doc) {
    auto group = doc.LayerGroup(state.workLayer2);
    if (!group) return;
    auto before = doc.Children(*group);
    if (!before) return;
    auto copy = doc.Duplicate(state.sourcePath, host::PaintOrder::kInsideOnTop, *group);
    if (!copy) return;
    DeselectAllArt(doc);
    doc.SetSelected(*copy, true);
    if (state.resultArt) doc.SetSelected(state.resultArt, false);
    const QvErr err = PlayOffsetAction(doc, distance);
    if (err == kQvNoErr) {
      if (auto after = doc.Children(*group)) {
        for (host::ArtRef art : *after) {
          if (art != *copy && std::find(before->begin(), before->end(), art) == before->end()) made_.push_back(art);
        }
      }
    }
    doc.Dispose(*copy);
  }
  InsetBasePath(const InsetBasePath&) = delete;
  InsetBasePath& operator=(const InsetBasePath&) = delete;
  ~InsetBasePath() { DisposeNow(); }

  /// The inset path with the most segments; none when the action failed.
  std::optional<host::ArtRef> Path() const {
    std::optional<host::ArtRef> best;
    int most = -1;
    for (host::ArtRef art : made_) {
      if (doc_.ArtType(art) != kQvPathArt) continue;
      auto count = doc_.SegmentCount(art);
      if (count && *count > most) {
        most = *count;
        best = art;
      }
    }
    return best;
  }

  void DisposeNow() {
    for (host::ArtRef art : made_) doc_.Dispose(art);
    made_.clear();
  }

 private:
  host::HostDocument& doc_;
  std::vector<host::ArtRef> made_;
};

// Reads the run's base line (the finish line, or its inset copy when there
// is no basic allowance) and disposes of the inset copy at once.
std::optional<PathOutline> ReadOneSideBase(host::HostDocument& doc, const RunState& state) {
  const double basic = static_cast<double>(state.basicWidth) * state.pointsPerUnit;
  // Without a basic allowance the margin lies on the finish line or inside
  // it. The run is then built beside a copy inset 0.1 pt deeper than the
  // margin, so that the junction casts start inside the margin and cross it.
  if (basic > 0.0) return ReadOutline(doc, state.sourcePath);
  InsetBasePath inset(doc, state, basic - kInsetSlack);
  auto base = ReadOutline(doc, inset.Path().value_or(state.sourcePath));
  inset.DisposeNow();
  return base;
}

}  // namespace

bool ApplyOneSideRun(host::HostDocument& doc, RunState& state, std::int32_t firstAnchor, std::int32_t secondAnchor,
                     float width) {
  if (firstAnchor < 1 || secondAnchor < 1 || !state.sourcePath || !state.resultArt) return false;
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return false;
  state.workLayer2 = *layer;
  state.oneSideEnds.width = width;

  auto sourceSegments = doc.Segments(state.sourcePath);
  if (!sourceSegments) return false;
  const int count = static_cast<int>(sourceSegments->size());
  if (firstAnchor > count || secondAnchor > count) return false;
  const QvRealPoint a = (*sourceSegments)[static_cast<std::size_t>(firstAnchor - 1)].p;
  const QvRealPoint b = (*sourceSegments)[static_cast<std::size_t>(secondAnchor - 1)].p;

  const auto base = ReadOneSideBase(doc, state);
  if (!base) return false;
  const auto margin = ReadOutline(doc, state.resultArt);
  if (!margin) return false;
  const OneSideRun run = OneSideRunOutline({base->Outline(), margin->Outline(), {a.h, a.v}, {b.h, b.v},
                                            static_cast<double>(width) * state.pointsPerUnit + kOneSideOversize,
                                            state.oneSideEnds});
  state.oneSideEnds = run.ends;
  return CommitOutline(doc, state, run.margin, false);
}

void FinishOneSideEnds(host::HostDocument& doc, RunState& state) {
  OneSideEndRecords& records = state.oneSideEnds;
  if (!records.pending) return;
  records.pending = false;
  // One end: p the corner, h the margin vertex the run joined there, d the
  // finish line's direction, sigma the way along it; the crossings go to
  // `found`. False when the follow-up must stop.
  const auto treat = [&](Vec2 p, Vec2 h, Vec2 d, double sigma, Vec2* found) {
    const auto margin = ReadOutline(doc, state.resultArt);
    if (!margin) return false;
    const StraightenedEnd end = StraightenOneSideEnd(margin->Outline(), p, h, d, sigma, records.width);
    std::copy_n(end.crossings, end.crossingCount, found);
    return CommitOutline(doc, state, end.margin, false);
  };
  Vec2* pts = records.points;
  const std::uint32_t both = kOneSideStartRecorded | kOneSideEndRecorded;
  if (records.mask == kOneSideStartRecorded || records.mask == both) {
    if (!treat(pts[0], pts[1], pts[4], -1.0, &pts[2])) return;
  }
  if (records.mask == kOneSideEndRecorded || records.mask == both) {
    if (!treat(pts[5], pts[6], pts[9], +1.0, &pts[7])) return;
  }
  records.mask = 0;
}

void PrepareOneSideMargin(host::HostDocument& doc, RunState& state) {
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return;
  state.workLayer2 = *layer;
  if (!state.resultArt) return;
  auto margin = ReadOutline(doc, state.resultArt);
  if (!margin) return;
  const auto outline = margin->Outline();
  CommitOutline(doc, state, geometry::Outline(outline.begin(), outline.end()), true);
}

bool WidenAndFinishOneSide(host::HostDocument& doc, RunState& state, float width,
                           const std::function<void()>& onFailure) {
  const float distance = state.basicWidth > 0.0f ? width : width + state.basicWidth;
  const bool widened = BuildWidenedMargin(doc, state, distance);
  // The user hears of the failure before the follow-up changes the margin.
  if (!widened && onFailure) onFailure();
  if (state.oneSideEnds.pending) FinishOneSideEnds(doc, state);
  return widened;
}

bool ApplyExtendedOneSide(host::HostDocument& doc, RunState& state, int commandIndex, std::int32_t firstAnchor,
                          std::int32_t secondAnchor, float width, const std::function<void()>& onFailure) {
  if (state.basicWidth > 0.0f && !(width > state.basicWidth)) return true;
  if (commandIndex == 0 && state.hostVersion == kActionPathfinderHostVersion) PrepareOneSideMargin(doc, state);
  if (!ApplyOneSideRun(doc, state, firstAnchor, secondAnchor, width)) {
    if (onFailure) onFailure();
    return false;
  }
  return WidenAndFinishOneSide(doc, state, width, onFailure);
}

}  // namespace quorvane::generation
