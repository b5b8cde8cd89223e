// What both toolkits need to know of handles and control kinds: handles are
// kept as integer keys, and each kind of control takes certain actions.
#pragma once

#include <cstdint>

#include "sdk/ui_suite.h"

namespace workbench::ui {

inline std::uint64_t KeyOf(const void* handle) {
  return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
}

template <typename Handle>
Handle HandleOf(std::uint64_t key) {
  return reinterpret_cast<Handle>(static_cast<std::uintptr_t>(key));
}

/// Lists and drop-downs hold items.
inline bool HasItems(std::int32_t kind) {
  return kind == kQvListControl || kind == kQvDropDownListControl || kind == kQvEditableDropDownControl;
}
inline bool IsDropDown(std::int32_t kind) {
  return kind == kQvDropDownListControl || kind == kQvEditableDropDownControl;
}
inline bool IsCheckable(std::int32_t kind) { return kind == kQvCheckBoxControl || kind == kQvRadioButtonControl; }
/// Edit fields and editable drop-downs take typing.
inline bool IsTextField(std::int32_t kind) { return kind == kQvEditControl || kind == kQvEditableDropDownControl; }
inline bool IsClickable(std::int32_t kind) {
  return kind == kQvPushButtonControl || kind == kQvPictureButtonControl || IsCheckable(kind);
}

}  // namespace workbench::ui
