// The module's one exported entry point.
#include "sdk/plugin_main.h"

extern "C" QV_EXPORT QvErr PluginMain(const char* caller, const char* selector, void* message) {
  (void)caller;
  (void)selector;
  (void)message;
  return 0;
}
