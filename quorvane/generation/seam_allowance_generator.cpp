#include "quorvane/generation/seam_allowance_generator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/basic_seam_margin.h"
#include "quorvane/generation/command_steps.h"
#include "quorvane/generation/tolerances.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/text/messages.h"

namespace quorvane::generation {

namespace {

using commands::CommandType;

// The host offers no cursor service yet: these mark where the wait cursor
// goes up for a run and where the point-picking tool's cursor comes back.
void ShowWaitCursor() {}
void RestoreToolCursor() {}

// The anchor a point text names: its leading integer, 0 for a label.
std::int32_t AnchorValue(const std::string& pointText) { return std::atoi(pointText.c_str()); }

// A point text as a segment number (counted from 1) and curve parameter:
// an anchor gives (its number, 0), a label its line point; (0, 0) when the
// text names nothing.
struct SegmentPosition {
  int segment = 0;
  float t = 0.0f;
};
SegmentPosition ResolveSegment(const commands::CCommandSet& set, const std::string& pointText) {
  const std::optional<commands::ResolvedPoint> point = set.ResolvePoint(pointText);
  return point ? SegmentPosition{point->segment, point->t} : SegmentPosition{};
}

// Puts the user's path back as the source, removes the temporary layer with
// the duplicate and leaves the user's path the only selected art, however
// the run ends.
class RunRestorer {
 public:
  RunRestorer(host::HostDocument& doc, RunState& state) : doc_(doc), state_(state), userPath_(state.sourcePath) {}
  RunRestorer(const RunRestorer&) = delete;
  RunRestorer& operator=(const RunRestorer&) = delete;
  ~RunRestorer() {
    state_.sourcePath = userPath_;
    if (temporaryLayer_) RemoveLayer(doc_, temporaryLayer_);
    if (userPath_) SelectOnlyArt(doc_, userPath_);
    RestoreToolCursor();
  }

  host::ArtRef UserPath() const { return userPath_; }
  host::LayerRef& TemporaryLayer() { return temporaryLayer_; }

 private:
  host::HostDocument& doc_;
  RunState& state_;
  host::ArtRef userPath_;
  host::LayerRef temporaryLayer_;
};

// Empties Work Layer 2 when the document has one; clearing makes none.
void ClearWorkLayer2(host::HostDocument& doc, RunState& state) {
  if (auto layer = doc.FindLayer(kWorkLayer2Title)) {
    state.workLayer2 = *layer;
    ClearLayer(doc, state.workLayer2);
  }
  state.resultArt = {};
}

void ShowAlert(host::HostDocument& doc, const RunState& state, text::Message message) {
  doc.Alert(text::Text(message, state.language));
}

// Whether a width in the user's unit is wider than any document.
bool BeyondAnyDocument(float width, const RunState& state) {
  return !(std::fabs(static_cast<double>(width) * state.pointsPerUnit) <= kLargestWidth);
}

// Host version 25 needs the basic margin read back and rebuilt alone
// before an "Extended one-side" that comes first; a margin that cannot be
// read stays as it is.
class CommandRunner {
 public:
  CommandRunner(host::HostDocument& doc, RunState& state, const commands::CCommandSet& set)
      : doc_(doc), state_(state), set_(set), basicWidth_(set.GetBasicWidth()), carried_(basicWidth_) {}

  // Applies command i; false (its alert shown) when it fails.
  bool Run(int i) {
    const commands::Command* command = set_.GetCommand(i);
    if (command == nullptr) return true;
    const std::string& first = command->point[0];
    const std::string& second = command->point[1];
    const float width = command->haba;
    bool done = true;
    if (commands::CommandTypeHasWidth(command->type) && BeyondAnyDocument(width, state_)) {
      ReportFailure(command->type, i);
      return false;
    }
    switch (command->type) {
      case CommandType::kRevForward:
      case CommandType::kRevBackward:
        done = ApplyReverseCorner(doc_, state_, AnchorValue(first), command->type == CommandType::kRevForward);
        break;
      case CommandType::kRightAngleForward:
      case CommandType::kRightAngleBackward:
        done = ApplyRightAngleCorner(doc_, state_, AnchorValue(first), command->type == CommandType::kRightAngleForward);
        break;
      case CommandType::kFortyFiveBackward:
      case CommandType::kFortyFiveForward: {
        const int segmentCount = doc_.SegmentCount(state_.sourcePath).value_or(0);
        carried_ = CarriedExtensionWidth(set_, i, segmentCount, carried_);
        const SegmentPosition at = ResolveSegment(set_, second);
        done = ApplyFortyFiveDegreeCorner(doc_, state_, AnchorValue(first), at.segment, at.t, carried_, width - carried_,
                                     command->type == CommandType::kFortyFiveBackward);
        break;
      }
      case CommandType::kExtendedCrossing:
        done = ApplyExtendedCrossing(doc_, state_, AnchorValue(first));
        break;
      case CommandType::kExtendedOneSide:
        return RunExtendedOneSide(i, AnchorValue(first), AnchorValue(second), width);
      case CommandType::kLapel: {
        const SegmentPosition at = ResolveSegment(set_, second);
        done = ApplyLapel(doc_, state_, AnchorValue(first), at.segment, at.t);
        break;
      }
      case CommandType::kCutOff:
        done = ApplyCutOff(doc_, state_, AnchorValue(first), width);
        break;
      case CommandType::kOpening: {
        const SegmentPosition from = ResolveSegment(set_, first);
        const SegmentPosition to = ResolveSegment(set_, second);
        done = ApplyOpening(doc_, state_, from.segment, from.t, to.segment, to.t, width);
        break;
      }
      default:
        // Codes 11 and above (and any other unknown code) are skipped.
        return true;
    }
    if (!done) ReportFailure(command->type, i);
    return done;
  }

