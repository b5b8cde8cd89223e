#include "workbench/app/art_picking.h"

#include <algorithm>
#include <cmath>

#include "workbench/geometry/flatten.h"
#include "workbench/geometry/hit_test.h"

namespace workbench::app {

namespace {

using document::ArtId;
using document::ArtType;
using document::Document;
using geometry::Point;

// Fine enough that a click a pixel inside a curve at screen zoom counts.
constexpr double kPickFlatness = 0.25;

geometry::PathData PathOf(const document::Art& art) { return {art.segments, art.closed}; }

std::vector<Point> Outline(const document::Art& art) {
  std::vector<Point> points;
  for (const geometry::FlatPoint& fp : geometry::FlattenPath(PathOf(art), kPickFlatness, 0.0)) points.push_back(fp.point);
  return points;
}

// Winding number of a closed polygon around p.
int Winding(const std::vector<Point>& polygon, Point p) {
  int winding = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Point a = polygon[i];
    const Point b = polygon[(i + 1) % polygon.size()];
    const double side = geometry::Cross(b - a, p - a);
    if (a.y <= p.y && b.y > p.y && side > 0) ++winding;
    if (a.y > p.y && b.y <= p.y && side < 0) --winding;
  }
  return winding;
}

bool InsideBox(const document::Rect& r, Point p) {
  return p.x >= r.left && p.x <= r.right && p.y >= r.bottom && p.y <= r.top;
}

// The four corners of a placed element's box in document points.
std::vector<Point> PlacedCorners(const document::PlacedData& placed) {
  const document::Rect& b = placed.localBounds;
  return {placed.placement.Apply({b.left, b.bottom}), placed.placement.Apply({b.right, b.bottom}),
          placed.placement.Apply({b.right, b.top}), placed.placement.Apply({b.left, b.top})};
}

// Liang-Barsky: whether the segment a-b meets the rectangle.
bool SegmentMeetsBox(Point a, Point b, const document::Rect& r) {
  double t0 = 0.0;
  double t1 = 1.0;
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - r.left, r.right - a.x, a.y - r.bottom, r.top - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  return true;
}

bool PolylineMeetsBox(const std::vector<Point>& points, bool closed, const document::Rect& band) {
  if (points.size() == 1) return InsideBox(band, points.front());
  const std::size_t edges = closed ? points.size() : points.size() - 1;
  for (std::size_t i = 0; i < edges; ++i) {
    if (SegmentMeetsBox(points[i], points[(i + 1) % points.size()], band)) return true;
  }
  return false;
}

bool Hits(const Document& doc, ArtId id, Point p, double tolerance) {
  const document::Art* art = doc.FindArt(id);
  if (art == nullptr || art->hidden) return false;
  switch (art->type) {
    case ArtType::kPath: {
      if (art->segments.empty()) return false;
      if (geometry::HitTest(PathOf(*art), p, tolerance)) return true;
      return art->closed && art->style.fillPaint && Winding(Outline(*art), p) != 0;
    }
    case ArtType::kCompoundPath: {
      int winding = 0;
      int crossings = 0;
      for (ArtId child : art->children) {
        const document::Art* member = doc.FindArt(child);
        if (member == nullptr || member->segments.empty()) continue;
        if (geometry::HitTest(PathOf(*member), p, tolerance)) return true;
        const int w = Winding(Outline(*member), p);
        winding += w;
        crossings += std::abs(w);
      }
      if (!art->style.fillPaint) return false;
      return art->style.evenOdd ? crossings % 2 == 1 : winding != 0;
    }
    case ArtType::kGroup:
      return std::any_of(art->children.begin(), art->children.end(),
                         [&](ArtId child) { return Hits(doc, child, p, tolerance); });
    case ArtType::kText:
    case ArtType::kPlacedImage:
      return Winding(PlacedCorners(art->placed), p) != 0;
    case ArtType::kForeign:
      return false;
  }
  return false;
}

bool Touches(const Document& doc, ArtId id, const document::Rect& band) {
  const document::Art* art = doc.FindArt(id);
  if (art == nullptr || art->hidden) return false;
  switch (art->type) {
    case ArtType::kPath:
      return !art->segments.empty() && PolylineMeetsBox(Outline(*art), art->closed, band);
    case ArtType::kGroup:
    case ArtType::kCompoundPath:
      return std::any_of(art->children.begin(), art->children.end(),
                         [&](ArtId child) { return Touches(doc, child, band); });
    case ArtType::kText:
    case ArtType::kPlacedImage:
      return PolylineMeetsBox(PlacedCorners(art->placed), true, band);
    case ArtType::kForeign:
      return false;
  }
  return false;
}

// Top-level objects are selected whole; any selected descendant marks one.
bool IsSelected(const Document& doc, ArtId id) {
  const document::Art* art = doc.FindArt(id);
  if (art == nullptr) return false;
  if (art->selected) return true;
  return std::any_of(art->children.begin(), art->children.end(), [&](ArtId child) { return IsSelected(doc, child); });
}

// Counts the art of the subtree when all of it is selected; -1 otherwise.
int SelectedSubtree(const Document& doc, ArtId id) {
  const document::Art* art = doc.FindArt(id);
  if (art == nullptr || !art->selected) return -1;
  int count = 1;
  for (ArtId child : art->children) {
    const int inner = SelectedSubtree(doc, child);
    if (inner < 0) return -1;
    count += inner;
  }
  return count;
}

}  // namespace

