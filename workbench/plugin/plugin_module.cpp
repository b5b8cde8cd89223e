#include "workbench/plugin/plugin_module.h"

#include <dlfcn.h>

#include "sdk/errors.h"
#include "workbench/plugin/host.h"

namespace workbench::plugin {

namespace {

std::string LastDlError() {
  const char* text = dlerror();
  return text != nullptr ? text : "unknown dynamic loader error";
}

}  // namespace

PluginModule::PluginModule(Host& host, std::filesystem::path path) : host_(host), path_(std::move(path)) {
  host_.AttachModule(this);
}

PluginModule::~PluginModule() {
  if (handle_ != nullptr) dlclose(handle_);
  host_.DetachModule(this);
}

std::unique_ptr<PluginModule> PluginModule::Load(Host& host, const std::filesystem::path& path, std::string* error) {
  std::unique_ptr<PluginModule> module(new PluginModule(host, path));
  if (module->Open(error) != kQvNoErr) return nullptr;
  return module;
}

QvErr PluginModule::Open(std::string* error) {
  dlerror();
  handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    if (error != nullptr) *error = "cannot load module " + path_.string() + ": " + LastDlError();
    return kQvErrInternal;
  }
  main_ = reinterpret_cast<QvPluginMainProc>(dlsym(handle_, QV_PLUGIN_MAIN_SYMBOL));
  if (main_ == nullptr) {
    if (error != nullptr) *error = "module " + path_.string() + " exports no " QV_PLUGIN_MAIN_SYMBOL;
    dlclose(handle_);
    handle_ = nullptr;
    return kQvErrInternal;
  }
  // Optional: a module without it simply has no pictures.
  findResource_ = reinterpret_cast<QvFindResourceProc>(dlsym(handle_, QV_FIND_RESOURCE_SYMBOL));
  return kQvNoErr;
}

std::optional<ModuleResource> PluginModule::FindResource(std::string_view type, std::int32_t id) const {
  if (handle_ == nullptr || findResource_ == nullptr) return std::nullopt;
  const std::string typeText(type);
  QvResource found{};
  if (findResource_(typeText.c_str(), id, &found) != kQvNoErr || found.data == nullptr || found.size <= 0) {
    return std::nullopt;
  }
  const auto* bytes = static_cast<const std::uint8_t*>(found.data);
  return ModuleResource{{bytes, bytes + found.size}, found.hotSpotX, found.hotSpotY};
}

QvErr PluginModule::Send(const char* caller, const char* selector, QvMessageData* header, void* message) {
  if (handle_ == nullptr || header == nullptr) return kQvErrBadParameter;
  header->check = 0;
  header->self = Self();
  header->globals = globals_;
  header->basic = host_.BasicSuite();
  QvErr err = main_(caller, selector, message);
  globals_ = header->globals;
  return err;
}

QvErr PluginModule::SendBasic(const char* caller, const char* selector) {
  QvMessageData message{};
  return Send(caller, selector, &message, &message);
}

QvErr PluginModule::Notify(QvNotifierHandle notifier, const char* type, void* data) {
  QvNotifierMessage message{};
  message.notifier = notifier;
  message.type = type;
  message.notifyData = data;
  return Send(kQvCallerNotifier, kQvSelectorNotify, &message.d, &message);
}

QvErr PluginModule::Menu(const char* selector, QvMenuItemHandle item) {
  QvMenuMessage message{};
  message.menuItem = item;
  return Send(kQvCallerMenu, selector, &message.d, &message);
}

QvErr PluginModule::Tool(const char* selector, QvToolHandle tool, QvRealPoint cursor, int modifiers) {
  QvToolMessage message{};
  message.tool = tool;
  message.cursor = cursor;
  message.modifiers = modifiers;
  message.clickCount = 1;
  return Send(kQvCallerTool, selector, &message.d, &message);
}

QvErr PluginModule::DoAction(const char* eventName, int dialogMode, QvActionParamValueRef parameters,
                             void* userData) {
  QvDoActionMessage message{};
  message.eventName = eventName;
  message.dialogMode = dialogMode;
  message.parameters = parameters;
  message.userData = userData;
  return Send(kQvCallerActionManager, kQvSelectorDoAction, &message.d, &message);
}

QvErr PluginModule::Unload(std::string* error) {
  if (handle_ == nullptr) return kQvErrBadParameter;
  QvErr err = SendBasic(kQvCallerAccess, kQvSelectorUnload);
  dlclose(handle_);
  handle_ = nullptr;
  main_ = nullptr;
  findResource_ = nullptr;
  if (IsResidentInProcess()) {
    if (error != nullptr) *error = "module " + path_.string() + " stayed loaded after dlclose";
    return kQvErrInternal;
  }
  return err;
}

QvErr PluginModule::Reload(std::string* error) {
  if (handle_ != nullptr) return kQvErrBadParameter;
  if (QvErr err = Open(error)) return err;
  return SendBasic(kQvCallerAccess, kQvSelectorReload);
}

bool PluginModule::IsResidentInProcess() const {
  void* probe = dlopen(path_.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (probe == nullptr) return false;
  // RTLD_NOLOAD still counts a reference when it finds the module.
  dlclose(probe);
  return true;
}

}  // namespace workbench::plugin
