#include "workbench/plugin/host.h"

#include "sdk/errors.h"
#include "workbench/plugin/plugin_module.h"
#include "workbench/plugin/suites.h"

namespace workbench::plugin {

namespace {
Host* g_current = nullptr;
}  // namespace

Host::Host(HostOptions options) : options_(std::move(options)), previous_(g_current) {
  g_current = this;
  RegisterHostSuites(suites_);
  RegisterHostActions(*this);
}

Host::~Host() {
  if (g_current == this) g_current = previous_;
}

Host* Host::Current() { return g_current; }

const QvBasicSuite* Host::BasicSuite() const { return &BasicSuiteImpl(); }

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

PluginModule* Host::FindModule(QvPluginRef ref) const {
  auto* module = reinterpret_cast<PluginModule*>(ref);
  return modules_.count(module) != 0 ? module : nullptr;
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
