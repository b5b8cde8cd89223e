// The module's one exported entry point.
#include "quorvane/document_commands/document_command_hooks.h"
#include "quorvane/host/module_hooks.h"
#include "quorvane/host/plugin_entry.h"
#include "sdk/plugin_main.h"

namespace {

// The layers above host integration that this module is built with. The
// panel, the point-picking tool and the document commands plug in here as
// they are built; until then their entries stay null and their work is
// skipped.
constexpr quorvane::host::ModuleHooks kModuleHooks{
    .createBasicFinishLine = quorvane::document_commands::CreateBasicFinishLineCommand,
    .batchApply = quorvane::document_commands::BatchApplyCommand,
};

}  // namespace

extern "C" QV_EXPORT QvErr PluginMain(const char* caller, const char* selector, void* message) {
  return quorvane::host::HandlePluginMain(caller, selector, message, kModuleHooks);
}
