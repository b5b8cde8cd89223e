// What modules register with the host besides suites and action events:
// menu items and groups, tools, notifiers. Handles are 1-based positions,
// never reused, so a stale or foreign handle is detectable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sdk/types.h"

namespace workbench::plugin {

struct MenuItem {
  std::string name;
  std::string group;
  std::string text;
  QvPluginRef owner = nullptr;
  std::int32_t options = 0;
  bool checked = false;
  /// The group this item opens, when it was made a submenu.
  std::string submenuGroup;
};

struct MenuGroup {
  std::string name;
  /// The item that opens it; empty for the host's own groups.
  std::string parentItem;
};

class MenuRegistry {
 public:
  /// Starts with the host's own groups (the Window palettes and About).
  MenuRegistry();
  /// None when the group is unknown or the name taken.
  std::optional<QvMenuItemHandle> AddItem(QvPluginRef owner, const std::string& name, const std::string& group,
                                          const std::string& text, std::int32_t options);
  /// None when the name is taken or the item unknown or a submenu already.
  std::optional<QvMenuGroupHandle> AddSubmenuGroup(const std::string& name, QvMenuItemHandle parent);

  MenuItem* Item(QvMenuItemHandle item);
  /// The item named so, or null.
  QvMenuItemHandle FindItem(const std::string& name) const;
  const std::vector<MenuItem>& Items() const { return items_; }
  int GroupCount() const { return static_cast<int>(groups_.size()); }
  QvMenuGroupHandle NthGroup(int index) const;
  const MenuGroup* Group(QvMenuGroupHandle group) const;
  bool HasGroup(const std::string& name) const;
  /// Names of the items of a group, in the order they were added.
  std::vector<std::string> ItemNamesOf(const std::string& group) const;

 private:
  std::vector<MenuItem> items_;
  std::vector<MenuGroup> groups_;
};

struct Tool {
  std::string name;
  std::string title;
  std::string tooltip;
  std::int32_t iconId = 0;
  std::int32_t darkIconId = 0;
  std::int32_t options = 0;
  QvPluginRef owner = nullptr;
};

class ToolRegistry {
 public:
  std::optional<QvToolHandle> Add(Tool tool);
  const Tool* Find(QvToolHandle tool) const;
  QvToolHandle FindNamed(const std::string& name) const;
  const std::vector<Tool>& Tools() const { return tools_; }
  /// Null while one of the host's own tools is in use.
  QvToolHandle Selected() const { return selected_; }
  void SetSelected(QvToolHandle tool) { selected_ = tool; }

 private:
  std::vector<Tool> tools_;
  QvToolHandle selected_ = nullptr;
};

struct Notifier {
  std::string name;
  std::string type;
  QvPluginRef owner = nullptr;
};

class NotifierRegistry {
 public:
  std::optional<QvNotifierHandle> Add(Notifier notifier);
  const Notifier* Find(QvNotifierHandle notifier) const;
  QvNotifierHandle FindNamed(const std::string& name) const;
  const std::vector<Notifier>& Notifiers() const { return notifiers_; }
  /// Every notifier of a type, in registration order.
  std::vector<QvNotifierHandle> OfType(const std::string& type) const;

 private:
  std::vector<Notifier> notifiers_;
};

}  // namespace workbench::plugin
