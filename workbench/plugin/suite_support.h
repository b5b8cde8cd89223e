// Helpers shared by the suite implementations: the current document,
// handle conversions, text out-parameters, and C <-> document types.
#pragma once

#include <cstdint>
#include <new>
#include <string_view>

#include "sdk/errors.h"
#include "sdk/types.h"
#include "workbench/document/document.h"
#include "workbench/plugin/host.h"

namespace workbench::plugin::detail {

inline Host* CurrentHost() { return Host::Current(); }
inline document::Document* CurrentDocument() {
  Host* host = Host::Current();
  return host != nullptr ? host->Document() : nullptr;
}

// Handles travel as the document's never-reused numbers, so a stale handle
// is detectable instead of dangling.
template <typename Opaque, typename Tag>
Opaque* ToHandle(document::Handle<Tag> id) {
  return reinterpret_cast<Opaque*>(static_cast<std::uintptr_t>(id.value));
}
template <typename Tag, typename Opaque>
document::Handle<Tag> FromHandle(Opaque* handle) {
  return document::Handle<Tag>{static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle))};
}
inline QvArtHandle ToQv(document::ArtId id) { return ToHandle<QvArtOpaque>(id); }
inline QvLayerHandle ToQv(document::LayerId id) { return ToHandle<QvLayerOpaque>(id); }
inline QvCustomColorHandle ToQv(document::CustomColorId id) { return ToHandle<QvCustomColorOpaque>(id); }
inline document::ArtId ArtOf(QvArtHandle h) { return FromHandle<document::ArtTag>(h); }
inline document::LayerId LayerOf(QvLayerHandle h) { return FromHandle<document::LayerTag>(h); }
inline document::CustomColorId ColorOf(QvCustomColorHandle h) { return FromHandle<document::CustomColorTag>(h); }

/// Runs a suite body; no exception leaves a suite function.
template <typename F>
QvErr Guard(F&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return kQvErrOutOfMemory;
  } catch (...) {
    return kQvErrInternal;
  }
}

/// Copies text into a caller's buffer: up to capacity - 1 bytes and a zero.
QvErr CopyText(std::string_view text, char* buffer, std::int32_t capacity, std::int32_t* length);

QvPathSegment ToQv(const geometry::PathSegment& s);
geometry::PathSegment FromQv(const QvPathSegment& s);
QvRealPoint ToQv(geometry::Point p);
geometry::Point FromQv(QvRealPoint p);
QvColor ToQv(const document::Color& c);
/// False for an unknown kind.
bool FromQv(const QvColor& in, document::Color* out);
QvPathStyle ToQv(const document::PathStyle& s);
bool FromQv(const QvPathStyle& in, document::PathStyle* out);

/// Maps a QvPaintOrder; false for an unknown value.
bool PaintOrderOf(std::int32_t order, document::PaintOrder* out);

}  // namespace workbench::plugin::detail
