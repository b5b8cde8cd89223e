// The art, path, path style, layer, matching art, art set, tag, custom
// colour and swatch list suites over the current document.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "workbench/geometry/bezier.h"
#include "workbench/plugin/suite_support.h"
#include "workbench/plugin/suites.h"

namespace workbench::plugin {

namespace {

using detail::ArtOf;
using detail::ColorOf;
using detail::CurrentDocument;
using detail::CurrentHost;
using detail::FromQv;
using detail::Guard;
using detail::LayerOf;
using detail::ToQv;
using document::ArtId;
using document::ArtType;
using document::Document;
using document::LayerId;

// Every function below starts from the document and the art it names.
#define QV_REQUIRE_DOC(doc)                        \
  Document* doc = CurrentDocument();               \
  if (doc == nullptr) return kQvErrNoDocument

#define QV_REQUIRE_ART(doc, id, handle)  \
  QV_REQUIRE_DOC(doc);                   \
  ArtId id = ArtOf(handle);              \
  if (!doc->IsValid(id)) return kQvErrNoSuchArt

#define QV_REQUIRE_PATH(doc, id, handle)                             \
  QV_REQUIRE_ART(doc, id, handle);                                   \
  if (doc->TypeOf(id) != ArtType::kPath) return kQvErrWrongArtType

#define QV_REQUIRE_LAYER(doc, id, handle) \
  QV_REQUIRE_DOC(doc);                    \
  LayerId id = LayerOf(handle);           \
  if (doc->FindLayer(id) == nullptr) return kQvErrNoSuchLayer

std::int32_t ArtTypeCode(ArtType type) {
  switch (type) {
    case ArtType::kGroup: return kQvGroupArt;
    case ArtType::kPath: return kQvPathArt;
    case ArtType::kCompoundPath: return kQvCompoundPathArt;
    case ArtType::kText: return kQvTextArt;
    case ArtType::kPlacedImage: return kQvPlacedArt;
    case ArtType::kForeign: return kQvForeignArt;
  }
  return kQvUnknownArt;
}

// Where new art goes when the module names no reference: on top of the
// current layer.
bool ResolvePlacement(Document& doc, std::int32_t order, QvArtHandle prep, document::PaintOrder* paintOrder,
                      ArtId* reference) {
  if (!detail::PaintOrderOf(order, paintOrder)) return false;
  if (prep != nullptr) {
    *reference = ArtOf(prep);
    return true;
  }
  *reference = doc.LayerGroup(doc.CurrentLayer());
  *paintOrder = order == kQvPlaceBelow || order == kQvPlaceInsideOnBottom ? document::PaintOrder::kPlaceInsideOnBottom
                                                                           : document::PaintOrder::kPlaceInsideOnTop;
  return static_cast<bool>(*reference);
}

// ---- Art suite ---------------------------------------------------------------

QvErr NewArt(std::int32_t type, std::int32_t order, QvArtHandle prep, QvArtHandle* newArt) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    if (newArt == nullptr) return kQvErrBadParameter;
    *newArt = nullptr;
    ArtType artType;
    if (type == kQvGroupArt) {
      artType = ArtType::kGroup;
    } else if (type == kQvPathArt) {
      artType = ArtType::kPath;
    } else if (type == kQvCompoundPathArt) {
      artType = ArtType::kCompoundPath;
    } else {
      return kQvErrBadParameter;
    }
    document::PaintOrder paintOrder;
    ArtId reference;
    if (!ResolvePlacement(*doc, order, prep, &paintOrder, &reference)) return kQvErrBadParameter;
    if (!doc->IsValid(reference)) return kQvErrNoSuchArt;
    ArtId art = doc->NewArt(artType, paintOrder, reference);
    if (!art) return kQvErrBadParameter;
    *newArt = ToQv(art);
    return kQvNoErr;
  });
}

QvErr DisposeArt(QvArtHandle art) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    return doc->Dispose(id) ? kQvNoErr : kQvErrBadParameter;
  });
}

