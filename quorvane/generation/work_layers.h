// The module's named layers: the two work layers that hold the markers and
// the preview, the temporary layer of one run, and the titles of the layers
// a finished seam allowance goes to.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"

namespace quorvane::generation {

/// Markers of the working set's points; kept locked.
inline constexpr std::string_view kWorkLayer1Title = "<<Quorvane Work Layer1>>";
/// The preview: the current result art and the pieces of a run.
inline constexpr std::string_view kWorkLayer2Title = "<<Quorvane Work Layer2>>";
/// The duplicate of the source path during one run.
inline constexpr std::string_view kTemporaryLayerTitle = "trevaskPlgTmp";

/// The point-picking tool's part of looking up Work Layer 1. When
/// `sourceAccepted` says the panel accepts the current selection as the
/// source, `redrawMarkers` draws the markers on the layer, which is then
/// unlocked with its art deselected; the source path is selected again
/// afterwards. Either function may be empty (no redraw).
struct WorkLayer1MarkerRedraw {
  std::function<bool()> sourceAccepted;
  std::function<void(host::LayerRef)> redrawMarkers;
};

/// The topmost layer titled `title`, or a new one inserted above `reference`
/// (above all layers for a null reference), titled and made current. Looking
/// up Work Layer 1 stores its handle in `state`, runs `markerRedraw` (if
/// given) and always leaves that layer locked. None on a host error.
std::optional<host::LayerRef> FindOrCreateLayer(host::HostDocument& doc, RunState& state, std::string_view title,
                                                host::LayerRef reference = {},
                                                const WorkLayer1MarkerRedraw* markerRedraw = nullptr);

/// Empties a layer by replacing it: deletes it with all its art and inserts a
/// new layer of the same title above all layers, made current. `layer` is set
/// to the new layer. The first host error ends the sequence and is returned.
QvErr ClearLayer(host::HostDocument& doc, host::LayerRef& layer);

/// Deletes the layer with its art; a null handle does nothing.
QvErr RemoveLayer(host::HostDocument& doc, host::LayerRef layer);

}  // namespace quorvane::generation
