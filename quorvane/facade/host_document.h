// The module's view of the host document: every document operation the
// module performs, over the acquired suites. The rest of the module calls
// this class, never a suite pointer. Coordinates are document points, y up.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "quorvane/facade/host_suites.h"
#include "quorvane/facade/scratch_block.h"
#include "sdk/errors.h"
#include "sdk/messages.h"

namespace quorvane::host {

/// A path segment as the host stores it: anchor `p`, handles `in` and
/// `out`, corner flag. Indices of segments start at 0.
using PathSegment = QvPathSegment;

/// A handle to art of the host document. The default names nothing.
struct ArtRef {
  QvArtHandle handle = nullptr;
  explicit operator bool() const { return handle != nullptr; }
  friend bool operator==(const ArtRef&, const ArtRef&) = default;
};

/// A handle to a layer of the host document. The default names nothing.
struct LayerRef {
  QvLayerHandle handle = nullptr;
  explicit operator bool() const { return handle != nullptr; }
  friend bool operator==(const LayerRef&, const LayerRef&) = default;
};

enum class PaintOrder : std::int32_t {
  kAbove = kQvPlaceAbove,
  kBelow = kQvPlaceBelow,
  kInsideOnTop = kQvPlaceInsideOnTop,
  kInsideOnBottom = kQvPlaceInsideOnBottom,
};

/// The text every failed scratch allocation is reported with.
inline constexpr const char* kAllocationFailedTag = "failed in allocating memory";

class HostDocument;

/// A parameter block for playing an action; deleted with its owner.
class ActionParams {
 public:
  ActionParams(ActionParams&& other) noexcept
      : suite_(other.suite_), ref_(std::exchange(other.ref_, nullptr)) {}
  ActionParams& operator=(ActionParams&&) = delete;
  ActionParams(const ActionParams&) = delete;
  ~ActionParams();

  /// A real with its four-character unit ('#Pxl' for points).
  QvErr SetUnitReal(QvActionKey key, QvActionKey unit, double value);
  QvErr SetReal(QvActionKey key, double value);
  QvErr SetInteger(QvActionKey key, std::int32_t value);
  QvErr SetEnumerated(QvActionKey key, std::string_view name, std::int32_t value);
  QvActionParamValueRef Ref() const { return ref_; }

 private:
  friend class HostDocument;
  ActionParams(const QvActionManagerSuite* suite, QvActionParamValueRef ref) : suite_(suite), ref_(ref) {}
  const QvActionManagerSuite* suite_;
  QvActionParamValueRef ref_;
};

/// Every operation returns a host error code (0 success) or an optional
/// that is none on failure; LastError() then gives the code. No operation
/// throws.
class HostDocument {
 public:
  explicit HostDocument(const HostSuites& suites) : s_(suites) {}

  /// The code of the last failed operation (0 after a success).
  QvErr LastError() const { return lastError_; }

  // ---- Blocks -----------------------------------------------------------

  /// The host's allocator as a pair, for services that allocate results.
  QvAllocatorPair Allocator() const;
  /// `count` zeroed values of T from the host's allocator, released when
  /// the array goes. None when the host has no memory for it.
  template <typename T>
  std::optional<ScratchArray<T>> AllocateArray(std::size_t count) {
    auto block = AllocateBlock(static_cast<std::int64_t>(count * sizeof(T)));
    if (!block) return std::nullopt;
    return ScratchArray<T>(std::move(*block), count);
  }
  std::optional<ScratchBlock> AllocateBlock(std::int64_t size);

  // ---- Layers (listed from the top) --------------------------------------

  std::optional<int> LayerCount();
  std::optional<LayerRef> NthLayer(int index);
  /// The topmost layer titled exactly `title`; none when absent (then
  /// LastError() is 0) or on failure.
  std::optional<LayerRef> FindLayer(std::string_view title);
  /// A new layer above (or below) `reference`; a null reference means
  /// above (below) all layers.
  std::optional<LayerRef> InsertLayer(LayerRef reference, PaintOrder order = PaintOrder::kAbove);
  QvErr DeleteLayer(LayerRef layer);
  std::optional<std::string> LayerTitle(LayerRef layer);
  QvErr SetLayerTitle(LayerRef layer, std::string_view title);
  std::optional<LayerRef> CurrentLayer();
  QvErr SetCurrentLayer(LayerRef layer);
  std::optional<bool> IsLayerEditable(LayerRef layer);
  QvErr SetLayerEditable(LayerRef layer, bool editable);
  QvErr DeselectAllOnLayer(LayerRef layer);
  /// Selects every unlocked art of the layer.
  QvErr SelectAllOnLayer(LayerRef layer);
  /// Every art of the layer below its top group, from the top.
  std::optional<std::vector<ArtRef>> AllArtOfLayer(LayerRef layer);

