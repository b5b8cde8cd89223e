#include "quorvane/generation/basic_seam_margin.h"

#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/pathfinder.h"
#include "quorvane/generation/tolerances.h"
#include "quorvane/generation/work_layers.h"

namespace quorvane::generation {

namespace {

// Duplicates the source path on top of Work Layer 2.
std::optional<host::ArtRef> DuplicateSourceOnWorkLayer2(host::HostDocument& doc, const RunState& state) {
  auto group = doc.LayerGroup(state.workLayer2);
  if (!group) return std::nullopt;
  return doc.Duplicate(state.sourcePath, host::PaintOrder::kInsideOnTop, *group);
}

bool FailWithEmptyWorkLayer2(host::HostDocument& doc, RunState& state) {
  ClearLayer(doc, state.workLayer2);
  state.resultArt = {};
  return false;
}

// The largest path on Work Layer 2 becomes the result, dressed like the
// source path and running the way every generator expects. An offset that
// left no path is no failure of the margin: the result is then none, and the
// first command that needs it fails with its own message.
bool TakeLargestAsResult(host::HostDocument& doc, RunState& state) {
  auto largest = FindLargestPath(doc, state.workLayer2);
  state.resultArt = {};
  if (!largest) return true;
  state.resultArt = *largest;
  doc.CopyStyle(state.sourcePath, state.resultArt);
  MakeOrientationPositive(doc, state.resultArt);
  return true;
}

}  // namespace

QvErr PlayOffsetAction(host::HostDocument& doc, double distance) {
  auto params = doc.NewActionParams();
  if (!params) return doc.LastError();
  if (QvErr err = params->SetUnitReal(kQvOffsetKey, kQvUnitPoints, distance)) return err;
  if (QvErr err = params->SetReal(kQvMiterLimitKey, kOffsetMiterLimit)) return err;
  if (QvErr err = params->SetEnumerated(kQvJoinTypeKey, kOffsetJoinName, kQvOffsetMiterJoin)) return err;
  return doc.PlayAction(kQvOffsetAction, &*params, kQvDialogOff);
}

bool BuildBasicSeamMargin(host::HostDocument& doc, RunState& state, float width) {
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return false;
  state.workLayer2 = *layer;
  ClearLayer(doc, state.workLayer2);
  state.resultArt = {};
  if (!state.sourcePath) return false;
  const double distance = static_cast<double>(width) * state.pointsPerUnit;

  // The layer must be empty when the copy is made.
  layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return false;
  state.workLayer2 = *layer;
  ClearLayer(doc, state.workLayer2);

  auto copy = DuplicateSourceOnWorkLayer2(doc, state);
  if (!copy) return FailWithEmptyWorkLayer2(doc, state);
  SelectOnlyLayerArt(doc, state.workLayer2);
  if (distance != 0.0) {
    // The action adds the offset beside its input; errors leave the layer
    // as it is and the largest path there is taken.
    PlayOffsetAction(doc, distance);
    doc.Dispose(*copy);
  }
  return TakeLargestAsResult(doc, state);
}

bool BuildWidenedMargin(host::HostDocument& doc, RunState& state, float width) {
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return false;
  state.workLayer2 = *layer;
  if (!state.sourcePath) return false;
  const double distance = static_cast<double>(width) * state.pointsPerUnit;

  // The current result takes no paint while it is locked, so that the
  // offset acts on the new copy alone.
  const host::ArtRef result = state.resultArt;
  if (result) {
    if (auto style = doc.Style(result)) {
      style->fillPaint = 0;
      style->strokePaint = 0;
      doc.SetStyle(result, *style);
    }
    doc.SetLocked(result, true);
  }
  auto copy = DuplicateSourceOnWorkLayer2(doc, state);
  if (!copy) return FailWithEmptyWorkLayer2(doc, state);
  if (distance != 0.0) {
    PlayOffsetAction(doc, distance);
    doc.Dispose(*copy);
  }
  if (result) doc.SetLocked(result, false);

  SelectOnlyLayerArt(doc, state.workLayer2);
  if (PathfinderIntersect(doc, state, PathfinderData{})) return false;
  return TakeLargestAsResult(doc, state);
}

}  // namespace quorvane::generation