QvErr DuplicateArt(QvArtHandle art, std::int32_t order, QvArtHandle prep, QvArtHandle* newArt) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (newArt == nullptr) return kQvErrBadParameter;
    *newArt = nullptr;
    document::PaintOrder paintOrder;
    ArtId reference;
    if (!ResolvePlacement(*doc, order, prep, &paintOrder, &reference)) return kQvErrBadParameter;
    if (!doc->IsValid(reference)) return kQvErrNoSuchArt;
    ArtId copy = doc->Duplicate(id, paintOrder, reference);
    if (!copy) return kQvErrBadParameter;
    *newArt = ToQv(copy);
    return kQvNoErr;
  });
}

QvErr GetFirstArtOfLayer(QvLayerHandle layer, QvArtHandle* group) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_LAYER(doc, id, layer);
    if (group == nullptr) return kQvErrBadParameter;
    *group = ToQv(doc->LayerGroup(id));
    return kQvNoErr;
  });
}

QvErr GetLayerOfArt(QvArtHandle art, QvLayerHandle* layer) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (layer == nullptr) return kQvErrBadParameter;
    *layer = ToQv(doc->LayerOfArt(id));
    return kQvNoErr;
  });
}

QvErr GetArtType(QvArtHandle art, std::int32_t* type) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (type == nullptr) return kQvErrBadParameter;
    *type = ArtTypeCode(*doc->TypeOf(id));
    return kQvNoErr;
  });
}

QvErr GetArtParent(QvArtHandle art, QvArtHandle* parent) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (parent == nullptr) return kQvErrBadParameter;
    *parent = ToQv(doc->ParentOf(id));
    return kQvNoErr;
  });
}

QvErr GetArtFirstChild(QvArtHandle art, QvArtHandle* child) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (child == nullptr) return kQvErrBadParameter;
    std::vector<ArtId> children = doc->ChildrenOf(id);
    *child = children.empty() ? nullptr : ToQv(children.front());
    return kQvNoErr;
  });
}

QvErr GetArtSibling(QvArtHandle art, QvArtHandle* sibling) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (sibling == nullptr) return kQvErrBadParameter;
    *sibling = nullptr;
    std::vector<ArtId> children = doc->ChildrenOf(doc->ParentOf(id));
    auto it = std::find(children.begin(), children.end(), id);
    if (it != children.end() && std::next(it) != children.end()) *sibling = ToQv(*std::next(it));
    return kQvNoErr;
  });
}

QvErr GetArtUserAttr(QvArtHandle art, std::int32_t whichAttr, std::int32_t* attr) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (attr == nullptr) return kQvErrBadParameter;
    const document::Art* a = doc->FindArt(id);
    std::int32_t bits = (a->selected ? kQvArtSelected : 0) | (a->locked ? kQvArtLocked : 0) |
                        (a->hidden ? kQvArtHidden : 0);
    *attr = bits & whichAttr;
    return kQvNoErr;
  });
}

QvErr SetArtUserAttr(QvArtHandle art, std::int32_t whichAttr, std::int32_t attr) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    // Lock first, so that "lock and select" leaves the art locked and
    // unselected, as locking always does.
    if (whichAttr & kQvArtLocked) doc->SetLocked(id, (attr & kQvArtLocked) != 0);
    if (whichAttr & kQvArtHidden) doc->SetHidden(id, (attr & kQvArtHidden) != 0);
    // Selecting locked art is refused by the document; not an error here.
    if (whichAttr & kQvArtSelected) doc->SetSelected(id, (attr & kQvArtSelected) != 0);
    return kQvNoErr;
  });
}

QvErr GetArtBounds(QvArtHandle art, QvRealRect* bounds) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (bounds == nullptr) return kQvErrBadParameter;
    auto r = doc->Bounds(id);
    if (!r) return kQvErrGeometry;
    *bounds = {r->left, r->top, r->right, r->bottom};
    return kQvNoErr;
  });
}

QvErr GetArtShowCenter(QvArtHandle art, QvBool* show) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (show == nullptr) return kQvErrBadParameter;
    *show = doc->FindArt(id)->showCenterPoint;
    return kQvNoErr;
  });
}

QvErr SetArtShowCenter(QvArtHandle art, QvBool show) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    doc->SetShowCenterPoint(id, show != 0);
    return kQvNoErr;
  });
}

