#include "quorvane/document_commands/document_command_hooks.h"

#include "quorvane/document_commands/basic_finish_line.h"
#include "quorvane/document_commands/batch_application.h"
#include "quorvane/host/suite_table.h"

namespace quorvane::document_commands {

QvErr CreateBasicFinishLineCommand(host::PluginGlobals& globals, host::HostDocument& document) {
  host::HostUi ui(host::AcquiredSuites().ui);
  panel::PanelContext ctx{globals, document, ui};
  return CreateBasicFinishLine(ctx);
}

QvErr BatchApplyCommand(host::PluginGlobals& globals, host::HostDocument& document) {
  host::HostUi ui(host::AcquiredSuites().ui);
  panel::PanelContext ctx{globals, document, ui};
  return BatchApply(ctx);
}

}  // namespace quorvane::document_commands
