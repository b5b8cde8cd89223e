#include "quorvane/panel/point_picking_tool.h"

#include <string>

#include "quorvane/commands/command_type.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/panel/panel_controller.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_driver.h"

namespace quorvane::panel {

namespace {

/// How far from the path a click still hits it, in points.
constexpr double kPickTolerance = 3.0;
/// The hit test looks for anchors and for the curves between them.
constexpr std::int32_t kPickRequest = kQvHitAnchors | kQvHitSegments;

/// Cursors: idle, then for a first point and for a second point, each
/// over nothing, an anchor or a segment.
constexpr std::int32_t kNoHitCursor = 17001;
constexpr std::int32_t kFirstAnchorCursor = 17002;
constexpr std::int32_t kFirstSegmentCursor = 17003;
constexpr std::int32_t kSecondAnchorCursor = 17004;
constexpr std::int32_t kSecondSegmentCursor = 17005;

void ShowCursor(PanelContext& ctx, QvPluginRef self, std::int32_t cursor) {
  ctx.State().cursor = cursor;
  // A host that cannot change the cursor keeps its own; picking still works.
  ctx.ui.SetCursor(self, cursor);
}

}  // namespace

SourceHit HitTestSource(PanelContext& ctx, QvRealPoint location) {
  // The tool works only once the panel has accepted a source path and made
  // its marker layer.
  const std::optional<host::LayerRef> markers = ctx.doc.FindLayer(generation::kWorkLayer1Title);
  if (!markers || !*markers) return {};
  // The markers sit above the path; locked, they are never hit. The lock is
  // only set when missing, so that tracking the pointer changes nothing.
  if (ctx.doc.IsLayerEditable(*markers).value_or(true)) ctx.doc.SetLayerEditable(*markers, false);
  const host::ArtRef source = ctx.Run().sourcePath;
  if (!source) return {};
  const std::optional<QvHitResult> hit = ctx.doc.HitTest(location, kPickTolerance, kPickRequest);
  if (!hit || hit->art != source.handle) return {};
  if (hit->kind == kQvHitAnchor) return {HitKind::kAnchor, hit->segmentIndex + 1, 0.0f};
  if (hit->kind != kQvHitSegment) return {};
  // The host names a curve by the anchor it arrives at, which is the
  // 1-based number of the segment that leaves the anchor before it; the
  // closing curve arrives at anchor 0 and is the last segment.
  int number = hit->segmentIndex;
  if (number == 0) number = ctx.doc.SegmentCount(source).value_or(0);
  if (number < 1) return {};
  return {HitKind::kSegment, number, static_cast<float>(hit->t)};
}

void ApplyPick(PanelContext& ctx, const SourceHit& hit) {
  PanelState& st = ctx.State();
  if (hit.kind == HitKind::kNothing || st.pickingState == PickingState::kIdle) return;
  const PickingRule& rule = RuleOf(st.pickingState);
  const bool accepted = (hit.kind == HitKind::kAnchor && rule.anchors) || (hit.kind == HitKind::kSegment && rule.segments);
  if (!accepted) return;
  commands::CCommandSet& set = ctx.globals.workingSet;
  const int command = st.selectedCommand;
  if (set.GetCommand(command) == nullptr) return;

  std::string label;
  if (hit.kind == HitKind::kAnchor) {
    label = std::to_string(hit.number);
    DrawMarker(ctx, hit.number, 0.0f, label, true);
  } else {
    // With all labels in use the slot gets an empty text and the command
    // stays without that point; there is nothing to mark.
    const char letter = set.AddLinePoint(hit.number, hit.t);
    if (letter != 0) {
      label.assign(1, letter);
      DrawMarker(ctx, hit.number, hit.t, label, true);
    }
  }
  set.SetCommandPoint(command, rule.slot, label);

  if (rule.next != PickingState::kIdle) {
    st.pickingState = rule.next;
    return;
  }
  const bool needsWidth = st.incompleteCommand != 0 && commands::CommandTypeHasWidth(set.GetCommandType(command));
  FinishPick(ctx, needsWidth);
}

void FinishPick(PanelContext& ctx, bool needsWidth) {
  PanelState& st = ctx.State();
  if (st.pickingState == PickingState::kIdle) return;
  const QvWindowHandle window = st.window;
  if (needsWidth) {
    st.pickingState = PickingState::kAwaitingWidth;
    ctx.ui.Enable(window, kUpdateWidthButton, true);
    ctx.ui.Enable(window, kCommandWidthField, true);
    return;
  }
  // A command that waited for its width was previewed when the width came.
  if (st.pickingState != PickingState::kAwaitingWidth) RunDriver(ctx, false);
  st.pickingState = PickingState::kIdle;
  st.incompleteCommand = 0;
  for (const std::int32_t control :
       {kAddButton, kRemoveCommandButton, kClearPointButton, kSaveButton, kMoveUpButton, kMoveDownButton,
        kCreateButton, kStartPointButton, kNewSetButton, kRemoveSetButton, kPreviewCheckBox, kClearButton,
        kApplyButton}) {
    ctx.ui.Enable(window, control, true);
  }
  SelectCommandRow(ctx, ctx.ui.Selection(window, kCommandList).value_or(st.selectedCommand + 1));
}

std::int32_t CursorFor(PickingState pickingState, HitKind hit) {
  if (!TakesClicks(pickingState)) return kIdleCursor;
  if (hit == HitKind::kNothing) return kNoHitCursor;
  const bool second = RuleOf(pickingState).slot == 1;
  if (hit == HitKind::kAnchor) return second ? kSecondAnchorCursor : kFirstAnchorCursor;
  return second ? kSecondSegmentCursor : kFirstSegmentCursor;
}

QvErr TrackCursor(PanelContext& ctx, const QvToolMessage& message) {
  const SourceHit hit = HitTestSource(ctx, message.cursor);
  ctx.globals.toolMessagePlugin = message.d.self;
  ShowCursor(ctx, message.d.self, CursorFor(ctx.State().pickingState, hit.kind));
  return kQvNoErr;
}

QvErr MouseDown(PanelContext& ctx, const QvToolMessage& message) {
  const SourceHit hit = HitTestSource(ctx, message.cursor);
  ApplyPick(ctx, hit);
  ctx.globals.toolMessagePlugin = message.d.self;
  ShowCursor(ctx, message.d.self, CursorFor(ctx.State().pickingState, hit.kind));
  RewriteCommandRow(ctx, ctx.State().selectedCommand);
  return kQvNoErr;
}

}  // namespace quorvane::panel
