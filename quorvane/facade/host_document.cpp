#include "quorvane/facade/host_document.h"

#include <limits>

namespace quorvane::host {

namespace {

constexpr std::int32_t kSwatchNameCapacity = 1024;

// Reads a text a suite hands out through a buffer: once for the length,
// once for the bytes.
template <typename Get>
QvErr ReadText(Get&& get, std::string* out) {
  std::int32_t length = 0;
  if (QvErr err = get(nullptr, 0, &length)) return err;
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  if (QvErr err = get(text.data(), length + 1, &length)) return err;
  text.resize(static_cast<std::size_t>(length));
  *out = std::move(text);
  return kQvNoErr;
}

}  // namespace

ActionParams::~ActionParams() {
  if (ref_ != nullptr && suite_ != nullptr) suite_->DeleteActionParamValue(ref_);
}

QvErr ActionParams::SetUnitReal(QvActionKey key, QvActionKey unit, double value) {
  return suite_->SetUnitReal(ref_, key, unit, value);
}
QvErr ActionParams::SetReal(QvActionKey key, double value) { return suite_->SetReal(ref_, key, value); }
QvErr ActionParams::SetInteger(QvActionKey key, std::int32_t value) { return suite_->SetInteger(ref_, key, value); }
QvErr ActionParams::SetEnumerated(QvActionKey key, std::string_view name, std::int32_t value) {
  return suite_->SetEnumerated(ref_, key, std::string(name).c_str(), value);
}

// ---- Blocks -------------------------------------------------------------------

QvAllocatorPair HostDocument::Allocator() const {
  if (s_.basic == nullptr) return {};
  return {s_.basic->AllocateBlock, s_.basic->FreeBlock};
}

std::optional<ScratchBlock> HostDocument::AllocateBlock(std::int64_t size) {
  void* data = nullptr;
  if (s_.blocks != nullptr) {
    if (Call(s_.blocks, &QvBlocksSuite::AllocateBlock, size, kAllocationFailedTag, &data)) return std::nullopt;
    return ScratchBlock({s_.basic != nullptr ? s_.basic->AllocateBlock : nullptr, s_.blocks->FreeBlock}, data, size);
  }
  if (Call(s_.basic, &QvBasicSuite::AllocateBlock, size, &data)) return std::nullopt;
  return ScratchBlock(Allocator(), data, size);
}

// ---- Layers -------------------------------------------------------------------

std::optional<int> HostDocument::LayerCount() {
  std::int32_t count = 0;
  if (Call(s_.layer, &QvLayerSuite::CountLayers, &count)) return std::nullopt;
  return count;
}

std::optional<LayerRef> HostDocument::NthLayer(int index) {
  LayerRef layer;
  if (Call(s_.layer, &QvLayerSuite::GetNthLayer, index, &layer.handle)) return std::nullopt;
  return layer;
}

std::optional<LayerRef> HostDocument::FindLayer(std::string_view title) {
  LayerRef layer;
  std::string text(title);
  if (Call(s_.layer, &QvLayerSuite::GetLayerByTitle, &layer.handle, text.c_str())) return std::nullopt;
  if (!layer) return std::nullopt;
  return layer;
}

std::optional<LayerRef> HostDocument::InsertLayer(LayerRef reference, PaintOrder order) {
  LayerRef layer;
  if (Call(s_.layer, &QvLayerSuite::InsertLayer, reference.handle, static_cast<std::int32_t>(order), &layer.handle)) {
    return std::nullopt;
  }
  return layer;
}

QvErr HostDocument::DeleteLayer(LayerRef layer) { return Call(s_.layer, &QvLayerSuite::DeleteLayer, layer.handle); }

std::optional<std::string> HostDocument::LayerTitle(LayerRef layer) {
  if (s_.layer == nullptr) return Note(kQvErrSuiteNotFound), std::nullopt;
  std::string title;
  auto get = [&](char* b, std::int32_t c, std::int32_t* l) { return s_.layer->GetLayerTitle(layer.handle, b, c, l); };
  if (Note(ReadText(get, &title))) return std::nullopt;
  return title;
}

QvErr HostDocument::SetLayerTitle(LayerRef layer, std::string_view title) {
  return Call(s_.layer, &QvLayerSuite::SetLayerTitle, layer.handle, std::string(title).c_str());
}

std::optional<LayerRef> HostDocument::CurrentLayer() {
  LayerRef layer;
  if (Call(s_.layer, &QvLayerSuite::GetCurrentLayer, &layer.handle)) return std::nullopt;
  return layer;
}

QvErr HostDocument::SetCurrentLayer(LayerRef layer) {
  return Call(s_.layer, &QvLayerSuite::SetCurrentLayer, layer.handle);
}

std::optional<bool> HostDocument::IsLayerEditable(LayerRef layer) {
  QvBool editable = 0;
  if (Call(s_.layer, &QvLayerSuite::GetLayerEditable, layer.handle, &editable)) return std::nullopt;
  return editable != 0;
}

QvErr HostDocument::SetLayerEditable(LayerRef layer, bool editable) {
  return Call(s_.layer, &QvLayerSuite::SetLayerEditable, layer.handle, static_cast<QvBool>(editable));
}

QvErr HostDocument::DeselectAllOnLayer(LayerRef layer) {
  return Call(s_.layer, &QvLayerSuite::DeselectArtOnLayer, layer.handle);
}

QvErr HostDocument::SelectAllOnLayer(LayerRef layer) {
  return Call(s_.layer, &QvLayerSuite::SelectArtOnLayer, layer.handle);
}

std::optional<std::vector<ArtRef>> HostDocument::AllArtOfLayer(LayerRef layer) {
  QvArtSetHandle set = nullptr;
  if (Call(s_.artSet, &QvArtSetSuite::NewArtSet, &set)) return std::nullopt;
  std::optional<std::vector<ArtRef>> result;
  std::int32_t count = 0;
  if (!Call(s_.artSet, &QvArtSetSuite::LayerArtSet, layer.handle, set) &&
      !Call(s_.artSet, &QvArtSetSuite::CountArtSet, set, &count)) {
    std::vector<ArtRef> arts(static_cast<std::size_t>(count));
    bool ok = true;
    for (std::int32_t i = 0; i < count && ok; ++i) {
      ok = !Call(s_.artSet, &QvArtSetSuite::IndexArtSet, set, i, &arts[static_cast<std::size_t>(i)].handle);
    }
    if (ok) result = std::move(arts);
  }
  QvErr err = lastError_;
  s_.artSet->DisposeArtSet(&set);
  Note(err);
  return result;
}

// ---- Art ----------------------------------------------------------------------

std::optional<ArtRef> HostDocument::NewArt(std::int32_t type, PaintOrder order, ArtRef prep) {
  ArtRef art;
  if (Call(s_.art, &QvArtSuite::NewArt, type, static_cast<std::int32_t>(order), prep.handle, &art.handle)) {
    return std::nullopt;
  }
  return art;
}

std::optional<ArtRef> HostDocument::NewPath(PaintOrder order, ArtRef prep) {
  return NewArt(kQvPathArt, order, prep);
}

QvErr HostDocument::Dispose(ArtRef art) { return Call(s_.art, &QvArtSuite::DisposeArt, art.handle); }

std::optional<ArtRef> HostDocument::Duplicate(ArtRef art, PaintOrder order, ArtRef prep) {
  ArtRef copy;
  if (Call(s_.art, &QvArtSuite::DuplicateArt, art.handle, static_cast<std::int32_t>(order), prep.handle,
           &copy.handle)) {
    return std::nullopt;
  }
  return copy;
}

std::optional<ArtRef> HostDocument::LayerGroup(LayerRef layer) {
  ArtRef group;
  if (Call(s_.art, &QvArtSuite::GetFirstArtOfLayer, layer.handle, &group.handle)) return std::nullopt;
  return group;
}

std::optional<LayerRef> HostDocument::LayerOf(ArtRef art) {
  LayerRef layer;
  if (Call(s_.art, &QvArtSuite::GetLayerOfArt, art.handle, &layer.handle)) return std::nullopt;
  return layer;
}

std::optional<std::int32_t> HostDocument::ArtType(ArtRef art) {
  std::int32_t type = kQvUnknownArt;
  if (Call(s_.art, &QvArtSuite::GetArtType, art.handle, &type)) return std::nullopt;
  return type;
}

bool HostDocument::IsValid(ArtRef art) {
  QvBool valid = 0;
  return !Call(s_.art, &QvArtSuite::ValidArt, art.handle, &valid) && valid != 0;
}

std::optional<std::vector<ArtRef>> HostDocument::Children(ArtRef group) {
  std::vector<ArtRef> children;
  ArtRef child;
  if (Call(s_.art, &QvArtSuite::GetArtFirstChild, group.handle, &child.handle)) return std::nullopt;
  while (child) {
    children.push_back(child);
    if (Call(s_.art, &QvArtSuite::GetArtSibling, child.handle, &child.handle)) return std::nullopt;
  }
  return children;
}

std::optional<bool> HostDocument::IsSelected(ArtRef art) {
  std::int32_t attr = 0;
  if (Call(s_.art, &QvArtSuite::GetArtUserAttr, art.handle, std::int32_t{kQvArtSelected}, &attr)) return std::nullopt;
  return attr != 0;
}

QvErr HostDocument::SetSelected(ArtRef art, bool selected) {
  return Call(s_.art, &QvArtSuite::SetArtUserAttr, art.handle, std::int32_t{kQvArtSelected},
              std::int32_t{selected ? kQvArtSelected : 0});
}

std::optional<bool> HostDocument::IsLocked(ArtRef art) {
  std::int32_t attr = 0;
  if (Call(s_.art, &QvArtSuite::GetArtUserAttr, art.handle, std::int32_t{kQvArtLocked}, &attr)) return std::nullopt;
  return attr != 0;
}

QvErr HostDocument::SetLocked(ArtRef art, bool locked) {
  return Call(s_.art, &QvArtSuite::SetArtUserAttr, art.handle, std::int32_t{kQvArtLocked},
              std::int32_t{locked ? kQvArtLocked : 0});
}

std::optional<QvRealRect> HostDocument::Bounds(ArtRef art) {
  QvRealRect bounds{};
  if (Call(s_.art, &QvArtSuite::GetArtBounds, art.handle, &bounds)) return std::nullopt;
  return bounds;
}

QvErr HostDocument::SetShowCenter(ArtRef art, bool show) {
  return Call(s_.art, &QvArtSuite::SetArtShowCenter, art.handle, static_cast<QvBool>(show));
}

std::optional<std::string> HostDocument::ArtName(ArtRef art) {
  if (s_.art == nullptr) return Note(kQvErrSuiteNotFound), std::nullopt;
  std::string name;
  auto get = [&](char* b, std::int32_t c, std::int32_t* l) { return s_.art->GetArtName(art.handle, b, c, l); };
  if (Note(ReadText(get, &name))) return std::nullopt;
  return name;
}

QvErr HostDocument::SetArtName(ArtRef art, std::string_view name) {
  return Call(s_.art, &QvArtSuite::SetArtName, art.handle, std::string(name).c_str());
}

// ---- Point text ---------------------------------------------------------------

std::optional<ArtRef> HostDocument::NewPointText(PaintOrder order, ArtRef prep, QvRealPoint anchor,
                                                 std::string_view text, double fontSize, const QvColor& color) {
  QvArtHandle art = nullptr;
  if (Call(s_.text, &QvTextSuite::NewPointText, static_cast<std::int32_t>(order), prep.handle, &anchor,
           std::string(text).c_str(), fontSize, &color, &art)) {
    return std::nullopt;
  }
  return ArtRef{art};
}

std::optional<std::string> HostDocument::Text(ArtRef text) {
  if (s_.text == nullptr) return Note(kQvErrSuiteNotFound), std::nullopt;
  std::string contents;
  auto get = [&](char* b, std::int32_t c, std::int32_t* l) { return s_.text->GetText(text.handle, b, c, l); };
  if (Note(ReadText(get, &contents))) return std::nullopt;
  return contents;
}

std::optional<double> HostDocument::FontSize(ArtRef text) {
  double size = 0.0;
  if (Call(s_.text, &QvTextSuite::GetFontSize, text.handle, &size)) return std::nullopt;
  return size;
}

std::optional<QvRealPoint> HostDocument::TextAnchor(ArtRef text) {
  QvRealPoint anchor{};
  if (Call(s_.text, &QvTextSuite::GetTextAnchor, text.handle, &anchor)) return std::nullopt;
  return anchor;
}

std::optional<QvColor> HostDocument::TextColor(ArtRef text) {
  QvColor color{};
  if (Call(s_.text, &QvTextSuite::GetTextColor, text.handle, &color)) return std::nullopt;
  return color;
}

// ---- Custom colours and swatches ---------------------------------------------

std::optional<QvCustomColorHandle> HostDocument::FindCustomColor(std::string_view name) {
  QvCustomColorHandle handle = nullptr;
  if (Call(s_.customColor, &QvCustomColorSuite::FindCustomColor, std::string(name).c_str(), &handle)) {
    return std::nullopt;
  }
  return handle;
}

std::optional<QvCustomColorHandle> HostDocument::NewCustomColor(const QvColor& color, bool spot,
                                                                std::string_view name) {
  QvCustomColorHandle handle = nullptr;
  if (Call(s_.customColor, &QvCustomColorSuite::NewCustomColor, &color, static_cast<QvBool>(spot),
           std::string(name).c_str(), &handle)) {
    return std::nullopt;
  }
  return handle;
}

std::optional<int> HostDocument::SwatchCount() {
  std::int32_t count = 0;
  if (Call(s_.swatchList, &QvSwatchListSuite::CountSwatches, &count)) return std::nullopt;
  return count;
}

std::optional<std::pair<std::string, QvColor>> HostDocument::NthSwatch(int index) {
  // The swatch list hands out names through a caller's buffer without their
  // length; swatch names are short, so one generous buffer serves.
  char name[kSwatchNameCapacity] = {};
  QvColor color{};
  if (Call(s_.swatchList, &QvSwatchListSuite::GetNthSwatch, index, name, kSwatchNameCapacity, &color)) {
    return std::nullopt;
  }
  return std::make_pair(std::string(name), color);
}

QvErr HostDocument::AddSwatch(std::string_view name, const QvColor& color) {
  return Call(s_.swatchList, &QvSwatchListSuite::AddSwatch, std::string(name).c_str(), &color);
}

// ---- Paths --------------------------------------------------------------------

std::optional<int> HostDocument::SegmentCount(ArtRef path) {
  std::int32_t count = 0;
  if (Call(s_.path, &QvPathSuite::GetPathSegmentCount, path.handle, &count)) return std::nullopt;
  return count;
}

std::optional<std::vector<PathSegment>> HostDocument::Segments(ArtRef path) {
  auto count = SegmentCount(path);
  if (!count) return std::nullopt;
  std::vector<PathSegment> segments(static_cast<std::size_t>(*count));
  if (Call(s_.path, &QvPathSuite::GetPathSegments, path.handle, std::int32_t{0}, *count, segments.data())) {
    return std::nullopt;
  }
  return segments;
}

QvErr HostDocument::SetSegments(ArtRef path, const std::vector<PathSegment>& segments) {
  auto count = SegmentCount(path);
  if (!count) return lastError_;
  const auto n = static_cast<std::int32_t>(segments.size());
  if (*count > n) {
    if (QvErr err = Call(s_.path, &QvPathSuite::DeletePathSegments, path.handle, n, *count - n)) return err;
  }
  return Call(s_.path, &QvPathSuite::SetPathSegments, path.handle, std::int32_t{0}, n, segments.data());
}

std::optional<bool> HostDocument::IsClosed(ArtRef path) {
  QvBool closed = 0;
  if (Call(s_.path, &QvPathSuite::GetPathClosed, path.handle, &closed)) return std::nullopt;
  return closed != 0;
}

QvErr HostDocument::SetClosed(ArtRef path, bool closed) {
  return Call(s_.path, &QvPathSuite::SetPathClosed, path.handle, static_cast<QvBool>(closed));
}

std::optional<double> HostDocument::SignedArea(ArtRef path) {
  double area = 0.0;
  if (Call(s_.path, &QvPathSuite::GetPathArea, path.handle, &area)) return std::nullopt;
  return area;
}

QvErr HostDocument::Reverse(ArtRef path) { return Call(s_.path, &QvPathSuite::ReversePathSegments, path.handle); }

std::optional<QvRealBezier> HostDocument::Bezier(ArtRef path, int index) {
  QvRealBezier bezier{};
  if (Call(s_.path, &QvPathSuite::GetPathBezier, path.handle, std::int32_t{index}, &bezier)) return std::nullopt;
  return bezier;
}

// ---- Styles and tags ----------------------------------------------------------

std::optional<QvPathStyle> HostDocument::Style(ArtRef art) {
  QvPathStyle style{};
  if (Call(s_.pathStyle, &QvPathStyleSuite::GetPathStyle, art.handle, &style)) return std::nullopt;
  return style;
}

QvErr HostDocument::SetStyle(ArtRef art, const QvPathStyle& style) {
  return Call(s_.pathStyle, &QvPathStyleSuite::SetPathStyle, art.handle, &style);
}

QvErr HostDocument::CopyStyle(ArtRef from, ArtRef to) {
  auto style = Style(from);
  return style ? SetStyle(to, *style) : lastError_;
}

QvErr HostDocument::SetTag(ArtRef art, std::string_view name, std::string_view value) {
  if (value.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    return Note(kQvErrBadParameter);
  }
  return Call(s_.tag, &QvTagSuite::SetTag, art.handle, std::string(name).c_str(), value.data(),
              static_cast<std::int32_t>(value.size()));
}

std::optional<std::string> HostDocument::Tag(ArtRef art, std::string_view name) {
  std::string key(name);
  std::int32_t length = 0;
  if (Call(s_.tag, &QvTagSuite::GetTag, art.handle, key.c_str(), static_cast<char*>(nullptr), std::int32_t{0},
           &length)) {
    return std::nullopt;
  }
  std::string value(static_cast<std::size_t>(length), '\0');
  if (Call(s_.tag, &QvTagSuite::GetTag, art.handle, key.c_str(), value.data(), length, &length)) return std::nullopt;
  value.resize(static_cast<std::size_t>(length));
  return value;
}

QvErr HostDocument::RemoveTag(ArtRef art, std::string_view name) {
  return Call(s_.tag, &QvTagSuite::RemoveTag, art.handle, std::string(name).c_str());
}

// ---- Selection ----------------------------------------------------------------

std::optional<std::vector<ArtRef>> HostDocument::TakeList(QvErr err, QvArtHandle* list, std::int32_t count) {
  std::optional<std::vector<ArtRef>> result;
  if (err == kQvNoErr) {
    std::vector<ArtRef> arts;
    for (std::int32_t i = 0; i < count; ++i) arts.push_back(ArtRef{list[i]});
    result = std::move(arts);
  }
  if (list != nullptr) s_.matchingArt->DisposeMatchingArt(list);
  return result;
}

std::optional<std::vector<ArtRef>> HostDocument::SelectedPaths() {
  QvArtHandle* list = nullptr;
  std::int32_t count = 0;
  QvErr err = Call(s_.matchingArt, &QvMatchingArtSuite::GetSelectedArtOfType, std::int32_t{kQvPathArt}, &list, &count);
  return TakeList(err, list, count);
}

std::optional<std::vector<ArtRef>> HostDocument::SelectedArt() {
  QvArtHandle* list = nullptr;
  std::int32_t count = 0;
  QvErr err =
      Call(s_.matchingArt, &QvMatchingArtSuite::GetSelectedArtOfType, std::int32_t{kQvUnknownArt}, &list, &count);
  return TakeList(err, list, count);
}

// ---- User, undo, document, folders --------------------------------------------

QvErr HostDocument::Alert(std::string_view message) {
  return Call(s_.user, &QvUserSuite::MessageAlert, std::string(message).c_str());
}

QvErr HostDocument::ErrorAlert(std::string_view message) {
  return Call(s_.user, &QvUserSuite::ErrorAlert, std::string(message).c_str());
}

std::optional<bool> HostDocument::Ask(std::string_view question) {
  QvBool yes = 0;
  if (Call(s_.user, &QvUserSuite::YesNoAlert, std::string(question).c_str(), &yes)) return std::nullopt;
  return yes != 0;
}

QvErr HostDocument::SetUndoText(std::string_view undoText, std::string_view redoText) {
  return Call(s_.undo, &QvUndoSuite::SetUndoText, std::string(undoText).c_str(), std::string(redoText).c_str());
}

std::optional<std::pair<std::string, std::string>> HostDocument::UndoTexts() {
  // Menu texts are short; a generous buffer avoids a length protocol here.
  constexpr std::int32_t kCapacity = 1024;
  std::string undo(kCapacity, '\0');
  std::string redo(kCapacity, '\0');
  if (Call(s_.undo, &QvUndoSuite::GetUndoText, undo.data(), kCapacity, redo.data(), kCapacity)) return std::nullopt;
  undo.resize(undo.find('\0'));
  redo.resize(redo.find('\0'));
  return std::make_pair(std::move(undo), std::move(redo));
}

QvErr HostDocument::Redraw() { return Call(s_.document, &QvDocumentSuite::RedrawDocument); }

std::optional<std::string> HostDocument::PreferencesFolder() {
  if (s_.folders == nullptr) return Note(kQvErrSuiteNotFound), std::nullopt;
  std::string folder;
  if (Note(ReadText(s_.folders->GetPreferencesFolder, &folder))) return std::nullopt;
  return folder;
}

// ---- Actions and pathfinder ---------------------------------------------------

std::optional<ActionParams> HostDocument::NewActionParams() {
  QvActionParamValueRef ref = nullptr;
  if (Call(s_.actionManager, &QvActionManagerSuite::NewActionParamValue, &ref)) return std::nullopt;
  return ActionParams(s_.actionManager, ref);
}

QvErr HostDocument::PlayAction(std::string_view eventName, const ActionParams* params, std::int32_t dialogMode) {
  return Call(s_.actionManager, &QvActionManagerSuite::PlayActionEvent, std::string(eventName).c_str(), dialogMode,
              params != nullptr ? params->Ref() : nullptr);
}

QvErr HostDocument::Pathfinder(QvErr (*QvPathfinderSuite::*fn)(const QvPathfinderData*),
                               const std::vector<ArtRef>& art, double precision, bool removeRedundantPoints) {
  std::vector<QvArtHandle> handles;
  for (ArtRef a : art) handles.push_back(a.handle);
  QvPathfinderData data{};
  data.precision = precision;
  data.removeRedundantPoints = removeRedundantPoints;
  data.art = handles.empty() ? nullptr : handles.data();
  data.artCount = static_cast<std::int32_t>(handles.size());
  const QvPathfinderData* dataPtr = &data;
  return Call(s_.pathfinder, fn, dataPtr);
}

QvErr HostDocument::PathfinderDivide(const std::vector<ArtRef>& art, double precision, bool removeRedundantPoints) {
  return Pathfinder(&QvPathfinderSuite::DoDivideEffect, art, precision, removeRedundantPoints);
}
QvErr HostDocument::PathfinderIntersect(const std::vector<ArtRef>& art, double precision, bool removeRedundantPoints) {
  return Pathfinder(&QvPathfinderSuite::DoIntersectEffect, art, precision, removeRedundantPoints);
}
QvErr HostDocument::PathfinderUnite(const std::vector<ArtRef>& art, double precision, bool removeRedundantPoints) {
  return Pathfinder(&QvPathfinderSuite::DoUniteEffect, art, precision, removeRedundantPoints);
}

// ---- Geometry services --------------------------------------------------------

std::optional<ScratchArray<QvOutlinePoint>> HostDocument::SegmentsToPoints(const std::vector<PathSegment>& segments,
                                                                           double flatness, double maxStep) {
  QvAllocatorPair allocator = Allocator();
  const QvAllocatorPair* allocatorPtr = &allocator;
  QvOutlinePoint* points = nullptr;
  std::int32_t count = 0;
  QvErr err = Call(s_.pathConstruction, &QvPathConstructionSuite::SegmentsToPoints, segments.data(),
                   static_cast<std::int32_t>(segments.size()), flatness, maxStep, allocatorPtr, &points, &count);
  // Own the points before looking at the result, so a failure that still
  // handed out a block frees it.
  ScratchBlock block(allocator, points, static_cast<std::int64_t>(count) * std::int64_t{sizeof(QvOutlinePoint)});
  if (err) return std::nullopt;
  return ScratchArray<QvOutlinePoint>(std::move(block), static_cast<std::size_t>(count));
}

QvErr HostDocument::OptimizePath(ArtRef path, double tolerance) {
  return Call(s_.pathConstruction, &QvPathConstructionSuite::OptimizePath, path.handle, tolerance);
}

std::optional<QvHitResult> HostDocument::HitTest(QvRealPoint p, double tolerance, std::int32_t request, ArtRef art) {
  QvHitResult result{};
  const QvRealPoint* point = &p;
  if (Call(s_.hitTest, &QvHitTestSuite::HitTest, art.handle, point, tolerance, request, &result)) return std::nullopt;
  return result;
}

QvErr HostDocument::Transform(ArtRef art, const QvRealMatrix& matrix, double lineScale, std::int32_t flags) {
  const QvRealMatrix* m = &matrix;
  return Call(s_.transformArt, &QvTransformArtSuite::TransformArt, art.handle, m, lineScale, flags);
}

std::optional<QvRealMatrix> HostDocument::ScaleAbout(QvRealPoint center, double factor) {
  QvRealMatrix m{};
  if (Call(s_.realMath, &QvRealMathSuite::RealMatrixSetTranslate, &m, -center.h, -center.v) ||
      Call(s_.realMath, &QvRealMathSuite::RealMatrixConcatScale, &m, factor, factor) ||
      Call(s_.realMath, &QvRealMathSuite::RealMatrixConcatTranslate, &m, center.h, center.v)) {
    return std::nullopt;
  }
  return m;
}

std::optional<double> HostDocument::Distance(QvRealPoint a, QvRealPoint b) {
  double d = 0.0;
  const QvRealPoint* pa = &a;
  const QvRealPoint* pb = &b;
  if (Call(s_.realMath, &QvRealMathSuite::RealPointLength, pa, pb, &d)) return std::nullopt;
  return d;
}

std::optional<double> HostDocument::Sqrt(double value) {
  double root = 0.0;
  if (Call(s_.realMath, &QvRealMathSuite::RealSqrt, value, &root)) return std::nullopt;
  return root;
}

std::optional<QvRealPoint> HostDocument::BezierPoint(const QvRealBezier& bezier, double t) {
  QvRealPoint p{};
  const QvRealBezier* b = &bezier;
  if (Call(s_.realBezier, &QvRealBezierSuite::BezierEvaluate, b, t, &p)) return std::nullopt;
  return p;
}

}  // namespace quorvane::host
