#include "quorvane/document_commands/basic_finish_line.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "quorvane/document_commands/document_dialogs.h"
#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/basic_seam_margin.h"
#include "quorvane/generation/commit_result.h"
#include "quorvane/generation/source_selection.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/text/messages.h"
#include "quorvane/text/numbers.h"

namespace quorvane::document_commands {

namespace {

host::DialogTemplate MarginDialog(text::Language language) {
  host::DialogTemplate dialog = OneRowDialog(kFinishLineDialog, kFinishLineDialogJapanese,
                                             text::Message::kFinishLineTitle, text::Message::kSeamMarginLabel, language);
  host::DialogControl field;
  field.id = kMarginField;
  field.kind = kQvEditControl;
  field.frame = {kFieldX, kRowY, 70, kRowHeight};
  dialog.controls.push_back(field);
  host::DialogControl unit;
  unit.kind = kQvLabelControl;
  unit.frame = {kFieldX + 76, kRowY, 40, kRowHeight};
  // The field always says millimetres, whatever unit the margin is in.
  unit.text = "mm";
  dialog.controls.push_back(unit);
  AddOkCancel(dialog, language);
  return dialog;
}

struct MarginDialogData {
  host::HostUi* ui;
  float* margin;
};

QvErr MarginDialogProc(QvWindowHandle window, std::int32_t control, std::int32_t notification, void* data) {
  auto& d = *static_cast<MarginDialogData*>(data);
  if (notification == kQvDialogInit) {
    return d.ui->SetText(window, kMarginField, text::FormatGeneral(*d.margin));
  }
  if (notification != kQvClicked) return kQvNoErr;
  if (control == kCancelButton) return d.ui->EndDialog(window, kCancelButton);
  if (control != kOkButton) return kQvNoErr;

  std::string text = d.ui->Text(window, kMarginField).value_or(std::string());
  if (text.size() > kMarginTextLimit) text.resize(kMarginTextLimit);
  const double value = LeadingDecimal(text);
  if (!AcceptableMargin(value)) {
    // The dialog stays open on the field, its text selected for retyping.
    d.ui->Focus(window, kMarginField);
    return d.ui->Beep();
  }
  *d.margin = static_cast<float>(value);
  return d.ui->EndDialog(window, kOkButton);
}

// True when the user confirmed a margin, which is then stored in the settings.
bool AskMargin(panel::PanelContext& ctx) {
  float margin = ctx.globals.settings.basicFinishLineMargin;
  MarginDialogData data{&ctx.ui, &margin};
  const std::optional<std::int32_t> result =
      ctx.ui.RunModalDialog(ctx.globals.self, MarginDialog(ctx.InterfaceLanguage()), MarginDialogProc, &data);
  if (result != kOkButton) return false;
  ctx.globals.settings.basicFinishLineMargin = margin;
  return true;
}

}  // namespace

bool AcceptableMargin(double value) {
  return value > 0.0 && value != std::numeric_limits<double>::max() &&
         std::isfinite(static_cast<float>(value));
}

QvErr CreateBasicFinishLine(panel::PanelContext& ctx) {
  host::HostDocument& doc = ctx.doc;
  generation::RunState& run = ctx.Run();
  const settings::Settings& settings = ctx.globals.settings;

  if (generation::CheckSourceSelection(doc, run) != 1) {
    run.sourcePath = {};
    run.resultArt = {};
    return doc.Alert(text::Text(text::Message::kSelectClosedPath, ctx.InterfaceLanguage()));
  }
  const host::ArtRef piece = run.sourcePath;
  if (!AskMargin(ctx)) return kQvNoErr;

  if (QvErr err = generation::DeselectAllArt(doc)) return err;
  const std::optional<host::LayerRef> pieceLayer = doc.LayerOf(piece);
  if (!pieceLayer) return doc.LastError();
  const std::optional<std::string> pieceTitle = doc.LayerTitle(*pieceLayer);
  if (!pieceTitle) return doc.LastError();
  const std::optional<host::LayerRef> layer = generation::FindOrCreateLayer(
      doc, run, *pieceTitle + std::string(kFinishLineLayerSuffix), *pieceLayer);
  if (!layer) return doc.LastError();

  const std::optional<host::ArtRef> group = doc.LayerGroup(*layer);
  if (!group) return doc.LastError();
  const std::optional<host::ArtRef> copy = doc.Duplicate(piece, host::PaintOrder::kInsideOnTop, *group);
  if (!copy) return doc.LastError();
  if (QvErr err = doc.SetSelected(*copy, true)) return err;
  // Negative: the action offsets outward for positive distances.
  const double distance = -static_cast<double>(settings.basicFinishLineMargin) * settings.unitFactor;
  if (QvErr err = generation::PlayOffsetAction(doc, distance)) return err;

  doc.SetUndoText(kFinishLineUndoText, kFinishLineRedoText);
  // The action puts its result directly above its input: the layer's
  // topmost art.
  const std::optional<std::vector<host::ArtRef>> children = doc.Children(*group);
  if (children && !children->empty()) {
    const host::ArtRef finishLine = children->front();
    if (settings.seamAllowanceLine != 0) {
      generation::ApplySettingsLineStyle(doc, piece, settings, settings::LineKind::kSeamAllowance);
    }
    if (settings.finishLine != 0) {
      generation::ApplySettingsLineStyle(doc, finishLine, settings, settings::LineKind::kFinish);
    }
  }
  return doc.Dispose(*copy);
}

}  // namespace quorvane::document_commands
