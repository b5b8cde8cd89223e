// The document commands as the host-integration layer's hook table calls
// them: with the module's globals and the document of one call from the
// host, the UI toolkit being the one acquired for that call.
#pragma once

#include "quorvane/facade/host_document.h"
#include "quorvane/host/plugin_globals.h"

namespace quorvane::document_commands {

/// Command 1001, "Create basic finish line".
QvErr CreateBasicFinishLineCommand(host::PluginGlobals& globals, host::HostDocument& document);
/// Command 1004, batch application.
QvErr BatchApplyCommand(host::PluginGlobals& globals, host::HostDocument& document);

}  // namespace quorvane::document_commands
