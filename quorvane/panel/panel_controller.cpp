#include "quorvane/panel/panel_controller.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "quorvane/commands/art_set_tags.h"
#include "quorvane/commands/command.h"
#include "quorvane/commands/list_file.h"
#include "quorvane/generation/commit_result.h"
#include "quorvane/generation/source_selection.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/panel_driver.h"
#include "quorvane/panel/panel_layout.h"
#include "quorvane/panel/panel_texts.h"
#include "quorvane/panel/point_picking_tool.h"
#include "quorvane/panel/set_name_dialog.h"
#include "quorvane/text/cp932.h"
#include "quorvane/text/messages.h"

namespace quorvane::panel {

namespace {

using commands::CCommandSet;
using commands::CommandType;

QvWindowHandle Window(PanelContext& ctx) { return ctx.State().window; }

void EnableControls(PanelContext& ctx, std::initializer_list<std::int32_t> ids, bool enable) {
  for (std::int32_t id : ids) ctx.ui.Enable(Window(ctx), id, enable);
}

void EnableTypeButtons(PanelContext& ctx, bool enable) {
  for (std::int32_t id = kFirstTypeButton; id <= kLastTypeButton; ++id) ctx.ui.Enable(Window(ctx), id, enable);
}

void Alert(PanelContext& ctx, text::Message message) { ctx.doc.Alert(text::Text(message, ctx.InterfaceLanguage())); }

// A question nobody could answer counts as "no": the state stays as it was.
bool Ask(PanelContext& ctx, text::Message question, std::string_view setName) {
  return ctx.doc.Ask(text::TextWith(question, ctx.InterfaceLanguage(), text::DisplayText(setName))).value_or(false);
}

std::string SelectedSetName(PanelContext& ctx) { return ctx.globals.commandSets.GetSetName(ctx.globals.selectedSet); }

// Keeps whole UTF-8 characters within the 256-byte field.
void SetCurrentSetName(host::PluginGlobals& globals, std::string_view name) {
  std::size_t length = std::min(name.size(), host::kSetNameCapacity - 1);
  while (length > 0 && length < name.size() && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80) --length;
  std::memcpy(globals.currentSetName, name.data(), length);
  globals.currentSetName[length] = '\0';
}

std::string FieldText(PanelContext& ctx, std::int32_t control) {
  return ctx.ui.Text(Window(ctx), control).value_or(std::string());
}

int ListSelection(PanelContext& ctx, std::int32_t control) {
  return ctx.ui.Selection(Window(ctx), control).value_or(-1);
}

bool LayerExists(PanelContext& ctx, host::LayerRef layer) {
  return layer && ctx.doc.LayerTitle(layer).has_value();
}

void ClearPreviewLayer(PanelContext& ctx) {
  if (!LayerExists(ctx, ctx.Run().workLayer2)) return;
  generation::ClearLayer(ctx.doc, ctx.Run().workLayer2);
  ctx.Run().resultArt = {};
}

// The markers follow the source path; without one there is nothing to mark.
bool CanMark(PanelContext& ctx) { return ctx.Run().sourcePath && LayerExists(ctx, ctx.Run().workLayer1); }

void RedrawMarkers(PanelContext& ctx) {
  if (CanMark(ctx)) RedrawCommandMarkers(ctx);
}

void RemoveCommandMarkers(PanelContext& ctx, int index) {
  const commands::Command* command = ctx.globals.workingSet.GetCommand(index);
  if (command == nullptr || !CanMark(ctx)) return;
  for (int slot = 0; slot < std::min(command->num, 2); ++slot) {
    const std::string& label = command->point[static_cast<std::size_t>(slot)];
    if (label.empty()) continue;
    // An anchor keeps its number; a line point goes with its command.
    RemoveMarker(ctx, label, !commands::AnchorReference(label).has_value());
  }
}

void EndPicking(PanelContext& ctx) {
  if (ctx.State().pickingState != PickingState::kIdle) FinishPick(ctx, false);
}

void FillStartPointField(PanelContext& ctx) {
  ctx.ui.ClearItems(Window(ctx), kStartPointField);
  const int segments = ctx.doc.SegmentCount(ctx.Run().sourcePath).value_or(0);
  for (int n = 1; n <= segments; ++n) ctx.ui.AddItem(Window(ctx), kStartPointField, std::to_string(n));
}

void EnsureWorkLayers(PanelContext& ctx, bool previewLayerFirst) {
  generation::RunState& run = ctx.Run();
  auto findPreview = [&] {
    if (auto layer = generation::FindOrCreateLayer(ctx.doc, run, generation::kWorkLayer2Title)) {
      run.workLayer2 = *layer;
    }
  };
  if (previewLayerFirst) findPreview();
  if (!LayerExists(ctx, run.workLayer1)) generation::FindOrCreateLayer(ctx.doc, run, generation::kWorkLayer1Title);
  if (!previewLayerFirst) findPreview();
}

}  // namespace

void ApplyPanelEnabling(PanelContext& ctx, bool enabled) {
  EnableControls(ctx, {kSetList, kNewSetButton, kPreviewCheckBox, kAdjustField}, enabled);
  if (ctx.globals.selectedSet >= 0) {
    EnableControls(ctx,
                   {kCommandList, kBasicWidthField, kCommandWidthField, kStartPointField, kFontSizeField, kAddButton,
                    kRemoveCommandButton, kClearPointButton, kUpdateWidthButton, kSaveButton, kMoveUpButton,
                    kMoveDownButton, kCreateButton, kStartPointButton, kFontSizeButton, kEditSetButton,
                    kRemoveSetButton, kClearButton, kApplyButton, kOptimizeList},
                   enabled);
    EnableTypeButtons(ctx, enabled);
  }
  for (std::int32_t label : {kCommandSetLabel, kSeamMarginLabel, kStartPointLabel, kFontSizeLabel,
                             kCommandColumnsLabel, kPointWidthLabel, kOptimizeLabel}) {
    ctx.ui.Invalidate(Window(ctx), label);
  }
}

namespace {

// Selecting or making a set enables the panel; when it was enabled already
// the new set's controls are enabled all the same.
void EnableForSet(PanelContext& ctx) {
  if (ctx.State().enabled != 0) {
    ApplyPanelEnabling(ctx, true);
  } else {
    SetPanelEnabled(ctx, true);
  }
}

// Asks before the modified working set is dropped; false when the user
// keeps it.
bool DiscardChanges(PanelContext& ctx) {
  if (ctx.globals.modified == 0) return true;
  if (!Ask(ctx, text::Message::kDiscardQuestion, SelectedSetName(ctx))) return false;
  EndPicking(ctx);
  ctx.globals.modified = 0;
  return true;
}

// ---- Operations -------------------------------------------------------------

void SelectSet(PanelContext& ctx) {
  host::PluginGlobals& g = ctx.globals;
  const int row = ListSelection(ctx, kSetList);
  if (ctx.State().incompleteCommand != 0) {
    Alert(ctx, text::Message::kAccomplishCommand);
    ctx.ui.SetSelection(Window(ctx), kSetList, g.selectedSet);
    return;
  }
  if (!CheckSelection(ctx)) {
    ctx.ui.SetSelection(Window(ctx), kSetList, g.selectedSet);
    return;
  }
  if (row == g.selectedSet) return;
  if (!DiscardChanges(ctx)) {
    ctx.ui.SetSelection(Window(ctx), kSetList, g.selectedSet);
    return;
  }
  if (row < 0) {
    SelectNoSet(ctx);
    ClearPreviewLayer(ctx);
    return;
  }
  g.selectedSet = row;
  EnableForSet(ctx);
  LoadSet(ctx, row, true);
  RunDriver(ctx, false);
}

void SelectCommand(PanelContext& ctx) {
  if (!CheckSelection(ctx)) return;
  PanelState& st = ctx.State();
  const int row = ListSelection(ctx, kCommandList);
  if (row == st.selectedCommand + 1) return;
  if (st.pickingState != PickingState::kIdle) {
    Alert(ctx, st.pickingState == PickingState::kAwaitingWidth ? text::Message::kInputWidth : text::Message::kInputPoint);
    ctx.ui.SetSelection(Window(ctx), kCommandList, st.selectedCommand + 1);
    return;
  }
  SelectCommandRow(ctx, row);
}

void RenameSet(PanelContext& ctx) {
  if (!CheckSelection(ctx)) return;
  host::PluginGlobals& g = ctx.globals;
  const int row = ListSelection(ctx, kSetList);
  CCommandSet* set = g.commandSets.GetSet(row);
  if (set == nullptr) return;
  const std::string name = set->GetName();
  const bool artHeld = commands::IsArtHeldName(name);
  const std::string shown = artHeld ? name.substr(1, name.size() - 2) : name;
  std::optional<std::string> entered = AskSetName(ctx.ui, g.self, g.settings.language, shown);
  if (!entered) return;
  const std::string renamed = artHeld ? "<" + *entered + ">" : *entered;
  set->SetName(renamed);
  ctx.ui.SetItemText(Window(ctx), kSetList, row, renamed);
  ctx.ui.SetSelection(Window(ctx), kSetList, row);
  // Saving gives the set the current name: keep it, or the rename would be
  // undone by the next save.
  if (row == g.selectedSet) {
    SetCurrentSetName(g, renamed);
    g.workingSet.SetName(renamed);
  }
}

// The smallest "Command set %d" that is no row of the set list.
std::string ProposeSetName(PanelContext& ctx) {
  std::vector<std::string> rows;
  const int count = ctx.ui.ItemCount(Window(ctx), kSetList).value_or(0);
  for (int i = 0; i < count; ++i) rows.push_back(ctx.ui.ItemText(Window(ctx), kSetList, i).value_or(""));
  for (int n = 1;; ++n) {
    std::string name = ProposedSetName(n, ctx.InterfaceLanguage());
    if (std::find(rows.begin(), rows.end(), name) == rows.end()) return name;
  }
}

void NewSet(PanelContext& ctx) {
  if (!CheckSelection(ctx)) return;
  host::PluginGlobals& g = ctx.globals;
  if (!DiscardChanges(ctx)) {
    ctx.ui.SetSelection(Window(ctx), kSetList, g.selectedSet);
    return;
  }
  std::optional<std::string> name = AskSetName(ctx.ui, g.self, g.settings.language, ProposeSetName(ctx));
  if (!name) return;
  const int last = g.commandSets.GetSetCount() - 1;
  if (last >= 0 && g.commandSets.GetSet(last)->IsArtHeld()) {
    ctx.ui.DeleteItem(Window(ctx), kSetList, last);
    g.commandSets.RemoveSet(last);
  }
  g.commandSets.AddSet(*name);
  ctx.ui.AddItem(Window(ctx), kSetList, *name);
  const int index = g.commandSets.GetSetCount() - 1;
  ctx.ui.SetSelection(Window(ctx), kSetList, index);
  g.selectedSet = index;
  EnableForSet(ctx);
  LoadSet(ctx, index, true);
  if (g.panel != nullptr) {
    const auto size = ctx.ui.PanelSize(g.panel);
    if (size && size->second < kPanelFullHeight) {
      ctx.ui.SetPanelSize(g.panel, kPanelWidth, kPanelFullHeight);
      g.settings.showOption = 1;
      ctx.ui.CheckFlyoutItem(g.panel, kShowOptionFlyoutItem, true);
    }
  }
  ClearPreviewLayer(ctx);
}

void RemoveSet(PanelContext& ctx) {
  if (!CheckSelection(ctx)) return;
  host::PluginGlobals& g = ctx.globals;
  const int row = ListSelection(ctx, kSetList);
  if (row < 0 || row >= g.commandSets.GetSetCount()) return;
  if (!Ask(ctx, text::Message::kDeleteQuestion, g.commandSets.GetSetName(row))) return;
  if (g.modified != 0) {
    g.modified = 0;
    EndPicking(ctx);
  }
  const int count = g.commandSets.RemoveSet(row);
  g.selectedSet = row < count ? row : count - 1;
  if (g.selectedArt) {
    commands::RemoveSetFromArt(ctx.doc, g.selectedArt);
    g.selectedArtHasSet = 0;
  }
  RefreshSets(ctx, false);
  RunDriver(ctx, false);
}

void ClearSet(PanelContext& ctx) {
  if (!CheckSelection(ctx)) return;
  ctx.globals.modified = 1;
  ctx.globals.workingSet.SetBasicWidth(0.0f);
  ctx.globals.workingSet.Clear();
  FillCommandList(ctx);
  SelectCommandRow(ctx, -1);
  ClearPreviewLayer(ctx);
  RedrawMarkers(ctx);
}

void Apply(PanelContext& ctx) {
  if (!CheckSelection(ctx)) return;
  host::PluginGlobals& g = ctx.globals;
  if (g.modified != 0) {
    SaveSet(ctx);
    g.modified = 0;
    Alert(ctx, text::Message::kSetSaved);
  }
  if (g.selectedArt) commands::StoreSetOnArt(ctx.doc, g.selectedArt, g.workingSet);
  RunDriver(ctx, true);
  SetPanelEnabled(ctx, false);
  generation::CommitResult(ctx.doc, ctx.Run(), g.settings, g.workingSet.GetBasicWidth());
}

void AddCommand(PanelContext& ctx) {
  if (!CheckSelection(ctx)) return;
  host::PluginGlobals& g = ctx.globals;
  const std::optional<CommandType> type = TypeOfButton(PressedTypeButton(ctx.globals));
  if (!type) return;
  const int before = g.workingSet.GetCommandCount();
  if (g.workingSet.AddCommand(*type) <= before) return;
  ctx.State().incompleteCommand = 1;
  FillCommandList(ctx);
  SelectCommandRow(ctx, before + 1);
  StartPicking(ctx, *type);
  g.modified = 1;
}

void ChooseType(PanelContext& ctx, std::int16_t button) {
  PressTypeButton(ctx.globals, button);
  CheckSelection(ctx);
}

void RemoveCommand(PanelContext& ctx) {
  if (!CheckSelection(ctx)) return;
  PanelState& st = ctx.State();
  const int index = st.selectedCommand;
  if (index < 0 || index >= ctx.globals.workingSet.GetCommandCount()) return;
  RemoveCommandMarkers(ctx, index);
  ctx.globals.workingSet.RemoveCommand(index);
  if (st.pickingState == PickingState::kIdle || st.pickingState == PickingState::kAwaitingWidth) RunDriver(ctx, false);
  EndPicking(ctx);
  ctx.globals.modified = 1;
  FillCommandList(ctx);
  const int rows = ctx.globals.workingSet.GetCommandCount() + 1;
  SelectCommandRow(ctx, std::min(index + 1, rows - 1));
}

void ClearPoint(PanelContext& ctx) {
  if (!CheckSelection(ctx)) return;
  const int index = ctx.State().selectedCommand;
  const CCommandSet& set = ctx.globals.workingSet;
  if (index < 0 || index >= set.GetCommandCount()) return;
  RemoveCommandMarkers(ctx, index);
  StartPicking(ctx, set.GetCommandType(index));
  ctx.globals.modified = 1;
  RewriteCommandRow(ctx, index);
}

void UpdateWidth(PanelContext& ctx) {
  if (!CheckSelection(ctx)) return;
  const int index = ctx.State().selectedCommand;
  CCommandSet& set = ctx.globals.workingSet;
  if (index < 0 || index >= set.GetCommandCount()) return;
  set.SetCommandWidth(index, static_cast<float>(DecimalValue(FieldText(ctx, kCommandWidthField))));
  if (ctx.State().pickingState == PickingState::kAwaitingWidth) EndPicking(ctx);
  ctx.globals.modified = 1;
  RewriteCommandRow(ctx, index);
  SelectCommandRow(ctx, index + 1);
  RunDriver(ctx, false);
}

void Save(PanelContext& ctx) {
  SaveSet(ctx);
  host::PluginGlobals& g = ctx.globals;
  if (CheckSelection(ctx) && g.selectedArt) {
    if (const CCommandSet* set = g.commandSets.GetSet(g.selectedSet)) {
      commands::StoreSetOnArt(ctx.doc, g.selectedArt, *set);
    }
  }
}

void MoveCommand(PanelContext& ctx, int step) {
  if (!CheckSelection(ctx)) return;
  const int index = ctx.State().selectedCommand;
  CCommandSet& set = ctx.globals.workingSet;
  if (index < 0 || index >= set.GetCommandCount()) return;
  const int target = index + step;
  if (target < 0 || target >= set.GetCommandCount()) return;
  set.MoveCommand(index, target);
  ctx.globals.modified = 1;
  FillCommandList(ctx);
  SelectCommandRow(ctx, target + 1);
  RunDriver(ctx, false);
}

void CreateBasicWidth(PanelContext& ctx) {
  if (!CheckSelection(ctx)) return;
  ctx.globals.workingSet.SetBasicWidth(static_cast<float>(DecimalValue(FieldText(ctx, kBasicWidthField))));
  FillCommandList(ctx);
  SelectCommandRow(ctx, 0);
  ctx.globals.modified = 1;
  RunDriver(ctx, false);
}

void UpdateStartPoint(PanelContext& ctx) {
  if (!CheckSelection(ctx)) return;
  const host::ArtRef path = ctx.Run().sourcePath;
  const int n = IntegerValue(FieldText(ctx, kStartPointField));
  std::optional<std::vector<host::PathSegment>> segments = ctx.doc.Segments(path);
  if (!segments || n <= 1 || n > static_cast<int>(segments->size())) return;
  // Moving the first segment to the end n - 1 times.
  std::rotate(segments->begin(), segments->begin() + (n - 1), segments->end());
  if (ctx.doc.SetSegments(path, *segments) != kQvNoErr) return;
  RedrawMarkers(ctx);
  ctx.ui.SetText(Window(ctx), kStartPointField, "1");
  RunDriver(ctx, false);
}

}  // namespace

QvErr RunPanelCommand(PanelContext& ctx, std::int16_t command) {
  if (Window(ctx) == nullptr) return kQvNoErr;
  switch (command) {
    case kSetList: SelectSet(ctx); break;
    case kCommandList: SelectCommand(ctx); break;
    case kEditSetButton: RenameSet(ctx); break;
    case kNewSetButton: NewSet(ctx); break;
    case kRemoveSetButton: RemoveSet(ctx); break;
    case kClearButton: ClearSet(ctx); break;
    case kApplyButton: Apply(ctx); break;
    case kAddButton: AddCommand(ctx); break;
    case kRemoveCommandButton: RemoveCommand(ctx); break;
    case kClearPointButton: ClearPoint(ctx); break;
    case kUpdateWidthButton: UpdateWidth(ctx); break;
    case kSaveButton: Save(ctx); break;
    case kMoveUpButton: MoveCommand(ctx, -1); break;
    case kMoveDownButton: MoveCommand(ctx, 1); break;
    case kCreateButton: CreateBasicWidth(ctx); break;
    case kStartPointButton: UpdateStartPoint(ctx); break;
    case kFontSizeButton:
      if (CheckSelection(ctx)) RedrawMarkers(ctx);
      break;
    case kPreviewCheckBox:
    case kAdjustField:
      if (CheckSelection(ctx)) RunDriver(ctx, false);
      break;
    default:
      if (TypeOfButton(command)) ChooseType(ctx, command);
      break;
  }
  return kQvNoErr;
}

bool CheckSelection(PanelContext& ctx) {
  if (ctx.State().enabled == 0) return false;
  generation::RunState& run = ctx.Run();
  const host::ArtRef previous = run.sourcePath;
  if (generation::CheckSourceSelection(ctx.doc, run) != 1) {
    run.sourcePath = {};
    run.resultArt = {};
    Alert(ctx, text::Message::kSelectClosedPath);
    return false;
  }
  if (run.sourcePath == previous) return true;
  EnsureWorkLayers(ctx, false);
  RedrawMarkers(ctx);
  FillStartPointField(ctx);
  return true;
}

void LoadSet(PanelContext& ctx, int index, bool redrawMarkers) {
  host::PluginGlobals& g = ctx.globals;
  const CCommandSet* set = g.commandSets.GetSet(index);
  g.selectedSet = index;
  g.workingSet.CopyFrom(set);
  g.modified = 0;
  if (set != nullptr) ClearPreviewLayer(ctx);
  SetCurrentSetName(g, set != nullptr ? set->GetName() : std::string());
  ctx.ui.SetText(Window(ctx), kCommandWidthField, "");
  ctx.ui.ClearItems(Window(ctx), kCommandList);
  ctx.ui.SetText(Window(ctx), kStartPointField, "1");
  if (set != nullptr) {
    ctx.ui.SetText(Window(ctx), kBasicWidthField, FormatWidth(set->GetBasicWidth()));
    ctx.ui.Enable(Window(ctx), kAddButton, true);
    FillCommandList(ctx);
    SelectCommandRow(ctx, -1);
    if (redrawMarkers) RedrawMarkers(ctx);
  } else {
    ctx.ui.SetText(Window(ctx), kBasicWidthField, "");
    ctx.State().selectedCommand = -1;
    if (CanMark(ctx)) DrawAnchorNumbers(ctx);
  }
}

void FillCommandList(PanelContext& ctx) {
  const CCommandSet& set = ctx.globals.workingSet;
  const QvWindowHandle window = Window(ctx);
  ctx.ui.ClearItems(window, kCommandList);
  ctx.ui.AddItem(window, kCommandList, BasicRowText(set.GetBasicWidth(), ctx.InterfaceLanguage()));
  for (int i = 0; i < set.GetCommandCount(); ++i) {
    ctx.ui.AddItem(window, kCommandList, CommandRowText(set, i, ctx.InterfaceLanguage()));
  }
}

void SelectCommandRow(PanelContext& ctx, int row) {
  const CCommandSet& set = ctx.globals.workingSet;
  if (row > set.GetCommandCount()) row = -1;
  ctx.State().selectedCommand = row < 0 ? -1 : row - 1;
  ctx.ui.SetSelection(Window(ctx), kCommandList, row < 0 ? -1 : row);
  const QvWindowHandle window = Window(ctx);
  if (row <= 0) {
    EnableControls(ctx, {kRemoveCommandButton, kClearPointButton, kUpdateWidthButton, kCommandWidthField}, false);
    ctx.ui.SetText(window, kCommandWidthField, "");
    return;
  }
  const int index = row - 1;
  EnableControls(ctx, {kRemoveCommandButton, kClearPointButton}, true);
  const bool hasWidth = commands::CommandTypeHasWidth(set.GetCommandType(index));
  EnableControls(ctx, {kUpdateWidthButton, kCommandWidthField}, hasWidth);
  ctx.ui.SetText(window, kCommandWidthField, hasWidth ? FormatWidth(set.GetCommandWidth(index)) : "");
}

void RewriteCommandRow(PanelContext& ctx, int index) {
  if (index < 0 || index >= ctx.globals.workingSet.GetCommandCount()) return;
  ctx.ui.SetItemText(Window(ctx), kCommandList, index + 1, CommandRowText(ctx.globals.workingSet, index, ctx.InterfaceLanguage()));
}

void SetPanelEnabled(PanelContext& ctx, bool enabled) {
  PanelState& st = ctx.State();
  if ((st.enabled != 0) == enabled) return;
  host::PluginGlobals& g = ctx.globals;
  if (!enabled && g.modified != 0) {
    g.modified = 0;
    if (Ask(ctx, text::Message::kSaveQuestion, SelectedSetName(ctx))) {
      SaveSet(ctx);
    } else {
      st.pickingState = PickingState::kIdle;
    }
  }
  ApplyPanelEnabling(ctx, enabled);
  st.enabled = enabled ? 1 : 0;
}

void SelectNoSet(PanelContext& ctx) {
  ctx.globals.selectedSet = -1;
  LoadSet(ctx, -1, false);
  EnableControls(ctx,
                 {kCommandList, kBasicWidthField, kCommandWidthField, kStartPointField, kFontSizeField,
                  kPreviewCheckBox, kAdjustField, kAddButton, kRemoveCommandButton, kClearPointButton,
                  kUpdateWidthButton, kSaveButton, kMoveUpButton, kMoveDownButton, kCreateButton, kStartPointButton,
                  kFontSizeButton, kRemoveSetButton, kEditSetButton, kClearButton, kApplyButton, kOptimizeList},
                 false);
  EnableTypeButtons(ctx, false);
}

void RefreshSets(PanelContext& ctx, bool moveSelection, int artHeldIndex) {
  host::PluginGlobals& g = ctx.globals;
  if (!moveSelection) {
    std::vector<commands::Diagnostic> problems;
    commands::AddArtHeldSet(g.commandSets, ctx.doc, g.selectedArt, problems);
  }
  const int count = g.commandSets.GetSetCount();
  int selected = g.selectedSet;
  if (moveSelection) {
    if (artHeldIndex >= 0 && artHeldIndex < count) {
      selected = artHeldIndex;
    } else if (selected >= count) {
      selected = count > 0 ? 0 : -1;
    }
  } else if (selected >= count) {
    selected = count - 1;
  }
  const QvWindowHandle window = Window(ctx);
  ctx.ui.ClearItems(window, kSetList);
  // Names keep the bytes of the list file; the list shows their characters.
  for (const CCommandSet& set : g.commandSets.Sets()) ctx.ui.AddItem(window, kSetList, text::DisplayText(set.GetName()));
  if (selected >= 0) {
    g.selectedSet = selected;
    ctx.ui.SetSelection(window, kSetList, selected);
    LoadSet(ctx, selected, true);
  } else {
    SelectNoSet(ctx);
  }
}

QvErr RefreshSetList(PanelContext& ctx, int artHeldIndex) {
  if (Window(ctx) == nullptr) return kQvNoErr;
  RefreshSets(ctx, true, artHeldIndex);
  return kQvNoErr;
}

void SaveSet(PanelContext& ctx) {
  host::PluginGlobals& g = ctx.globals;
  PanelState& st = ctx.State();
  CCommandSet* set = g.commandSets.GetSet(g.selectedSet);
  if (set == nullptr) return;
  if (st.pickingState != PickingState::kIdle) {
    Alert(ctx, text::Message::kEditingDiscarded);
    g.workingSet.RemoveCommand(st.selectedCommand);
    EndPicking(ctx);
    FillCommandList(ctx);
    SelectCommandRow(ctx, -1);
  }
  *set = g.workingSet;
  g.modified = 0;
  set->SetName(g.currentSetName);
  ctx.ui.SetItemText(Window(ctx), kSetList, g.selectedSet, text::DisplayText(set->GetName()));
  ctx.ui.SetSelection(Window(ctx), kSetList, g.selectedSet);
  set->SetBasicWidth(static_cast<float>(DecimalValue(FieldText(ctx, kBasicWidthField))));

  const std::optional<std::string> folder = ctx.doc.PreferencesFolder();
  if (!folder) return;
  const auto file = commands::LocateListFile(*folder, commands::ListFileAccess::kWrite);
  if (std::optional<std::string> problem = commands::SaveListFile(file, g.commandSets)) ctx.doc.ErrorAlert(*problem);
}

void StartPicking(PanelContext& ctx, CommandType type) {
  PanelState& st = ctx.State();
  st.pickingState = FirstPickingState(type);
  ctx.globals.workingSet.SetCommandPoint(st.selectedCommand, 0, std::nullopt);
  const int row = st.selectedCommand + 1;
  FillCommandList(ctx);
  SelectCommandRow(ctx, row);
  EnableControls(ctx, {kRemoveCommandButton}, true);
  EnableControls(ctx,
                 {kCommandWidthField, kAddButton, kClearPointButton, kUpdateWidthButton, kSaveButton, kMoveUpButton,
                  kMoveDownButton, kCreateButton, kStartPointButton, kNewSetButton, kRemoveSetButton,
                  kPreviewCheckBox, kClearButton, kApplyButton},
                 false);
}

QvErr ToolSelected(PanelContext& ctx) {
  if (Window(ctx) == nullptr) return kQvNoErr;
  generation::RunState& run = ctx.Run();
  if (generation::CheckSourceSelection(ctx.doc, run) != 1) return kQvNoErr;
  EnsureWorkLayers(ctx, true);
  SetPanelEnabled(ctx, true);
  LoadSet(ctx, ctx.globals.selectedSet, false);
  RedrawMarkers(ctx);
  FillStartPointField(ctx);
  return kQvNoErr;
}

QvErr ToolDeselected(PanelContext& ctx) {
  if (Window(ctx) == nullptr) return kQvNoErr;
  SetPanelEnabled(ctx, false);
  generation::RunState& run = ctx.Run();
  if (LayerExists(ctx, run.workLayer1)) generation::RemoveLayer(ctx.doc, run.workLayer1);
  if (LayerExists(ctx, run.workLayer2)) generation::RemoveLayer(ctx.doc, run.workLayer2);
  run.workLayer1 = {};
  run.workLayer2 = {};
  run.sourcePath = {};
  run.resultArt = {};
  return kQvNoErr;
}

}  // namespace quorvane::panel
