// The command-type buttons' pictures, carried in the module as PNG bytes:
// 52 by 52 pixels each, one set for the dark interface and one for the
// light interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace quorvane::panel {

/// Resource numbers: the dark picture of command type `code` is
/// kDarkIconBase + code, the light one kLightIconBase + code.
inline constexpr std::int32_t kDarkIconBase = 16161;
inline constexpr std::int32_t kLightIconBase = 16261;
inline constexpr int kIconCodes = 11;
/// The pictures' size in pixels; the panel draws them 26 units square.
inline constexpr int kIconPixels = 52;

/// The PNG bytes of resource `resourceId`; none for a number the module
/// carries no picture for.
std::optional<std::span<const unsigned char>> FindIcon(std::int32_t resourceId);

/// The picture for command type `code` in the dark or light set.
inline std::optional<std::span<const unsigned char>> IconFor(int code, bool dark) {
  return FindIcon((dark ? kDarkIconBase : kLightIconBase) + code);
}

}  // namespace quorvane::panel
