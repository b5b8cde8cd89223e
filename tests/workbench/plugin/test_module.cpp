// A small module for the loader tests: it keeps a counter in a globals
// block from the host's allocator and another in a file-static, registers
// an action event and, when it is played, draws a path through the suites.
// It also registers a menu item, a tool and notifiers (brightness, document
// and selection changes), and shows an alert "<caller>/<selector>" (the
// type for notifications) for each of their messages, so that a test sees
// what the host sent.
#include <cstring>
#include <initializer_list>

#include "sdk/action_manager_suite.h"
#include "sdk/art_suite.h"
#include "sdk/basic_suite.h"
#include "sdk/errors.h"
#include "sdk/menu_suite.h"
#include "sdk/messages.h"
#include "sdk/notifier_suite.h"
#include "sdk/path_suite.h"
#include "sdk/plugin_main.h"
#include "sdk/tool_suite.h"
#include "sdk/undo_suite.h"
#include "sdk/user_suite.h"

namespace {

constexpr unsigned kMagic = 0x51564731;  // "QVG1"

struct TestGlobals {
  unsigned magic;
  int notifications;
};

TestGlobals* g_globals = nullptr;
// Lost on unload: a reloaded module starts again at zero.
int g_staticNotifications = 0;

bool Is(const QvMessageData* m, const char* a, const char* b) {
  QvBool equal = 0;
  return m->basic->IsEqual(a, b, &equal) == kQvNoErr && equal != 0;
}

template <typename Suite>
const Suite* Acquire(const QvMessageData* m, const char* name, int version) {
  const void* suite = nullptr;
  return m->basic->AcquireSuite(name, version, &suite) == kQvNoErr ? static_cast<const Suite*>(suite) : nullptr;
}

QvErr Startup(QvMessageData* m) {
  void* block = nullptr;
  if (QvErr err = m->basic->AllocateBlock(sizeof(TestGlobals), &block)) return err;
  g_globals = static_cast<TestGlobals*>(block);
  g_globals->magic = kMagic;
  m->globals = g_globals;
  auto* actions = Acquire<QvActionManagerSuite>(m, kQvActionManagerSuite, kQvActionManagerSuiteVersion);
  if (actions == nullptr) return kQvErrSuiteNotFound;
  QvErr err = actions->RegisterActionEvent("QvTest_DRAW", "Draw", 1, 0, nullptr, m->self, nullptr);
  m->basic->ReleaseSuite(kQvActionManagerSuite, kQvActionManagerSuiteVersion);
  if (err != kQvNoErr) return err;

  auto* menu = Acquire<QvMenuSuite>(m, kQvMenuSuite, kQvMenuSuiteVersion);
  auto* tool = Acquire<QvToolSuite>(m, kQvToolSuite, kQvToolSuiteVersion);
  auto* notifier = Acquire<QvNotifierSuite>(m, kQvNotifierSuite, kQvNotifierSuiteVersion);
  err = kQvErrSuiteNotFound;
  if (menu != nullptr && tool != nullptr && notifier != nullptr) {
    QvMenuItemHandle item = nullptr;
    QvToolHandle toolHandle = nullptr;
    QvNotifierHandle notifierHandle = nullptr;
    const QvToolData data = {"Test tool", "Test tool", 0, 0, nullptr, nullptr};
    err = menu->AddMenuItem(m->self, "QvTest Item", kQvWindowMenuGroup, "Test", 0, &item);
    if (err == kQvNoErr) err = tool->AddTool(m->self, "QvTest Tool", &data, 0, &toolHandle);
    if (err == kQvNoErr) err = notifier->AddNotifier(m->self, "QvTest Notifier", kQvBrightnessChangedNotifier,
                                                     &notifierHandle);
    if (err == kQvNoErr) err = notifier->AddNotifier(m->self, "QvTest Document Notifier", kQvDocumentChangedNotifier,
                                                     &notifierHandle);
    if (err == kQvNoErr) err = notifier->AddNotifier(m->self, "QvTest Selection Notifier",
                                                     kQvArtSelectionChangedNotifier, &notifierHandle);
  }
  m->basic->ReleaseSuite(kQvMenuSuite, kQvMenuSuiteVersion);
  m->basic->ReleaseSuite(kQvToolSuite, kQvToolSuiteVersion);
  m->basic->ReleaseSuite(kQvNotifierSuite, kQvNotifierSuiteVersion);
  return err;
}

// The alert's own result is not the message's: a test without a display
// still gets the module's answer.
void ShowEvent(const QvMessageData* m, const char* first, const char* second) {
  auto* user = Acquire<QvUserSuite>(m, kQvUserSuite, kQvUserSuiteVersion);
  if (user == nullptr) return;
  char text[256];
  std::size_t n = 0;
  for (const char* part : {first, "/", second}) {
    for (; *part != '\0' && n + 1 < sizeof text; ++part) text[n++] = *part;
  }
  text[n] = '\0';
  user->MessageAlert(text);
  m->basic->ReleaseSuite(kQvUserSuite, kQvUserSuiteVersion);
}

// Draws a closed triangle of the size the 'size' real parameter gives.
QvErr Draw(QvDoActionMessage* m) {
  auto* art = Acquire<QvArtSuite>(&m->d, kQvArtSuite, kQvArtSuiteVersion);
  auto* path = Acquire<QvPathSuite>(&m->d, kQvPathSuite, kQvPathSuiteVersion);
  auto* undo = Acquire<QvUndoSuite>(&m->d, kQvUndoSuite, kQvUndoSuiteVersion);
  auto* actions = Acquire<QvActionManagerSuite>(&m->d, kQvActionManagerSuite, kQvActionManagerSuiteVersion);
  QvErr err = kQvErrSuiteNotFound;
  if (art != nullptr && path != nullptr && undo != nullptr && actions != nullptr) {
    double size = 0.0;
    err = actions->GetReal(m->parameters, QV_FOURCC('s', 'i', 'z', 'e'), &size);
    QvArtHandle triangle = nullptr;
    if (err == kQvNoErr) err = art->NewArt(kQvPathArt, kQvPlaceAbove, nullptr, &triangle);
    QvPathSegment s[3];
    std::memset(s, 0, sizeof s);
    const double xs[3] = {0.0, size, 0.0};
    const double ys[3] = {0.0, 0.0, size};
    for (int i = 0; i < 3; ++i) {
      s[i].p = s[i].in = s[i].out = QvRealPoint{xs[i], ys[i]};
      s[i].corner = 1;
    }
    if (err == kQvNoErr) err = path->SetPathSegments(triangle, 0, 3, s);
    if (err == kQvNoErr) err = path->SetPathClosed(triangle, 1);
    if (err == kQvNoErr) err = undo->SetUndoText("Undo Draw", "Redo Draw");
  }
  m->d.basic->ReleaseSuite(kQvArtSuite, kQvArtSuiteVersion);
  m->d.basic->ReleaseSuite(kQvPathSuite, kQvPathSuiteVersion);
  m->d.basic->ReleaseSuite(kQvUndoSuite, kQvUndoSuiteVersion);
  m->d.basic->ReleaseSuite(kQvActionManagerSuite, kQvActionManagerSuiteVersion);
  return err;
}

}  // namespace

