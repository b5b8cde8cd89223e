#include "workbench/plugin/registrations.h"

#include <algorithm>

#include "sdk/menu_suite.h"

namespace workbench::plugin {

namespace {

template <typename Handle>
Handle HandleAt(std::size_t index) {
  return reinterpret_cast<Handle>(static_cast<std::uintptr_t>(index + 1));
}

// The 0-based position a handle names, or none when it is outside `size`.
template <typename Handle>
std::optional<std::size_t> IndexOf(Handle handle, std::size_t size) {
  auto value = static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(handle));
  if (value == 0 || value > size) return std::nullopt;
  return value - 1;
}

}  // namespace

MenuRegistry::MenuRegistry() {
  groups_.push_back(MenuGroup{kQvWindowMenuGroup, {}});
  groups_.push_back(MenuGroup{kQvAboutMenuGroup, {}});
}

std::optional<QvMenuItemHandle> MenuRegistry::AddItem(QvPluginRef owner, const std::string& name,
                                                      const std::string& group, const std::string& text,
                                                      std::int32_t options) {
  if (name.empty() || !HasGroup(group) || FindItem(name) != nullptr) return std::nullopt;
  items_.push_back(MenuItem{name, group, text, owner, options, false, {}});
  return HandleAt<QvMenuItemHandle>(items_.size() - 1);
}

std::optional<QvMenuGroupHandle> MenuRegistry::AddSubmenuGroup(const std::string& name, QvMenuItemHandle parent) {
  MenuItem* item = Item(parent);
  if (name.empty() || item == nullptr || !item->submenuGroup.empty() || HasGroup(name)) return std::nullopt;
  item->submenuGroup = name;
  groups_.push_back(MenuGroup{name, item->name});
  return HandleAt<QvMenuGroupHandle>(groups_.size() - 1);
}

MenuItem* MenuRegistry::Item(QvMenuItemHandle item) {
  auto index = IndexOf(item, items_.size());
  return index ? &items_[*index] : nullptr;
}

QvMenuItemHandle MenuRegistry::FindItem(const std::string& name) const {
  auto it = std::find_if(items_.begin(), items_.end(), [&](const MenuItem& i) { return i.name == name; });
  return it == items_.end() ? nullptr : HandleAt<QvMenuItemHandle>(it - items_.begin());
}

QvMenuGroupHandle MenuRegistry::NthGroup(int index) const {
  if (index < 0 || index >= GroupCount()) return nullptr;
  return HandleAt<QvMenuGroupHandle>(static_cast<std::size_t>(index));
}

const MenuGroup* MenuRegistry::Group(QvMenuGroupHandle group) const {
  auto index = IndexOf(group, groups_.size());
  return index ? &groups_[*index] : nullptr;
}

bool MenuRegistry::HasGroup(const std::string& name) const {
  return std::any_of(groups_.begin(), groups_.end(), [&](const MenuGroup& g) { return g.name == name; });
}

std::vector<std::string> MenuRegistry::ItemNamesOf(const std::string& group) const {
  std::vector<std::string> names;
  for (const MenuItem& item : items_) {
    if (item.group == group) names.push_back(item.name);
  }
  return names;
}

std::optional<QvToolHandle> ToolRegistry::Add(Tool tool) {
  if (tool.name.empty() || FindNamed(tool.name) != nullptr) return std::nullopt;
  tools_.push_back(std::move(tool));
  return HandleAt<QvToolHandle>(tools_.size() - 1);
}

const Tool* ToolRegistry::Find(QvToolHandle tool) const {
  auto index = IndexOf(tool, tools_.size());
  return index ? &tools_[*index] : nullptr;
}

QvToolHandle ToolRegistry::FindNamed(const std::string& name) const {
  auto it = std::find_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.name == name; });
  return it == tools_.end() ? nullptr : HandleAt<QvToolHandle>(it - tools_.begin());
}

std::optional<QvNotifierHandle> NotifierRegistry::Add(Notifier notifier) {
  if (notifier.name.empty() || notifier.type.empty() || FindNamed(notifier.name) != nullptr) return std::nullopt;
  notifiers_.push_back(std::move(notifier));
  return HandleAt<QvNotifierHandle>(notifiers_.size() - 1);
}

const Notifier* NotifierRegistry::Find(QvNotifierHandle notifier) const {
  auto index = IndexOf(notifier, notifiers_.size());
  return index ? &notifiers_[*index] : nullptr;
}

QvNotifierHandle NotifierRegistry::FindNamed(const std::string& name) const {
  auto it = std::find_if(notifiers_.begin(), notifiers_.end(), [&](const Notifier& n) { return n.name == name; });
  return it == notifiers_.end() ? nullptr : HandleAt<QvNotifierHandle>(it - notifiers_.begin());
}

std::vector<QvNotifierHandle> NotifierRegistry::OfType(const std::string& type) const {
  std::vector<QvNotifierHandle> handles;
  for (std::size_t i = 0; i < notifiers_.size(); ++i) {
    if (notifiers_[i].type == type) handles.push_back(HandleAt<QvNotifierHandle>(i));
  }
  return handles;
}

}  // namespace workbench::plugin