  // ---- Art --------------------------------------------------------------

  /// A new, empty path placed by `order` relative to `prep` (a null prep
  /// places it on top of the current layer).
  std::optional<ArtRef> NewPath(PaintOrder order, ArtRef prep);
  std::optional<ArtRef> NewArt(std::int32_t type, PaintOrder order, ArtRef prep);
  QvErr Dispose(ArtRef art);
  /// An independent copy, keeping the original's selected attribute.
  std::optional<ArtRef> Duplicate(ArtRef art, PaintOrder order, ArtRef prep);
  /// The layer's top group, where its art lives.
  std::optional<ArtRef> LayerGroup(LayerRef layer);
  std::optional<LayerRef> LayerOf(ArtRef art);
  /// A QvArtType.
  std::optional<std::int32_t> ArtType(ArtRef art);
  bool IsValid(ArtRef art);
  std::optional<std::vector<ArtRef>> Children(ArtRef group);
  std::optional<bool> IsSelected(ArtRef art);
  /// Selecting locked art is ignored by the host.
  QvErr SetSelected(ArtRef art, bool selected);
  std::optional<bool> IsLocked(ArtRef art);
  /// Locking deselects.
  QvErr SetLocked(ArtRef art, bool locked);
  std::optional<QvRealRect> Bounds(ArtRef art);
  QvErr SetShowCenter(ArtRef art, bool show);
  std::optional<std::string> ArtName(ArtRef art);
  QvErr SetArtName(ArtRef art, std::string_view name);

  // ---- Paths ------------------------------------------------------------

  std::optional<int> SegmentCount(ArtRef path);
  std::optional<std::vector<PathSegment>> Segments(ArtRef path);
  /// Replaces all segments of the path.
  QvErr SetSegments(ArtRef path, const std::vector<PathSegment>& segments);
  std::optional<bool> IsClosed(ArtRef path);
  QvErr SetClosed(ArtRef path, bool closed);
  /// Positive when the enclosed area lies to the right of the direction
  /// (clockwise with y up).
  std::optional<double> SignedArea(ArtRef path);
  QvErr Reverse(ArtRef path);
  /// The cubic leaving segment `index`.
  std::optional<QvRealBezier> Bezier(ArtRef path, int index);

  // ---- Styles and tags ----------------------------------------------------

  std::optional<QvPathStyle> Style(ArtRef art);
  QvErr SetStyle(ArtRef art, const QvPathStyle& style);
  /// Copies stroke and fill of `from` onto `to`.
  QvErr CopyStyle(ArtRef from, ArtRef to);
  /// Any bytes, zero bytes included.
  QvErr SetTag(ArtRef art, std::string_view name, std::string_view value);
  /// None when the art has no such tag (LastError() kQvErrNoSuchTag).
  std::optional<std::string> Tag(ArtRef art, std::string_view name);
  QvErr RemoveTag(ArtRef art, std::string_view name);

  // ---- Point text -----------------------------------------------------------

  /// New point text placed by `order` relative to `prep` (a null prep places
  /// it on top of the current layer): one line of UTF-8 `text` reading to the
  /// right from `anchor`, its baseline through it, `fontSize` points high,
  /// filled with `color`.
  std::optional<ArtRef> NewPointText(PaintOrder order, ArtRef prep, QvRealPoint anchor, std::string_view text,
                                     double fontSize, const QvColor& color);
  /// The characters of text art.
  std::optional<std::string> Text(ArtRef text);
  /// Points.
  std::optional<double> FontSize(ArtRef text);
  /// The start of the first line's baseline.
  std::optional<QvRealPoint> TextAnchor(ArtRef text);
  std::optional<QvColor> TextColor(ArtRef text);

  // ---- Custom colours and swatches ----------------------------------------

