#include "quorvane/host/about_box.h"

#include <optional>

namespace quorvane::host {

namespace {

struct AboutData {
  HostUi* ui;
  std::string versionLine;
};

// The version line is filled when the dialog opens; OK, or the window's
// own close (Cancel), ends it.
QvErr AboutProc(QvWindowHandle dialog, std::int32_t control, std::int32_t notification, void* data) {
  auto& d = *static_cast<AboutData*>(data);
  if (notification == kQvDialogInit) return d.ui->SetText(dialog, kAboutVersionLine, d.versionLine);
  if (notification == kQvClicked && (control == kAboutOk || control == 2)) return d.ui->EndDialog(dialog, control);
  return kQvNoErr;
}

}  // namespace

std::string AboutVersionLine(const PluginGlobals& globals) {
  return std::string(globals.productName) + " " + globals.version;
}

DialogTemplate AboutDialog(const PluginGlobals& globals) {
  DialogTemplate d;
  d.resourceId = kAboutDialog;
  d.title = std::string("About ") + globals.productName;
  d.width = 260;
  d.height = 110;
  d.controls = {
      {kAboutVersionLine, kQvLabelControl, {20, 66, 220, 16}, "", 0},
      {kAboutOk, kQvPushButtonControl, {90, 10, 80, 22}, "OK", 0},
  };
  return d;
}

QvErr ShowAboutBox(const PluginGlobals& globals, HostUi& ui) {
  AboutData data{&ui, AboutVersionLine(globals)};
  if (!ui.RunModalDialog(globals.self, AboutDialog(globals), AboutProc, &data)) return ui.LastError();
  return kQvNoErr;
}

}  // namespace quorvane::host
