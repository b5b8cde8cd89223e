// A module's pictures in the app: the tool icons and cursors the module
// carries as PNG resources, decoded for the tool palette and the canvas.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

#include <cstdint>
#include <optional>

#include "sdk/types.h"
#include "workbench/plugin/host.h"
#include "workbench/plugin/registrations.h"

namespace workbench::app {

/// The PNG resource `id` of the module `owner`, decoded; a null pixmap when
/// the module carries no such picture or its bytes do not decode.
QPixmap ModulePixmap(const plugin::Host& host, QvPluginRef owner, std::int32_t id);

/// The icon of a module's tool for the interface theme: its dark-interface
/// icon when `dark` and the module has it, otherwise its normal one; a null
/// icon when the tool names no picture the module carries.
QIcon ToolIcon(const plugin::Host& host, const plugin::Tool& tool, bool dark);

/// The cursor resource `cursorId` of the module `owner` with its hot spot;
/// none when the module carries no such cursor or it does not decode.
std::optional<QCursor> ModuleCursor(const plugin::Host& host, QvPluginRef owner, std::int32_t cursorId);

}  // namespace workbench::app