QvErr GetArtName(QvArtHandle art, char* buffer, std::int32_t capacity, std::int32_t* length) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    return detail::CopyText(doc->FindArt(id)->name, buffer, capacity, length);
  });
}

QvErr SetArtName(QvArtHandle art, const char* name) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (name == nullptr) return kQvErrBadParameter;
    doc->SetName(id, name);
    return kQvNoErr;
  });
}

QvErr ValidArt(QvArtHandle art, QvBool* valid) {
  QV_REQUIRE_DOC(doc);
  if (valid == nullptr) return kQvErrBadParameter;
  *valid = doc->IsValid(ArtOf(art));
  return kQvNoErr;
}

// ---- Path suite --------------------------------------------------------------

QvErr GetPathSegmentCount(QvArtHandle path, std::int32_t* count) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_PATH(doc, id, path);
    if (count == nullptr) return kQvErrBadParameter;
    *count = static_cast<std::int32_t>(*doc->SegmentCount(id));
    return kQvNoErr;
  });
}

bool RangeOk(std::int32_t first, std::int32_t count, std::size_t size) {
  return first >= 0 && count >= 0 && static_cast<std::size_t>(first) + static_cast<std::size_t>(count) <= size;
}

QvErr GetPathSegments(QvArtHandle path, std::int32_t first, std::int32_t count, QvPathSegment* segments) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_PATH(doc, id, path);
    const auto& all = *doc->Segments(id);
    if (!RangeOk(first, count, all.size()) || (count > 0 && segments == nullptr)) return kQvErrBadParameter;
    for (std::int32_t i = 0; i < count; ++i) segments[i] = ToQv(all[static_cast<std::size_t>(first + i)]);
    return kQvNoErr;
  });
}

QvErr SetPathSegments(QvArtHandle path, std::int32_t first, std::int32_t count, const QvPathSegment* segments) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_PATH(doc, id, path);
    std::vector<geometry::PathSegment> all = *doc->Segments(id);
    if (first < 0 || count < 0 || static_cast<std::size_t>(first) > all.size() ||
        (count > 0 && segments == nullptr)) {
      return kQvErrBadParameter;
    }
    std::size_t end = static_cast<std::size_t>(first) + static_cast<std::size_t>(count);
    if (end > all.size()) all.resize(end);
    for (std::int32_t i = 0; i < count; ++i) all[static_cast<std::size_t>(first + i)] = FromQv(segments[i]);
    doc->SetSegments(id, std::move(all));
    return kQvNoErr;
  });
}

QvErr InsertPathSegments(QvArtHandle path, std::int32_t at, std::int32_t count, const QvPathSegment* segments) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_PATH(doc, id, path);
    if (!RangeOk(at, 0, *doc->SegmentCount(id)) || count < 0 || (count > 0 && segments == nullptr)) {
      return kQvErrBadParameter;
    }
    std::vector<geometry::PathSegment> inserted;
    for (std::int32_t i = 0; i < count; ++i) inserted.push_back(FromQv(segments[i]));
    return doc->InsertSegments(id, static_cast<std::size_t>(at), inserted) ? kQvNoErr : kQvErrBadParameter;
  });
}

QvErr DeletePathSegments(QvArtHandle path, std::int32_t first, std::int32_t count) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_PATH(doc, id, path);
    if (!RangeOk(first, count, *doc->SegmentCount(id))) return kQvErrBadParameter;
    doc->DeleteSegments(id, static_cast<std::size_t>(first), static_cast<std::size_t>(count));
    return kQvNoErr;
  });
}

QvErr GetPathClosed(QvArtHandle path, QvBool* closed) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_PATH(doc, id, path);
    if (closed == nullptr) return kQvErrBadParameter;
    *closed = *doc->IsClosed(id);
    return kQvNoErr;
  });
}

QvErr SetPathClosed(QvArtHandle path, QvBool closed) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_PATH(doc, id, path);
    doc->SetClosed(id, closed != 0);
    return kQvNoErr;
  });
}

QvErr GetPathArea(QvArtHandle path, double* area) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, path);
    if (area == nullptr) return kQvErrBadParameter;
    auto a = doc->SignedArea(id);
    if (!a) return kQvErrWrongArtType;
    *area = *a;
    return kQvNoErr;
  });
}

