#include "quorvane/resources/module_resources.h"

#include "quorvane/panel/icons/icon_resources.h"
#include "quorvane/resources/embedded_pictures.h"
#include "sdk/errors.h"

namespace quorvane::resources {

std::optional<Resource> FindResource(std::string_view type, std::int32_t id) {
  // The command-type button pictures stay where the panel draws them from.
  if (type == kQvPngResource) {
    if (auto icon = panel::FindIcon(id)) return Resource{*icon, 0, 0};
  }
  for (const EmbeddedPicture& picture : EmbeddedPictures()) {
    if (picture.id == id && type == picture.type) {
      return Resource{{picture.bytes, picture.size}, picture.hotSpotX, picture.hotSpotY};
    }
  }
  return std::nullopt;
}

QvErr FindResourceForHost(const char* type, std::int32_t id, QvResource* resource) {
  if (type == nullptr || resource == nullptr) return kQvErrBadParameter;
  const std::optional<Resource> found = FindResource(type, id);
  if (!found) return kQvErrNotAvailable;
  resource->data = found->bytes.data();
  resource->size = static_cast<std::int32_t>(found->bytes.size());
  resource->hotSpotX = found->hotSpotX;
  resource->hotSpotY = found->hotSpotY;
  return kQvNoErr;
}

}  // namespace quorvane::resources
