// What PluginMain does: suite acquisition around each call, routing by
// caller and selector, the globals block across start-up, unload, reload
// and shutdown, and error reporting.
#pragma once

#include "quorvane/host/module_hooks.h"
#include "sdk/types.h"

namespace quorvane::host {

/// Handles one call from the host. Never throws: an exception becomes
/// kQvErrOutOfMemory or kQvErrInternal, reported like any other error.
QvErr HandlePluginMain(const char* caller, const char* selector, void* message, const ModuleHooks& hooks) noexcept;

}  // namespace quorvane::host
