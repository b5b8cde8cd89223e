// The desktop app's state without its widgets: the document, the host with
// the module loaded into it, the file the document came from, and every
// user action that changes the document or the selection, each followed by
// the notifications the module listens for. The widgets call this; tests
// drive it directly.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "workbench/document/document.h"
#include "workbench/plugin/host.h"
#include "workbench/plugin/plugin_module.h"

namespace workbench::app {

/// The texts of the selection steps the selection tool records.
inline constexpr const char* kSelectionUndoText = "Undo Selection";
inline constexpr const char* kSelectionRedoText = "Redo Selection";
/// The texts of the editing commands' steps.
inline constexpr const char* kDeleteUndoText = "Undo Delete";
inline constexpr const char* kDeleteRedoText = "Redo Delete";
inline constexpr const char* kMoveUndoText = "Undo Move";
inline constexpr const char* kMoveRedoText = "Redo Move";

class AppSession {
 public:
  /// A session with an empty document ("Layer 1") and no module. The host
  /// gives `preferencesFolder` to modules.
  explicit AppSession(std::filesystem::path preferencesFolder);
  /// Shuts the module down if it is still running.
  ~AppSession();
  AppSession(const AppSession&) = delete;
  AppSession& operator=(const AppSession&) = delete;

  /// Replaces the host's toolkit (the desktop app's widgets); call it
  /// before LoadModule, since the module makes its panel when it starts.
  void SetToolkit(std::unique_ptr<ui::Toolkit> toolkit) { host_->SetUi(std::move(toolkit)); }

  /// Loads the module, sends it start-up and the application-started
  /// notification. False, with `error` saying which step failed.
  bool LoadModule(const std::filesystem::path& modulePath, std::string* error);
  /// Sends shutdown (the module saves its settings) and unloads it.
  void UnloadModule();
  bool HasModule() const { return module_ != nullptr; }

  document::Document& Doc() { return doc_; }
  plugin::Host& Host() { return *host_; }
  /// The file the document was opened from or saved to; empty for a new one.
  const std::filesystem::path& FilePath() const { return file_; }

  /// Replaces the document with an SVG file's. False, with `error`, when
  /// the file cannot be read; the document is then unchanged.
  bool Open(const std::filesystem::path& file, std::string* error);
  /// Saves to `file` (atomically) and makes it the document's file.
  bool Save(const std::filesystem::path& file, std::string* error);
  /// Whether the document differs from what was last opened or saved.
  bool IsModified() const;

  /// Undoes or redoes one step. False when there was none.
  bool Undo();
  bool Redo();

  /// The selection tool: a click at `p` (document points) with a reach of
  /// `tolerance` points, or a rubber band. `extend` is the shift key. A
  /// changed selection is one undoable step. True when it changed.
  bool ClickAt(geometry::Point p, double tolerance, bool extend);
  bool SelectInRect(const document::Rect& band, bool extend);

  /// The editing commands. Each acts on the selected art that is not
  /// locked, inside locked art or on a locked layer; each change is one
  /// named step, after which the module hears that the document and the
  /// selection changed. True when something changed.
  ///
  /// Delete and Backspace: removes the selection.
  bool DeleteSelection();
  /// The arrow keys: moves the selection by `delta` points.
  bool NudgeSelection(geometry::Point delta);
  /// A drag of the selection in progress: moves it by `delta` points more,
  /// shown at once; EndDrag makes the whole drag one step.
  bool DragSelection(geometry::Point delta);
  bool EndDrag();
  /// Edit > Select All: the selection becomes the current layer's art.
  bool SelectAll();
  /// Escape: deselects everything.
  bool Deselect();

  /// How many undo steps, and entries of the log of played actions, are
  /// kept (the preference "undoLimit"; 0 keeps no history).
  void SetHistoryLimit(std::size_t steps);
  std::size_t HistoryLimit() const { return historyLimit_; }

  /// A notice for the status bar when a selected closed path crosses itself
  /// (it has no single inside, so no outline can be made around it), naming
  /// the first such path; empty otherwise.
  std::string CrossingNotice() const;

  /// Shows or hides, locks or unlocks a layer, as one undoable step.
  bool SetLayerVisible(document::LayerId layer, bool visible);
  bool SetLayerLocked(document::LayerId layer, bool locked);

  /// Makes a registered tool (null: the selection tool) the one in use.
  QvErr UseTool(QvToolHandle tool);
  /// The module's tool in use: the pointer moved or was pressed at `p`
  /// (document points). What the tool changes is kept as one step.
  QvErr ToolTrack(geometry::Point p, int modifiers);
  QvErr ToolMouseDown(geometry::Point p, int modifiers);

  /// Switches the interface between light and dark and tells the modules.
  QvErr SetDarkInterface(bool dark);
  bool DarkInterface() const { return dark_; }

  /// Called after every change this session makes or notices, so that the
  /// widgets can refresh.
  void SetChangedCallback(std::function<void()> callback) { changed_ = std::move(callback); }

 private:
  /// Tells the module the document changed under it (a new document, undo,
  /// redo, layers) and that the selection may have changed.
  void DocumentChanged();
  void SelectionChanged();
  void Changed();
  /// Records the edit just made as one step named `undoText`/`redoText`,
  /// together with what the module does on hearing of it.
  void Edited(const char* undoText, const char* redoText);

  std::unique_ptr<plugin::Host> host_;
  document::Document doc_;
  std::unique_ptr<plugin::PluginModule> module_;
  bool moduleStarted_ = false;
  std::filesystem::path file_;
  std::string savedSvg_;
  bool dark_ = false;
  bool dragged_ = false;
  std::size_t historyLimit_ = document::Document::kDefaultUndoLimit;
  std::function<void()> changed_;
};

}  // namespace workbench::app
