// The workbench as a plug-in host: the document the suites act on, the
// suite registry with the basic suite, the block allocator, action events,
// user prompts, art sets and the folders modules are given.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sdk/basic_suite.h"
#include "workbench/document/document.h"
#include "workbench/plugin/action_registry.h"
#include "workbench/plugin/block_allocator.h"
#include "workbench/plugin/plugin_module.h"
#include "workbench/plugin/registrations.h"
#include "workbench/plugin/suite_registry.h"
#include "workbench/plugin/user_prompts.h"
#include "workbench/ui/toolkit.h"

namespace workbench::ui {
class HeadlessToolkit;
}  // namespace workbench::ui

namespace workbench::plugin {

class PluginModule;

/// The version the workbench reports when none is asked for.
inline constexpr std::int32_t kDefaultAppMajorVersion = 27;

struct HostOptions {
  /// The folder the folders suite gives as the preferences folder; created
  /// when first asked for.
  std::filesystem::path preferencesFolder;
  /// The major version the runtime suite reports. Modules reach the
  /// pathfinder of version 25 through its action event and of any other
  /// version through the pathfinder suite; the workbench reports a later
  /// version unless told otherwise.
  std::int32_t appMajorVersion = kDefaultAppMajorVersion;
};

/// One host. Suite functions are plain C function pointers without a
/// context, so they act on the current host: the one constructed last and
/// still alive. Every call runs on one thread.
class Host {
 public:
  explicit Host(HostOptions options = {});
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  /// The current host, or null.
  static Host* Current();

  /// The document the suites act on (not owned); null for none.
  void SetDocument(document::Document* document) { document_ = document; }
  document::Document* Document() const { return document_; }

  /// The basic suite handed to modules in every message.
  const QvBasicSuite* BasicSuite() const;
  SuiteRegistry& Suites() { return suites_; }
  BlockAllocator& Blocks() { return blocks_; }
  ActionRegistry& Actions() { return actions_; }
  UserPrompts& Prompts() { return prompts_; }
  const std::filesystem::path& PreferencesFolder() const { return options_.preferencesFolder; }
  std::int32_t AppMajorVersion() const { return options_.appMajorVersion; }
  MenuRegistry& Menus() { return menus_; }
  ToolRegistry& Tools() { return tools_; }
  NotifierRegistry& Notifiers() { return notifiers_; }
  /// The toolkit the UI suite forwards to: the headless one unless another
  /// was set.
  ui::Toolkit& Ui() { return *ui_; }
  /// Replaces the toolkit (the desktop app sets its widgets); null puts a
  /// fresh headless one back. Panels and windows of the old one are gone.
  void SetUi(std::unique_ptr<ui::Toolkit> toolkit);
  /// The toolkit as the headless one, for scripting dialogs and simulating
  /// the user; null when another toolkit is set.
  ui::HeadlessToolkit* HeadlessUi();

  /// The user chose a menu item: its module gets "AI Menu"/"AI Go".
  /// kQvErrBadParameter for an unknown item or one whose module is gone.
  QvErr ChooseMenuItem(QvMenuItemHandle item);
  /// A menu is about to open: every module item gets "AI Menu"/"AI Update".
  /// The first error, after all items had their turn.
  QvErr UpdateMenus();
  /// Makes `tool` (null: one of the host's own) the tool in use: the tool
  /// left gets "AI Deselect", the new one "AI Select". The first error.
  QvErr SelectTool(QvToolHandle tool);
  /// Sends a tool event ("AI Mouse Down", "AI Track Cursor"...) to the tool
  /// in use; nothing when that is one of the host's own.
  QvErr SendToolEvent(const char* selector, QvRealPoint cursor, int modifiers = 0);
  /// Sends "AI Notifier"/"AI Notify" to every notifier of `type`, in
  /// registration order. The first error, after all had their turn.
  QvErr Notify(const std::string& type, void* data = nullptr);

  /// Plays an action event. The outermost play of an event a module
  /// registered is recorded in the document as one undoable step.
  QvErr PlayAction(const std::string& eventName, std::int32_t dialogMode, const ParamBlock* parameters);

  /// Redraw requests from the document suite.
  void RequestRedraw();
  int RedrawCount() const { return redrawCount_; }
  void SetRedrawCallback(std::function<void()> callback) { redraw_ = std::move(callback); }

  /// Loaded modules, so that a QvPluginRef can be checked and followed.
  void AttachModule(PluginModule* module) { modules_.insert(module); }
  void DetachModule(PluginModule* module) { modules_.erase(module); }
  PluginModule* FindModule(QvPluginRef ref) const;
  /// A picture of the loaded module `owner` (the owner of a tool or a
  /// cursor): resource `id` of `type`. None for an unknown or unloaded
  /// module, or one that carries no such resource.
  std::optional<ModuleResource> FindModuleResource(QvPluginRef owner, std::string_view type, std::int32_t id) const;
  /// Marks an action event as registered by a module (its plays are steps).
  void NoteModuleAction(const std::string& eventName) { moduleActions_.insert(eventName); }

  /// Art sets of the art set suite, by handle.
  QvArtSetHandle NewArtSet();
  bool DeleteArtSet(QvArtSetHandle set);
  std::vector<document::ArtId>* FindArtSet(QvArtSetHandle set);

 private:
  HostOptions options_;
  document::Document* document_ = nullptr;
  SuiteRegistry suites_;
  BlockAllocator blocks_;
  ActionRegistry actions_;
  UserPrompts prompts_;
  MenuRegistry menus_;
  ToolRegistry tools_;
  NotifierRegistry notifiers_;
  std::unique_ptr<ui::Toolkit> ui_;
  std::set<PluginModule*> modules_;
  std::set<std::string> moduleActions_;
  std::unordered_map<std::uint64_t, std::vector<document::ArtId>> artSets_;
  std::uint64_t nextArtSet_ = 1;
  int redrawCount_ = 0;
  std::function<void()> redraw_;
  Host* previous_ = nullptr;
};

}  // namespace workbench::plugin
