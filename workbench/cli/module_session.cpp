#include "workbench/cli/module_session.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <system_error>

#include "sdk/errors.h"
#include "sdk/messages.h"

namespace workbench::cli {

namespace fs = std::filesystem;

namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  if (from == to || from.empty()) return text;
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

bool NotAscii(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool EndsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string ErrorText(QvErr err) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "error %#x", static_cast<unsigned>(err));
  return buf;
}

}  // namespace

fs::path DefaultModulePath() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::path("plugins") / "quorvane.so";
  return (self.parent_path().parent_path() / "plugins" / "quorvane.so").lexically_normal();
}

ModuleSession::ModuleSession(PreferencesFolder prefs, document::Document doc, std::ostream& alerts)
    : prefs_(std::move(prefs)), doc_(std::move(doc)), alerts_(alerts) {
  // Nothing is ever undone here; a history would only hold memory, one
  // step for every command played on a file of thousands of pieces.
  doc_.SetUndoLimit(0);
}

std::unique_ptr<ModuleSession> ModuleSession::Open(const SessionOptions& options, document::Document doc,
                                                   std::ostream& alerts, std::string* error) {
  // Another list file than the named folder's own is read in a scratch
  // copy of that folder, so its list file is never replaced by it.
  std::error_code ec;
  const bool otherList = options.preferences && options.listFile &&
                         !fs::equivalent(*options.listFile, *options.preferences / kListFileName, ec);
  std::optional<PreferencesFolder> prefs = otherList ? PreferencesFolder::ScratchFor(*options.preferences, error)
                                                     : PreferencesFolder::Make(options.preferences, error);
  if (!prefs) return nullptr;
  std::vector<std::pair<std::string, std::string>> values;
  if (options.language) values.emplace_back("language", *options.language == "ja" ? "JAPANESE" : "ENGLISH");
  if (options.unit) values.emplace_back("trevask_unit", *options.unit == "cm" ? "1" : *options.unit == "in" ? "2" : "0");
  if (std::optional<std::string> problem = SetSettingsValues(prefs->Path(), values)) {
    *error = *problem;
    return nullptr;
  }
  if (options.listFile) {
    if (std::optional<std::string> problem = InstallListFile(*options.listFile, prefs->Path())) {
      *error = *problem;
      return nullptr;
    }
  }

  // The settings file the user knows: the named folder's, else the one the
  // temporary folder was seeded from.
  const fs::path settingsFolder = options.preferences.value_or(UserConfigFolder().value_or(prefs->Path()));
  if (std::optional<std::string> problem = UnusableSettingsFile(settingsFolder)) alerts << "warning: " << *problem << "\n";
  std::unique_ptr<ModuleSession> session(new ModuleSession(std::move(*prefs), std::move(doc), alerts));

  plugin::HostOptions hostOptions;
  hostOptions.preferencesFolder = session->prefs_.Path();
  hostOptions.appMajorVersion = options.hostVersion;
  session->host_ = std::make_unique<plugin::Host>(std::move(hostOptions));
  plugin::Host& host = *session->host_;
  host.SetDocument(&session->doc_);
  ModuleSession* self = session.get();
  // The module reads its list file from the run's own folder; its messages
  // name the file the user gave (or keeps in the configuration folder).
  const fs::path installedList = session->prefs_.Path() / kListFileName;
  std::optional<fs::path> userList = options.listFile;
  if (!userList && session->prefs_.IsTemporary()) {
    if (std::optional<fs::path> config = UserConfigFolder()) userList = *config / kListFileName;
  }
  host.Prompts().SetDisplay([self, &alerts, installed = installedList.string(),
                             user = userList ? userList->string() : installedList.string()](
                                plugin::PromptKind kind, const std::string& text) -> std::optional<bool> {
    // An alert of a run its caller reports with the run is not shown twice.
    const bool reported = self->running_ && !self->printAlertsOfRuns_ && kind != plugin::PromptKind::kQuestion;
    if (!reported) alerts << plugin::PromptKindName(kind) << ": " << ReplaceAll(text, installed, user) << "\n";
    // Nobody is there to say yes: a question keeps things as they were.
    return kind != plugin::PromptKind::kQuestion;
  });

  const fs::path modulePath = options.modulePath.value_or(DefaultModulePath());
  session->module_ = plugin::PluginModule::Load(host, modulePath, error);
  if (!session->module_) return nullptr;
  if (QvErr err = session->module_->Startup()) {
    *error = modulePath.string() + ": start-up failed with " + ErrorText(err);
    return nullptr;
  }
  session->started_ = true;
  if (QvErr err = host.Notify(kQvApplicationStartedNotifier)) {
    *error = modulePath.string() + ": the application-started notification failed with " + ErrorText(err);
    return nullptr;
  }
  const std::optional<ui::PanelInfo> panel = session->ModulePanel();
  if (!panel) {
    *error = modulePath.string() + ": the module made no panel \"" + kPanelId + "\"";
    return nullptr;
  }
  session->ReadPanelSettings(*panel);
  return session;
}

