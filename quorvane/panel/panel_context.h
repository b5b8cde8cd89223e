// What every panel, tool and document-command operation works with: the
// module's globals, the document and the UI toolkit, all valid for one call
// from the host.
#pragma once

#include "quorvane/facade/host_document.h"
#include "quorvane/facade/host_ui.h"
#include "quorvane/host/plugin_globals.h"
#include "quorvane/panel/panel_state.h"

namespace quorvane::panel {

struct PanelContext {
  host::PluginGlobals& globals;
  host::HostDocument& doc;
  host::HostUi& ui;

  PanelState& State() const { return StateOf(globals); }
  generation::RunState& Run() const { return globals.run; }
  text::Language InterfaceLanguage() const { return globals.settings.language; }
};

}  // namespace quorvane::panel
