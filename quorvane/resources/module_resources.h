// The module's resources as the host finds them: every picture the module
// carries, by type and resource number. Pictures are PNG bytes kept in the
// module's image, valid while the module is loaded.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "sdk/plugin_main.h"
#include "sdk/types.h"

namespace quorvane::resources {

/// The tool's palette icons (32 by 32 pixels): for the light interface and
/// for the dark one. Type "PNGI".
inline constexpr std::int32_t kToolIcon = 16054;
inline constexpr std::int32_t kToolIconDark = 16055;
/// The point-picking tool's cursors (32 by 32 pixels), type "CURS": idle,
/// nothing under the pointer, an anchor or a segment for a command's first
/// point, an anchor or a segment for its second point.
inline constexpr std::int32_t kFirstCursor = 17000;
inline constexpr std::int32_t kLastCursor = 17005;

struct Resource {
  std::span<const unsigned char> bytes;
  /// The pixel a cursor acts at, from the top left corner (y down); 0 for
  /// pictures that are not cursors.
  std::int32_t hotSpotX = 0;
  std::int32_t hotSpotY = 0;
};

/// Resource `id` of `type` ("PNGI": the command-type button pictures
/// 16161..16171 and 16261..16271 and the tool icons; "CURS": the cursors);
/// none for a type or number the module carries nothing for.
std::optional<Resource> FindResource(std::string_view type, std::int32_t id);

/// FindResource for the module's export: fills `resource`.
/// kQvErrBadParameter for a null type or resource, kQvErrNotAvailable when
/// there is no such resource.
QvErr FindResourceForHost(const char* type, std::int32_t id, QvResource* resource);

}  // namespace quorvane::resources
