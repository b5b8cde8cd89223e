// Strong handles to the objects a document owns: art, layers, custom colours.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace workbench::document {

/// A handle names one object of a document by a number that is never reused
/// within that document, so a handle stays valid across undo and redo (the
/// same object comes back with the same handle) and a handle of a disposed
/// object is detectably stale: every lookup with it gives none. The default
/// handle (value 0) names nothing.
template <typename Tag>
struct Handle {
  std::uint64_t value = 0;

  /// True unless this is the default, empty handle. Says nothing about
  /// whether the object still exists: ask the document for that.
  explicit operator bool() const { return value != 0; }
  friend auto operator<=>(const Handle&, const Handle&) = default;
};

struct ArtTag;
struct LayerTag;
struct CustomColorTag;

/// One piece of art: a group, path, compound path, text, placed image or an
/// element the model keeps without interpreting it.
using ArtId = Handle<ArtTag>;
/// One layer.
using LayerId = Handle<LayerTag>;
/// One custom (named, possibly spot) colour of the document.
using CustomColorId = Handle<CustomColorTag>;

}  // namespace workbench::document

template <typename Tag>
struct std::hash<workbench::document::Handle<Tag>> {
  std::size_t operator()(const workbench::document::Handle<Tag>& h) const noexcept {
    return std::hash<std::uint64_t>{}(h.value);
  }
};
