#include "quorvane/generation/commit_result.h"

#include <optional>

#include "quorvane/generation/work_layers.h"
#include "quorvane/text/messages.h"

namespace quorvane::generation {

std::string ResultLayerTitle(std::string_view sourceLayerTitle, text::Language language) {
  std::string title(sourceLayerTitle);
  title += text::Text(text::Message::kResultLayerSuffix, language);
  return title;
}

QvErr ApplySettingsLineStyle(host::HostDocument& doc, host::ArtRef art, const settings::Settings& settings,
                             settings::LineKind line) {
  QvColor stroke{};
  stroke.kind = kQvColorGray;
  stroke.gray = 1.0;  // full ink, black, when the index names no plate colour
  const std::int16_t index = settings::LineColorIndex(settings, line);
  if (index >= 0 && index < settings.plateColorCount) {
    stroke = settings::PlateColorToDocumentColor(doc, settings.plateColors[index], stroke);
  }
  return settings::ApplyLineStyle(doc, art, settings::LineStyle(settings, line, stroke));
}

void CommitResult(host::HostDocument& doc, RunState& state, const settings::Settings& settings, float basicWidth) {
  RemoveLayer(doc, state.workLayer1);
  state.workLayer1 = {};

  if (!state.sourcePath || !state.resultArt) return;
  const std::optional<host::LayerRef> sourceLayer = doc.LayerOf(state.sourcePath);
  if (!sourceLayer) return;
  const std::optional<std::string> sourceTitle = doc.LayerTitle(*sourceLayer);
  if (!sourceTitle) return;
  const std::optional<host::LayerRef> target =
      FindOrCreateLayer(doc, state, ResultLayerTitle(*sourceTitle, settings.language), *sourceLayer);
  if (!target) return;
  const std::optional<host::ArtRef> group = doc.LayerGroup(*target);
  if (!group) return;
  const std::optional<host::ArtRef> copy = doc.Duplicate(state.resultArt, host::PaintOrder::kInsideOnTop, *group);
  if (!copy) return;

  RemoveLayer(doc, state.workLayer2);
  state.workLayer2 = {};
  state.resultArt = {};

  // A negative basic width means the user drew the cut line: the generated
  // outline is then the finish line inside it.
  const bool userDrewFinishLine = basicWidth >= 0.0f;
  const settings::LineKind sourceLine =
      userDrewFinishLine ? settings::LineKind::kFinish : settings::LineKind::kSeamAllowance;
  const settings::LineKind copyLine =
      userDrewFinishLine ? settings::LineKind::kSeamAllowance : settings::LineKind::kFinish;
  auto lineOn = [&settings](settings::LineKind line) {
    return (line == settings::LineKind::kFinish ? settings.finishLine : settings.seamAllowanceLine) != 0;
  };
  if (lineOn(sourceLine)) ApplySettingsLineStyle(doc, state.sourcePath, settings, sourceLine);
  if (lineOn(copyLine)) ApplySettingsLineStyle(doc, *copy, settings, copyLine);
  doc.SetSelected(*copy, false);
}

}  // namespace quorvane::generation