QvErr ReversePathSegments(QvArtHandle path) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_PATH(doc, id, path);
    doc->ReversePath(id);
    return kQvNoErr;
  });
}

QvErr GetPathBezier(QvArtHandle path, std::int32_t index, QvRealBezier* bezier) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_PATH(doc, id, path);
    const auto& segments = *doc->Segments(id);
    if (bezier == nullptr || index < 0 ||
        static_cast<std::size_t>(index) >= geometry::CurveCount(segments, *doc->IsClosed(id))) {
      return kQvErrBadParameter;
    }
    geometry::CubicBezier c = geometry::CurveAt(segments, static_cast<std::size_t>(index));
    *bezier = {ToQv(c.p0), ToQv(c.p1), ToQv(c.p2), ToQv(c.p3)};
    return kQvNoErr;
  });
}

// ---- Path style suite --------------------------------------------------------

QvErr GetPathStyle(QvArtHandle art, QvPathStyle* style) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (style == nullptr) return kQvErrBadParameter;
    auto s = doc->GetPathStyle(id);
    if (!s) return kQvErrWrongArtType;
    *style = ToQv(*s);
    return kQvNoErr;
  });
}

QvErr SetPathStyle(QvArtHandle art, const QvPathStyle* style) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    document::PathStyle s;
    if (style == nullptr || !FromQv(*style, &s)) return kQvErrBadParameter;
    for (const document::Color* c : {&s.fill.color, &s.stroke.color}) {
      if (c->kind == document::ColorKind::kCustom && doc->FindCustomColor(c->custom) == nullptr) {
        return kQvErrBadParameter;
      }
    }
    return doc->SetPathStyle(id, s) ? kQvNoErr : kQvErrWrongArtType;
  });
}

// ---- Layer suite -------------------------------------------------------------

QvErr CountLayers(std::int32_t* count) {
  QV_REQUIRE_DOC(doc);
  if (count == nullptr) return kQvErrBadParameter;
  *count = static_cast<std::int32_t>(doc->LayerCount());
  return kQvNoErr;
}

QvErr GetNthLayer(std::int32_t index, QvLayerHandle* layer) {
  QV_REQUIRE_DOC(doc);
  if (layer == nullptr || index < 0 || static_cast<std::size_t>(index) >= doc->LayerCount()) {
    return kQvErrBadParameter;
  }
  *layer = ToQv(doc->LayerAt(static_cast<std::size_t>(index)));
  return kQvNoErr;
}

QvErr GetLayerByTitle(QvLayerHandle* layer, const char* title) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    if (layer == nullptr || title == nullptr) return kQvErrBadParameter;
    *layer = ToQv(doc->FindLayerByTitle(title));
    return kQvNoErr;
  });
}

QvErr InsertLayer(QvLayerHandle reference, std::int32_t order, QvLayerHandle* layer) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    if (layer == nullptr || (order != kQvPlaceAbove && order != kQvPlaceBelow)) return kQvErrBadParameter;
    *layer = nullptr;
    document::PaintOrder paintOrder;
    if (reference == nullptr) {
      paintOrder = order == kQvPlaceAbove ? document::PaintOrder::kPlaceAboveAll : document::PaintOrder::kPlaceBelowAll;
    } else {
      if (doc->FindLayer(LayerOf(reference)) == nullptr) return kQvErrNoSuchLayer;
      paintOrder = order == kQvPlaceAbove ? document::PaintOrder::kPlaceAbove : document::PaintOrder::kPlaceBelow;
    }
    LayerId created = doc->InsertLayer("", paintOrder, LayerOf(reference));
    if (!created) return kQvErrBadParameter;
    *layer = ToQv(created);
    return kQvNoErr;
  });
}

QvErr DeleteLayer(QvLayerHandle layer) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_LAYER(doc, id, layer);
    doc->DeleteLayer(id);
    return kQvNoErr;
  });
}

QvErr GetLayerTitle(QvLayerHandle layer, char* buffer, std::int32_t capacity, std::int32_t* length) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_LAYER(doc, id, layer);
    return detail::CopyText(doc->FindLayer(id)->title, buffer, capacity, length);
  });
}

