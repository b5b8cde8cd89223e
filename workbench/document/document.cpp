#include "workbench/document/document.h"

#include <algorithm>
#include <utility>

#include "workbench/geometry/bounds.h"
#include "workbench/geometry/reverse_path.h"
#include "workbench/geometry/signed_area.h"

namespace workbench::document {
namespace {

template <typename Map, typename Key>
auto* Lookup(Map& map, Key key) {
  auto it = map.find(key);
  return it == map.end() ? nullptr : &it->second;
}

bool IsContainer(ArtType t) { return t == ArtType::kGroup || t == ArtType::kCompoundPath; }

}  // namespace

Document::Document() {
  InsertLayer("Layer 1");
  ClearUndo();
}

Document Document::Empty() {
  Document d;
  d.DeleteLayer(d.LayerAt(0));
  d.ClearUndo();
  return d;
}

void Document::SetPage(const Page& page) {
  KeepFrame();
  state_.frame.page = page;
  Touch();
}

void Document::SetForeign(ForeignData data) {
  KeepFrame();
  state_.frame.foreign = std::move(data);
  Touch();
}

// ---- Layers ---------------------------------------------------------------

LayerId Document::LayerAt(std::size_t index) const {
  return index < state_.frame.layerOrder.size() ? state_.frame.layerOrder[index] : LayerId{};
}

std::optional<std::size_t> Document::LayerIndex(LayerId layer) const {
  return state_.frame.layerOrder.IndexOf(layer);
}

LayerId Document::FindLayerByTitle(std::string_view title) const {
  for (LayerId id : state_.frame.layerOrder) {
    if (state_.layers.at(id).title == title) return id;
  }
  return {};
}

const Layer* Document::FindLayer(LayerId layer) const {
  return Lookup(state_.layers, layer);
}

Layer* Document::MutableLayer(LayerId layer) {
  Layer* l = Lookup(state_.layers, layer);
  if (l) KeepLayer(layer);
  return l;
}

LayerId Document::InsertLayer(std::string title, PaintOrder order, LayerId reference) {
  auto& orderList = state_.frame.layerOrder;
  std::size_t pos = 0;
  switch (order) {
    case PaintOrder::kPlaceAboveAll: pos = 0; break;
    case PaintOrder::kPlaceBelowAll: pos = orderList.size(); break;
    case PaintOrder::kPlaceAbove:
    case PaintOrder::kPlaceBelow: {
      auto index = LayerIndex(reference);
      if (!index) return {};
      pos = *index + (order == PaintOrder::kPlaceBelow ? 1 : 0);
      break;
    }
    default: return {};
  }
  const LayerId id{nextId_++};
  const ArtId group{nextId_++};
  KeepFrame();
  KeepLayer(id);
  Keep(group);
  Art top;
  top.type = ArtType::kGroup;
  state_.arts.emplace(group, std::move(top));
  Layer layer;
  layer.title = std::move(title);
  layer.group = group;
  state_.layers.emplace(id, std::move(layer));
  orderList.Insert(pos, id);
  if (!state_.frame.currentLayer) state_.frame.currentLayer = id;
  Touch();
  return id;
}

bool Document::DeleteLayer(LayerId layer) {
  auto index = LayerIndex(layer);
  if (!index) return false;
  KeepFrame();
  KeepLayer(layer);
  Erase(state_.layers.at(layer).group);
  state_.layers.erase(layer);
  state_.frame.layerOrder.EraseAt(*index);
  if (state_.frame.currentLayer == layer) state_.frame.currentLayer = LayerAt(0);
  Touch();
  return true;
}

bool Document::SetLayerTitle(LayerId layer, std::string title) {
  Layer* l = MutableLayer(layer);
  if (!l) return false;
  l->title = std::move(title);
  Touch();
  return true;
}

bool Document::SetLayerEditable(LayerId layer, bool editable) {
  Layer* l = MutableLayer(layer);
  if (!l) return false;
  l->editable = editable;
  if (!editable) SetSelectedTree(l->group, false);
  Touch();
  return true;
}

bool Document::SetLayerVisible(LayerId layer, bool visible) {
  Layer* l = MutableLayer(layer);
  if (!l) return false;
  l->visible = visible;
  Touch();
  return true;
}

bool Document::SetLayerForeign(LayerId layer, ForeignData data) {
  Layer* l = MutableLayer(layer);
  if (!l) return false;
  l->foreign = std::move(data);
  Touch();
  return true;
}

bool Document::SetCurrentLayer(LayerId layer) {
  if (!FindLayer(layer)) return false;
  KeepFrame();
  state_.frame.currentLayer = layer;
  Touch();
  return true;
}

ArtId Document::LayerGroup(LayerId layer) const {
  const Layer* l = FindLayer(layer);
  return l ? l->group : ArtId{};
}

void Document::CollectArt(ArtId art, std::vector<ArtId>& out) const {
  for (ArtId child : state_.arts.at(art).children) {
    out.push_back(child);
    CollectArt(child, out);
  }
}

std::vector<ArtId> Document::AllArtOfLayer(LayerId layer) const {
  std::vector<ArtId> out;
  if (const Layer* l = FindLayer(layer)) CollectArt(l->group, out);
  return out;
}

bool Document::SelectAllOnLayer(LayerId layer) {
  const Layer* l = FindLayer(layer);
  if (!l) return false;
  if (!l->editable) return true;
  // Walk the tree so that everything under locked art is skipped too.
  const auto& top = state_.arts.at(l->group).children;
  std::vector<ArtId> stack(top.begin(), top.end());
  while (!stack.empty()) {
    const ArtId id = stack.back();
    stack.pop_back();
    Art& a = state_.arts.at(id);
    if (a.locked) continue;
    if (!a.selected) {
      Keep(id);
      a.selected = true;
    }
    stack.insert(stack.end(), a.children.begin(), a.children.end());
  }
  Touch();
  return true;
}

bool Document::DeselectAllOnLayer(LayerId layer) {
  const Layer* l = FindLayer(layer);
  if (!l) return false;
  SetSelectedTree(l->group, false);
  Touch();
  return true;
}

// ---- Art tree -------------------------------------------------------------

const Art* Document::FindArt(ArtId art) const { return Lookup(state_.arts, art); }

Art* Document::MutableArt(ArtId art) {
  Art* a = Lookup(state_.arts, art);
  if (a) Keep(art);
  return a;
}

Art& Document::EditArt(ArtId art) {
  Keep(art);
  return state_.arts.at(art);
}

std::optional<ArtType> Document::TypeOf(ArtId art) const {
  const Art* a = FindArt(art);
  if (!a) return std::nullopt;
  return a->type;
}

LayerId Document::LayerOfArt(ArtId art) const {
  const Art* a = FindArt(art);
  if (!a) return {};
  ArtId top = art;
  while (a->parent) {
    top = a->parent;
    a = FindArt(top);
  }
  for (const auto& [id, layer] : state_.layers) {
    if (layer.group == top) return id;
  }
  return {};
}

ArtId Document::ParentOf(ArtId art) const {
  const Art* a = FindArt(art);
  return a ? a->parent : ArtId{};
}

std::vector<ArtId> Document::ChildrenOf(ArtId art) const {
  const Art* a = FindArt(art);
  return a ? std::vector<ArtId>(a->children.begin(), a->children.end()) : std::vector<ArtId>{};
}

bool Document::IsInside(ArtId art, ArtId ancestor) const {
  for (const Art* a = FindArt(art); a; a = FindArt(a->parent)) {
    if (art == ancestor) return true;
    art = a->parent;
  }
  return false;
}

void Document::Detach(ArtId art) {
  Art& a = EditArt(art);
  if (Art* parent = MutableArt(a.parent)) parent->children.Remove(art);
  a.parent = {};
}

bool Document::Attach(ArtId art, PaintOrder order, ArtId reference) {
  const Art* ref = FindArt(reference);
  const Art* self = FindArt(art);
  if (!ref || !self) return false;
  ArtId parent;
  std::size_t pos = 0;
  switch (order) {
    case PaintOrder::kPlaceInsideOnTop:
    case PaintOrder::kPlaceInsideOnBottom:
      if (!IsContainer(ref->type)) return false;
      parent = reference;
      pos = order == PaintOrder::kPlaceInsideOnTop ? 0 : ref->children.size();
      break;
    case PaintOrder::kPlaceAbove:
    case PaintOrder::kPlaceBelow: {
      if (!ref->parent) return false;
      parent = ref->parent;
      pos = state_.arts.at(parent).children.IndexOf(reference).value_or(0);
      if (order == PaintOrder::kPlaceBelow) ++pos;
      break;
    }
    default: return false;
  }
  // A compound path holds paths only.
  if (state_.arts.at(parent).type == ArtType::kCompoundPath && self->type != ArtType::kPath) {
    return false;
  }
  EditArt(parent).children.Insert(pos, art);
  EditArt(art).parent = parent;
  return true;
}

ArtId Document::NewArt(ArtType type, PaintOrder order, ArtId reference) {
  const ArtId id{nextId_++};
  Art art;
  art.type = type;
  Keep(id);
  state_.arts.emplace(id, std::move(art));
  if (!Attach(id, order, reference)) {
    state_.arts.erase(id);
    return {};
  }
  Touch();
  return id;
}

ArtId Document::NewPath(ArtId group, std::vector<geometry::PathSegment> segments, bool closed,
                        const PathStyle& style) {
  const ArtId id = NewArt(ArtType::kPath, PaintOrder::kPlaceInsideOnTop, group);
  if (!id) return {};
  Art& a = state_.arts.at(id);
  a.segments = std::move(segments);
  a.closed = closed;
  a.style = style;
  return id;
}

ArtId Document::CopyTree(ArtId art, ArtId parent) {
  const ArtId id{nextId_++};
  Art copy = state_.arts.at(art);
  copy.parent = parent;
  copy.foreign.sourceId.clear();
  // The copy keeps the original's form, but not the comments before it.
  copy.foreign.leading.clear();
  const PaintList<ArtId> children = std::move(copy.children);
  copy.children.clear();
  Keep(id);
  state_.arts.emplace(id, std::move(copy));
  for (ArtId child : children) {
    const ArtId c = CopyTree(child, id);
    auto& copied = state_.arts.at(id).children;
    copied.Insert(copied.size(), c);
  }
  return id;
}

ArtId Document::Duplicate(ArtId art, PaintOrder order, ArtId reference) {
  if (!FindArt(art) || !FindArt(reference)) return {};
  // The copy is made before it is placed, so even a group duplicated inside
  // itself cannot form a cycle.
  const ArtId copy = CopyTree(art, {});
  if (!Attach(copy, order, reference)) {
    Erase(copy);
    return {};
  }
  Touch();
  return copy;
}

void Document::Erase(ArtId art) {
  const PaintList<ArtId> children = state_.arts.at(art).children;
  for (ArtId child : children) Erase(child);
  Keep(art);
  state_.arts.erase(art);
}

bool Document::Dispose(ArtId art) {
  const Art* a = FindArt(art);
  if (!a || !a->parent) return false;
  Detach(art);
  Erase(art);
  Touch();
  return true;
}

bool Document::Reorder(ArtId art, PaintOrder order, ArtId reference) {
  const Art* a = FindArt(art);
  if (!a || !a->parent || !FindArt(reference) || IsInside(reference, art)) return false;
  const ArtId oldParent = a->parent;
  const std::size_t oldPos = state_.arts.at(oldParent).children.IndexOf(art).value_or(0);
  Detach(art);
  if (!Attach(art, order, reference)) {
    EditArt(oldParent).children.Insert(oldPos, art);
    EditArt(art).parent = oldParent;
    return false;
  }
  Touch();
  return true;
}

bool Document::SetName(ArtId art, std::string name) {
  Art* a = MutableArt(art);
  if (!a) return false;
  a->name = std::move(name);
  Touch();
  return true;
}

void Document::SetSelectedTree(ArtId art, bool selected) {
  Art& a = state_.arts.at(art);
  if (!(selected && a.locked) && a.selected != selected) {
    Keep(art);
    a.selected = selected;
  }
  for (ArtId child : a.children) SetSelectedTree(child, selected);
}

bool Document::SetSelected(ArtId art, bool selected) {
  Art* a = MutableArt(art);
  if (!a || (selected && a->locked) || !a->parent) return false;
  SetSelectedTree(art, selected);
  Touch();
  return true;
}

bool Document::SetLocked(ArtId art, bool locked) {
  Art* a = MutableArt(art);
  if (!a) return false;
  a->locked = locked;
  if (locked) SetSelectedTree(art, false);
  Touch();
  return true;
}

bool Document::SetHidden(ArtId art, bool hidden) {
  Art* a = MutableArt(art);
  if (!a) return false;
  a->hidden = hidden;
  Touch();
  return true;
}

bool Document::SetShowCenterPoint(ArtId art, bool show) {
  Art* a = MutableArt(art);
  if (!a) return false;
  a->showCenterPoint = show;
  Touch();
  return true;
}

bool Document::SetPlaced(ArtId art, PlacedData data) {
  Art* a = MutableArt(art);
  if (!a) return false;
  a->placed = std::move(data);
  Touch();
  return true;
}

bool Document::SetArtForeign(ArtId art, ForeignData data) {
  Art* a = MutableArt(art);
  if (!a) return false;
  a->foreign = std::move(data);
  Touch();
  return true;
}

std::optional<Rect> Document::BoundsOf(const Art& art) const {
  switch (art.type) {
    case ArtType::kPath: {
      const auto b = geometry::PathBounds({art.segments, art.closed});
      if (!b) return std::nullopt;
      return Rect{b->left, b->top, b->right, b->bottom};
    }
    case ArtType::kText:
    case ArtType::kPlacedImage: {
      const Rect& l = art.placed.localBounds;
      const AffineMatrix& m = art.placed.placement;
      const geometry::Point p = m.Apply({l.left, l.top});
      Rect r{p.x, p.y, p.x, p.y};
      r = r.Including(m.Apply({l.right, l.top}));
      r = r.Including(m.Apply({l.left, l.bottom}));
      return r.Including(m.Apply({l.right, l.bottom}));
    }
    default: {
      std::optional<Rect> r;
      for (ArtId child : art.children) {
        auto b = BoundsOf(state_.arts.at(child));
        if (b) r = r ? r->United(*b) : *b;
      }
      return r;
    }
  }
}

std::optional<Rect> Document::Bounds(ArtId art) const {
  const Art* a = FindArt(art);
  if (!a) return std::nullopt;
  return BoundsOf(*a);
}

// ---- Paths ----------------------------------------------------------------

const std::vector<geometry::PathSegment>* Document::Segments(ArtId art) const {
  const Art* a = FindArt(art);
  return a && a->type == ArtType::kPath ? &a->segments : nullptr;
}

std::optional<std::size_t> Document::SegmentCount(ArtId art) const {
  const auto* s = Segments(art);
  if (!s) return std::nullopt;
  return s->size();
}

bool Document::SetSegments(ArtId art, std::vector<geometry::PathSegment> segments) {
  Art* a = MutableArt(art);
  if (!a || a->type != ArtType::kPath) return false;
  a->segments = std::move(segments);
  Touch();
  return true;
}

bool Document::SetSegments(ArtId art, std::size_t index,
                           const std::vector<geometry::PathSegment>& segments) {
  Art* a = MutableArt(art);
  if (!a || a->type != ArtType::kPath || index > a->segments.size() ||
      segments.size() > a->segments.size() - index) {
    return false;
  }
  std::copy(segments.begin(), segments.end(), a->segments.begin() + static_cast<std::ptrdiff_t>(index));
  Touch();
  return true;
}

bool Document::InsertSegments(ArtId art, std::size_t index,
                              const std::vector<geometry::PathSegment>& segments) {
  Art* a = MutableArt(art);
  if (!a || a->type != ArtType::kPath || index > a->segments.size()) return false;
  a->segments.insert(a->segments.begin() + static_cast<std::ptrdiff_t>(index), segments.begin(),
                     segments.end());
  Touch();
  return true;
}

bool Document::DeleteSegments(ArtId art, std::size_t index, std::size_t count) {
  Art* a = MutableArt(art);
  if (!a || a->type != ArtType::kPath || index > a->segments.size() ||
      count > a->segments.size() - index) {
    return false;
  }
  const auto first = a->segments.begin() + static_cast<std::ptrdiff_t>(index);
  a->segments.erase(first, first + static_cast<std::ptrdiff_t>(count));
  Touch();
  return true;
}

std::optional<bool> Document::IsClosed(ArtId art) const {
  const Art* a = FindArt(art);
  if (!a || a->type != ArtType::kPath) return std::nullopt;
  return a->closed;
}

bool Document::SetClosed(ArtId art, bool closed) {
  Art* a = MutableArt(art);
  if (!a || a->type != ArtType::kPath) return false;
  a->closed = closed;
  Touch();
  return true;
}

std::optional<double> Document::SignedArea(ArtId art) const {
  const Art* a = FindArt(art);
  if (!a) return std::nullopt;
  if (a->type == ArtType::kPath) return geometry::SignedArea(a->segments, a->closed);
  if (a->type != ArtType::kCompoundPath) return std::nullopt;
  double sum = 0.0;
  for (ArtId child : a->children) sum += SignedArea(child).value_or(0.0);
  return sum;
}

bool Document::ReversePath(ArtId art) {
  Art* a = MutableArt(art);
  if (!a || a->type != ArtType::kPath) return false;
  a->segments = geometry::ReversePath({std::move(a->segments), a->closed}).segments;
  Touch();
  return true;
}

// ---- Styles ---------------------------------------------------------------

std::optional<PathStyle> Document::GetPathStyle(ArtId art) const {
  const Art* a = FindArt(art);
  if (!a || (a->type != ArtType::kPath && a->type != ArtType::kCompoundPath)) return std::nullopt;
  return a->style;
}

bool Document::SetPathStyle(ArtId art, const PathStyle& style) {
  Art* a = MutableArt(art);
  if (!a || (a->type != ArtType::kPath && a->type != ArtType::kCompoundPath)) return false;
  a->style = style;
  for (ArtId child : a->children) EditArt(child).style = style;
  Touch();
  return true;
}

// ---- Tags -----------------------------------------------------------------

std::optional<std::string> Document::GetTag(ArtId art, std::string_view name) const {
  const Art* a = FindArt(art);
  if (!a) return std::nullopt;
  auto it = a->tags.find(std::string(name));
  if (it == a->tags.end()) return std::nullopt;
  return it->second;
}

bool Document::SetTag(ArtId art, std::string name, std::string value) {
  Art* a = MutableArt(art);
  if (!a) return false;
  a->tags[std::move(name)] = std::move(value);
  Touch();
  return true;
}

bool Document::RemoveTag(ArtId art, std::string_view name) {
  Art* a = MutableArt(art);
  if (!a || a->tags.erase(std::string(name)) == 0) return false;
  Touch();
  return true;
}

std::map<std::string, std::string> Document::Tags(ArtId art) const {
  const Art* a = FindArt(art);
  return a ? a->tags : std::map<std::string, std::string>{};
}

// ---- Colours and swatches -------------------------------------------------

CustomColorId Document::NewCustomColor(CustomColor color) {
  const CustomColorId id{nextId_++};
  KeepFrame();
  KeepColor(id);
  state_.customColors.emplace(id, std::move(color));
  state_.frame.customColorOrder.push_back(id);
  Touch();
  return id;
}

const CustomColor* Document::FindCustomColor(CustomColorId id) const {
  return Lookup(state_.customColors, id);
}

CustomColorId Document::FindCustomColorByName(std::string_view name) const {
  for (CustomColorId id : state_.frame.customColorOrder) {
    if (state_.customColors.at(id).name == name) return id;
  }
  return {};
}

bool Document::SetCustomColor(CustomColorId id, CustomColor color) {
  CustomColor* c = Lookup(state_.customColors, id);
  if (!c) return false;
  KeepColor(id);
  *c = std::move(color);
  Touch();
  return true;
}

bool Document::DeleteCustomColor(CustomColorId id) {
  if (!FindCustomColor(id)) return false;
  KeepFrame();
  KeepColor(id);
  state_.customColors.erase(id);
  auto& order = state_.frame.customColorOrder;
  order.erase(std::remove(order.begin(), order.end(), id), order.end());
  Touch();
  return true;
}

std::vector<CustomColorId> Document::CustomColors() const { return state_.frame.customColorOrder; }

void Document::AddSwatch(Swatch swatch) {
  KeepFrame();
  state_.frame.swatches.push_back(std::move(swatch));
  Touch();
}

std::optional<Swatch> Document::FindSwatch(std::string_view name) const {
  for (const Swatch& s : state_.frame.swatches) {
    if (s.name == name) return s;
  }
  return std::nullopt;
}

bool Document::RemoveSwatch(std::size_t index) {
  if (index >= state_.frame.swatches.size()) return false;
  KeepFrame();
  state_.frame.swatches.erase(state_.frame.swatches.begin() + static_cast<std::ptrdiff_t>(index));
  Touch();
  return true;
}

// ---- Selection ------------------------------------------------------------

std::vector<ArtId> Document::SelectedArt() const {
  std::vector<ArtId> out;
  for (LayerId layer : state_.frame.layerOrder) {
    for (ArtId id : AllArtOfLayer(layer)) {
      if (state_.arts.at(id).selected) out.push_back(id);
    }
  }
  return out;
}

std::vector<ArtId> Document::SelectedPaths() const {
  std::vector<ArtId> out = SelectedArt();
  out.erase(std::remove_if(out.begin(), out.end(),
                           [this](ArtId id) { return state_.arts.at(id).type != ArtType::kPath; }),
            out.end());
  return out;
}

void Document::DeselectAll() {
  for (auto& [id, art] : state_.arts) {
    if (!art.selected) continue;
    Keep(id);
    art.selected = false;
  }
  Touch();
}

// ---- Undo -----------------------------------------------------------------

void Document::Keep(ArtId art) {
  if (undoLimit_ == 0 || pending_.arts.count(art) != 0) return;
  const Art* a = Lookup(state_.arts, art);
  pending_.arts.emplace(art, a ? std::optional<Art>(*a) : std::nullopt);
}

void Document::KeepLayer(LayerId layer) {
  if (undoLimit_ == 0 || pending_.layers.count(layer) != 0) return;
  const Layer* l = Lookup(state_.layers, layer);
  pending_.layers.emplace(layer, l ? std::optional<Layer>(*l) : std::nullopt);
}

void Document::KeepColor(CustomColorId color) {
  if (undoLimit_ == 0 || pending_.customColors.count(color) != 0) return;
  const CustomColor* c = Lookup(state_.customColors, color);
  pending_.customColors.emplace(color, c ? std::optional<CustomColor>(*c) : std::nullopt);
}

void Document::KeepFrame() {
  if (undoLimit_ != 0 && !pending_.frame) pending_.frame = state_.frame;
}

namespace {

// Puts `kept` in the map under `key` (removes the entry when none) and
// leaves the value it replaced in `kept`.
template <typename Map, typename Key, typename Value>
void SwapEntry(Map& map, Key key, std::optional<Value>& kept) {
  std::optional<Value> now;
  if (auto it = map.find(key); it != map.end()) {
    now = std::move(it->second);
    map.erase(it);
  }
  if (kept) map.emplace(key, std::move(*kept));
  kept = std::move(now);
}

}  // namespace

void Document::Apply(Change& change) {
  for (auto& [id, art] : change.arts) SwapEntry(state_.arts, id, art);
  for (auto& [id, layer] : change.layers) SwapEntry(state_.layers, id, layer);
  for (auto& [id, color] : change.customColors) SwapEntry(state_.customColors, id, color);
  if (change.frame) std::swap(*change.frame, state_.frame);
}

void Document::SetUndoLimit(std::size_t steps) {
  undoLimit_ = steps;
  if (steps == 0) pending_ = {};
  while (undo_.size() > steps) undo_.pop_front();
  while (redo_.size() > steps) redo_.pop_front();
}

void Document::SetUndoText(std::string undoText, std::string redoText) {
  pendingUndoText_ = std::move(undoText);
  pendingRedoText_ = std::move(redoText);
}

void Document::CommitStep(std::string undoText, std::string redoText) {
  if (!dirty_) return;
  if (undoText.empty() && redoText.empty()) {
    undoText = std::move(pendingUndoText_);
    redoText = std::move(pendingRedoText_);
  }
  pendingUndoText_.clear();
  pendingRedoText_.clear();
  dirty_ = false;
  redo_.clear();
  if (undoLimit_ == 0) return;
  undo_.push_back({std::move(pending_), std::move(undoText), std::move(redoText)});
  pending_ = {};
  if (undo_.size() > undoLimit_) undo_.pop_front();
}

bool Document::CanUndo() const { return (dirty_ && undoLimit_ != 0) || !undo_.empty(); }

bool Document::Undo() {
  CommitStep();
  if (undo_.empty()) return false;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  Apply(step.change);
  redo_.push_back(std::move(step));
  return true;
}

bool Document::Redo() {
  if (redo_.empty() || dirty_) return false;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  Apply(step.change);
  undo_.push_back(std::move(step));
  return true;
}

void Document::ClearUndo() {
  undo_.clear();
  redo_.clear();
  pending_ = {};
  dirty_ = false;
  pendingUndoText_.clear();
  pendingRedoText_.clear();
}

std::string Document::UndoText() const {
  if (dirty_) return pendingUndoText_;
  return undo_.empty() ? std::string{} : undo_.back().undoText;
}

std::string Document::RedoText() const { return redo_.empty() ? std::string{} : redo_.back().redoText; }

}  // namespace workbench::document
