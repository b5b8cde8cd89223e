#include "quorvane/generation/work_layers.h"

#include <string>

namespace quorvane::generation {

namespace {

void RedrawWorkLayer1Markers(host::HostDocument& doc, const RunState& state, host::LayerRef layer,
                             const WorkLayer1MarkerRedraw& hook) {
  if (!hook.sourceAccepted || !hook.redrawMarkers || !hook.sourceAccepted()) return;
  // Markers are drawn on the unlocked layer; the source path is selected
  // again afterwards, since drawing may have changed the selection.
  if (doc.SetLayerEditable(layer, true)) return;
  if (doc.DeselectAllOnLayer(layer)) return;
  hook.redrawMarkers(layer);
  if (state.sourcePath) doc.SetSelected(state.sourcePath, true);
}

}  // namespace

std::optional<host::LayerRef> FindOrCreateLayer(host::HostDocument& doc, RunState& state, std::string_view title,
                                                host::LayerRef reference,
                                                const WorkLayer1MarkerRedraw* markerRedraw) {
  auto layer = doc.FindLayer(title);
  if (!layer) {
    if (doc.LastError()) return std::nullopt;
    layer = doc.InsertLayer(reference, host::PaintOrder::kAbove);
    if (!layer) return std::nullopt;
    if (doc.SetLayerTitle(*layer, title) || doc.SetCurrentLayer(*layer)) return std::nullopt;
  }
  if (title == kWorkLayer1Title) {
    state.workLayer1 = *layer;
    if (markerRedraw != nullptr) RedrawWorkLayer1Markers(doc, state, *layer, *markerRedraw);
    if (doc.SetLayerEditable(*layer, false)) return std::nullopt;
  }
  return layer;
}

QvErr ClearLayer(host::HostDocument& doc, host::LayerRef& layer) {
  auto title = doc.LayerTitle(layer);
  if (!title) return doc.LastError();
  if (QvErr err = doc.DeleteLayer(layer)) return err;
  // From here on the old handle names nothing; keep the caller's handle
  // pointing at whatever layer exists.
  layer = {};
  auto fresh = doc.InsertLayer({}, host::PaintOrder::kAbove);
  if (!fresh) return doc.LastError();
  layer = *fresh;
  if (QvErr err = doc.SetLayerTitle(*fresh, *title)) return err;
  return doc.SetCurrentLayer(*fresh);
}

QvErr RemoveLayer(host::HostDocument& doc, host::LayerRef layer) {
  if (!layer) return kQvNoErr;
  return doc.DeleteLayer(layer);
}

}  // namespace quorvane::generation