QvErr SetLayerTitle(QvLayerHandle layer, const char* title) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_LAYER(doc, id, layer);
    if (title == nullptr) return kQvErrBadParameter;
    doc->SetLayerTitle(id, title);
    return kQvNoErr;
  });
}

QvErr GetCurrentLayer(QvLayerHandle* layer) {
  QV_REQUIRE_DOC(doc);
  if (layer == nullptr) return kQvErrBadParameter;
  *layer = ToQv(doc->CurrentLayer());
  return kQvNoErr;
}

QvErr SetCurrentLayer(QvLayerHandle layer) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_LAYER(doc, id, layer);
    doc->SetCurrentLayer(id);
    return kQvNoErr;
  });
}

QvErr GetLayerEditable(QvLayerHandle layer, QvBool* editable) {
  QV_REQUIRE_LAYER(doc, id, layer);
  if (editable == nullptr) return kQvErrBadParameter;
  *editable = doc->FindLayer(id)->editable;
  return kQvNoErr;
}

QvErr SetLayerEditable(QvLayerHandle layer, QvBool editable) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_LAYER(doc, id, layer);
    doc->SetLayerEditable(id, editable != 0);
    return kQvNoErr;
  });
}

QvErr GetLayerVisible(QvLayerHandle layer, QvBool* visible) {
  QV_REQUIRE_LAYER(doc, id, layer);
  if (visible == nullptr) return kQvErrBadParameter;
  *visible = doc->FindLayer(id)->visible;
  return kQvNoErr;
}

QvErr SetLayerVisible(QvLayerHandle layer, QvBool visible) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_LAYER(doc, id, layer);
    doc->SetLayerVisible(id, visible != 0);
    return kQvNoErr;
  });
}

QvErr DeselectArtOnLayer(QvLayerHandle layer) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_LAYER(doc, id, layer);
    doc->DeselectAllOnLayer(id);
    return kQvNoErr;
  });
}

QvErr SelectArtOnLayer(QvLayerHandle layer) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_LAYER(doc, id, layer);
    doc->SelectAllOnLayer(id);
    return kQvNoErr;
  });
}

// ---- Matching art suite ------------------------------------------------------

// Copies handles into a block of the host allocator, which the module frees
// with DisposeMatchingArt.
QvErr HandOutList(const std::vector<ArtId>& arts, QvArtHandle** list, std::int32_t* count) {
  *list = nullptr;
  *count = 0;
  if (arts.empty()) return kQvNoErr;
  void* block = nullptr;
  if (QvErr err = CurrentHost()->Blocks().Allocate(static_cast<std::int64_t>(arts.size() * sizeof(QvArtHandle)),
                                                   "matching art list", &block)) {
    return err;
  }
  auto* handles = static_cast<QvArtHandle*>(block);
  for (std::size_t i = 0; i < arts.size(); ++i) handles[i] = ToQv(arts[i]);
  *list = handles;
  *count = static_cast<std::int32_t>(arts.size());
  return kQvNoErr;
}

bool TypeMatches(const Document& doc, ArtId art, std::int32_t type) {
  std::int32_t actual = ArtTypeCode(*doc.TypeOf(art));
  return type == kQvUnknownArt ? actual != kQvGroupArt : actual == type;
}

QvErr GetSelectedArtOfType(std::int32_t type, QvArtHandle** list, std::int32_t* count) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    if (list == nullptr || count == nullptr) return kQvErrBadParameter;
    std::vector<ArtId> matches;
    for (ArtId art : doc->SelectedArt()) {
      if (type == kQvUnknownArt || ArtTypeCode(*doc->TypeOf(art)) == type) matches.push_back(art);
    }
    return HandOutList(matches, list, count);
  });
}

QvErr GetMatchingArt(std::int32_t type, std::int32_t attrMask, std::int32_t attrValue, QvArtHandle** list,
                     std::int32_t* count) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    if (list == nullptr || count == nullptr) return kQvErrBadParameter;
    std::vector<ArtId> matches;
    for (std::size_t i = 0; i < doc->LayerCount(); ++i) {
      for (ArtId art : doc->AllArtOfLayer(doc->LayerAt(i))) {
        const document::Art* a = doc->FindArt(art);
        std::int32_t bits = (a->selected ? kQvArtSelected : 0) | (a->locked ? kQvArtLocked : 0) |
                            (a->hidden ? kQvArtHidden : 0);
        if (TypeMatches(*doc, art, type) && (bits & attrMask) == (attrValue & attrMask)) matches.push_back(art);
      }
    }
    return HandOutList(matches, list, count);
  });
}

