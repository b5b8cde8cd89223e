/// The message records the host passes to PluginMain, and the caller and
/// selector names that decide which record a call carries.
#ifndef QUORVANE_SDK_MESSAGES_H
#define QUORVANE_SDK_MESSAGES_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

struct QvBasicSuite;

/// The header common to every message.
typedef struct QvMessageData {
  /// The host's check value; modules do not use it.
  int32_t check;
  /// This module, as the host knows it; passed back in registrations.
  QvPluginRef self;
  /// The module's globals block as the host keeps it between calls: null
  /// until the module stores one, and handed back across unload and reload.
  void* globals;
  /// Acquire and release suites, compare names, allocate blocks.
  const struct QvBasicSuite* basic;
} QvMessageData;

/// Loading: caller kQvCallerAccess. On kQvSelectorUnload the module stores
/// its globals block in `globals`; on kQvSelectorReload it takes it back.
/// Start-up, shutdown and About: caller kQvCallerInterface.
typedef QvMessageData QvAccessMessage;
typedef QvMessageData QvInterfaceMessage;

/// Caller kQvCallerMenu: the menu item chosen (kQvSelectorMenuGo) or to be
/// brought up to date (kQvSelectorMenuUpdate).
typedef struct QvMenuMessage {
  QvMessageData d;
  QvMenuItemHandle menuItem;
} QvMenuMessage;

/// Modifier keys held during a tool event.
enum QvModifierKeys {
  kQvShiftKey = 1,
  kQvOptionKey = 2,
  kQvCommandKey = 4
};

/// Caller kQvCallerTool: one event of a tool the module registered.
typedef struct QvToolMessage {
  QvMessageData d;
  QvToolHandle tool;
  /// The cursor in document points (y up).
  QvRealPoint cursor;
  /// QvModifierKeys held.
  int32_t modifiers;
  /// Mouse clicks so far in this gesture (1 single, 2 double).
  int32_t clickCount;
} QvToolMessage;

/// Caller kQvCallerNotifier, selector kQvSelectorNotify: one notification.
typedef struct QvNotifierMessage {
  QvMessageData d;
  /// The handle the registration returned.
  QvNotifierHandle notifier;
  /// The notification's type name (for example kQvArtSelectionChangedNotifier).
  const char* type;
  /// Data of the notification; its meaning depends on the type, often null.
  void* notifyData;
} QvNotifierMessage;

/// Caller kQvCallerActionManager, selector kQvSelectorDoAction: the host
/// plays an action event the module registered.
typedef struct QvDoActionMessage {
  QvMessageData d;
  /// The event name as registered.
  const char* eventName;
  /// A QvActionDialogMode (sdk/action_manager_suite.h).
  int32_t dialogMode;
  /// The parameters the event was played with; null when none. Owned by
  /// the host for the duration of the call.
  QvActionParamValueRef parameters;
  /// The user data given at registration.
  void* userData;
} QvDoActionMessage;

#define kQvCallerAccess "SP Access"
#define kQvSelectorUnload "Unload"
#define kQvSelectorReload "Reload"

#define kQvCallerInterface "SP Interface"
#define kQvSelectorStartup "Startup"
#define kQvSelectorShutdown "Shutdown"
#define kQvSelectorAbout "About"

#define kQvCallerMenu "AI Menu"
#define kQvSelectorMenuGo "AI Go"
#define kQvSelectorMenuUpdate "AI Update"

#define kQvCallerTool "AI Tool"
#define kQvSelectorTrackCursor "AI Track Cursor"
#define kQvSelectorMouseDown "AI Mouse Down"
#define kQvSelectorToolSelect "AI Select"
#define kQvSelectorToolDeselect "AI Deselect"

#define kQvCallerNotifier "AI Notifier"
#define kQvSelectorNotify "AI Notify"

#define kQvCallerActionManager "Action Manager"
#define kQvSelectorDoAction "Do Action"

/// Notification types the host sends.
#define kQvApplicationStartedNotifier "AI Application Started Notifier"
#define kQvDocumentChangedNotifier "AI Document Changed Notifier"
#define kQvLayerDeletionNotifier "AI Layer Deletion Notifier"
#define kQvBrightnessChangedNotifier "AI UI Brightness Changed Notifier"
#define kQvArtSelectionChangedNotifier "AI Art Selection Changed Notifier"

#ifdef __cplusplus
}
#endif

#endif
