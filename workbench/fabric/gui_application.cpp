#include "workbench/fabric/gui_application.h"

#include <QGuiApplication>

namespace workbench::fabric {

namespace {

int argumentCount = 1;
char programName[] = "quorvane";
char* arguments[] = {programName, nullptr};

}  // namespace

GuiApplication::GuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  own_ = std::make_unique<QGuiApplication>(argumentCount, arguments);
}

GuiApplication::~GuiApplication() = default;

}  // namespace workbench::fabric
