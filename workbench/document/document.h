// The host's in-memory document: layers, the art tree, styles, tags, colours
// and the undo stack. Coordinates are document points with y up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "workbench/document/art.h"
#include "workbench/document/color.h"
#include "workbench/document/handles.h"
#include "workbench/document/path_style.h"
#include "workbench/document/rect.h"
#include "workbench/geometry/path_segment.h"

namespace workbench::document {

/// Where new, duplicated or inserted objects go relative to a reference.
enum class PaintOrder {
  kPlaceAbove,           ///< directly above the reference, in its parent.
  kPlaceBelow,           ///< directly below the reference, in its parent.
  kPlaceInsideOnTop,     ///< first child of the reference group.
  kPlaceInsideOnBottom,  ///< last child of the reference group.
  kPlaceAboveAll,        ///< layers only: above every layer.
  kPlaceBelowAll,        ///< layers only: below every layer.
};

/// One layer. Read it through Document::FindLayer.
struct Layer {
  std::string title;
  /// False when the layer is locked.
  bool editable = true;
  bool visible = true;
  /// The layer's top group, which holds all its art.
  ArtId group;
  ForeignData foreign;

  friend bool operator==(const Layer&, const Layer&) = default;
};

/// The page a file format places the document on, in points.
struct Page {
  double width = 612.0;
  double height = 792.0;

  friend bool operator==(const Page&, const Page&) = default;
};

/// A document. Every object is named by a handle (ArtId, LayerId,
/// CustomColorId); a handle of an object that no longer exists makes every
/// lookup give none (nullptr, an empty handle, std::nullopt or false), never
/// undefined behaviour. Handles survive undo and redo.
///
/// Paint order: layers are listed from the top, and a group's children from
/// the top. Selection: locked art is never selected; locking deselects it.
///
/// Undo: every change edits the current state; CommitStep records the
/// changes since the previous step as one undoable step. A step keeps the
/// earlier values of only the objects it changed, and at most UndoLimit()
/// steps are kept, so the history's memory follows the size of the edits,
/// not the number of steps times the size of the document.
class Document {
 public:
  /// An empty document with one layer, "Layer 1", which is current.
  Document();
  /// An empty document without layers.
  static Document Empty();

  // ---- Page and file-format data -----------------------------------------

  const Page& GetPage() const { return state_.frame.page; }
  void SetPage(const Page& page);
  /// Document-level data a file format kept (root attributes, unknown
  /// top-level elements as `markup` joined in file order).
  const ForeignData& Foreign() const { return state_.frame.foreign; }
  void SetForeign(ForeignData data);

  // ---- Layers -------------------------------------------------------------

  std::size_t LayerCount() const { return state_.frame.layerOrder.size(); }
  /// The n-th layer from the top; none when out of range.
  LayerId LayerAt(std::size_t index) const;
  /// Position from the top (0 = topmost); none for a stale handle.
  std::optional<std::size_t> LayerIndex(LayerId layer) const;
  /// The topmost layer whose title equals `title` exactly; none if absent.
  LayerId FindLayerByTitle(std::string_view title) const;
  /// The layer, or nullptr for a stale handle.
  const Layer* FindLayer(LayerId layer) const;
  /// A new, empty, editable and visible layer with its top group. `order`
  /// is kPlaceAbove / kPlaceBelow relative to `reference`, or kPlaceAboveAll
  /// / kPlaceBelowAll (reference ignored). None when the reference is stale
  /// or the order is one of the "inside" orders.
  LayerId InsertLayer(std::string title, PaintOrder order = PaintOrder::kPlaceAboveAll,
                      LayerId reference = {});
  /// Removes the layer and all its art. When it was current, the topmost
  /// remaining layer becomes current. False for a stale handle.
  bool DeleteLayer(LayerId layer);
  bool SetLayerTitle(LayerId layer, std::string title);
  /// Locks (false) or unlocks (true) the layer. Locking deselects its art.
  bool SetLayerEditable(LayerId layer, bool editable);
  bool SetLayerVisible(LayerId layer, bool visible);
  bool SetLayerForeign(LayerId layer, ForeignData data);
  /// The layer new art goes to by default; none when there are no layers.
  LayerId CurrentLayer() const { return state_.frame.currentLayer; }
  bool SetCurrentLayer(LayerId layer);
  /// The layer's top group (its "first art"); none for a stale handle.
  ArtId LayerGroup(LayerId layer) const;
  /// Every art of the layer below its top group, depth first in paint
  /// order from the top (a group before its children).
  std::vector<ArtId> AllArtOfLayer(LayerId layer) const;
  /// Selects every art of the layer that is neither locked nor inside
  /// locked art; selects nothing on a locked layer.
  bool SelectAllOnLayer(LayerId layer);
  bool DeselectAllOnLayer(LayerId layer);

  // ---- Art tree -----------------------------------------------------------

