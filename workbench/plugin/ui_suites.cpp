// The menu, tool, notifier and runtime suites over the host's registries.
#include <string>

#include "workbench/plugin/suite_support.h"
#include "workbench/plugin/suites.h"

namespace workbench::plugin {

namespace {

using detail::CurrentHost;
using detail::Guard;

// Registrations must come from a module the host loaded.
Host* HostFor(QvPluginRef self) {
  Host* host = CurrentHost();
  return host != nullptr && host->FindModule(self) != nullptr ? host : nullptr;
}

// ---- Menu suite --------------------------------------------------------------

QvErr AddMenuItem(QvPluginRef self, const char* name, const char* groupName, const char* text,
                  std::int32_t options, QvMenuItemHandle* item) {
  return Guard([&]() -> QvErr {
    Host* host = HostFor(self);
    if (host == nullptr || name == nullptr || groupName == nullptr || item == nullptr) return kQvErrBadParameter;
    auto added = host->Menus().AddItem(self, name, groupName, text != nullptr ? text : name, options);
    if (!added) return kQvErrBadParameter;
    *item = *added;
    return kQvNoErr;
  });
}

QvErr CountMenuGroups(std::int32_t* count) {
  Host* host = CurrentHost();
  if (host == nullptr || count == nullptr) return kQvErrBadParameter;
  *count = host->Menus().GroupCount();
  return kQvNoErr;
}

QvErr GetNthMenuGroup(std::int32_t index, QvMenuGroupHandle* group) {
  Host* host = CurrentHost();
  if (host == nullptr || group == nullptr) return kQvErrBadParameter;
  *group = host->Menus().NthGroup(index);
  return *group != nullptr ? kQvNoErr : kQvErrBadParameter;
}

QvErr GetMenuGroupName(QvMenuGroupHandle group, char* buffer, std::int32_t capacity, std::int32_t* length) {
  return Guard([&]() -> QvErr {
    Host* host = CurrentHost();
    const MenuGroup* entry = host != nullptr ? host->Menus().Group(group) : nullptr;
    if (entry == nullptr) return kQvErrBadParameter;
    return detail::CopyText(entry->name, buffer, capacity, length);
  });
}

QvErr AddMenuGroupAsSubMenu(const char* groupName, std::int32_t, QvMenuItemHandle parentItem,
                            QvMenuGroupHandle* group) {
  return Guard([&]() -> QvErr {
    Host* host = CurrentHost();
    if (host == nullptr || groupName == nullptr) return kQvErrBadParameter;
    auto added = host->Menus().AddSubmenuGroup(groupName, parentItem);
    if (!added) return kQvErrBadParameter;
    if (group != nullptr) *group = *added;
    return kQvNoErr;
  });
}

QvErr CheckItem(QvMenuItemHandle item, QvBool checked) {
  Host* host = CurrentHost();
  MenuItem* entry = host != nullptr ? host->Menus().Item(item) : nullptr;
  if (entry == nullptr) return kQvErrBadParameter;
  entry->checked = checked != 0;
  return kQvNoErr;
}

QvErr IsItemChecked(QvMenuItemHandle item, QvBool* checked) {
  Host* host = CurrentHost();
  MenuItem* entry = host != nullptr ? host->Menus().Item(item) : nullptr;
  if (entry == nullptr || checked == nullptr) return kQvErrBadParameter;
  *checked = entry->checked;
  return kQvNoErr;
}

// ---- Tool suite --------------------------------------------------------------

QvErr AddTool(QvPluginRef self, const char* name, const QvToolData* data, std::int32_t options,
              QvToolHandle* tool) {
  return Guard([&]() -> QvErr {
    Host* host = HostFor(self);
    if (host == nullptr || name == nullptr || data == nullptr || tool == nullptr) return kQvErrBadParameter;
    Tool entry;
    entry.name = name;
    entry.title = data->title != nullptr ? data->title : name;
    entry.tooltip = data->tooltip != nullptr ? data->tooltip : entry.title;
    entry.iconId = data->iconId;
    entry.darkIconId = data->darkIconId;
    entry.options = options;
    entry.owner = self;
    auto added = host->Tools().Add(std::move(entry));
    if (!added) return kQvErrBadParameter;
    *tool = *added;
    return kQvNoErr;
  });
}

QvErr GetSelectedTool(QvToolHandle* tool) {
  Host* host = CurrentHost();
  if (host == nullptr || tool == nullptr) return kQvErrBadParameter;
  *tool = host->Tools().Selected();
  return kQvNoErr;
}

// ---- Notifier suite ----------------------------------------------------------

QvErr AddNotifier(QvPluginRef self, const char* name, const char* type, QvNotifierHandle* notifier) {
  return Guard([&]() -> QvErr {
    Host* host = HostFor(self);
    if (host == nullptr || name == nullptr || type == nullptr || notifier == nullptr) return kQvErrBadParameter;
    auto added = host->Notifiers().Add(Notifier{name, type, self});
    if (!added) return kQvErrBadParameter;
    *notifier = *added;
    return kQvNoErr;
  });
}

// ---- Runtime suite -----------------------------------------------------------

QvErr GetAppMajorVersion(std::int32_t* version) {
  Host* host = CurrentHost();
  if (host == nullptr || version == nullptr) return kQvErrBadParameter;
  *version = host->AppMajorVersion();
  return kQvNoErr;
}

}  // namespace

const QvMenuSuite& MenuSuiteImpl() {
  static const QvMenuSuite suite{AddMenuItem,           CountMenuGroups, GetNthMenuGroup, GetMenuGroupName,
                                 AddMenuGroupAsSubMenu, CheckItem,       IsItemChecked};
  return suite;
}

const QvToolSuite& ToolSuiteImpl() {
  static const QvToolSuite suite{AddTool, GetSelectedTool};
  return suite;
}

const QvNotifierSuite& NotifierSuiteImpl() {
  static const QvNotifierSuite suite{AddNotifier};
  return suite;
}

const QvRuntimeSuite& RuntimeSuiteImpl() {
  static const QvRuntimeSuite suite{GetAppMajorVersion};
  return suite;
}

}  // namespace workbench::plugin
