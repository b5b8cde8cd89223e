#include "quorvane/host/plugin_entry.h"

#include <cstring>
#include <new>

#include "quorvane/host/command_dispatch.h"
#include "quorvane/host/error_report.h"
#include "quorvane/host/startup.h"
#include "quorvane/host/suite_table.h"
#include "sdk/errors.h"
#include "sdk/messages.h"

namespace quorvane::host {

namespace {

// Both are set from every message; a reloaded module gets them back from
// the next one.
const QvBasicSuite* g_basic = nullptr;
PluginGlobals* g_globals = nullptr;

bool Is(const char* name, const char* expected) {
  if (name == nullptr) return false;
  QvBool equal = 0;
  if (g_basic != nullptr && g_basic->IsEqual != nullptr && g_basic->IsEqual(name, expected, &equal) == kQvNoErr) {
    return equal != 0;
  }
  return std::strcmp(name, expected) == 0;
}

template <typename F>
QvErr Guarded(F&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return kQvErrOutOfMemory;
  } catch (...) {
    return kQvErrInternal;
  }
}

QvErr StartModule(QvMessageData& message, HostDocument& document) {
  void* block = nullptr;
  if (g_basic->AllocateBlock == nullptr) return kQvErrSuiteNotFound;
  if (QvErr err = g_basic->AllocateBlock(static_cast<std::int64_t>(sizeof(PluginGlobals)), &block)) return err;
  g_globals = new (block) PluginGlobals();
  message.globals = g_globals;
  return Startup(*g_globals, message, document);
}

QvErr StopModule(QvMessageData& message, HostDocument& document, const ModuleHooks& hooks) {
  if (g_globals == nullptr) return kQvNoErr;
  QvErr err = Shutdown(*g_globals, document, hooks);
  g_globals->~PluginGlobals();
  g_basic->FreeBlock(g_globals);
  g_globals = nullptr;
  message.globals = nullptr;
  return err;
}

// Picking points needs the panel: the tool creates it if the application
// start did not, and shows it.
QvErr BringUpPanel(PluginGlobals& globals, HostDocument& document, const ModuleHooks& hooks) {
  if (globals.panel == nullptr) {
    if (QvErr err = hooks.createPanel(globals, document)) return err;
  }
  if (globals.panel != nullptr && !hooks.isPanelShown(globals)) {
    return hooks.showPanel(globals, true);
  }
  return kQvNoErr;
}

QvErr Route(const char* caller, const char* selector, void* message, const ModuleHooks& hooks) {
  auto& header = *static_cast<QvMessageData*>(message);
  HostDocument document(AcquiredSuites());
  if (Is(caller, kQvCallerInterface)) {
    if (Is(selector, kQvSelectorStartup)) return StartModule(header, document);
    if (g_globals == nullptr) return kQvNoErr;
    if (Is(selector, kQvSelectorAbout)) return ShowAbout(*g_globals);
    if (Is(selector, kQvSelectorShutdown)) return StopModule(header, document, hooks);
    return kQvNoErr;
  }
  // Everything else works on the globals that start-up made.
  if (g_globals == nullptr) return kQvNoErr;
  PluginGlobals& globals = *g_globals;
  if (Is(caller, kQvCallerMenu)) {
    const auto& menu = *static_cast<const QvMenuMessage*>(message);
    if (Is(selector, kQvSelectorMenuGo)) return MenuCommand(globals, menu, hooks);
    if (Is(selector, kQvSelectorMenuUpdate)) return MenuUpdate(globals, document, hooks);
    return kQvNoErr;
  }
  if (Is(caller, kQvCallerTool)) {
    const auto& tool = *static_cast<const QvToolMessage*>(message);
    globals.toolMessagePlugin = header.self;
    using ToolHandler = QvErr (*)(PluginGlobals&, HostDocument&, const QvToolMessage&);
    ToolHandler handler = nullptr;
    if (Is(selector, kQvSelectorTrackCursor)) {
      handler = hooks.toolTrackCursor;
    } else if (Is(selector, kQvSelectorMouseDown)) {
      handler = hooks.toolMouseDown;
    } else if (Is(selector, kQvSelectorToolSelect)) {
      if (QvErr err = BringUpPanel(globals, document, hooks)) return err;
      handler = hooks.toolSelected;
    } else if (Is(selector, kQvSelectorToolDeselect)) {
      handler = hooks.toolDeselected;
    }
    return handler != nullptr ? handler(globals, document, tool) : kQvNoErr;
  }
  if (Is(caller, kQvCallerNotifier)) {
    if (!Is(selector, kQvSelectorNotify)) return kQvNoErr;
    return Notification(globals, *static_cast<const QvNotifierMessage*>(message), document, hooks);
  }
  if (Is(caller, kQvCallerActionManager)) {
    if (!Is(selector, kQvSelectorDoAction)) return kQvNoErr;
    return DispatchCommand(globals, document, hooks);
  }
  return kQvNoErr;
}

// Unload and reload acquire none of the suite table: the host may be between
// documents, and a reloaded module has none acquired. Only the panel's hooks
// take the toolkit suite, through the message's own basic suite, to take the
// window procedure off before the code goes and put it back after.
QvErr Access(const char* selector, QvMessageData& header, const ModuleHooks& hooks) {
  if (Is(selector, kQvSelectorUnload)) {
    if (g_globals != nullptr) hooks.beforeUnload(*g_globals);
    header.globals = g_globals;
  } else if (Is(selector, kQvSelectorReload)) {
    g_globals = static_cast<PluginGlobals*>(header.globals);
    ResetAcquisitionCount();
    if (g_globals != nullptr) hooks.afterReload(*g_globals);
  }
  return kQvNoErr;
}

QvErr HandleCall(const char* caller, const char* selector, void* message, const ModuleHooks& hooks) {
  auto& header = *static_cast<QvMessageData*>(message);
  g_basic = header.basic;
  g_globals = static_cast<PluginGlobals*>(header.globals);
  // The panel's window procedure and flyout run outside any call and bracket
  // their work with the basic suite kept in the globals. Every message
  // brings it, so the panel works whichever message made it (the tool's
  // selection as well as the application's start), and unloading can take
  // the window procedure off with the suite of the unload message itself.
  if (g_globals != nullptr && header.basic != nullptr) g_globals->basic = header.basic;
  if (Is(caller, kQvCallerAccess)) return Guarded([&] { return Access(selector, header, hooks); });

  SuiteBracket bracket(g_basic);
  QvErr result = bracket.Result();
  if (result == kQvNoErr) result = Guarded([&] { return Route(caller, selector, message, hooks); });
  if (ShouldReportError(result)) {
    // Reported while the user suite is still acquired.
    Guarded([&]() -> QvErr {
      if (const QvUserSuite* user = AcquiredSuites().user) {
        user->ErrorAlert(FormatErrorReport(result, caller, selector).c_str());
      }
      return kQvNoErr;
    });
  }
  return result;
}

}  // namespace

PluginGlobals* CurrentGlobals() { return g_globals; }

QvErr HandlePluginMain(const char* caller, const char* selector, void* message, const ModuleHooks& hooks) noexcept {
  if (message == nullptr) return kQvErrBadParameter;
  return Guarded([&] { return HandleCall(caller, selector, message, hooks); });
}

}  // namespace quorvane::host