  /// The document's custom colour named exactly `name`: a null handle when
  /// there is none, none on failure.
  std::optional<QvCustomColorHandle> FindCustomColor(std::string_view name);
  /// A new custom colour; `color` must be gray, CMYK or RGB.
  std::optional<QvCustomColorHandle> NewCustomColor(const QvColor& color, bool spot, std::string_view name);
  std::optional<int> SwatchCount();
  /// The name and colour of swatch `index` (from 0).
  std::optional<std::pair<std::string, QvColor>> NthSwatch(int index);
  /// Appends a swatch at the end of the list.
  QvErr AddSwatch(std::string_view name, const QvColor& color);

  // ---- Selection ----------------------------------------------------------

  /// Selected paths (compound-path members included), from the top.
  std::optional<std::vector<ArtRef>> SelectedPaths();
  /// Every selected art object, from the top.
  std::optional<std::vector<ArtRef>> SelectedArt();

  // ---- User, undo, document, folders --------------------------------------

  /// A modal alert; returns when the user has closed it.
  QvErr Alert(std::string_view message);
  QvErr ErrorAlert(std::string_view message);
  /// A yes/no question: true for yes; none when it could not be asked.
  std::optional<bool> Ask(std::string_view question);
  QvErr SetUndoText(std::string_view undoText, std::string_view redoText);
  /// {text of the step Undo would revert, text of the step Redo would
  /// restore}; each empty when there is none.
  std::optional<std::pair<std::string, std::string>> UndoTexts();
  QvErr Redraw();
  std::optional<std::string> PreferencesFolder();

  // ---- Actions and pathfinder ---------------------------------------------

  std::optional<ActionParams> NewActionParams();
  /// Plays an action event (a QvActionDialogMode; dialogs off by default).
  QvErr PlayAction(std::string_view eventName, const ActionParams* params, std::int32_t dialogMode = kQvDialogOff);
  /// Pathfinder on `art`, or on the selection when `art` is empty.
  QvErr PathfinderDivide(const std::vector<ArtRef>& art, double precision, bool removeRedundantPoints = false);
  QvErr PathfinderIntersect(const std::vector<ArtRef>& art, double precision, bool removeRedundantPoints = false);
  QvErr PathfinderUnite(const std::vector<ArtRef>& art, double precision, bool removeRedundantPoints = false);

  // ---- Geometry services --------------------------------------------------

  /// Flattens segments (an open run: repeat the first at the end to close
  /// it) within `flatness` points and steps of at most `maxStep` points (0:
  /// no limit); the points live in the host's allocator.
  std::optional<ScratchArray<QvOutlinePoint>> SegmentsToPoints(const std::vector<PathSegment>& segments,
                                                               double flatness, double maxStep);
  QvErr OptimizePath(ArtRef path, double tolerance);
  /// What lies under `p`: nothing hit is a result with kind kQvHitNothing.
  std::optional<QvHitResult> HitTest(QvRealPoint p, double tolerance, std::int32_t request, ArtRef art = {});
  /// Transforms art (QvTransformFlags; stroke widths times `lineScale`).
  QvErr Transform(ArtRef art, const QvRealMatrix& matrix, double lineScale, std::int32_t flags);
  /// Scaling by `factor` about `center`: translate by -center, scale, translate back.
  std::optional<QvRealMatrix> ScaleAbout(QvRealPoint center, double factor);
  std::optional<double> Distance(QvRealPoint a, QvRealPoint b);
  std::optional<double> Sqrt(double value);
  std::optional<QvRealPoint> BezierPoint(const QvRealBezier& bezier, double t);

 private:
  QvErr Note(QvErr err) {
    lastError_ = err;
    return err;
  }
  template <typename Suite, typename Fn, typename... Args>
  QvErr Call(const Suite* suite, Fn Suite::*fn, Args... args) {
    if (suite == nullptr || suite->*fn == nullptr) return Note(kQvErrSuiteNotFound);
    return Note((suite->*fn)(args...));
  }
  std::optional<std::vector<ArtRef>> TakeList(QvErr err, QvArtHandle* list, std::int32_t count);
  QvErr Pathfinder(QvErr (*QvPathfinderSuite::*fn)(const QvPathfinderData*), const std::vector<ArtRef>& art,
                   double precision, bool removeRedundantPoints);

  HostSuites s_;
  QvErr lastError_ = kQvNoErr;
};

}  // namespace quorvane::host
