// The pictures the build embeds from pictures/pictures.txt: the tool icons
// and the cursors, with the cursors' hot spots.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quorvane::resources {

struct EmbeddedPicture {
  /// "PNGI" or "CURS".
  const char* type;
  std::int32_t id;
  const unsigned char* bytes;
  std::size_t size;
  /// Pixels from the picture's top left corner (y down); 0 for icons.
  std::int32_t hotSpotX;
  std::int32_t hotSpotY;
};

/// Every embedded picture, in the order pictures.txt lists them.
std::span<const EmbeddedPicture> EmbeddedPictures();

}  // namespace quorvane::resources