std::vector<ArtId> PickableArt(const Document& doc) {
  std::vector<ArtId> result;
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    const document::Layer* layer = doc.FindLayer(doc.LayerAt(i));
    if (layer == nullptr || !layer->visible || !layer->editable) continue;
    for (ArtId child : doc.ChildrenOf(layer->group)) {
      const document::Art* art = doc.FindArt(child);
      if (art != nullptr && !art->locked && !art->hidden) result.push_back(child);
    }
  }
  return result;
}

ArtId ArtAt(const Document& doc, Point p, double tolerance) {
  for (ArtId id : PickableArt(doc)) {
    if (Hits(doc, id, p, tolerance)) return id;
  }
  return {};
}

std::vector<ArtId> ArtInRect(const Document& doc, const document::Rect& band) {
  std::vector<ArtId> result;
  for (ArtId id : PickableArt(doc)) {
    if (Touches(doc, id, band)) result.push_back(id);
  }
  return result;
}

bool ClickSelect(Document& doc, ArtId hit, bool extend) {
  if (extend) {
    if (!hit) return false;
    return doc.SetSelected(hit, !IsSelected(doc, hit));
  }
  const std::vector<ArtId> before = doc.SelectedArt();
  // Leave the document untouched when the click changes nothing, so that no
  // empty step is recorded.
  const std::size_t wanted = hit ? static_cast<std::size_t>(std::max(0, SelectedSubtree(doc, hit))) : 0;
  if (before.size() == wanted && (!hit || wanted > 0)) return false;
  doc.DeselectAll();
  if (hit) doc.SetSelected(hit, true);
  return doc.SelectedArt() != before;
}

bool BandSelect(Document& doc, const std::vector<ArtId>& touched, bool extend) {
  const std::vector<ArtId> before = doc.SelectedArt();
  // As with clicks, a band that changes nothing leaves the document alone.
  std::size_t alreadySelected = 0;
  bool allSelected = true;
  for (ArtId id : touched) {
    const int count = SelectedSubtree(doc, id);
    allSelected = allSelected && count >= 0;
    alreadySelected += static_cast<std::size_t>(std::max(0, count));
  }
  if (allSelected && (extend || alreadySelected == before.size())) return false;
  if (!extend) doc.DeselectAll();
  for (ArtId id : touched) doc.SetSelected(id, true);
  return doc.SelectedArt() != before;
}

}  // namespace workbench::app