ModuleSession::~ModuleSession() { Close(); }

// The language and the unit as the module took them from its settings
// file, read from its own panel: the "Point Width" label is Japanese only for
// the Japanese language, as the dialogs are, and ends in the unit; the flyout
// items are English only for English, as the layer titles are. Reading the
// settings file a second time here could disagree with the module's reading
// (as on a line too long for the module).
void ModuleSession::ReadPanelSettings(const ui::PanelInfo& panel) {
  const std::optional<ui::ControlState> label = Ui().FindControl(panel.window, kPointWidthLabel);
  const std::string text = label ? label->text : std::string();
  japanese_ = NotAscii(text);
  if (EndsWith(text, " (cm)")) pointsPerUnit_ = 720.0 / 25.4;
  if (EndsWith(text, " (in)")) pointsPerUnit_ = 72.0;
  for (const ui::FlyoutItem& item : panel.flyout) {
    if (item.item == kBatchFlyoutItem) japaneseTexts_ = NotAscii(item.text);
  }
}

const char* ModuleSession::UnitName() const {
  if (pointsPerUnit_ == 72.0) return "in";
  return pointsPerUnit_ > 10.0 ? "cm" : "mm";
}

CommandRun ModuleSession::Close() {
  CommandRun run;
  if (module_ && started_) {
    run = Run([&]() -> std::string {
      if (QvErr err = module_->Shutdown()) return "shutdown failed with " + ErrorText(err);
      return {};
    });
  }
  started_ = false;
  module_.reset();
  return run;
}

std::optional<ui::PanelInfo> ModuleSession::ModulePanel() const { return host_->HeadlessUi()->FindPanel(kPanelId); }

std::vector<std::string> ModuleSession::PanelListItems(std::int32_t control) const {
  const std::optional<ui::PanelInfo> panel = ModulePanel();
  if (!panel) return {};
  const std::optional<ui::ControlState> list = host_->HeadlessUi()->FindControl(panel->window, control);
  return list ? list->items : std::vector<std::string>{};
}

template <typename Action>
CommandRun ModuleSession::Run(Action action) {
  const std::size_t prompts = host_->Prompts().Shown().size();
  const std::size_t dialogs = Ui().ShownDialogs().size();
  const std::size_t reported = Ui().ReportedErrors().size();
  CommandRun run;
  running_ = true;
  run.failure = action();
  running_ = false;
  const auto& shown = host_->Prompts().Shown();
  for (std::size_t i = prompts; i < shown.size(); ++i) {
    if (shown[i].kind != plugin::PromptKind::kQuestion) run.alerts.push_back(shown[i].text);
  }
  const auto& shownDialogs = Ui().ShownDialogs();
  for (std::size_t i = dialogs; i < shownDialogs.size() && run.failure.empty(); ++i) {
    run.failure = shownDialogs[i].failure;
  }
  const auto& errors = Ui().ReportedErrors();
  for (std::size_t i = reported; i < errors.size() && run.failure.empty(); ++i) run.failure = errors[i];
  run.played = run.failure.empty();
  return run;
}

