// The markers of the point-picking tool on Work Layer 1: a number beside
// every anchor of the source path, and a dot with its label at every point
// the working set's commands use.
#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "quorvane/commands/command.h"
#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/work_layers.h"
#include "quorvane/panel/panel_controls.h"
#include "quorvane/panel/point_picking_tool.h"

namespace quorvane::panel {

namespace {

/// The "Font size :" field's value before the user changes it, in points.
constexpr double kDefaultMarkerFontSize = 9.0;
/// The dot's radius and the label's offset from the point, as shares of the
/// font size.
constexpr double kMarkerRadiusPerFontSize = 2.0 / 9.0;
constexpr double kLabelOffsetPerFontSize = 2.0 / 9.0;
/// Handle length of a quarter circle of radius 1 drawn as one cubic.
constexpr double kQuarterCircleHandle = 552.2766 / 1000.0;
/// Every marker's name begins with it; a dot's name ends in kDotSuffix.
constexpr std::string_view kMarkerPrefix = "trevask-";
constexpr std::string_view kDotSuffix = "-c";

/// Dots and labels share one colour, a red that stands out from the black
/// finish line and the preview.
QvColor MarkerColor() {
  QvColor color{};
  color.kind = kQvColorRgb;
  color.red = 1.0;
  return color;
}

std::string LabelName(std::string_view label) { return std::string(kMarkerPrefix) + std::string(label); }
std::string DotName(std::string_view label) { return LabelName(label) + std::string(kDotSuffix); }

/// Work Layer 1 when it exists; its handle in the run state follows it.
std::optional<host::LayerRef> MarkerLayer(PanelContext& ctx) {
  host::LayerRef& stored = ctx.Run().workLayer1;
  if (stored && ctx.doc.LayerTitle(stored)) return stored;
  const std::optional<host::LayerRef> found = ctx.doc.FindLayer(generation::kWorkLayer1Title);
  if (!found || !*found) return std::nullopt;
  stored = *found;
  return stored;
}

/// A closed circle of four smooth cubic segments, clockwise from the top.
std::vector<host::PathSegment> CircleSegments(QvRealPoint centre, double radius) {
  const double k = radius * kQuarterCircleHandle;
  const double x = centre.h;
  const double y = centre.v;
  auto smooth = [](QvRealPoint p, QvRealPoint in, QvRealPoint out) {
    host::PathSegment s{};
    s.p = p;
    s.in = in;
    s.out = out;
    s.corner = 0;
    return s;
  };
  return {
      smooth({x, y + radius}, {x - k, y + radius}, {x + k, y + radius}),
      smooth({x + radius, y}, {x + radius, y + k}, {x + radius, y - k}),
      smooth({x, y - radius}, {x + k, y - radius}, {x - k, y - radius}),
      smooth({x - radius, y}, {x - radius, y - k}, {x - radius, y + k}),
  };
}

void DrawDot(PanelContext& ctx, host::ArtRef group, QvRealPoint centre, double radius, std::string_view label) {
  const std::optional<host::ArtRef> dot = ctx.doc.NewPath(host::PaintOrder::kInsideOnTop, group);
  if (!dot) return;
  ctx.doc.SetSegments(*dot, CircleSegments(centre, radius));
  ctx.doc.SetClosed(*dot, true);
  QvPathStyle style{};
  style.fillPaint = 1;
  style.fill.color = MarkerColor();
  style.strokePaint = 0;
  style.stroke.color = MarkerColor();
  style.stroke.width = 1.0;
  style.stroke.miterLimit = 4.0;
  ctx.doc.SetStyle(*dot, style);
  ctx.doc.SetShowCenter(*dot, true);
  ctx.doc.SetArtName(*dot, DotName(label));
}

/// The point of the source path at anchor `number` (t = 0) or inside
/// segment `number` at `t`; numbers count from 1.
std::optional<QvRealPoint> SourcePoint(PanelContext& ctx, int number, float t, int segmentCount) {
  const host::ArtRef source = ctx.Run().sourcePath;
  const int index = (number - 1) % segmentCount;
  if (t == 0.0f) {
    const std::optional<std::vector<host::PathSegment>> segments = ctx.doc.Segments(source);
    if (!segments || index >= static_cast<int>(segments->size())) return std::nullopt;
    return (*segments)[static_cast<std::size_t>(index)].p;
  }
  const std::optional<QvRealBezier> bezier = ctx.doc.Bezier(source, index);
  if (!bezier) return std::nullopt;
  return ctx.doc.BezierPoint(*bezier, t);
}

}  // namespace

double MarkerFontSize(PanelContext& ctx) {
  const std::optional<std::string> text = ctx.ui.Text(ctx.State().window, kFontSizeField);
  if (!text || text->empty()) return kDefaultMarkerFontSize;
  double size = 0.0;
  const char* end = text->data() + text->size();
  const auto [stop, error] = std::from_chars(text->data(), end, size);
  if (error != std::errc() || stop == text->data() || !(size > 0.0)) return kDefaultMarkerFontSize;
  return size;
}

namespace {

// A marker on Work Layer 1, which the caller has made editable.
void DrawMarkerOnOpenLayer(PanelContext& ctx, int number, float t, std::string_view label, bool withCircle) {
  const host::ArtRef source = ctx.Run().sourcePath;
  if (!source) return;
  const int segmentCount = ctx.doc.SegmentCount(source).value_or(0);
  if (segmentCount < 1 || number < 1 || static_cast<double>(number) + t > segmentCount + 1) return;
  const std::optional<host::LayerRef> layer = MarkerLayer(ctx);
  if (!layer) return;
  const std::optional<host::ArtRef> group = ctx.doc.LayerGroup(*layer);
  const std::optional<QvRealPoint> point = SourcePoint(ctx, number, t, segmentCount);
  if (!group || !point) return;

  const double fontSize = MarkerFontSize(ctx);
  if (withCircle) DrawDot(ctx, *group, *point, kMarkerRadiusPerFontSize * fontSize, label);
  const double offset = kLabelOffsetPerFontSize * fontSize;
  const QvRealPoint anchor{point->h + offset, point->v + offset};
  if (auto text = ctx.doc.NewPointText(host::PaintOrder::kInsideOnTop, *group, anchor, label, fontSize, MarkerColor())) {
    ctx.doc.SetArtName(*text, LabelName(label));
  }
}

// Work Layer 1 is editable only while markers are drawn on it. A redraw
// opens it once for all its markers: closing a layer deselects everything
// on it, a walk over the whole layer, so closing it after each marker made
// a redraw grow with the square of the markers.
class OpenMarkerLayer {
 public:
  explicit OpenMarkerLayer(PanelContext& ctx) : ctx_(ctx), layer_(MarkerLayer(ctx)) {
    if (layer_) ctx_.doc.SetLayerEditable(*layer_, true);
  }
  ~OpenMarkerLayer() {
    if (layer_) ctx_.doc.SetLayerEditable(*layer_, false);
  }
  OpenMarkerLayer(const OpenMarkerLayer&) = delete;
  OpenMarkerLayer& operator=(const OpenMarkerLayer&) = delete;