QvErr DisposeMatchingArt(QvArtHandle* list) {
  Host* host = CurrentHost();
  return host != nullptr ? host->Blocks().Free(list) : kQvErrInternal;
}

// ---- Art set suite -----------------------------------------------------------

QvErr NewArtSet(QvArtSetHandle* set) {
  return Guard([&]() -> QvErr {
    if (set == nullptr || CurrentHost() == nullptr) return kQvErrBadParameter;
    *set = CurrentHost()->NewArtSet();
    return kQvNoErr;
  });
}

QvErr DisposeArtSet(QvArtSetHandle* set) {
  if (set == nullptr || CurrentHost() == nullptr || !CurrentHost()->DeleteArtSet(*set)) return kQvErrBadParameter;
  *set = nullptr;
  return kQvNoErr;
}

std::vector<ArtId>* SetOf(QvArtSetHandle set) {
  return CurrentHost() != nullptr ? CurrentHost()->FindArtSet(set) : nullptr;
}

QvErr CountArtSet(QvArtSetHandle set, std::int32_t* count) {
  auto* arts = SetOf(set);
  if (arts == nullptr || count == nullptr) return kQvErrBadParameter;
  *count = static_cast<std::int32_t>(arts->size());
  return kQvNoErr;
}

QvErr IndexArtSet(QvArtSetHandle set, std::int32_t index, QvArtHandle* art) {
  auto* arts = SetOf(set);
  if (arts == nullptr || art == nullptr || index < 0 || static_cast<std::size_t>(index) >= arts->size()) {
    return kQvErrBadParameter;
  }
  *art = ToQv((*arts)[static_cast<std::size_t>(index)]);
  return kQvNoErr;
}

QvErr AddArtToArtSet(QvArtSetHandle set, QvArtHandle art) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    auto* arts = SetOf(set);
    if (arts == nullptr) return kQvErrBadParameter;
    arts->push_back(id);
    return kQvNoErr;
  });
}

QvErr ClearArtSet(QvArtSetHandle set) {
  auto* arts = SetOf(set);
  if (arts == nullptr) return kQvErrBadParameter;
  arts->clear();
  return kQvNoErr;
}

QvErr LayerArtSet(QvLayerHandle layer, QvArtSetHandle set) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_LAYER(doc, id, layer);
    auto* arts = SetOf(set);
    if (arts == nullptr) return kQvErrBadParameter;
    *arts = doc->AllArtOfLayer(id);
    return kQvNoErr;
  });
}

QvErr SelectedArtSet(QvArtSetHandle set) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    auto* arts = SetOf(set);
    if (arts == nullptr) return kQvErrBadParameter;
    *arts = doc->SelectedArt();
    return kQvNoErr;
  });
}

// ---- Tag suite ---------------------------------------------------------------

QvErr SetTag(QvArtHandle art, const char* name, const char* value, std::int32_t length) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (name == nullptr || *name == '\0' || length < 0 || (length > 0 && value == nullptr)) return kQvErrBadParameter;
    doc->SetTag(id, name, std::string(value != nullptr ? value : "", static_cast<std::size_t>(length)));
    return kQvNoErr;
  });
}

QvErr GetTag(QvArtHandle art, const char* name, char* buffer, std::int32_t capacity, std::int32_t* length) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (name == nullptr || capacity < 0 || (capacity > 0 && buffer == nullptr)) return kQvErrBadParameter;
    auto value = doc->GetTag(id, name);
    if (!value) return kQvErrNoSuchTag;
    if (length != nullptr) *length = static_cast<std::int32_t>(value->size());
    // A size query passes no buffer; memcpy must not be given a null one.
    if (capacity > 0) std::memcpy(buffer, value->data(), std::min(value->size(), static_cast<std::size_t>(capacity)));
    return kQvNoErr;
  });
}

