// The point-picking tool: clicks on the source path give the command being
// edited its anchor numbers and line points, and Work Layer 1 shows the
// anchor numbers and the points in use.
#pragma once

#include <string_view>

#include "quorvane/panel/panel_context.h"
#include "sdk/messages.h"

namespace quorvane::panel {

/// What a click on the source path hit.
enum class HitKind : int { kNothing = 0, kAnchor = 1, kSegment = 2 };

struct SourceHit {
  HitKind kind = HitKind::kNothing;
  /// The anchor number, or the segment number, counted from 1.
  int number = 0;
  /// The curve parameter inside the segment; 0 for an anchor.
  float t = 0.0f;
};

/// Cursor resources of the tool.
inline constexpr std::int32_t kIdleCursor = 17000;

SourceHit HitTestSource(PanelContext& ctx, QvRealPoint location);
/// Gives the hit to the command being picked and advances the picking state.
void ApplyPick(PanelContext& ctx, const SourceHit& hit);
/// Ends picking: with `needsWidth` the panel waits for the width; otherwise
/// picking is over, the preview runs (unless it was waiting for a width)
/// and the editing controls are enabled again.
void FinishPick(PanelContext& ctx, bool needsWidth);
/// The cursor for a picking state and what the pointer is over.
std::int32_t CursorFor(PickingState pickingState, HitKind hit);

QvErr TrackCursor(PanelContext& ctx, const QvToolMessage& message);
QvErr MouseDown(PanelContext& ctx, const QvToolMessage& message);

// ---- Markers on Work Layer 1 ----------------------------------------------

/// The "Font size :" field's value in points.
double MarkerFontSize(PanelContext& ctx);
/// A marker at anchor `number` (t = 0) or inside segment `number` at `t`.
void DrawMarker(PanelContext& ctx, int number, float t, std::string_view label, bool withCircle);
/// Empties Work Layer 1 and numbers every anchor of the source path.
void DrawAnchorNumbers(PanelContext& ctx);
/// DrawAnchorNumbers, then a marker at every point the working set uses.
void RedrawCommandMarkers(PanelContext& ctx);
/// Removes the circle of `label`, and its text as well when `both` is set.
void RemoveMarker(PanelContext& ctx, std::string_view label, bool both);

}  // namespace quorvane::panel
