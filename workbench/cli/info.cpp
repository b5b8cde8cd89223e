#include "workbench/cli/info.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

#include "workbench/cli/json_writer.h"
#include "workbench/svg/svg_format.h"
#include "workbench/svg/svg_io.h"

namespace workbench::cli {
namespace {

using document::ArtId;
using document::ArtType;
using document::Document;

/// A box in the SVG root's user units, y down, as Inkscape gives X, Y, W, H.
struct SvgBox {
  double x = 0.0;
  double y = 0.0;
  double width = 0.0;
  double height = 0.0;
};

struct PathEntry {
  std::string layer;
  std::size_t layerIndex = 0;
  std::string id;
  std::string name;
  bool closed = true;
  std::size_t anchors = 0;
  std::size_t subpaths = 1;
  double area = 0.0;
  std::optional<document::Rect> bounds;
  std::optional<SvgBox> svgBounds;
};

// Maps document points back to the SVG root's user units (y down), as the
// reader placed the file's coordinates; none when the root's frame cannot
// be read.
std::optional<document::AffineMatrix> DocumentToSvg(const Document& doc) {
  std::string_view width, height, viewBox;
  for (const auto& [name, value] : doc.Foreign().attributes) {
    if (name == "width") width = value;
    if (name == "height") height = value;
    if (name == "viewBox") viewBox = value;
  }
  const svg::Frame frame = svg::FrameFromRoot(width, height, viewBox);
  if (!frame.ok) return std::nullopt;
  return frame.userToDocument.Inverted();
}

// `bounds` (document points, y up) in SVG user units.
SvgBox InSvg(const document::AffineMatrix& toSvg, const document::Rect& bounds) {
  const geometry::Point corners[] = {{bounds.left, bounds.bottom},
                                     {bounds.left, bounds.top},
                                     {bounds.right, bounds.bottom},
                                     {bounds.right, bounds.top}};
  const geometry::Point first = toSvg.Apply(corners[0]);
  document::Rect r{first.x, first.y, first.x, first.y};
  for (const geometry::Point corner : corners) {
    const geometry::Point p = toSvg.Apply(corner);
    r.left = std::min(r.left, p.x);
    r.right = std::max(r.right, p.x);
    r.top = std::min(r.top, p.y);
    r.bottom = std::max(r.bottom, p.y);
  }
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::vector<PathEntry> CollectPaths(const Document& doc) {
  std::vector<PathEntry> entries;
  const std::optional<document::AffineMatrix> toSvg = DocumentToSvg(doc);
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    const auto layer = doc.LayerAt(i);
    for (ArtId id : doc.AllArtOfLayer(layer)) {
      const auto& art = *doc.FindArt(id);
      const bool member = doc.TypeOf(art.parent) == ArtType::kCompoundPath;
      if ((art.type != ArtType::kPath || member) && art.type != ArtType::kCompoundPath) continue;
      PathEntry e;
      e.layer = doc.FindLayer(layer)->title;
      e.layerIndex = i;
      e.id = art.foreign.sourceId;
      e.name = art.name;
      e.area = doc.SignedArea(id).value_or(0.0);
      e.bounds = doc.Bounds(id);
      if (e.bounds && toSvg) e.svgBounds = InSvg(*toSvg, *e.bounds);
      if (art.type == ArtType::kPath) {
        e.closed = art.closed;
        e.anchors = art.segments.size();
      } else {
        e.subpaths = art.children.size();
        for (ArtId m : art.children) {
          e.closed = e.closed && *doc.IsClosed(m);
          e.anchors += *doc.SegmentCount(m);
        }
      }
      entries.push_back(std::move(e));
    }
  }
  return entries;
}

std::string Fixed(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.4f", v);
  return buf;
}

}  // namespace

int RunInfo(const std::string& file, bool json, std::ostream& out, std::ostream& err) {
  auto read = svg::ReadSvgFile(file);
  if (!read) {
    err << "quorvane info: " << read.error().ToString() << "\n";
    return 2;
  }
  const Document& doc = read.value();
  const auto paths = CollectPaths(doc);
  if (json) {
    JsonWriter w;
    w.BeginObject();
    w.Key("file");
    w.String(file);
    w.Key("units");
    w.BeginObject();
    w.Key("length");
    w.String("pt");
    w.Key("area");
    w.String("pt2");
    w.Key("svg");
    w.String("the SVG's user units");
    w.EndObject();
    w.Key("page");
    w.BeginObject();
    w.Key("width");
    w.Number(doc.GetPage().width);
    w.Key("height");
    w.Number(doc.GetPage().height);
    w.EndObject();
    w.Key("layers");
    w.BeginArray();
    for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
      const auto* l = doc.FindLayer(doc.LayerAt(i));
      w.BeginObject();
      w.Key("title");
      w.String(l->title);
      w.Key("locked");
      w.Bool(!l->editable);
      w.Key("visible");
      w.Bool(l->visible);
      w.EndObject();
    }
    w.EndArray();
    w.Key("paths");
    w.BeginArray();
    for (const auto& p : paths) {
      w.BeginObject();
      w.Key("layer");
      w.String(p.layer);
      w.Key("id");
      w.String(p.id);
      w.Key("name");
      w.String(p.name);
      w.Key("closed");
      w.Bool(p.closed);
      w.Key("anchors");
      w.Int(static_cast<long long>(p.anchors));
      w.Key("subpaths");
      w.Int(static_cast<long long>(p.subpaths));
      w.Key("area");
      w.Number(p.area);
      w.Key("bounds");
      const document::Rect b = p.bounds.value_or(document::Rect{});
      w.NumbersOrNull(p.bounds.has_value(),
                      {{"left", b.left}, {"top", b.top}, {"right", b.right}, {"bottom", b.bottom}});
      w.Key("svgBounds");
      const SvgBox box = p.svgBounds.value_or(SvgBox{});
      w.NumbersOrNull(p.svgBounds.has_value(),
                      {{"x", box.x}, {"y", box.y}, {"width", box.width}, {"height", box.height}});
      w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    out << w.Text() << "\n";
    return 0;
  }
  out << file << ": page " << Fixed(doc.GetPage().width) << " x " << Fixed(doc.GetPage().height) << " pt, "
      << doc.LayerCount() << " layer(s), " << paths.size() << " path(s)\n";
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    const auto* l = doc.FindLayer(doc.LayerAt(i));
    out << "layer \"" << l->title << "\"" << (l->editable ? "" : " locked") << (l->visible ? "" : " hidden") << "\n";
    for (const auto& p : paths) {
      if (p.layerIndex != i) continue;
      out << "  path " << (p.id.empty() ? "(no id)" : p.id);
      if (!p.name.empty()) out << " \"" << p.name << "\"";
      out << (p.closed ? " closed" : " open") << ", " << p.anchors << " anchors";
      if (p.subpaths != 1) out << " in " << p.subpaths << " subpaths";
      out << ", area " << Fixed(p.area) << " pt2";
      if (p.bounds) {
        out << ", bounds " << Fixed(p.bounds->left) << " " << Fixed(p.bounds->bottom) << " " << Fixed(p.bounds->right)
            << " " << Fixed(p.bounds->top) << " pt (left bottom right top, y up)";
      }
      if (p.svgBounds) {
        out << ", in the SVG x " << Fixed(p.svgBounds->x) << " y " << Fixed(p.svgBounds->y) << " w "
            << Fixed(p.svgBounds->width) << " h " << Fixed(p.svgBounds->height)
            << " (user units, y down)";
      }
      out << "\n";
    }
  }
  return 0;
}

}  // namespace workbench::cli
