#include "quorvane/generation/source_selection.h"

#include <string>

#include "quorvane/generation/work_layers.h"
#include "quorvane/text/messages.h"

namespace quorvane::generation {

namespace {

std::string_view InLanguage(const RunState& state, text::Message message) {
  return text::Text(message, state.language);
}

}  // namespace

int CheckSourceSelection(host::HostDocument& doc, RunState& state) {
  state.sourcePath = {};
  auto selected = doc.SelectedPaths();
  if (!selected) return 0;
  if (selected->size() != 1) return static_cast<int>(selected->size());

  const host::ArtRef path = selected->front();
  auto closed = doc.IsClosed(path);
  if (!closed || !*closed) {
    doc.Alert(InLanguage(state, text::Message::kOpenPathSelected));
    return 0;
  }
  // The work layers are recognised by title as well as by handle: a
  // document saved with them and opened again has titles but no handles.
  auto layer = doc.LayerOf(path);
  std::string title;
  if (layer) {
    if (auto t = doc.LayerTitle(*layer)) title = *t;
  }
  if (layer && ((state.workLayer1 && *layer == state.workLayer1) || title == kWorkLayer1Title)) {
    doc.Alert(InLanguage(state, text::Message::kWorkLayer1PathSelected));
    return 0;
  }
  if (layer && ((state.workLayer2 && *layer == state.workLayer2) || title == kWorkLayer2Title)) {
    doc.Alert(InLanguage(state, text::Message::kWorkLayer2PathSelected));
    return 0;
  }
  state.sourcePath = path;
  return 1;
}

std::string_view NoSourceText(const RunState& state) {
  return InLanguage(state, text::Message::kSelectClosedPath);
}

}  // namespace quorvane::generation