CommandRun ModuleSession::SelectOnly(document::ArtId art) {
  return Run([&]() -> std::string {
    doc_.DeselectAll();
    if (art && !doc_.SetSelected(art, true)) return "the path cannot be selected (is it locked?)";
    if (QvErr err = host_->Notify(kQvArtSelectionChangedNotifier)) {
      return "the selection notification failed with " + ErrorText(err);
    }
    return {};
  });
}

CommandRun ModuleSession::UseModuleTool(bool use) {
  return Run([&]() -> std::string {
    QvToolHandle tool = use ? host_->Tools().FindNamed(kToolName) : nullptr;
    if (use && tool == nullptr) return std::string("the module registered no tool \"") + kToolName + "\"";
    if (QvErr err = host_->SelectTool(tool)) return "selecting the tool failed with " + ErrorText(err);
    return {};
  });
}

CommandRun ModuleSession::SelectPanelRow(std::int32_t control, std::int32_t row) {
  return Run([&]() -> std::string {
    const std::optional<ui::PanelInfo> panel = ModulePanel();
    if (!panel) return "the module's panel is gone";
    const ui::ActionOutcome outcome = Ui().SelectRow(panel->window, control, row);
    return outcome ? std::string() : outcome.refusal;
  });
}

CommandRun ModuleSession::BatchApply(std::int32_t setIndex) {
  return Run([&]() -> std::string {
    const std::optional<ui::PanelInfo> panel = ModulePanel();
    if (!panel) return "the module's panel is gone";
    // An answer left over from a command whose dialog never opened would
    // answer this one with the wrong values.
    if (Ui().PendingDialogAnswers() != 0) return "an earlier dialog answer was never used";
    ui::DialogAnswer answer;
    answer.resourceId = japanese_ ? kBatchDialogJapanese : kBatchDialog;
    answer.steps.push_back({ui::DialogStep::Kind::kSelectIndex, kDialogField, {}, setIndex});
    answer.steps.push_back({ui::DialogStep::Kind::kClick, kDialogOk, {}, -1});
    Ui().AddDialogAnswer(std::move(answer));
    const std::size_t pending = Ui().PendingDialogAnswers();
    const ui::ActionOutcome outcome = Ui().ChooseFlyoutItem(panel->handle, kBatchFlyoutItem);
    if (!outcome) return outcome.refusal;
    // A run that stopped before its dialog (no closed path) leaves the
    // answer unused; it must not answer a later dialog.
    if (Ui().PendingDialogAnswers() == pending) return "the batch application dialog did not open";
    return {};
  });
}

CommandRun ModuleSession::CreateFinishLine(const std::string& margin) {
  return Run([&]() -> std::string {
    const std::optional<ui::PanelInfo> panel = ModulePanel();
    if (!panel) return "the module's panel is gone";
    // An answer left over from a command whose dialog never opened would
    // answer this one with the wrong values.
    if (Ui().PendingDialogAnswers() != 0) return "an earlier dialog answer was never used";
    ui::DialogAnswer answer;
    answer.resourceId = japanese_ ? kFinishLineDialogJapanese : kFinishLineDialog;
    answer.steps.push_back({ui::DialogStep::Kind::kSetText, kDialogField, margin, -1});
    answer.steps.push_back({ui::DialogStep::Kind::kClick, kDialogOk, {}, -1});
    Ui().AddDialogAnswer(std::move(answer));
    const std::size_t pending = Ui().PendingDialogAnswers();
    const ui::ActionOutcome outcome = Ui().ChooseFlyoutItem(panel->handle, kFinishLineFlyoutItem);
    if (!outcome) return outcome.refusal;
    if (Ui().PendingDialogAnswers() == pending) return "the finish-line dialog did not open";
    return {};
  });
}

}  // namespace workbench::cli
