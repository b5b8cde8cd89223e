#include "workbench/app/document_painter.h"

#include <QFont>
#include <QPainter>
#include <QPen>
#include <QTransform>

#include <algorithm>

namespace workbench::app {

namespace {

using document::ArtId;
using document::ArtType;
using document::Document;

// Text is laid out at this many pixels per local unit and scaled back, so
// that fractional font sizes keep their size.
constexpr int kTextOversampling = 16;
constexpr double kAnchorMarkPixels = 4.0;

QPointF Q(geometry::Point p) { return {p.x, p.y}; }

QColor Ink(double r, double g, double b) { return QColor::fromRgbF(float(r), float(g), float(b)); }

QTransform ScreenTransform(const ViewTransform& view) {
  const geometry::Point origin = view.ToScreen({0.0, 0.0});
  return QTransform(view.Zoom(), 0.0, 0.0, -view.Zoom(), origin.x, origin.y);
}

QTransform PlacementTransform(const document::AffineMatrix& m) { return QTransform(m.a, m.b, m.c, m.d, m.tx, m.ty); }

QPen StrokePen(const document::StrokeStyle& stroke, const Document& doc, double zoom) {
  const double width = std::max(stroke.width * zoom, 1.0);
  QPen pen(ToQColor(stroke.color, doc), width);
  switch (stroke.cap) {
    case document::LineCap::kButt: pen.setCapStyle(Qt::FlatCap); break;
    case document::LineCap::kRound: pen.setCapStyle(Qt::RoundCap); break;
    case document::LineCap::kProjecting: pen.setCapStyle(Qt::SquareCap); break;
  }
  switch (stroke.join) {
    case document::LineJoin::kMiter: pen.setJoinStyle(Qt::MiterJoin); break;
    case document::LineJoin::kRound: pen.setJoinStyle(Qt::RoundJoin); break;
    case document::LineJoin::kBevel: pen.setJoinStyle(Qt::BevelJoin); break;
  }
  pen.setMiterLimit(stroke.miterLimit);
  if (!stroke.dash.array.empty() && stroke.width > 0.0) {
    // Qt measures dashes in pen widths.
    QList<qreal> pattern;
    for (double length : stroke.dash.array) pattern.push_back(std::max(length * zoom / width, 0.01));
    if (pattern.size() % 2 == 1) pattern.append(pattern);
    pen.setDashPattern(pattern);
    pen.setDashOffset(stroke.dash.offset * zoom / width);
  }
  return pen;
}

void PaintStyled(QPainter& painter, const QPainterPath& path, const document::PathStyle& style, const Document& doc,
                 double zoom) {
  if (style.fillPaint) painter.fillPath(path, ToQColor(style.fill.color, doc));
  if (style.strokePaint) painter.strokePath(path, StrokePen(style.stroke, doc, zoom));
}

void PaintText(QPainter& painter, const document::Art& art, const Document& doc, const ViewTransform& view) {
  const document::PlacedData& placed = art.placed;
  if (placed.contents.empty() || !(placed.fontSize > 0.0)) return;
  painter.save();
  painter.setTransform(QTransform::fromScale(1.0 / kTextOversampling, 1.0 / kTextOversampling) *
                       PlacementTransform(placed.placement) * ScreenTransform(view));
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(std::max(1, static_cast<int>(placed.fontSize * kTextOversampling + 0.5)));
  painter.setFont(font);
  painter.setPen(ToQColor(placed.textColor, doc));
  // The text's own coordinates put the baseline at the bottom of its box.
  painter.drawText(QPointF(placed.localBounds.left * kTextOversampling, placed.localBounds.bottom * kTextOversampling),
                   QString::fromStdString(placed.contents));
  painter.restore();
}

QPolygonF PlacedBox(const document::PlacedData& placed, const ViewTransform& view) {
  const document::Rect& b = placed.localBounds;
  QPolygonF box;
  for (geometry::Point p : {geometry::Point{b.left, b.top}, {b.right, b.top}, {b.right, b.bottom}, {b.left, b.bottom}}) {
    box << Q(view.ToScreen(placed.placement.Apply(p)));
  }
  return box;
}

void PaintArt(QPainter& painter, const Document& doc, ArtId id, const ViewTransform& view) {
  const document::Art* art = doc.FindArt(id);
  if (art == nullptr || art->hidden) return;
  switch (art->type) {
    case ArtType::kGroup:
      // Children are listed from the top: paint the last one first.
      for (auto it = art->children.rbegin(); it != art->children.rend(); ++it) PaintArt(painter, doc, *it, view);
      break;
    case ArtType::kPath:
      if (!art->segments.empty()) {
        PaintStyled(painter, ScreenPath(art->segments, art->closed, view), art->style, doc, view.Zoom());
      }
      break;
    case ArtType::kCompoundPath: {
      QPainterPath whole;
      whole.setFillRule(art->style.evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
      for (ArtId child : art->children) {
        if (const document::Art* member = doc.FindArt(child); member != nullptr && !member->segments.empty()) {
          whole.addPath(ScreenPath(member->segments, member->closed, view));
        }
      }
      PaintStyled(painter, whole, art->style, doc, view.Zoom());
      break;
    }
    case ArtType::kText:
      PaintText(painter, *art, doc, view);
      break;
    case ArtType::kPlacedImage:
      painter.setPen(QPen(Qt::gray, 1.0, Qt::DashLine));
      painter.setBrush(Qt::NoBrush);
      painter.drawPolygon(PlacedBox(art->placed, view));
      break;
    case ArtType::kForeign:
      break;
  }
}

void PaintSelected(QPainter& painter, const Document& doc, ArtId id, const ViewTransform& view, const QColor& color) {
  const document::Art* art = doc.FindArt(id);
  if (art == nullptr || art->hidden) return;
  if (art->type == ArtType::kGroup || art->type == ArtType::kCompoundPath) {
    for (ArtId child : art->children) PaintSelected(painter, doc, child, view, color);
    return;
  }
  if (!art->selected) return;
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(color, 1.0));
  if (art->type == ArtType::kPath && !art->segments.empty()) {
    painter.drawPath(ScreenPath(art->segments, art->closed, view));
    painter.setBrush(color);
    for (const geometry::PathSegment& s : art->segments) {
      const QPointF p = Q(view.ToScreen(s.anchor));
      painter.drawRect(QRectF(p.x() - kAnchorMarkPixels / 2, p.y() - kAnchorMarkPixels / 2, kAnchorMarkPixels,
                              kAnchorMarkPixels));
    }
  } else if (art->type == ArtType::kText || art->type == ArtType::kPlacedImage) {
    painter.drawPolygon(PlacedBox(art->placed, view));
  }
}

}  // namespace

QColor ToQColor(const document::Color& color, const Document& doc) {
  switch (color.kind) {
    case document::ColorKind::kGray: {
      const double light = 1.0 - std::clamp(color.gray, 0.0, 1.0);
      return Ink(light, light, light);
    }
    case document::ColorKind::kRgb:
      return Ink(std::clamp(color.red, 0.0, 1.0), std::clamp(color.green, 0.0, 1.0), std::clamp(color.blue, 0.0, 1.0));
    case document::ColorKind::kCmyk:
      return QColor::fromCmykF(float(std::clamp(color.cyan, 0.0, 1.0)), float(std::clamp(color.magenta, 0.0, 1.0)),
                               float(std::clamp(color.yellow, 0.0, 1.0)), float(std::clamp(color.black, 0.0, 1.0)))
          .toRgb();
    case document::ColorKind::kCustom: {
      const document::CustomColor* custom = doc.FindCustomColor(color.custom);
      if (custom == nullptr || custom->color.kind == document::ColorKind::kCustom) return Qt::black;
      const QColor base = ToQColor(custom->color, doc);
      const double tint = std::clamp(color.tint, 0.0, 1.0);
      return Ink(base.redF() + (1.0 - base.redF()) * tint, base.greenF() + (1.0 - base.greenF()) * tint,
                 base.blueF() + (1.0 - base.blueF()) * tint);
    }
  }
  return Qt::black;
}

QPainterPath ScreenPath(const std::vector<geometry::PathSegment>& segments, bool closed, const ViewTransform& view) {
  QPainterPath path;
  if (segments.empty()) return path;
  path.moveTo(Q(view.ToScreen(segments.front().anchor)));
  const std::size_t curves = closed ? segments.size() : segments.size() - 1;
  for (std::size_t i = 0; i < curves; ++i) {
    const geometry::PathSegment& from = segments[i];
    const geometry::PathSegment& to = segments[(i + 1) % segments.size()];
    path.cubicTo(Q(view.ToScreen(from.out)), Q(view.ToScreen(to.in)), Q(view.ToScreen(to.anchor)));
  }
  if (closed) path.closeSubpath();
  return path;
}

void PaintDocument(QPainter& painter, const Document& doc, const ViewTransform& view, const CanvasLook& look) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.fillRect(painter.viewport(), look.pasteboard);
  const document::Page& page = doc.GetPage();
  painter.fillRect(QRectF(Q(view.ToScreen({0.0, page.height})), Q(view.ToScreen({page.width, 0.0}))), look.paper);
  for (std::size_t i = doc.LayerCount(); i-- > 0;) {
    const document::Layer* layer = doc.FindLayer(doc.LayerAt(i));
    if (layer != nullptr && layer->visible) PaintArt(painter, doc, layer->group, view);
  }
  for (std::size_t i = doc.LayerCount(); i-- > 0;) {
    const document::Layer* layer = doc.FindLayer(doc.LayerAt(i));
    if (layer != nullptr && layer->visible) PaintSelected(painter, doc, layer->group, view, look.selection);
  }
  painter.restore();
}

document::Rect DocumentExtent(const Document& doc) {
  document::Rect extent{0.0, doc.GetPage().height, doc.GetPage().width, 0.0};
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    const document::Layer* layer = doc.FindLayer(doc.LayerAt(i));
    if (layer == nullptr || !layer->visible) continue;
    for (ArtId child : doc.ChildrenOf(layer->group)) {
      if (std::optional<document::Rect> bounds = doc.Bounds(child)) extent = extent.United(*bounds);
    }
  }
  return extent;
}

}  // namespace workbench::app