  /// The art, or nullptr for a stale handle.
  const Art* FindArt(ArtId art) const;
  bool IsValid(ArtId art) const { return FindArt(art) != nullptr; }
  std::optional<ArtType> TypeOf(ArtId art) const;
  /// The layer holding the art (following parents to a top group); none
  /// for a stale handle.
  LayerId LayerOfArt(ArtId art) const;
  /// The enclosing group or compound path; none for a top group.
  ArtId ParentOf(ArtId art) const;
  /// Children from the top; empty for leaves and stale handles.
  std::vector<ArtId> ChildrenOf(ArtId art) const;

  /// New empty art of `type` placed by `order` relative to `reference`
  /// (kPlaceInsideOnTop/-Bottom need a group or, for paths, a compound
  /// path). A new path has no segments and the default style. None when the
  /// reference is stale, is the wrong kind, or the order is a layer order.
  ArtId NewArt(ArtType type, PaintOrder order, ArtId reference);
  /// A new path with the given segments as the first child of `group`.
  ArtId NewPath(ArtId group, std::vector<geometry::PathSegment> segments, bool closed,
                const PathStyle& style = {});
  /// A deep copy of `art` (children, style, tags, selected and locked
  /// attributes) placed by `order` relative to `reference`. The copy shares
  /// nothing with its original but the file form it was read with, and gets
  /// new handles; its `foreign.sourceId` is cleared so that ids stay unique,
  /// and its `foreign.leading` so that comments are not doubled. None on a
  /// stale handle or a
  /// reference that cannot take the order.
  ArtId Duplicate(ArtId art, PaintOrder order, ArtId reference);
  /// Removes the art and its descendants. A layer's top group cannot be
  /// disposed. False for a stale handle or a top group.
  bool Dispose(ArtId art);
  /// Moves the art to a new place in the tree (same rules as NewArt).
  bool Reorder(ArtId art, PaintOrder order, ArtId reference);

  bool SetName(ArtId art, std::string name);
  /// Selecting locked art does nothing and gives false. Selecting or
  /// deselecting a group or compound path does the same to its descendants.
  bool SetSelected(ArtId art, bool selected);
  /// Locking also deselects the art and its descendants.
  bool SetLocked(ArtId art, bool locked);
  bool SetHidden(ArtId art, bool hidden);
  bool SetShowCenterPoint(ArtId art, bool show);
  bool SetPlaced(ArtId art, PlacedData data);
  bool SetArtForeign(ArtId art, ForeignData data);
  /// Bounds of the art's geometry (curve extrema, not handles; strokes not
  /// included), in points with y up; groups unite their children. None for
  /// stale handles and for art without geometry (empty paths, groups).
  std::optional<Rect> Bounds(ArtId art) const;

  // ---- Paths --------------------------------------------------------------

  /// The segments of a path; nullptr unless `art` is a live path.
  const std::vector<geometry::PathSegment>* Segments(ArtId art) const;
  std::optional<std::size_t> SegmentCount(ArtId art) const;
  /// Replaces all segments.
  bool SetSegments(ArtId art, std::vector<geometry::PathSegment> segments);
  /// Overwrites segments [index, index + segments.size()); false when
  /// they do not all exist.
  bool SetSegments(ArtId art, std::size_t index, const std::vector<geometry::PathSegment>& segments);
  /// Inserts segments so that the first of them lands at position `index`
  /// (0 = before all, count = after all).
  bool InsertSegments(ArtId art, std::size_t index, const std::vector<geometry::PathSegment>& segments);
  /// Deletes `count` segments starting at `index`.
  bool DeleteSegments(ArtId art, std::size_t index, std::size_t count);
  std::optional<bool> IsClosed(ArtId art) const;
  bool SetClosed(ArtId art, bool closed);
  /// Signed area in square points, positive when clockwise with y up (the
  /// enclosed area to the right of the direction). A compound path sums its
  /// members. None unless `art` is a live path or compound path.
  std::optional<double> SignedArea(ArtId art) const;
  /// Reverses the order of the path's segments (each anchor's handles swapped).
  bool ReversePath(ArtId art);

  // ---- Styles -------------------------------------------------------------

  /// The style of a path or compound path; none otherwise.
  std::optional<PathStyle> GetPathStyle(ArtId art) const;
  /// Sets the style of a path or compound path (a compound path passes it
  /// on to its member paths).
  bool SetPathStyle(ArtId art, const PathStyle& style);

  // ---- Tags ---------------------------------------------------------------

  /// The value of the tag `name`, byte for byte; none when absent.
  std::optional<std::string> GetTag(ArtId art, std::string_view name) const;
  /// Sets a tag; any bytes, including the empty string, are a value.
  bool SetTag(ArtId art, std::string name, std::string value);
  /// Removes a tag; false when it was not there.
  bool RemoveTag(ArtId art, std::string_view name);
  /// All tags of the art, by name; empty for a stale handle.
  std::map<std::string, std::string> Tags(ArtId art) const;

  // ---- Colours and swatches -----------------------------------------------