 private:
  PanelContext& ctx_;
  std::optional<host::LayerRef> layer_;
};

}  // namespace

void DrawMarker(PanelContext& ctx, int number, float t, std::string_view label, bool withCircle) {
  OpenMarkerLayer open(ctx);
  DrawMarkerOnOpenLayer(ctx, number, t, label, withCircle);
}

void DrawAnchorNumbers(PanelContext& ctx) {
  if (!MarkerLayer(ctx)) return;
  // Clearing replaces the layer; the run state's handle follows it.
  if (generation::ClearLayer(ctx.doc, ctx.Run().workLayer1)) return;
  const host::ArtRef source = ctx.Run().sourcePath;
  if (!source) return;
  // Anchors are numbered in the order the generators read the path.
  generation::MakeOrientationPositive(ctx.doc, source);
  const int count = ctx.doc.SegmentCount(source).value_or(0);
  OpenMarkerLayer open(ctx);
  for (int anchor = 1; anchor <= count; ++anchor) DrawMarkerOnOpenLayer(ctx, anchor, 0.0f, std::to_string(anchor), false);
}

void RedrawCommandMarkers(PanelContext& ctx) {
  DrawAnchorNumbers(ctx);
  const commands::CCommandSet& set = ctx.globals.workingSet;
  OpenMarkerLayer open(ctx);
  for (int i = 0; i < set.GetCommandCount(); ++i) {
    std::string texts[2];
    const int used = set.GetCommandPoints(i, texts[0], texts[1]);
    for (int slot = 0; slot < used && slot < 2; ++slot) {
      const std::string& text = texts[slot];
      const std::optional<commands::ResolvedPoint> point = set.ResolvePoint(text);
      if (!point) continue;
      // An anchor is labelled by its number, a line point by its letter.
      const bool anchor = point->kind == commands::ResolvedPoint::Kind::kAnchor;
      const std::string label = anchor ? text : text.substr(0, 1);
      DrawMarkerOnOpenLayer(ctx, point->segment, point->t, label, true);
    }
  }
}

void RemoveMarker(PanelContext& ctx, std::string_view label, bool both) {
  const std::optional<host::LayerRef> layer = MarkerLayer(ctx);
  if (!layer) return;
  ctx.doc.SetLayerEditable(*layer, true);
  const std::string dotName = DotName(label);
  const std::string labelName = LabelName(label);
  bool dotGone = false;
  bool labelGone = !both;
  for (host::ArtRef art : ctx.doc.AllArtOfLayer(*layer).value_or(std::vector<host::ArtRef>{})) {
    const std::optional<std::string> name = ctx.doc.ArtName(art);
    if (!name) continue;
    if (!dotGone && *name == dotName) {
      ctx.doc.Dispose(art);
      dotGone = true;
    } else if (!labelGone && *name == labelName) {
      ctx.doc.Dispose(art);
      labelGone = true;
    }
    if (dotGone && labelGone) break;
  }
  ctx.doc.SetLayerEditable(*layer, false);
}

}  // namespace quorvane::panel