 private:
  bool RunExtendedOneSide(int i, std::int32_t firstAnchor, std::int32_t secondAnchor, float width) {
    return ApplyExtendedOneSide(doc_, state_, i, firstAnchor, secondAnchor, width,
                                [this, i] { ReportFailure(CommandType::kExtendedOneSide, i); });
  }

  void ReportFailure(CommandType type, int i) {
    const std::string text = commands::CommandFailureText(type, i + 2, state_.language);
    if (!text.empty()) doc_.Alert(text);
  }

  host::HostDocument& doc_;
  RunState& state_;
  const commands::CCommandSet& set_;
  const float basicWidth_;
  float carried_;
};

// Scales the result about `center`, stroke widths with it; host errors are
// not reported.
void ScaleResult(host::HostDocument& doc, host::ArtRef art, QvRealPoint center, double factor) {
  if (auto matrix = doc.ScaleAbout(center, factor)) {
    doc.Transform(art, *matrix, factor, kQvTransformObjects | kQvTransformStrokeWidths);
  }
}

}  // namespace

float CarriedExtensionWidth(const commands::CCommandSet& set, int index, int segmentCount, float carried) {
  const commands::Command* command = set.GetCommand(index);
  if (command == nullptr) return carried;
  const int s = ResolveSegment(set, command->point[1]).segment;
  for (int j = 0; j < index; ++j) {
    const commands::Command* earlier = set.GetCommand(j);
    if (earlier->type != CommandType::kExtendedOneSide) continue;
    const std::int32_t a = AnchorValue(earlier->point[0]);
    const std::int32_t b = AnchorValue(earlier->point[1]);
    const bool inRange = a < b ? (a <= s && s <= b) : ((s >= a && s <= segmentCount) || (s >= 0 && s <= b));
    if (inRange) carried = earlier->haba;
  }
  return carried;
}

void SeamAllowanceGenerator(host::HostDocument& doc, RunState& state, const commands::CCommandSet& workingSet,
                            const PanelValues& panel, bool force) {
  if (!force && !panel.preview) {
    ClearWorkLayer2(doc, state);
    return;
  }
  const float basicWidth = workingSet.GetBasicWidth();
  state.basicWidth = basicWidth;
  if (panel.commandRowCount <= 0) {
    ClearWorkLayer2(doc, state);
    return;
  }

  ShowWaitCursor();
  // The end records of "Extended one-side" belong to the run that made them.
  // An "Extended one-side" that records a concave end and then fails leaves
  // its record set, and nothing else would clear it: a later convex-ended
  // command would then run the concave-end follow-up on those old points
  // and cut the margin in the wrong place. So every run starts without any,
  // on purpose, although no step of the run is otherwise meant to touch them.
  state.oneSideEnds = {};
  bool ok = true;
  RunRestorer restorer(doc, state);
  const host::ArtRef userPath = restorer.UserPath();

  // The run works on a duplicate of the user's path in a layer of its own.
  auto temporary = FindOrCreateLayer(doc, state, kTemporaryLayerTitle);
  if (!temporary) return;
  restorer.TemporaryLayer() = *temporary;
  if (ClearLayer(doc, restorer.TemporaryLayer())) return;
  auto group = doc.LayerGroup(restorer.TemporaryLayer());
  if (!group || !userPath) return;
  auto duplicate = doc.Duplicate(userPath, host::PaintOrder::kInsideOnTop, *group);
  if (!duplicate) return;

  auto bounds = doc.Bounds(*duplicate);
  if (!bounds) return;
  const double size = ((bounds->right - bounds->left) + (bounds->top - bounds->bottom)) / 2.0;
  const QvRealPoint center{(bounds->left + bounds->right) / 2.0, (bounds->bottom + bounds->top) / 2.0};
  if (size <= 0.0) return;
  state.sourcePath = *duplicate;

  if (BeyondAnyDocument(basicWidth, state) || !BuildBasicSeamMargin(doc, state, basicWidth)) {
    ShowAlert(doc, state, text::Message::kBasicMarginFailed);
    ok = false;
  }
  CommandRunner runner(doc, state, workingSet);
  for (int i = 0; i < workingSet.GetCommandCount() && ok; ++i) ok = runner.Run(i);

  if (!ok) {
    ClearWorkLayer2(doc, state);
    return;
  }
  // A basic margin that gave no path leaves no result; a command would have
  // failed on it, so only a set without commands gets here, and it ends
  // without a word.
  if (!state.resultArt) return;
  // Optimisation of a small piece works on an enlarged copy, so that its
  // tolerance stays small against the piece.
  const double factor = std::max(kDisplaySize / size, 1.0);
  const bool hasCommands = workingSet.GetCommandCount() > 0;
  ScaleResult(doc, state.resultArt, center, factor);
  if (hasCommands && panel.optimize == OptimizeChoice::kEnlarged) {
    doc.OptimizePath(state.resultArt, kFinishOptimizeTolerance);
  }
  ScaleResult(doc, state.resultArt, center, 1.0 / factor);
  doc.CopyStyle(userPath, state.resultArt);
  if (hasCommands && panel.optimize == OptimizeChoice::kTrueSize) {
    doc.OptimizePath(state.resultArt, kFinishOptimizeTolerance);
  }
}

}  // namespace quorvane::generation
