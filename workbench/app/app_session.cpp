#include "workbench/app/app_session.h"

#include <cstdio>

#include "sdk/errors.h"
#include "sdk/messages.h"
#include "workbench/app/art_editing.h"
#include "workbench/app/art_picking.h"
#include "workbench/geometry/self_crossing.h"
#include "workbench/svg/svg_io.h"

namespace workbench::app {

namespace {

std::string ErrorText(QvErr err) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "error %#x", static_cast<unsigned>(err));
  return buf;
}

QvRealPoint ToQv(geometry::Point p) { return {p.x, p.y}; }

}  // namespace

AppSession::AppSession(std::filesystem::path preferencesFolder)
    : host_(std::make_unique<plugin::Host>(plugin::HostOptions{std::move(preferencesFolder)})) {
  host_->SetDocument(&doc_);
  doc_.ClearUndo();
  savedSvg_ = svg::WriteSvgString(doc_);
}

AppSession::~AppSession() { UnloadModule(); }

bool AppSession::LoadModule(const std::filesystem::path& modulePath, std::string* error) {
  UnloadModule();
  module_ = plugin::PluginModule::Load(*host_, modulePath, error);
  if (!module_) return false;
  if (QvErr err = module_->Startup()) {
    *error = modulePath.string() + ": start-up failed with " + ErrorText(err);
    module_.reset();
    return false;
  }
  moduleStarted_ = true;
  if (QvErr err = host_->Notify(kQvApplicationStartedNotifier)) {
    *error = modulePath.string() + ": the application-started notification failed with " + ErrorText(err);
    return false;
  }
  // Start-up may leave the module's layers behind; they are not the user's edits.
  doc_.CommitStep();
  Changed();
  return true;
}

void AppSession::UnloadModule() {
  if (module_ && moduleStarted_) module_->Shutdown();
  moduleStarted_ = false;
  module_.reset();
}

bool AppSession::Open(const std::filesystem::path& file, std::string* error) {
  svg::Result<document::Document> read = svg::ReadSvgFile(file);
  if (!read) {
    *error = read.error().ToString();
    return false;
  }
  // The host keeps pointing at doc_, which now holds the new document.
  doc_ = std::move(read.value());
  doc_.SetUndoLimit(historyLimit_);
  file_ = file;
  DocumentChanged();
  // A freshly opened file has nothing to undo, whatever the module did to
  // it on being told.
  doc_.ClearUndo();
  savedSvg_ = svg::WriteSvgString(doc_);
  Changed();
  return true;
}

bool AppSession::Save(const std::filesystem::path& file, std::string* error) {
  svg::Result<svg::Done> written = svg::WriteSvgFile(doc_, file);
  if (!written) {
    *error = written.error().ToString();
    return false;
  }
  file_ = file;
  savedSvg_ = svg::WriteSvgString(doc_);
  Changed();
  return true;
}

bool AppSession::IsModified() const { return svg::WriteSvgString(doc_) != savedSvg_; }

bool AppSession::Undo() {
  if (!doc_.Undo()) return false;
  DocumentChanged();
  return true;
}

bool AppSession::Redo() {
  if (!doc_.Redo()) return false;
  DocumentChanged();
  return true;
}

bool AppSession::ClickAt(geometry::Point p, double tolerance, bool extend) {
  if (!ClickSelect(doc_, ArtAt(doc_, p, tolerance), extend)) return false;
  doc_.CommitStep(kSelectionUndoText, kSelectionRedoText);
  SelectionChanged();
  return true;
}

bool AppSession::SelectInRect(const document::Rect& band, bool extend) {
  if (!BandSelect(doc_, ArtInRect(doc_, band), extend)) return false;
  doc_.CommitStep(kSelectionUndoText, kSelectionRedoText);
  SelectionChanged();
  return true;
}

bool AppSession::DeleteSelection() {
  if (!DeleteArt(doc_, EditableSelection(doc_))) return false;
  Edited(kDeleteUndoText, kDeleteRedoText);
  return true;
}

bool AppSession::NudgeSelection(geometry::Point delta) {
  if (!MoveArt(doc_, EditableSelection(doc_), delta)) return false;
  Edited(kMoveUndoText, kMoveRedoText);
  return true;
}

