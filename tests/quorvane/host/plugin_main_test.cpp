// The real module, loaded by the workbench host over a real document and a
// fresh preferences folder: start-up, registrations, settings, unloading,
// nesting, error reports and notifications, seen from the host's side.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "quorvane/commands/set_tags.h"
#include "quorvane/commands/set_text.h"
#include "quorvane/host/about_box.h"
#include "quorvane/host/command_dispatch.h"
#include "quorvane/host/plugin_globals.h"
#include "sdk/errors.h"
#include "support/loaded_module.h"
#include "workbench/document/document.h"
#include "workbench/plugin/host.h"
#include "workbench/plugin/plugin_module.h"
#include "workbench/ui/dialog_script.h"
#include "workbench/ui/headless_toolkit.h"

namespace quorvane::host {
namespace {

namespace wb = workbench;
using wb::plugin::PromptKind;

using testing::kModulePath;
constexpr const char* kAboutText = "Quorvane Ver 5.2.6.0";

// Modal dialogs of the injecting UI suite run this and end with its code
// (or let its exception through).
std::function<QvErr()> g_duringDialog;
QvErr InjectingRunModalDialog(QvPluginRef, const QvDialogTemplate*, QvNotifyProc, void*, std::int32_t* result) {
  if (result != nullptr) *result = kAboutOk;
  return g_duringDialog ? g_duringDialog() : kQvNoErr;
}
QvUiSuite g_injectingUiSuite{};

class PluginMainTest : public testing::LoadedModuleTest {
 protected:
  wb::document::ArtId Square(double x) { return LoadedModuleTest::Square(x, 10.0); }
  // Answers the next About box by its OK button.
  void ScriptAboutBoxOk() {
    std::optional<wb::ui::DialogAnswer> answer = wb::ui::ParseDialogAnswer("16200:ok");
    ASSERT_TRUE(answer);
    host_.HeadlessUi()->AddDialogAnswer(*answer);
  }
  const std::vector<wb::ui::ShownDialog>& ShownDialogs() { return host_.HeadlessUi()->ShownDialogs(); }
  // Offers the host's own UI suite, except that modal dialogs run
  // g_duringDialog instead of showing.
  void InjectDialogs() {
    const void* real = nullptr;
    ASSERT_EQ(host_.Suites().Acquire(kQvUiSuite, kQvUiSuiteVersion, &real), kQvNoErr);
    g_injectingUiSuite = *static_cast<const QvUiSuite*>(real);
    ASSERT_EQ(host_.Suites().Release(kQvUiSuite, kQvUiSuiteVersion), kQvNoErr);
    g_injectingUiSuite.RunModalDialog = InjectingRunModalDialog;
    host_.Suites().Add(kQvUiSuite, kQvUiSuiteVersion, &g_injectingUiSuite);
  }
  // Every test ends with the module shut down cleanly: its globals gone and
  // no block or suite left with it.
  void TearDown() override {
    g_duringDialog = nullptr;
    if (module_ && module_->IsLoaded() && module_->Globals() != nullptr) {
      EXPECT_EQ(module_->Shutdown(), kQvNoErr);
      EXPECT_EQ(module_->Globals(), nullptr);
    }
    EXPECT_EQ(host_.Blocks().OutstandingBlocks(), 0u);
    EXPECT_EQ(host_.Suites().TotalAcquired(), 0);
  }
};

TEST_F(PluginMainTest, StartupRegistersExactlyTheMenusToolNotifiersAndAction) {
  LoadAndStart();
  // The menus, the tool, the notifiers and the action, each kept in the
  // globals under the handle the host gave it.
  EXPECT_EQ(host_.Menus().Items().size(), 3u);
  EXPECT_EQ(host_.Menus().ItemNamesOf("Tool Palettes"), std::vector<std::string>{"Quorvane Menu Group"});
  EXPECT_EQ(host_.Menus().FindItem("Quorvane Menu Group"), Globals()->panelMenuItem);
  EXPECT_EQ(host_.Menus().FindItem("Quorvane"), Globals()->aboutMenuItem);
  ASSERT_EQ(host_.Tools().Tools().size(), 1u);
  EXPECT_EQ(host_.Tools().Tools()[0].options, kQvToolWantsToTrackCursorOption);
  EXPECT_EQ(host_.Tools().FindNamed("Quorvane"), Globals()->tool);
  const auto& notifiers = host_.Notifiers().Notifiers();
  ASSERT_EQ(notifiers.size(), 5u);
  for (std::size_t i = 0; i < notifiers.size(); ++i) {
    EXPECT_EQ(host_.Notifiers().FindNamed(notifiers[i].name), Globals()->notifiers[i]) << i;
  }
  EXPECT_EQ(notifiers[4].type, "AI Art Selection Changed Notifier");
  EXPECT_TRUE(host_.Actions().IsRegistered("Quorvane_INSIDECMD"));
  EXPECT_EQ(Globals()->run.hostVersion, host_.AppMajorVersion());
  // Without a settings file the defaults hold.
  EXPECT_DOUBLE_EQ(Globals()->run.pointsPerUnit, 72.0 / 25.4);
  EXPECT_EQ(Globals()->settings.plateColorCount, 7);

  // The About selector shows the box with the version line.
  ScriptAboutBoxOk();
  EXPECT_EQ(module_->SendBasic(kQvCallerInterface, kQvSelectorAbout), kQvNoErr) << host_.HeadlessUi()->LastFailure();
  ASSERT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(ShownDialogs()[0].resourceId, kAboutDialog);
  EXPECT_EQ(ShownDialogs()[0].Text(kAboutVersionLine), kAboutText);
  EXPECT_EQ(ShownDialogs()[0].result, kAboutOk);

  // A caller it does not know gets nothing done, its suites given back.
  const long acquires = host_.Suites().AcquireCalls();
  const long releases = host_.Suites().ReleaseCalls();
  EXPECT_EQ(module_->SendBasic("Someone Else", "Anything"), kQvNoErr);
  EXPECT_GT(host_.Suites().AcquireCalls(), acquires);
  EXPECT_EQ(host_.Suites().AcquireCalls() - acquires, host_.Suites().ReleaseCalls() - releases);
}

TEST_F(PluginMainTest, ANestedDoActionReusesTheOuterAcquisition) {
  LoadAndStart();
  InjectDialogs();
  std::vector<std::string> shown;
  long nestedAcquires = -1, nestedReleases = -1;
  int outstandingDuring = 0;
  QvErr nestedResult = -1;
  host_.Prompts().SetDisplay([&](PromptKind, const std::string& text) -> std::optional<bool> {
    shown.push_back(text);
    return true;
  });
  // The About box is open while the host plays the module's action.
  g_duringDialog = [&] {
    const long acquires = host_.Suites().AcquireCalls();
    const long releases = host_.Suites().ReleaseCalls();
    outstandingDuring = host_.Suites().TotalAcquired();
    Globals()->pendingCommand = kMakePatternCommand;
    nestedResult = host_.PlayAction("Quorvane_INSIDECMD", kQvDialogOff, nullptr);
    nestedAcquires = host_.Suites().AcquireCalls() - acquires;
    nestedReleases = host_.Suites().ReleaseCalls() - releases;
    return kQvNoErr;
  };
  ASSERT_EQ(module_->SendBasic(kQvCallerInterface, kQvSelectorAbout), kQvNoErr);
  EXPECT_EQ(nestedResult, kQvNoErr);
  EXPECT_EQ(shown, (std::vector<std::string>{"Please select objects."}));
  EXPECT_GT(outstandingDuring, 0);
  EXPECT_EQ(nestedAcquires + nestedReleases, 0);
}

TEST_F(PluginMainTest, CommandsRunThroughTheActionFromOutsidePluginMain) {
  LoadAndStart();
  // Code outside PluginMain uses the basic suite the application-started
  // notification leaves in the globals.
  ASSERT_EQ(host_.Notify(kQvApplicationStartedNotifier), kQvNoErr);
  ASSERT_EQ(Globals()->basic, host_.BasicSuite());

  // One square selected is no raster art; a placed image is, and this host
  // has no tracing, which the user is told (the panel's flyout tests what
  // each command says with nothing selected).
  doc_.SetSelected(Square(0.0), true);
  host_.Prompts().Script({PromptKind::kAlert, "Please select a raster art."});
  EXPECT_EQ(RunCommand(*Globals(), kTraceRasterCommand), kQvNoErr) << host_.Prompts().LastFailure();
  doc_.DeselectAll();
  auto placed = doc_.NewArt(wb::document::ArtType::kPlacedImage, wb::document::PaintOrder::kPlaceInsideOnTop,
                            doc_.LayerGroup(layer_));
  ASSERT_TRUE(doc_.SetSelected(placed, true));
  host_.Prompts().Script({PromptKind::kError,
                          "Error=4e415621, !VAN (caller : Action Manager, selector : ai_plugin_tracing)"});
  EXPECT_EQ(RunCommand(*Globals(), kTraceRasterCommand), kQvNoErr) << host_.Prompts().LastFailure();
  EXPECT_EQ(host_.Prompts().RemainingScript(), 0u);

  // A number that belongs to no control does nothing: no step is recorded.
  const bool couldUndo = doc_.CanUndo();
  EXPECT_EQ(RunCommand(*Globals(), 3), kQvNoErr);
  EXPECT_EQ(doc_.CanUndo(), couldUndo);
}

TEST_F(PluginMainTest, ToolMessagesAndDocumentChangesReachTheGlobals) {
  LoadAndStart();
  ASSERT_EQ(host_.Notify(kQvApplicationStartedNotifier), kQvNoErr);
  ASSERT_NE(Globals()->panel, nullptr);
  ASSERT_EQ(host_.SelectTool(Globals()->tool), kQvNoErr);
  EXPECT_EQ(Globals()->toolMessagePlugin, module_->Self());

  // A document change makes the panel forget the work layers only while the
  // module's tool is in use.
  const LayerRef work{reinterpret_cast<QvLayerHandle>(doc_.InsertLayer("<<Quorvane Work Layer1>>").value)};
  for (const bool ours : {false, true}) {
    ASSERT_EQ(host_.SelectTool(ours ? Globals()->tool : nullptr), kQvNoErr);
    Globals()->run.workLayer1 = Globals()->run.workLayer2 = work;
    ASSERT_EQ(host_.Notify(kQvDocumentChangedNotifier), kQvNoErr);
    EXPECT_EQ(Globals()->run.workLayer1 == work, !ours) << ours;
    EXPECT_EQ(Globals()->run.workLayer2 == work, !ours) << ours;
  }
}

// A user suite whose error alert records what the module reports.
std::vector<std::string> g_reports;
QvErr SilentAlert(const char*) { return kQvNoErr; }
QvErr RecordingErrorAlert(const char* message) {
  g_reports.emplace_back(message);
  return kQvNoErr;
}
QvErr NoQuestion(const char*, QvBool*) { return kQvErrNoAnswer; }
const QvUserSuite kRecordingUserSuite{SilentAlert, RecordingErrorAlert, NoQuestion};

TEST_F(PluginMainTest, ErrorsAreReportedWithTheirCodeExceptOneSuiteNotFoundAndStop) {
  LoadAndStart();
  host_.Suites().Add(kQvUserSuite, kQvUserSuiteVersion, &kRecordingUserSuite);
  InjectDialogs();
  for (const auto& [code, report] :
       {std::pair<QvErr, std::string>{1, ""}, {kQvErrCancel, ""}, {kQvErrSuiteNotFound, ""},
        {kQvErrBadParameter, "Error=5041524d, MRAP (caller : SP Interface, selector : About)"},
        {0x4d4f5421, "Error=4d4f5421, !TOM (caller : SP Interface, selector : About)"}}) {
    g_duringDialog = [code = code] { return code; };
    g_reports.clear();
    EXPECT_EQ(module_->SendBasic(kQvCallerInterface, kQvSelectorAbout), code);
    EXPECT_EQ(g_reports, report.empty() ? std::vector<std::string>{} : std::vector<std::string>{report})
        << std::hex << code;
  }
  // No exception leaves PluginMain: each becomes its error code, reported.
  g_reports.clear();
  g_duringDialog = []() -> QvErr { throw std::runtime_error("dialog failed"); };
  EXPECT_EQ(module_->SendBasic(kQvCallerInterface, kQvSelectorAbout), kQvErrInternal);
  g_duringDialog = []() -> QvErr { throw std::bad_alloc(); };
  EXPECT_EQ(module_->SendBasic(kQvCallerInterface, kQvSelectorAbout), kQvErrOutOfMemory);
  EXPECT_EQ(g_reports, (std::vector<std::string>{"Error=494e5421, !TNI (caller : SP Interface, selector : About)",
                                                 "Error=214d454d, MEM! (caller : SP Interface, selector : About)"}));
}

TEST_F(PluginMainTest, WithoutMemoryForTheGlobalsStartupFailsBeforeRegisteringAnything) {
  std::string error;
  module_ = wb::plugin::PluginModule::Load(host_, kModulePath, &error);
  ASSERT_NE(module_, nullptr) << error;
  host_.Blocks().SetLimit(64);
  host_.Prompts().Script({PromptKind::kError, "Error=214d454d, MEM! (caller : SP Interface, selector : Startup)"});
  EXPECT_EQ(module_->Startup(), kQvErrOutOfMemory);
  EXPECT_EQ(host_.Prompts().RemainingScript(), 0u) << host_.Prompts().LastFailure();
  EXPECT_EQ(module_->Globals(), nullptr);
  EXPECT_TRUE(host_.Menus().Items().empty());
  EXPECT_FALSE(host_.Actions().IsRegistered("Quorvane_INSIDECMD"));
}

TEST_F(PluginMainTest, SelectionChangesKeepTheArtHeldSetOfTheSingleSelectedArt) {
  LoadAndStart();
  // Stands in for the panel, which decides whether selections are watched.
  Globals()->panel = reinterpret_cast<QvPanelHandle>(1);
  commands::CCommandSet sleeve("Sleeve");
  std::string text;
  ASSERT_FALSE(commands::AppendSetText(sleeve, text));
  const auto tagged = Square(0.0);
  const auto plain = Square(20.0);
  ASSERT_LT(text.size(), commands::kTagPieceBytes);
  ASSERT_TRUE(doc_.SetTag(tagged, commands::SetTagName(1), text));

  doc_.SetSelected(tagged, true);
  ASSERT_EQ(host_.Notify(kQvArtSelectionChangedNotifier), kQvNoErr);
  EXPECT_EQ(Globals()->selectedArtHasSet, 1);
  ASSERT_EQ(Globals()->commandSets.GetSetCount(), 1);
  EXPECT_TRUE(commands::IsArtHeldName(Globals()->commandSets.GetSetName(0)));

  // The same art again leaves the list alone, even if someone changed it.
  Globals()->commandSets.ClearSets();
  ASSERT_EQ(host_.Notify(kQvArtSelectionChangedNotifier), kQvNoErr);
  EXPECT_EQ(Globals()->commandSets.GetSetCount(), 0);

  // Two objects: no candidate, and the art-held set leaves the list.
  Globals()->commandSets.AddSet("Front");
  doc_.SetSelected(tagged, false);
  ASSERT_EQ(host_.Notify(kQvArtSelectionChangedNotifier), kQvNoErr);
  doc_.SetSelected(tagged, true);
  ASSERT_EQ(host_.Notify(kQvArtSelectionChangedNotifier), kQvNoErr);
  ASSERT_EQ(Globals()->commandSets.GetSetCount(), 2);
  doc_.SetSelected(plain, true);
  ASSERT_EQ(host_.Notify(kQvArtSelectionChangedNotifier), kQvNoErr);
  EXPECT_FALSE(Globals()->selectedArt);
  EXPECT_EQ(Globals()->selectedArtHasSet, 0);
  ASSERT_EQ(Globals()->commandSets.GetSetCount(), 1);
  EXPECT_EQ(Globals()->commandSets.GetSetName(0), "Front");
}

}  // namespace
}  // namespace quorvane::host