QvErr HasTag(QvArtHandle art, const char* name, QvBool* has) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (name == nullptr || has == nullptr) return kQvErrBadParameter;
    *has = doc->GetTag(id, name).has_value();
    return kQvNoErr;
  });
}

QvErr RemoveTag(QvArtHandle art, const char* name) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (name == nullptr) return kQvErrBadParameter;
    doc->RemoveTag(id, name);
    return kQvNoErr;
  });
}

QvErr CountTags(QvArtHandle art, std::int32_t* count) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    if (count == nullptr) return kQvErrBadParameter;
    *count = static_cast<std::int32_t>(doc->FindArt(id)->tags.size());
    return kQvNoErr;
  });
}

QvErr GetNthTagName(QvArtHandle art, std::int32_t index, char* buffer, std::int32_t capacity, std::int32_t* length) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_ART(doc, id, art);
    const auto& tags = doc->FindArt(id)->tags;
    if (index < 0 || static_cast<std::size_t>(index) >= tags.size()) return kQvErrBadParameter;
    return detail::CopyText(std::next(tags.begin(), index)->first, buffer, capacity, length);
  });
}

// ---- Custom colour suite -----------------------------------------------------

QvErr NewCustomColor(const QvColor* color, QvBool spot, const char* name, QvCustomColorHandle* handle) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    document::CustomColor custom;
    if (color == nullptr || name == nullptr || handle == nullptr || !FromQv(*color, &custom.color) ||
        custom.color.kind == document::ColorKind::kCustom) {
      return kQvErrBadParameter;
    }
    custom.name = name;
    custom.spot = spot != 0;
    *handle = ToQv(doc->NewCustomColor(std::move(custom)));
    return kQvNoErr;
  });
}

QvErr DisposeCustomColor(QvCustomColorHandle handle) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    return doc->DeleteCustomColor(ColorOf(handle)) ? kQvNoErr : kQvErrBadParameter;
  });
}

QvErr CountCustomColors(std::int32_t* count) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    if (count == nullptr) return kQvErrBadParameter;
    *count = static_cast<std::int32_t>(doc->CustomColors().size());
    return kQvNoErr;
  });
}

QvErr GetNthCustomColor(std::int32_t index, QvCustomColorHandle* handle) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    auto all = doc->CustomColors();
    if (handle == nullptr || index < 0 || static_cast<std::size_t>(index) >= all.size()) return kQvErrBadParameter;
    *handle = ToQv(all[static_cast<std::size_t>(index)]);
    return kQvNoErr;
  });
}

QvErr FindCustomColor(const char* name, QvCustomColorHandle* handle) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    if (name == nullptr || handle == nullptr) return kQvErrBadParameter;
    *handle = ToQv(doc->FindCustomColorByName(name));
    return kQvNoErr;
  });
}

QvErr GetCustomColor(QvCustomColorHandle handle, QvColor* color, QvBool* spot) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    const document::CustomColor* custom = doc->FindCustomColor(ColorOf(handle));
    if (custom == nullptr) return kQvErrBadParameter;
    if (color != nullptr) *color = ToQv(custom->color);
    if (spot != nullptr) *spot = custom->spot;
    return kQvNoErr;
  });
}

QvErr GetCustomColorName(QvCustomColorHandle handle, char* buffer, std::int32_t capacity, std::int32_t* length) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    const document::CustomColor* custom = doc->FindCustomColor(ColorOf(handle));
    if (custom == nullptr) return kQvErrBadParameter;
    return detail::CopyText(custom->name, buffer, capacity, length);
  });
}

// ---- Swatch list suite -------------------------------------------------------

QvErr CountSwatches(std::int32_t* count) {
  QV_REQUIRE_DOC(doc);
  if (count == nullptr) return kQvErrBadParameter;
  *count = static_cast<std::int32_t>(doc->Swatches().size());
  return kQvNoErr;
}

QvErr GetNthSwatch(std::int32_t index, char* name, std::int32_t capacity, QvColor* color) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    const auto& swatches = doc->Swatches();
    if (index < 0 || static_cast<std::size_t>(index) >= swatches.size()) return kQvErrBadParameter;
    const document::Swatch& swatch = swatches[static_cast<std::size_t>(index)];
    if (color != nullptr) *color = ToQv(swatch.color);
    return name != nullptr ? detail::CopyText(swatch.name, name, capacity, nullptr) : kQvNoErr;
  });
}

