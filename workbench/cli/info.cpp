#include "workbench/cli/info.h"

#include <cstdio>
#include <ostream>

#include "workbench/cli/json_writer.h"
#include "workbench/svg/svg_io.h"

namespace workbench::cli {
namespace {

using document::ArtId;
using document::ArtType;
using document::Document;

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
};

std::vector<PathEntry> CollectPaths(const Document& doc) {
  std::vector<PathEntry> entries;
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
      if (p.bounds) {
        w.BeginObject();
        w.Key("left");
        w.Number(p.bounds->left);
        w.Key("top");
        w.Number(p.bounds->top);
        w.Key("right");
        w.Number(p.bounds->right);
        w.Key("bottom");
        w.Number(p.bounds->bottom);
        w.EndObject();
      } else {
        w.Null();
      }
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
            << " " << Fixed(p.bounds->top) << " (left bottom right top)";
      }
      out << "\n";
    }
  }
  return 0;
}

}  // namespace workbench::cli