  CustomColorId NewCustomColor(CustomColor color);
  const CustomColor* FindCustomColor(CustomColorId id) const;
  /// The custom colour named `name`; none if absent.
  CustomColorId FindCustomColorByName(std::string_view name) const;
  bool SetCustomColor(CustomColorId id, CustomColor color);
  bool DeleteCustomColor(CustomColorId id);
  /// Custom colours in creation order.
  std::vector<CustomColorId> CustomColors() const;
  const std::vector<Swatch>& Swatches() const { return state_.frame.swatches; }
  void AddSwatch(Swatch swatch);
  /// The first swatch named `name`; none if absent.
  std::optional<Swatch> FindSwatch(std::string_view name) const;
  bool RemoveSwatch(std::size_t index);

  // ---- Selection ----------------------------------------------------------

  /// Every selected path, compound-path members included, in document
  /// paint order from the top.
  std::vector<ArtId> SelectedPaths() const;
  /// Every selected art of any kind, in document paint order from the top.
  std::vector<ArtId> SelectedArt() const;
  void DeselectAll();

  // ---- Undo ---------------------------------------------------------------

  /// The number of undoable steps kept unless SetUndoLimit says otherwise.
  static constexpr std::size_t kDefaultUndoLimit = 100;
  /// Keeps at most `steps` undoable steps, forgetting the oldest ones beyond
  /// it (and the redo list when it is longer). 0 keeps no history at all:
  /// changes are then not recorded, and nothing can be undone.
  void SetUndoLimit(std::size_t steps);
  std::size_t UndoLimit() const { return undoLimit_; }
  /// The number of steps Undo can revert now (pending changes not counted).
  std::size_t UndoSteps() const { return undo_.size(); }

  /// Records the changes since the previous step as one undoable step with
  /// the texts a menu shows; clears the redo list. Does nothing when
  /// nothing changed.
  void CommitStep(std::string undoText = {}, std::string redoText = {});
  /// Sets the texts of the step being made (taken by the next CommitStep
  /// when it passes none).
  void SetUndoText(std::string undoText, std::string redoText);
  /// True when there are changes not yet committed as a step.
  bool HasPendingChanges() const { return dirty_; }
  bool CanUndo() const;
  bool CanRedo() const { return !redo_.empty(); }
  /// Returns to the state before the last step (pending changes are
  /// committed first as their own step). False when there is nothing to undo.
  bool Undo();
  /// Restores the step last undone. False when there is none or when
  /// changes are pending (they would be lost).
  bool Redo();
  /// Forgets every step and pending change: the current state becomes the
  /// base that nothing undoes (used after opening a file).
  void ClearUndo();
  /// Texts of the step Undo would revert and Redo would restore; empty
  /// when none.
  std::string UndoText() const;
  std::string RedoText() const;

 private:
  // What is not kept per object: small, so a step that changes any of it
  // keeps all of it.
  struct Frame {
    Page page;
    ForeignData foreign;
    PaintList<LayerId> layerOrder;
    LayerId currentLayer;
    std::vector<CustomColorId> customColorOrder;
    std::vector<Swatch> swatches;
  };
  struct State {
    Frame frame;
    std::unordered_map<ArtId, Art> arts;
    std::unordered_map<LayerId, Layer> layers;
    std::unordered_map<CustomColorId, CustomColor> customColors;
  };
  // The other side of a step: for each object the step changed, its value
  // (none: it did not exist) before the step when the step is on the undo
  // list, after it when on the redo list. Applying a step swaps these with
  // the current values, which turns an undo step into its redo step.
  struct Change {
    std::unordered_map<ArtId, std::optional<Art>> arts;
    std::unordered_map<LayerId, std::optional<Layer>> layers;
    std::unordered_map<CustomColorId, std::optional<CustomColor>> customColors;
    std::optional<Frame> frame;
  };
  struct Step {
    Change change;
    std::string undoText;
    std::string redoText;
  };

  // Record an object's value before its first change since the last step.
  void Keep(ArtId art);
  void KeepLayer(LayerId layer);
  void KeepColor(CustomColorId color);
  void KeepFrame();
  /// The art, recorded for undo before the caller changes it.
  Art& EditArt(ArtId art);
  void Apply(Change& change);
  Art* MutableArt(ArtId art);
  Layer* MutableLayer(LayerId layer);
  void Touch() { dirty_ = true; }
  void Detach(ArtId art);
  bool Attach(ArtId art, PaintOrder order, ArtId reference);
  bool IsInside(ArtId art, ArtId ancestor) const;
  ArtId CopyTree(ArtId art, ArtId parent);
  void Erase(ArtId art);
  void CollectArt(ArtId art, std::vector<ArtId>& out) const;
  void SetSelectedTree(ArtId art, bool selected);
  std::optional<Rect> BoundsOf(const Art& art) const;

  State state_;
  Change pending_;
  bool dirty_ = false;
  std::uint64_t nextId_ = 1;
  std::size_t undoLimit_ = kDefaultUndoLimit;
  std::deque<Step> undo_;
  std::deque<Step> redo_;
  std::string pendingUndoText_;
  std::string pendingRedoText_;
};

}  // namespace workbench::document
