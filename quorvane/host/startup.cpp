#include "quorvane/host/startup.h"

#include <filesystem>
#include <string>
#include <vector>

#include "quorvane/commands/art_set_tags.h"
#include "quorvane/commands/set_tags.h"
#include "quorvane/host/about_box.h"
#include "quorvane/host/suite_table.h"
#include "quorvane/settings/settings_file.h"
#include "sdk/action_manager_suite.h"

namespace quorvane::host {

namespace {

bool SameName(const char* a, const char* b) { return std::string_view(a) == std::string_view(b); }

// Generation reads its copy of the unit, scale, language and host version.
void SyncRunState(PluginGlobals& globals) {
  globals.run.pointsPerUnit = globals.settings.unitFactor;
  globals.run.scaledDrawing = globals.settings.scaledDrawing != 0;
  globals.run.language = globals.settings.language;
  globals.run.hostVersion = globals.hostVersion;
}

void ReadSettings(PluginGlobals& globals, HostDocument& document) {
  // Without a preferences folder the module runs on its defaults.
  if (std::optional<std::string> folder = document.PreferencesFolder()) {
    settings::SettingsFile(*folder).Load(globals.settings);
  }
  if (globals.settings.plateColorCount == 0) settings::FillDefaultPlateColors(globals.settings);
}

QvErr RegisterMenus(PluginGlobals& globals, QvPluginRef self, const HostSuites& suites) {
  const QvMenuSuite* menu = suites.menu;
  if (menu == nullptr) return kQvErrSuiteNotFound;
  if (QvErr err = menu->AddMenuItem(self, kPanelMenuItemName, kQvWindowMenuGroup, globals.productName, 1,
                                    &globals.panelMenuItem)) {
    return err;
  }

  // The maker's plug-ins share one About submenu; the first to start makes it.
  std::int32_t groups = 0;
  if (QvErr err = menu->CountMenuGroups(&groups)) return err;
  bool shared = false;
  for (std::int32_t i = 0; i < groups && !shared; ++i) {
    QvMenuGroupHandle group = nullptr;
    if (QvErr err = menu->GetNthMenuGroup(i, &group)) return err;
    char name[256] = {};
    std::int32_t length = 0;
    if (QvErr err = menu->GetMenuGroupName(group, name, sizeof name, &length)) return err;
    shared = SameName(name, kMakerAboutGroup);
  }
  if (!shared) {
    QvMenuItemHandle item = nullptr;
    if (QvErr err = menu->AddMenuItem(self, kMakerAboutGroup, kQvAboutMenuGroup, kMakerAboutText, 0, &item)) {
      return err;
    }
    QvMenuGroupHandle group = nullptr;
    if (QvErr err = menu->AddMenuGroupAsSubMenu(kMakerAboutGroup, 1, item, &group)) return err;
  }
  const std::string aboutText = std::string(globals.productName) + "...";
  return menu->AddMenuItem(self, kAboutMenuItemName, kMakerAboutGroup, aboutText.c_str(), 0,
                           &globals.aboutMenuItem);
}

QvErr RegisterNotifiers(PluginGlobals& globals, QvPluginRef self, const HostSuites& suites) {
  if (suites.notifier == nullptr) return kQvErrSuiteNotFound;
  static constexpr const char* kTypes[kNotifierSlots] = {kQvApplicationStartedNotifier, kQvDocumentChangedNotifier,
                                                         kQvLayerDeletionNotifier, kQvBrightnessChangedNotifier,
                                                         kQvArtSelectionChangedNotifier};
  for (int slot = 0; slot < kNotifierSlots; ++slot) {
    if (QvErr err = suites.notifier->AddNotifier(self, kNotifierNames[slot], kTypes[slot], &globals.notifiers[slot])) {
      return err;
    }
  }
  return kQvNoErr;
}

QvErr RegisterTool(PluginGlobals& globals, QvPluginRef self, const HostSuites& suites) {
  if (suites.tool == nullptr) return kQvErrSuiteNotFound;
  // The palette icons are resources of the desktop build; the tool works
  // without them.
  // The tool's pictures are the module's resources: 16054 on the light
  // interface, 16055 on the dark one.
  constexpr std::int32_t kToolIcon = 16054;
  constexpr std::int32_t kToolIconDark = 16055;
  QvToolData data{globals.productName, globals.productName, kToolIcon, kToolIconDark, nullptr, nullptr};
  return suites.tool->AddTool(self, kToolName, &data, kQvToolWantsToTrackCursorOption, &globals.tool);
}

QvErr RegisterAction(QvPluginRef self, const HostSuites& suites) {
  const QvActionManagerSuite* actions = suites.actionManager;
  if (actions == nullptr) return kQvErrSuiteNotFound;
  QvActionParamTypeRef type = nullptr;
  if (QvErr err = actions->NewActionParamType(&type)) return err;
  QvErr err = actions->RegisterActionEvent(kInsideCommandAction, kInsideCommandTitle, 1, 0, type, self, nullptr);
  actions->DeleteActionParamType(type);
  return err;
}

}  // namespace

QvErr Startup(PluginGlobals& globals, const QvMessageData& message, HostDocument& document) {
  const HostSuites& suites = AcquiredSuites();
  globals.self = message.self;
  if (suites.runtime != nullptr) suites.runtime->GetAppMajorVersion(&globals.hostVersion);
  ReadSettings(globals, document);
  SyncRunState(globals);

  if (QvErr err = RegisterMenus(globals, message.self, suites)) return err;
  if (QvErr err = RegisterNotifiers(globals, message.self, suites)) return err;
  if (QvErr err = RegisterTool(globals, message.self, suites)) return err;
  return RegisterAction(message.self, suites);
}

QvErr Shutdown(PluginGlobals& globals, HostDocument& document, const ModuleHooks& hooks) {
  hooks.releasePanelResources(globals);
  if (std::optional<std::string> folder = document.PreferencesFolder()) {
    if (std::optional<std::string> problem = settings::SettingsFile(*folder).Save(globals.settings)) {
      document.ErrorAlert(*problem);
    }
  }
  if (globals.panel != nullptr) hooks.destroyPanel(globals);
  globals.panel = nullptr;
  globals.flyoutMenu = nullptr;
  globals.previousPanelProcedure = nullptr;
  return kQvNoErr;
}

QvErr ShowAbout(const PluginGlobals& globals) {
  HostUi ui(AcquiredSuites().ui);
  return ShowAboutBox(globals, ui);
}

QvErr MenuCommand(PluginGlobals& globals, const QvMenuMessage& message, const ModuleHooks& hooks) {
  if (message.menuItem == globals.panelMenuItem && globals.panel != nullptr) {
    return hooks.showPanel(globals, !hooks.isPanelShown(globals));
  }
  if (message.menuItem == globals.aboutMenuItem) return ShowAbout(globals);
  return kQvNoErr;
}

QvErr MenuUpdate(PluginGlobals& globals, HostDocument&, const ModuleHooks& hooks) {
  const HostSuites& suites = AcquiredSuites();
  if (globals.panel == nullptr) return kQvNoErr;
  if (suites.menu == nullptr) return kQvErrSuiteNotFound;
  return suites.menu->CheckItem(globals.panelMenuItem, hooks.isPanelShown(globals) ? 1 : 0);
}

QvErr Notification(PluginGlobals& globals, const QvNotifierMessage& message, HostDocument& document,
                   const ModuleHooks& hooks) {
  const char* type = message.type != nullptr ? message.type : "";
  if (SameName(type, kQvApplicationStartedNotifier)) {
    globals.basic = message.d.basic;
    if (globals.panel == nullptr) return hooks.createPanel(globals, document);
    return kQvNoErr;
  }
  if (message.notifier != nullptr && message.notifier == globals.notifiers[kDocumentChangedSlot]) {
    const HostSuites& suites = AcquiredSuites();
    QvToolHandle selected = nullptr;
    if (globals.panel == nullptr || suites.tool == nullptr) return kQvNoErr;
    if (QvErr err = suites.tool->GetSelectedTool(&selected)) return err;
    if (selected != globals.tool) return kQvNoErr;
    QvErr err = hooks.disablePanel(globals, document);
    globals.run.workLayer1 = {};
    globals.run.workLayer2 = {};
    return err;
  }
  if (message.notifier != nullptr && message.notifier == globals.notifiers[kLayerDeletionSlot]) return kQvNoErr;
  if (SameName(type, kQvBrightnessChangedNotifier)) {
    if (globals.panel != nullptr) return hooks.brightnessChanged(globals);
    return kQvNoErr;
  }
  if (SameName(type, kQvArtSelectionChangedNotifier) && globals.panel != nullptr) {
    return ArtSelectionChanged(globals, document, hooks);
  }
  return kQvNoErr;
}

QvErr ArtSelectionChanged(PluginGlobals& globals, HostDocument& document, const ModuleHooks& hooks) {
  std::optional<std::vector<ArtRef>> selected = document.SelectedArt();
  if (!selected) return document.LastError();
  const ArtRef candidate = selected->size() == 1 ? selected->front() : ArtRef{};
  const std::int16_t hasSet = candidate && document.Tag(candidate, commands::SetTagName(1)).has_value() ? 1 : 0;
  if (candidate == globals.selectedArt && hasSet == globals.selectedArtHasSet) return kQvNoErr;
  globals.selectedArt = candidate;
  globals.selectedArtHasSet = hasSet;

  std::vector<commands::Diagnostic> problems;
  std::optional<int> artHeld = commands::AddArtHeldSet(globals.commandSets, document, candidate, problems);
  return hooks.refreshSetList(globals, document, artHeld.value_or(-1));
}

}  // namespace quorvane::host