bool AppSession::DragSelection(geometry::Point delta) {
  // Only the canvas repaints while the pointer moves; the rest of the
  // window hears of the move when it ends.
  if (!MoveArt(doc_, EditableSelection(doc_), delta)) return false;
  dragged_ = true;
  return true;
}

bool AppSession::EndDrag() {
  if (!dragged_) return false;
  dragged_ = false;
  Edited(kMoveUndoText, kMoveRedoText);
  return true;
}

bool AppSession::SelectAll() {
  if (!SelectAllOfLayer(doc_, doc_.CurrentLayer())) return false;
  doc_.CommitStep(kSelectionUndoText, kSelectionRedoText);
  SelectionChanged();
  return true;
}

bool AppSession::Deselect() {
  if (!DeselectEditable(doc_)) return false;
  doc_.CommitStep(kSelectionUndoText, kSelectionRedoText);
  SelectionChanged();
  return true;
}

void AppSession::SetHistoryLimit(std::size_t steps) {
  historyLimit_ = steps;
  doc_.SetUndoLimit(steps);
  host_->Actions().SetLogLimit(steps);
  Changed();
}

void AppSession::Edited(const char* undoText, const char* redoText) {
  doc_.SetUndoText(undoText, redoText);
  DocumentChanged();
}

bool AppSession::SetLayerVisible(document::LayerId layer, bool visible) {
  const document::Layer* found = doc_.FindLayer(layer);
  if (found == nullptr || found->visible == visible) return false;
  doc_.SetLayerVisible(layer, visible);
  doc_.CommitStep(visible ? "Undo Show Layer" : "Undo Hide Layer", visible ? "Redo Show Layer" : "Redo Hide Layer");
  DocumentChanged();
  return true;
}

bool AppSession::SetLayerLocked(document::LayerId layer, bool locked) {
  const document::Layer* found = doc_.FindLayer(layer);
  if (found == nullptr || found->editable == !locked) return false;
  doc_.SetLayerEditable(layer, !locked);
  doc_.CommitStep(locked ? "Undo Lock Layer" : "Undo Unlock Layer", locked ? "Redo Lock Layer" : "Redo Unlock Layer");
  DocumentChanged();
  return true;
}

QvErr AppSession::UseTool(QvToolHandle tool) {
  const QvErr err = host_->SelectTool(tool);
  // Selecting the module's tool may make or remove its work layers.
  doc_.CommitStep();
  Changed();
  return err;
}

QvErr AppSession::ToolTrack(geometry::Point p, int modifiers) {
  const QvErr err = host_->SendToolEvent(kQvSelectorTrackCursor, ToQv(p), modifiers);
  if (doc_.HasPendingChanges()) {
    doc_.CommitStep();
    Changed();
  }
  return err;
}

QvErr AppSession::ToolMouseDown(geometry::Point p, int modifiers) {
  const QvErr err = host_->SendToolEvent(kQvSelectorMouseDown, ToQv(p), modifiers);
  doc_.CommitStep();
  Changed();
  return err;
}

QvErr AppSession::SetDarkInterface(bool dark) {
  dark_ = dark;
  const QvErr err = host_->Notify(kQvBrightnessChangedNotifier);
  Changed();
  return err;
}

void AppSession::DocumentChanged() {
  host_->Notify(kQvDocumentChangedNotifier);
  host_->Notify(kQvArtSelectionChangedNotifier);
  // What the module did in answer (a panel disabled, work layers gone) is
  // part of the change, not a step of its own.
  doc_.CommitStep();
  Changed();
}

void AppSession::SelectionChanged() {
  host_->Notify(kQvArtSelectionChangedNotifier);
  doc_.CommitStep();
  Changed();
}

void AppSession::Changed() {
  if (changed_) changed_();
}

std::string AppSession::CrossingNotice() const {
  constexpr double kCrossingFlatness = 0.05;  // points
  for (document::ArtId path : doc_.SelectedPaths()) {
    const document::Art& art = *doc_.FindArt(path);
    if (!art.closed || !geometry::FindSelfCrossing({art.segments, true}, kCrossingFlatness)) continue;
    const std::string name = !art.name.empty() ? art.name : art.foreign.sourceId;
    return "The selected path" + (name.empty() ? std::string() : " \"" + name + "\"") +
           " crosses itself: it has no single inside, so no seam allowance or finish line can be made around it.";
  }
  return {};
}

}  // namespace workbench::app
