#include "workbench/fabric/notches.h"

#include <algorithm>
#include <cstdlib>

#include "workbench/cli/pieces.h"
#include "workbench/geometry/bezier.h"
#include "workbench/geometry/hit_test.h"
#include "workbench/geometry/signed_area.h"

namespace workbench::fabric {

using document::ArtId;
using document::ArtType;

namespace {

// The value of attribute `name` in an element's markup; none when absent.
std::optional<std::string> MarkupAttribute(const std::string& markup, const std::string& name) {
  const std::size_t end = markup.find('>');
  std::size_t at = 0;
  while ((at = markup.find(name + "=", at)) != std::string::npos && at < end) {
    const bool wordStart = at > 0 && (markup[at - 1] == ' ' || markup[at - 1] == '\t' || markup[at - 1] == '\n');
    const std::size_t open = at + name.size() + 1;
    if (wordStart && open < markup.size() && (markup[open] == '"' || markup[open] == '\'')) {
      const std::size_t close = markup.find(markup[open], open + 1);
      if (close == std::string::npos) return std::nullopt;
      return markup.substr(open + 1, close - open - 1);
    }
    at = open;
  }
  return std::nullopt;
}

std::optional<Point> Centre(const document::Document& doc, ArtId id) {
  const document::Art& art = *doc.FindArt(id);
  if (art.type == ArtType::kForeign && art.foreign.markup.rfind("<use", 0) == 0) {
    // A placed symbol is drawn about its own origin, moved by x and y.
    const auto number = [&](const char* name) {
      const std::optional<std::string> v = MarkupAttribute(art.foreign.markup, name);
      return v ? std::strtod(v->c_str(), nullptr) : 0.0;
    };
    return art.placed.placement.Apply({number("x"), number("y")});
  }
  if (art.type != ArtType::kPath) return std::nullopt;
  const std::optional<document::Rect> bounds = doc.Bounds(id);
  if (!bounds) return std::nullopt;
  return Point{(bounds->left + bounds->right) / 2.0, (bounds->bottom + bounds->top) / 2.0};
}

// The curve's direction at t; where a handle sits on its anchor, the
// direction towards the next control point that differs.
Point TangentOf(const geometry::CubicBezier& curve, double t) {
  const Point d = curve.DerivativeAt(t);
  if (geometry::Length(d) > 1e-9) return d;
  if (t <= 0.0) return curve.p2 != curve.p0 ? curve.p2 - curve.p0 : curve.p3 - curve.p0;
  return curve.p3 != curve.p1 ? curve.p3 - curve.p1 : curve.p3 - curve.p0;
}

}  // namespace

bool IsNotch(const document::Document& doc, ArtId id) {
  const document::Art* art = doc.FindArt(id);
  if (art == nullptr) return false;
  if (cli::IsMarkedNotch(*art)) return true;
  if (art->type != ArtType::kForeign) return false;
  // Art the model keeps verbatim has its class in its markup.
  const std::optional<std::string> classes = MarkupAttribute(art->foreign.markup, "class");
  return classes && cli::HasNotchClass(*classes);
}

std::vector<NotchSource> FindNotches(const document::Document& doc) {
  std::vector<NotchSource> notches;
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    for (ArtId art : doc.AllArtOfLayer(doc.LayerAt(i))) {
      if (!IsNotch(doc, art)) continue;
      const std::optional<Point> centre = Centre(doc, art);
      if (!centre) continue;
      const std::string& id = doc.FindArt(art)->foreign.sourceId;
      notches.push_back({art, id.empty() ? "notch " + std::to_string(notches.size() + 1) : id, *centre});
    }
  }
  return notches;
}

std::optional<CarriedNotch> CarryNotch(const geometry::PathData& finishPath, const Polygon& cut, Point centre) {
  const std::optional<geometry::Hit> hit = geometry::HitTest(finishPath, centre, kNotchOnLine);
  if (!hit) return std::nullopt;
  const std::vector<geometry::PathSegment>& segments = finishPath.segments;
  const std::size_t n = segments.size();
  Point tangent;
  CarriedNotch notch;
  if (hit->kind == geometry::HitKind::kAnchor) {
    notch.onFinish = segments[hit->segment].anchor;
    tangent = Unit(Unit(TangentOf(geometry::CurveAt(segments, (hit->segment + n - 1) % n), 1.0)) +
                   Unit(TangentOf(geometry::CurveAt(segments, hit->segment), 0.0)));
  } else {
    const geometry::CubicBezier curve = geometry::CurveAt(segments, (hit->segment + n - 1) % n);
    notch.onFinish = curve.At(hit->t);
    tangent = Unit(TangentOf(curve, hit->t));
  }
  notch.at = notch.onFinish;
  // Clockwise (y up): the inside lies to the right, so the left is out.
  const bool clockwise = geometry::SignedArea(segments, true) > 0.0;
  notch.outward = clockwise ? Point{-tangent.y, tangent.x} : Point{tangent.y, -tangent.x};
  const Polygon finish = Flatten(finishPath);
  // The ray leaves the finish line; it must reach the cut line before it
  // meets the finish line again, and the finish point must lie inside the
  // cut line (not on it where the allowance is cut down to nothing).
  const std::optional<Nearest> toCut = NearestOn(cut, notch.onFinish);
  if (!toCut || toCut->distance < kNotchOnLine / 10.0 || !Contains(cut, notch.onFinish)) return notch;
  const std::optional<double> reach = FirstCrossing(cut, notch.onFinish, notch.outward, 0.0);
  if (!reach || *reach > kFarthestCutLine) return notch;
  const std::optional<double> back = FirstCrossing(finish, notch.onFinish, notch.outward, kNotchOnLine / 10.0);
  if (back && *back < *reach) return notch;
  notch.carried = true;
  notch.reach = *reach;
  notch.at = notch.onFinish + notch.outward * *reach;
  return notch;
}

std::vector<std::vector<Point>> NotchStrokes(const CarriedNotch& notch, const LineConventions& conventions) {
  const Point out = notch.outward;
  const Point along{-out.y, out.x};
  const double length = conventions.notchLengthMm * kPointsPerMm;
  const double half = conventions.notchWidthMm * kPointsPerMm / 2.0;
  if (!notch.carried) return {{notch.at + out * (length / 2.0), notch.at - out * (length / 2.0)}};
  const double depth = std::min(length, notch.reach);
  const Point inner = notch.at - out * depth;
  switch (conventions.notch) {
    case NotchKind::kSlit: return {{notch.at, inner}};
    case NotchKind::kT: return {{notch.at, inner}, {inner - along * half, inner + along * half}};
    case NotchKind::kV: return {{notch.at - along * half, inner, notch.at + along * half}};
  }
  return {};
}

}  // namespace workbench::fabric
