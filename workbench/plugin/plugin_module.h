// A module loaded into the host: dlopen, the message records, PluginMain,
// the module's pictures, and unloading and reloading with the module's
// globals block kept.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sdk/messages.h"
#include "sdk/plugin_main.h"

namespace workbench::plugin {

class Host;

/// A picture the module carries, copied out of its image so that it stays
/// valid after the module is unloaded.
struct ModuleResource {
  std::vector<std::uint8_t> bytes;
  /// For cursors, the pixel the pointer acts at (from the top left, y
  /// down); 0 otherwise.
  std::int32_t hotSpotX = 0;
  std::int32_t hotSpotY = 0;
};

class PluginModule {
 public:
  /// Opens the module with RTLD_NOW | RTLD_LOCAL and finds PluginMain. No
  /// message is sent. None, with `error` set, when either step fails.
  static std::unique_ptr<PluginModule> Load(Host& host, const std::filesystem::path& path, std::string* error);
  /// Closes the module if it is still open; sends no message.
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  /// Calls PluginMain with a message whose header this fills in (self,
  /// globals, basic suite); the globals the module leaves in the header are
  /// kept for the next call. kQvErrBadParameter when the module is unloaded.
  QvErr Send(const char* caller, const char* selector, QvMessageData* header, void* message);
  /// Sends a plain header message (access and interface messages).
  QvErr SendBasic(const char* caller, const char* selector);

  QvErr Startup() { return SendBasic(kQvCallerInterface, kQvSelectorStartup); }
  QvErr Shutdown() { return SendBasic(kQvCallerInterface, kQvSelectorShutdown); }
  QvErr Notify(QvNotifierHandle notifier, const char* type, void* data);
  QvErr Menu(const char* selector, QvMenuItemHandle item);
  QvErr Tool(const char* selector, QvToolHandle tool, QvRealPoint cursor, int modifiers = 0);
  QvErr DoAction(const char* eventName, int dialogMode, QvActionParamValueRef parameters, void* userData);

  /// Sends "Unload", keeps the globals block the module hands back, closes
  /// the module and checks with RTLD_NOLOAD that it is really gone.
  /// kQvErrInternal with `error` set when it stays resident.
  QvErr Unload(std::string* error);
  /// Opens the module again and sends "Reload" with the kept globals.
  QvErr Reload(std::string* error);

  /// The module's resource `id` of `type` (kQvPngResource, kQvCursorResource)
  /// through its optional export PluginFindResource; none when the module is
  /// unloaded, has no such export, or has no such resource.
  std::optional<ModuleResource> FindResource(std::string_view type, std::int32_t id) const;
  /// Whether the loaded module exports PluginFindResource.
  bool HasResources() const { return findResource_ != nullptr; }

  bool IsLoaded() const { return handle_ != nullptr; }
  /// Whether the dynamic loader still holds the module's file (RTLD_NOLOAD).
  bool IsResidentInProcess() const;
  /// The globals block as the host keeps it for the module.
  void* Globals() const { return globals_; }
  QvPluginRef Self() { return reinterpret_cast<QvPluginRef>(this); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  PluginModule(Host& host, std::filesystem::path path);
  QvErr Open(std::string* error);

  Host& host_;
  std::filesystem::path path_;
  void* handle_ = nullptr;
  QvPluginMainProc main_ = nullptr;
  QvFindResourceProc findResource_ = nullptr;
  void* globals_ = nullptr;
};

}  // namespace workbench::plugin
