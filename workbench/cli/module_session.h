// One run of the real module under a host without a display: the module
// loaded from its file, started with its preferences folder, told that the
// application has started (so its panel exists), working on one document.
// The command line drives it only as a user would: selections, the module's
// tool, the panel's lists and flyout menu, and scripted dialogs and alerts.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "workbench/cli/preferences.h"
#include "workbench/document/document.h"
#include "workbench/plugin/host.h"
#include "workbench/plugin/plugin_module.h"
#include "workbench/ui/headless_toolkit.h"

namespace workbench::cli {

/// The module's registrations and resources the command line uses.
inline constexpr const char* kPanelId = "Quorvane_INFO_PANEL";
inline constexpr const char* kToolName = "Quorvane";
inline constexpr std::int32_t kSetListControl = 1;
inline constexpr std::int32_t kCommandListControl = 2;
inline constexpr std::int32_t kFinishLineFlyoutItem = 5;
inline constexpr std::int32_t kBatchFlyoutItem = 9;
/// The panel's "Point Width" label, which ends in the unit.
inline constexpr std::int32_t kPointWidthLabel = 80;
/// The dialogs those items open, English and Japanese, and their controls.
inline constexpr std::int32_t kFinishLineDialog = 16257;
inline constexpr std::int32_t kFinishLineDialogJapanese = 16157;
inline constexpr std::int32_t kBatchDialog = 16259;
inline constexpr std::int32_t kBatchDialogJapanese = 16159;
inline constexpr std::int32_t kDialogField = 5;
inline constexpr std::int32_t kDialogOk = 1;

struct SessionOptions {
  /// The module's file; none: ../plugins/quorvane.so beside the program.
  std::optional<std::filesystem::path> modulePath;
  /// The preferences folder; none: a temporary one (see PreferencesFolder).
  std::optional<std::filesystem::path> preferences;
  /// Copied into the preferences folder as the module's list file; with a
  /// named preferences folder, into a scratch copy of it, so that folder's
  /// own list file is left as it is.
  std::optional<std::filesystem::path> listFile;
  /// "mm", "cm" or "in"; written into the settings file before start-up.
  std::optional<std::string> unit;
  /// "en" or "ja"; written into the settings file before start-up.
  std::optional<std::string> language;
  std::int32_t hostVersion = plugin::kDefaultAppMajorVersion;
};

/// The module's file beside the running program: <dir>/../plugins/quorvane.so.
std::filesystem::path DefaultModulePath();

/// How one command played through the module went.
struct CommandRun {
  /// False when the host could not play it (a dialog or alert nobody
  /// answered, a panel that is missing); `failure` says why.
  bool played = false;
  std::string failure;
  /// The texts of the alerts the module showed meanwhile, in order.
  std::vector<std::string> alerts;
};

class ModuleSession {
 public:
  /// Prepares the preferences folder, loads the module, sends start-up and
  /// the application-started notification with `doc` as the current
  /// document. None, with `error` naming what failed, when any step fails.
  /// Every alert the module shows is written to `alerts` as it comes.
  static std::unique_ptr<ModuleSession> Open(const SessionOptions& options, document::Document doc,
                                             std::ostream& alerts, std::string* error);
  /// Closes the session if Close was not called.
  ~ModuleSession();
  /// Sends shutdown (the module writes its settings) and unloads the
  /// module; the document stays. The alerts the module showed meanwhile
  /// (none when it saved its settings); nothing when already closed.
  CommandRun Close();
  ModuleSession(const ModuleSession&) = delete;
  ModuleSession& operator=(const ModuleSession&) = delete;

  document::Document& Doc() { return doc_; }
  plugin::Host& Host() { return *host_; }
  /// The host's headless toolkit, where the module's panel and dialogs live.
  ui::HeadlessToolkit& Ui() { return *host_->HeadlessUi(); }
  const std::filesystem::path& PreferencesPath() const { return prefs_.Path(); }
  /// Whether the module opens its Japanese dialogs (for the Japanese
  /// language only), as its panel shows.
  bool Japanese() const { return japanese_; }
  /// Whether the module's texts and layer titles are Japanese (for every
  /// language but English), as its panel shows.
  bool JapaneseTexts() const { return japaneseTexts_; }
  /// Points per unit of the widths the user types, by the settings' unit
  /// (millimetres unless the settings name centimetres or inches).
  double PointsPerUnit() const { return pointsPerUnit_; }
  /// "mm", "cm" or "in", the name of that unit.
  const char* UnitName() const;

  /// Whether alerts shown during a command are also written to the alert
  /// stream as they come (the default), or only gathered in its CommandRun
  /// for the caller to report with it.
  void PrintAlertsOfRuns(bool print) { printAlertsOfRuns_ = print; }

  /// The texts of a list or drop-down of the module's panel.
  std::vector<std::string> PanelListItems(std::int32_t control) const;

  /// Selects only `art` (none: nothing) and tells the module, as the host
  /// does after the user changed the selection.
  CommandRun SelectOnly(document::ArtId art);
  /// Makes the module's tool the one in use, or one of the host's own.
  CommandRun UseModuleTool(bool use);
  /// The user picks row `row` of a panel list.
  CommandRun SelectPanelRow(std::int32_t control, std::int32_t row);
  /// Flyout item 9 with the batch dialog answered by choosing set `index`.
  CommandRun BatchApply(std::int32_t setIndex);
  /// Flyout item 5 with the finish-line dialog answered with `margin`.
  CommandRun CreateFinishLine(const std::string& margin);

 private:
  ModuleSession(PreferencesFolder prefs, document::Document doc, std::ostream& alerts);
  /// Runs `action` and gathers the alerts it raised and any failure of the
  /// toolkit or the prompts.
  template <typename Action>
  CommandRun Run(Action action);
  std::optional<ui::PanelInfo> ModulePanel() const;
  /// Takes the language and the unit from the module's panel.
  void ReadPanelSettings(const ui::PanelInfo& panel);

  PreferencesFolder prefs_;
  document::Document doc_;
  std::ostream& alerts_;
  std::unique_ptr<plugin::Host> host_;
  std::unique_ptr<plugin::PluginModule> module_;
  bool started_ = false;
  bool japanese_ = false;
  bool japaneseTexts_ = false;
  bool running_ = false;
  bool printAlertsOfRuns_ = true;
  double pointsPerUnit_ = 72.0 / 25.4;
};

}  // namespace workbench::cli
