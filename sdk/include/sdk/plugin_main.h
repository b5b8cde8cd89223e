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

/// A resource of the module: bytes kept in the module's image, valid while
/// the module is loaded. Cursors carry the pixel their hot spot is at.
typedef struct QvResource {
  const void* data;
  int32_t size;
  int32_t hotSpotX, hotSpotY;
} QvResource;

/// Resource types: a PNG picture, and a cursor drawn as a PNG picture.
#define kQvPngResource "PNGI"
#define kQvCursorResource "CURS"

/// The optional second export: finds the module's resource `id` of `type`;
/// kQvErrNotAvailable when the module has none. The host shows the module's tool
/// icons and cursors from these.
typedef QvErr (*QvFindResourceProc)(const char* type, int32_t id, QvResource* resource);

#define QV_FIND_RESOURCE_SYMBOL "PluginFindResource"

#ifdef __cplusplus
}
#endif

#endif
