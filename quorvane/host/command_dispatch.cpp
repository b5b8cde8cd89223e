#include "quorvane/host/command_dispatch.h"

#include <vector>

#include "quorvane/host/error_report.h"
#include "quorvane/host/startup.h"
#include "quorvane/host/suite_table.h"
#include "quorvane/settings/settings.h"
#include "quorvane/text/messages.h"
#include "sdk/art_suite.h"
#include "sdk/runtime_suite.h"

namespace quorvane::host {

namespace {

std::string_view Text(const PluginGlobals& globals, text::Message message) {
  return text::Text(message, globals.settings.language);
}

QvErr MakePattern(PluginGlobals& globals, HostDocument& document) {
  std::optional<std::vector<ArtRef>> selected = document.SelectedArt();
  if (!selected) return document.LastError();
  if (selected->empty()) {
    return document.Alert(Text(globals, text::Message::kSelectObjects));
  }
  // Turning the selection into a pattern swatch needs the host's pattern
  // service, which the workbench does not offer yet; nothing else happens.
  return kQvNoErr;
}

QvErr TraceRaster(PluginGlobals& globals, HostDocument& document) {
  std::optional<std::vector<ArtRef>> selected = document.SelectedArt();
  if (!selected) return document.LastError();
  std::optional<std::int32_t> type;
  if (selected->size() == 1) type = document.ArtType(selected->front());
  if (!type || *type != kQvPlacedArt) {
    return document.Alert(Text(globals, text::Message::kSelectRasterArt));
  }
  std::optional<ActionParams> params = document.NewActionParams();
  if (!params) return document.LastError();
  QvErr err = document.PlayAction(kQvTracingAction, &*params, kQvDialogOff);
  // A host without tracing says so; the user learns why nothing happened.
  if (err != kQvNoErr && ShouldReportError(err)) {
    document.ErrorAlert(FormatErrorReport(err, kQvCallerActionManager, kQvTracingAction));
  }
  return err;
}

}  // namespace

QvErr DispatchCommand(PluginGlobals& globals, HostDocument& document, const ModuleHooks& hooks) {
  const std::int16_t command = globals.pendingCommand;
  if (command >= 1 && command <= kLastPanelCommand) {
    // 3, 4 and 6 to 9 belong to no control; the panel layer ignores them.
    hooks.panelCommand(globals, document, command);
    return kQvNoErr;
  }
  switch (command) {
    case kCreateBasicFinishLineCommand:
      hooks.createBasicFinishLine(globals, document);
      break;
    case kMakePatternCommand:
      MakePattern(globals, document);
      break;
    case kTraceRasterCommand:
      TraceRaster(globals, document);
      break;
    case kBatchApplyCommand:
      hooks.batchApply(globals, document);
      break;
    default:
      break;
  }
  return kQvNoErr;
}

QvErr RunCommand(PluginGlobals& globals, std::int16_t command) {
  SuiteBracket bracket(globals.basic);
  if (bracket.Result() != kQvNoErr) return bracket.Result();
  HostDocument document(AcquiredSuites());
  std::optional<ActionParams> params = document.NewActionParams();
  if (!params) return document.LastError();
  globals.pendingCommand = command;
  return document.PlayAction(kInsideCommandAction, &*params, kQvDialogOff);
}

}  // namespace quorvane::host
