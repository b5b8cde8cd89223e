/// Menus: items a module adds to the host's menu groups, submenu groups,
/// and check marks. Choosing an item sends the module kQvCallerMenu /
/// kQvSelectorMenuGo; before a menu opens every item's module gets
/// kQvSelectorMenuUpdate.
#ifndef QUORVANE_SDK_MENU_SUITE_H
#define QUORVANE_SDK_MENU_SUITE_H

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kQvMenuSuite "QV Menu Suite"
enum { kQvMenuSuiteVersion = 1 };

/// The host's own groups: the Window menu's palette list and the About list.
#define kQvWindowMenuGroup "Tool Palettes"
#define kQvAboutMenuGroup "About"

typedef struct QvMenuSuite {
  /// Adds the item `name` (unique per host) showing `text` at the end of
  /// the group `groupName`. kQvErrBadParameter for an unknown group, a
  /// taken name or a self the host does not know.
  QvErr (*AddMenuItem)(QvPluginRef self, const char* name, const char* groupName, const char* text,
                       int32_t options, QvMenuItemHandle* item);
  QvErr (*CountMenuGroups)(int32_t* count);
  /// Group `index`, 0-based, in the order they were made.
  QvErr (*GetNthMenuGroup)(int32_t index, QvMenuGroupHandle* group);
  /// As GetArtName.
  QvErr (*GetMenuGroupName)(QvMenuGroupHandle group, char* buffer, int32_t capacity, int32_t* length);
  /// Turns `parentItem` into a submenu holding the new group `groupName`.
  /// kQvErrBadParameter when the name is taken or the item is a submenu.
  QvErr (*AddMenuGroupAsSubMenu)(const char* groupName, int32_t options, QvMenuItemHandle parentItem,
                                 QvMenuGroupHandle* group);
  QvErr (*CheckItem)(QvMenuItemHandle item, QvBool checked);
  QvErr (*IsItemChecked)(QvMenuItemHandle item, QvBool* checked);
} QvMenuSuite;

#ifdef __cplusplus
}
#endif

#endif
