// Qt's text and PDF output need a QGuiApplication; the command line has
// none. This makes one without a display for as long as it lives, unless
// one exists already (the desktop app's).
#pragma once

#include <memory>

class QGuiApplication;

namespace workbench::fabric {

class GuiApplication {
 public:
  GuiApplication();
  ~GuiApplication();
  GuiApplication(const GuiApplication&) = delete;
  GuiApplication& operator=(const GuiApplication&) = delete;

 private:
  std::unique_ptr<QGuiApplication> own_;
};

}  // namespace workbench::fabric