extern "C" QV_EXPORT QvErr PluginMain(const char* caller, const char* selector, void* message) {
  auto* m = static_cast<QvMessageData*>(message);
  if (Is(m, caller, kQvCallerAccess)) {
    if (Is(m, selector, kQvSelectorUnload)) m->globals = g_globals;
    if (Is(m, selector, kQvSelectorReload)) g_globals = static_cast<TestGlobals*>(m->globals);
    return kQvNoErr;
  }
  if (Is(m, caller, kQvCallerInterface) && Is(m, selector, kQvSelectorStartup)) return Startup(m);
  if (Is(m, caller, kQvCallerInterface) && Is(m, selector, kQvSelectorShutdown)) {
    QvErr err = m->basic->FreeBlock(g_globals);
    g_globals = nullptr;
    m->globals = nullptr;
    return err;
  }
  if (Is(m, caller, kQvCallerMenu) || Is(m, caller, kQvCallerTool)) {
    ShowEvent(m, caller, selector);
    return kQvNoErr;
  }
  if (Is(m, caller, kQvCallerNotifier)) {
    if (g_globals == nullptr || g_globals->magic != kMagic) return kQvErrBadParameter;
    auto* notification = static_cast<QvNotifierMessage*>(message);
    if (notification->notifier != nullptr) ShowEvent(m, caller, notification->type);
    ++g_staticNotifications;
    // Answers how many notifications each counter has seen, as 100 * kept + static.
    return 100 * ++g_globals->notifications + g_staticNotifications;
  }
  if (Is(m, caller, kQvCallerActionManager) && Is(m, selector, kQvSelectorDoAction)) {
    return Draw(static_cast<QvDoActionMessage*>(message));
  }
  return kQvNoErr;
}
