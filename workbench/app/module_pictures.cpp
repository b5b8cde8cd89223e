#include "workbench/app/module_pictures.h"

#include "sdk/plugin_main.h"

namespace workbench::app {

namespace {

QPixmap Decode(const std::optional<plugin::ModuleResource>& resource) {
  QPixmap pixmap;
  if (resource && !resource->bytes.empty()) {
    pixmap.loadFromData(resource->bytes.data(), static_cast<uint>(resource->bytes.size()), "PNG");
  }
  return pixmap;
}

}  // namespace

QPixmap ModulePixmap(const plugin::Host& host, QvPluginRef owner, std::int32_t id) {
  if (id == 0) return {};
  return Decode(host.FindModuleResource(owner, kQvPngResource, id));
}

QIcon ToolIcon(const plugin::Host& host, const plugin::Tool& tool, bool dark) {
  QPixmap pixmap;
  if (dark) pixmap = ModulePixmap(host, tool.owner, tool.darkIconId);
  if (pixmap.isNull()) pixmap = ModulePixmap(host, tool.owner, tool.iconId);
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

std::optional<QCursor> ModuleCursor(const plugin::Host& host, QvPluginRef owner, std::int32_t cursorId) {
  const std::optional<plugin::ModuleResource> resource = host.FindModuleResource(owner, kQvCursorResource, cursorId);
  const QPixmap pixmap = Decode(resource);
  if (pixmap.isNull()) return std::nullopt;
  return QCursor(pixmap, resource->hotSpotX, resource->hotSpotY);
}

}  // namespace workbench::app
