/// The entry point every module exports, called by the host for everything:
/// loading and unloading, start-up and shutdown, menus, tools, notifiers and
/// action playback.
#ifndef QUORVANE_SDK_PLUGIN_MAIN_H
#define QUORVANE_SDK_PLUGIN_MAIN_H

#include <stdint.h>

#include "sdk/types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define QV_EXPORT __attribute__((visibility("default")))

/// The signature of PluginMain: caller and selector names, and the message
/// record whose type the pair decides (sdk/messages.h).
typedef QvErr (*QvPluginMainProc)(const char* caller, const char* selector, void* message);

#define QV_PLUGIN_MAIN_SYMBOL "PluginMain"

#ifdef __cplusplus
}
#endif

#endif
