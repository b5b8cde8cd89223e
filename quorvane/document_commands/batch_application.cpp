#include "quorvane/document_commands/batch_application.h"

#include <optional>
#include <vector>

#include "quorvane/document_commands/document_dialogs.h"
#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/commit_result.h"
#include "quorvane/generation/seam_allowance_generator.h"
#include "quorvane/panel/panel_controller.h"
#include "quorvane/panel/panel_driver.h"
#include "quorvane/text/messages.h"

namespace quorvane::document_commands {

namespace {

host::DialogTemplate SetDialog(text::Language language) {
  host::DialogTemplate dialog = OneRowDialog(kBatchDialog, kBatchDialogJapanese, text::Message::kBatchApplicationTitle,
                                             text::Message::kCommandSetLabel, language);
  host::DialogControl list;
  list.id = kBatchSetList;
  list.kind = kQvDropDownListControl;
  list.frame = {kFieldX, kRowY, kDialogWidth - kFieldX - 12, kRowHeight};
  dialog.controls.push_back(list);
  AddOkCancel(dialog, language);
  return dialog;
}

struct SetDialogData {
  host::HostUi* ui;
  const commands::CCommandSetList* sets;
  std::int32_t* batchSet;
};

QvErr SetDialogProc(QvWindowHandle window, std::int32_t control, std::int32_t notification, void* data) {
  auto& d = *static_cast<SetDialogData*>(data);
  if (notification == kQvDialogInit) {
    const int count = d.sets->GetSetCount();
    for (int i = 0; i < count; ++i) {
      if (QvErr err = d.ui->AddItem(window, kBatchSetList, d.sets->GetSetName(i))) return err;
    }
    if (*d.batchSet >= count) *d.batchSet = 0;
    if (count == 0) return d.ui->Enable(window, kBatchSetList, false);
    return d.ui->SetSelection(window, kBatchSetList, *d.batchSet);
  }
  if (notification != kQvClicked) return kQvNoErr;
  if (control == kCancelButton) return d.ui->EndDialog(window, kCancelButton);
  if (control != kOkButton) return kQvNoErr;
  *d.batchSet = d.ui->Selection(window, kBatchSetList).value_or(-1);
  return d.ui->EndDialog(window, kOkButton);
}

// True when the user confirmed a set; the panel state then keeps its index.
bool AskSet(panel::PanelContext& ctx) {
  std::int32_t batchSet = ctx.State().batchSet;
  SetDialogData data{&ctx.ui, &ctx.globals.commandSets, &batchSet};
  const std::optional<std::int32_t> result =
      ctx.ui.RunModalDialog(ctx.globals.self, SetDialog(ctx.InterfaceLanguage()), SetDialogProc, &data);
  if (result != kOkButton) return false;
  ctx.State().batchSet = batchSet;
  return true;
}

// The panel's values for a run, as the panel shows them. A module without
// the panel's window has no command list to count; the working set then
// counts its own rows.
generation::PanelValues BatchPanelValues(panel::PanelContext& ctx) {
  generation::PanelValues values = panel::ReadPanelValues(ctx);
  if (ctx.State().window == nullptr) {
    values.commandRowCount = ctx.globals.selectedSet >= 0 ? ctx.globals.workingSet.GetCommandCount() + 1 : 0;
  }
  return values;
}

}  // namespace

QvErr BatchApply(panel::PanelContext& ctx) {
  host::HostDocument& doc = ctx.doc;
  generation::RunState& run = ctx.Run();

  const std::optional<std::vector<host::ArtRef>> selected = doc.SelectedPaths();
  if (!selected) return doc.LastError();
  std::vector<host::ArtRef> closed;
  for (const host::ArtRef path : *selected) {
    if (doc.IsClosed(path).value_or(false)) closed.push_back(path);
  }
  if (closed.empty()) {
    run.sourcePath = {};
    run.resultArt = {};
    return doc.Alert(text::Text(text::Message::kSelectClosedPaths, ctx.InterfaceLanguage()));
  }
  if (!AskSet(ctx)) return kQvNoErr;

  const std::int32_t panelSet = ctx.globals.selectedSet;
  const host::ArtRef panelSource = run.sourcePath;
  const std::int32_t batchSet = ctx.State().batchSet;
  if (batchSet != panelSet) panel::LoadSet(ctx, batchSet, true);

  for (const host::ArtRef path : closed) {
    generation::SelectOnlyArt(doc, path);
    run.sourcePath = path;
    generation::SeamAllowanceGenerator(doc, run, ctx.globals.workingSet, BatchPanelValues(ctx), true);
    generation::CommitResult(doc, run, ctx.globals.settings, ctx.globals.workingSet.GetBasicWidth());
  }

  // The source first, so that the markers of the panel's set are drawn for
  // the path they belong to.
  run.sourcePath = panelSource;
  if (batchSet != panelSet) panel::LoadSet(ctx, panelSet, true);
  return kQvNoErr;
}

}  // namespace quorvane::document_commands
