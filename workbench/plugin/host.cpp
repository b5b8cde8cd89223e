#include "workbench/plugin/host.h"

#include "sdk/errors.h"
#include "workbench/plugin/plugin_module.h"
#include "workbench/plugin/suites.h"
#include "workbench/ui/headless_toolkit.h"

namespace workbench::plugin {

// The UI suite, in toolkit_suite.cpp.
const QvUiSuite& UiSuiteImpl();

namespace {
Host* g_current = nullptr;
}  // namespace

Host::Host(HostOptions options)
    : options_(std::move(options)), ui_(std::make_unique<ui::HeadlessToolkit>()), previous_(g_current) {
  g_current = this;
  RegisterHostSuites(suites_);
  suites_.Add(kQvUiSuite, kQvUiSuiteVersion, &UiSuiteImpl());
  RegisterHostActions(*this);
}

Host::~Host() {
  if (g_current == this) g_current = previous_;
}

Host* Host::Current() { return g_current; }

const QvBasicSuite* Host::BasicSuite() const { return &BasicSuiteImpl(); }

void Host::SetUi(std::unique_ptr<ui::Toolkit> toolkit) {
  ui_ = toolkit != nullptr ? std::move(toolkit) : std::make_unique<ui::HeadlessToolkit>();
}

ui::HeadlessToolkit* Host::HeadlessUi() { return dynamic_cast<ui::HeadlessToolkit*>(ui_.get()); }

QvErr Host::PlayAction(const std::string& eventName, std::int32_t dialogMode, const ParamBlock* parameters) {
  const bool outermost = actions_.Depth() == 0;
  QvErr err = actions_.Play(eventName, dialogMode, parameters);
  // A module's command and everything it played inside is one step, even
  // when it failed half-way: what it changed stays undoable.
  if (outermost && document_ != nullptr && moduleActions_.count(eventName) != 0) document_->CommitStep();
  return err;
}

void Host::RequestRedraw() {
  ++redrawCount_;
  if (redraw_) redraw_();
}

namespace {

PluginModule* LoadedModule(const Host& host, QvPluginRef owner) {
  PluginModule* module = host.FindModule(owner);
  return module != nullptr && module->IsLoaded() ? module : nullptr;
}

void KeepFirst(QvErr* first, QvErr err) {
  if (*first == kQvNoErr) *first = err;
}

}  // namespace

QvErr Host::ChooseMenuItem(QvMenuItemHandle item) {
  const MenuItem* entry = menus_.Item(item);
  PluginModule* module = entry != nullptr ? LoadedModule(*this, entry->owner) : nullptr;
  if (module == nullptr) return kQvErrBadParameter;
  return module->Menu(kQvSelectorMenuGo, item);
}

QvErr Host::UpdateMenus() {
  QvErr first = kQvNoErr;
  const std::size_t count = menus_.Items().size();
  for (std::size_t i = 0; i < count; ++i) {
    auto item = reinterpret_cast<QvMenuItemHandle>(static_cast<std::uintptr_t>(i + 1));
    if (PluginModule* module = LoadedModule(*this, menus_.Items()[i].owner)) {
      KeepFirst(&first, module->Menu(kQvSelectorMenuUpdate, item));
    }
  }
  return first;
}

QvErr Host::SelectTool(QvToolHandle tool) {
  if (tool != nullptr && tools_.Find(tool) == nullptr) return kQvErrBadParameter;
  QvToolHandle previous = tools_.Selected();
  if (previous == tool) return kQvNoErr;
  QvErr first = kQvNoErr;
  if (const Tool* old = tools_.Find(previous)) {
    if (PluginModule* module = LoadedModule(*this, old->owner)) {
      KeepFirst(&first, module->Tool(kQvSelectorToolDeselect, previous, QvRealPoint{0.0, 0.0}));
    }
  }
  tools_.SetSelected(tool);
  if (const Tool* now = tools_.Find(tool)) {
    if (PluginModule* module = LoadedModule(*this, now->owner)) {
      KeepFirst(&first, module->Tool(kQvSelectorToolSelect, tool, QvRealPoint{0.0, 0.0}));
    }
  }
  return first;
}

QvErr Host::SendToolEvent(const char* selector, QvRealPoint cursor, int modifiers) {
  const Tool* tool = tools_.Find(tools_.Selected());
  if (tool == nullptr) return kQvNoErr;
  PluginModule* module = LoadedModule(*this, tool->owner);
  if (module == nullptr) return kQvErrBadParameter;
  return module->Tool(selector, tools_.Selected(), cursor, modifiers);
}

QvErr Host::Notify(const std::string& type, void* data) {
  QvErr first = kQvNoErr;
  for (QvNotifierHandle handle : notifiers_.OfType(type)) {
    if (PluginModule* module = LoadedModule(*this, notifiers_.Find(handle)->owner)) {
      KeepFirst(&first, module->Notify(handle, type.c_str(), data));
    }
  }
  return first;
}

PluginModule* Host::FindModule(QvPluginRef ref) const {
  auto* module = reinterpret_cast<PluginModule*>(ref);
  return modules_.count(module) != 0 ? module : nullptr;
}

std::optional<ModuleResource> Host::FindModuleResource(QvPluginRef owner, std::string_view type,
                                                       std::int32_t id) const {
  const PluginModule* module = FindModule(owner);
  if (module == nullptr) return std::nullopt;
  return module->FindResource(type, id);
}

QvArtSetHandle Host::NewArtSet() {
  std::uint64_t id = nextArtSet_++;
  artSets_[id];
  return reinterpret_cast<QvArtSetHandle>(static_cast<std::uintptr_t>(id));
}

bool Host::DeleteArtSet(QvArtSetHandle set) {
  return artSets_.erase(static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(set))) != 0;
}

std::vector<document::ArtId>* Host::FindArtSet(QvArtSetHandle set) {
  auto it = artSets_.find(static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(set)));
  return it == artSets_.end() ? nullptr : &it->second;
}

}  // namespace workbench::plugin
