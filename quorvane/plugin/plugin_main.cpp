// The module's exported entry points: PluginMain, and the resources the host
// shows (tool icons, cursors).
#include "quorvane/host/plugin_entry.h"
#include "quorvane/plugin/module_hook_table.h"
#include "quorvane/resources/module_resources.h"
#include "sdk/plugin_main.h"

extern "C" QV_EXPORT QvErr PluginMain(const char* caller, const char* selector, void* message) {
  return quorvane::host::HandlePluginMain(caller, selector, message, quorvane::plugin::kModuleHooks);
}

extern "C" QV_EXPORT QvErr PluginFindResource(const char* type, int32_t id, QvResource* resource) {
  return quorvane::resources::FindResourceForHost(type, id, resource);
}