QvErr FindSwatch(const char* name, std::int32_t* index) {
  QV_REQUIRE_DOC(doc);
  if (name == nullptr || index == nullptr) return kQvErrBadParameter;
  const auto& swatches = doc->Swatches();
  auto it = std::find_if(swatches.begin(), swatches.end(), [&](const auto& s) { return s.name == name; });
  *index = it == swatches.end() ? -1 : static_cast<std::int32_t>(it - swatches.begin());
  return kQvNoErr;
}

QvErr AddSwatch(const char* name, const QvColor* color) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    document::Swatch swatch;
    if (name == nullptr || color == nullptr || !FromQv(*color, &swatch.color)) return kQvErrBadParameter;
    swatch.name = name;
    doc->AddSwatch(std::move(swatch));
    return kQvNoErr;
  });
}

QvErr RemoveSwatch(std::int32_t index) {
  return Guard([&]() -> QvErr {
    QV_REQUIRE_DOC(doc);
    if (index < 0) return kQvErrBadParameter;
    return doc->RemoveSwatch(static_cast<std::size_t>(index)) ? kQvNoErr : kQvErrBadParameter;
  });
}

}  // namespace

const QvArtSuite& ArtSuiteImpl() {
  static const QvArtSuite suite{NewArt,         DisposeArt,       DuplicateArt,     GetFirstArtOfLayer,
                                GetLayerOfArt,  GetArtType,       GetArtParent,     GetArtFirstChild,
                                GetArtSibling,  GetArtUserAttr,   SetArtUserAttr,   GetArtBounds,
                                GetArtShowCenter, SetArtShowCenter, GetArtName,     SetArtName,
                                ValidArt};
  return suite;
}

const QvPathSuite& PathSuiteImpl() {
  static const QvPathSuite suite{GetPathSegmentCount, GetPathSegments, SetPathSegments, InsertPathSegments,
                                 DeletePathSegments,  GetPathClosed,   SetPathClosed,   GetPathArea,
                                 ReversePathSegments, GetPathBezier};
  return suite;
}

const QvPathStyleSuite& PathStyleSuiteImpl() {
  static const QvPathStyleSuite suite{GetPathStyle, SetPathStyle};
  return suite;
}

const QvLayerSuite& LayerSuiteImpl() {
  static const QvLayerSuite suite{CountLayers,      GetNthLayer,      GetLayerByTitle,    InsertLayer,
                                  DeleteLayer,      GetLayerTitle,    SetLayerTitle,      GetCurrentLayer,
                                  SetCurrentLayer,  GetLayerEditable, SetLayerEditable,   GetLayerVisible,
                                  SetLayerVisible,  DeselectArtOnLayer, SelectArtOnLayer};
  return suite;
}

const QvMatchingArtSuite& MatchingArtSuiteImpl() {
  static const QvMatchingArtSuite suite{GetSelectedArtOfType, GetMatchingArt, DisposeMatchingArt};
  return suite;
}

const QvArtSetSuite& ArtSetSuiteImpl() {
  static const QvArtSetSuite suite{NewArtSet,      DisposeArtSet, CountArtSet, IndexArtSet,
                                   AddArtToArtSet, ClearArtSet,   LayerArtSet, SelectedArtSet};
  return suite;
}

const QvTagSuite& TagSuiteImpl() {
  static const QvTagSuite suite{SetTag, GetTag, HasTag, RemoveTag, CountTags, GetNthTagName};
  return suite;
}

const QvCustomColorSuite& CustomColorSuiteImpl() {
  static const QvCustomColorSuite suite{NewCustomColor,    DisposeCustomColor, CountCustomColors, GetNthCustomColor,
                                        FindCustomColor,   GetCustomColor,     GetCustomColorName};
  return suite;
}

const QvSwatchListSuite& SwatchListSuiteImpl() {
  static const QvSwatchListSuite suite{CountSwatches, GetNthSwatch, FindSwatch, AddSwatch, RemoveSwatch};
  return suite;
}

}  // namespace workbench::plugin
