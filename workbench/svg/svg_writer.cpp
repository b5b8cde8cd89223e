// Saves a document as SVG: layers as Inkscape layer groups from the bottom
// up (SVG paints later elements on top), groups' children likewise, paths
// with their styles as presentation attributes, y flipped back.
#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>
#include <unistd.h>

#include "workbench/geometry/bezier.h"
#include "workbench/svg/svg_format.h"
#include "workbench/svg/svg_io.h"
#include "workbench/svg/svg_values.h"

namespace workbench::svg {
namespace {

using document::AffineMatrix;
using document::Art;
using document::ArtId;
using document::ArtType;
using document::Color;
using document::ColorKind;
using document::Document;
using document::PathStyle;
using geometry::PathSegment;
using geometry::Point;

// XML 1.0 cannot hold most control characters even as references; they
// become '?' in names and titles (tags are hex-encoded and never hit this).
std::string Escape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\t': out += "&#9;"; break;
      case '\n': out += "&#10;"; break;
      case '\r': out += "&#13;"; break;
      default:
        out += (static_cast<unsigned char>(c) < 0x20) ? '?' : c;
    }
  }
  return out;
}

// Characters below space other than tab, line feed and carriage return.
bool IsUnwritable(char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r'; }

bool IsXmlNameSafe(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                    c == '-' || c == '.';
    if (!ok) return false;
  }
  return true;
}

class Writer {
 public:
  explicit Writer(const Document& doc) : doc_(doc) {}

  std::string Run() {
    ChooseFrame();
    CollectIds();
    out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<svg";
    for (const auto& [name, value] : rootAttributes_) Attr(name, value);
    out_ << ">\n";
    out_ << doc_.Foreign().markup;
    if (!doc_.Foreign().markup.empty()) out_ << "\n";
    WriteColors();
    for (std::size_t i = doc_.LayerCount(); i-- > 0;) WriteLayer(doc_.LayerAt(i));
    out_ << "</svg>\n";
    return out_.str();
  }

 private:
  void Attr(std::string_view name, std::string_view value) {
    out_ << ' ' << name << "=\"" << Escape(value) << '"';
  }

  // The root attributes read from the file are written back when they still
  // describe the document's page; otherwise a frame in points is written.
  void ChooseFrame() {
    std::string width, height, viewBox;
    for (const auto& [name, value] : doc_.Foreign().attributes) {
      if (name == "width") width = value;
      if (name == "height") height = value;
      if (name == "viewBox") viewBox = value;
    }
    Frame frame = FrameFromRoot(width, height, viewBox);
    // Control characters cannot be written in XML; such a frame is written
    // afresh rather than changed into one that reads differently.
    const bool writable = std::none_of(width.begin(), width.end(), IsUnwritable) &&
                          std::none_of(height.begin(), height.end(), IsUnwritable) &&
                          std::none_of(viewBox.begin(), viewBox.end(), IsUnwritable);
    const bool keep = frame.ok && writable && frame.page == doc_.GetPage();
    if (!keep) {
      const auto& page = doc_.GetPage();
      width = Num(page.width) + "pt";
      height = Num(page.height) + "pt";
      viewBox = "0 0 " + Num(page.width) + " " + Num(page.height);
      frame = FrameFromRoot(width, height, viewBox);
    }
    toUser_ = frame.userToDocument.Inverted();
    scale_ = std::sqrt(std::abs(toUser_.a * toUser_.d - toUser_.b * toUser_.c));
    ChoosePrefixes();
    rootAttributes_ = {{"xmlns", kSvgNamespace},
                       {"xmlns:" + prefixes_.inkscape, kInkscapeNamespace},
                       {"xmlns:" + prefixes_.sodipodi, kSodipodiNamespace},
                       {"xmlns:" + prefixes_.xlink, kXlinkNamespace},
                       {"xmlns:" + prefixes_.workbench, kWorkbenchNamespace}};
    std::set<std::string> declared;
    for (const auto& [name, value] : rootAttributes_) declared.insert(name);
    // The file's other declarations stay, also further names for our
    // namespaces: kept attributes may use them. Ours come first, so reading
    // back takes the same prefixes.
    for (const auto& [name, value] : doc_.Foreign().attributes) {
      if (declared.count(name) || name == "width" || name == "height" || name == "viewBox") continue;
      rootAttributes_.emplace_back(name, value);
    }
    rootAttributes_.emplace_back("width", width);
    rootAttributes_.emplace_back("height", height);
    rootAttributes_.emplace_back("viewBox", viewBox);
  }

  // The prefixes the file was read with; where it had none for one of our
  // namespaces (its usual name was bound elsewhere), a fresh one that no
  // kept attribute or markup uses.
  void ChoosePrefixes() {
    prefixes_ = PrefixesOfRoot(doc_.Foreign().attributes);
    for (auto [prefix, stem] : {std::pair{&prefixes_.inkscape, "inkscape"}, std::pair{&prefixes_.sodipodi, "sodipodi"},
                                std::pair{&prefixes_.xlink, "xlink"}, std::pair{&prefixes_.workbench, "workbench"}}) {
      if (*prefix != kNoPrefix) continue;
      for (int n = 1;; ++n) {
        *prefix = stem + std::to_string(n);
        if (!UsedInForeignData(*prefix)) break;
      }
    }
  }

  bool UsedInForeignData(const std::string& prefix) const {
    const std::string used = prefix + ":";
    auto uses = [&](const document::ForeignData& f) {
      if (f.markup.find(used) != std::string::npos) return true;
      return std::any_of(f.attributes.begin(), f.attributes.end(), [&](const auto& a) {
        return a.first.find(used) != std::string::npos || a.first == "xmlns:" + prefix;
      });
    };
    if (uses(doc_.Foreign())) return true;
    for (std::size_t i = 0; i < doc_.LayerCount(); ++i) {
      if (uses(doc_.FindLayer(doc_.LayerAt(i))->foreign)) return true;
      for (ArtId id : doc_.AllArtOfLayer(doc_.LayerAt(i))) {
        if (uses(doc_.FindArt(id)->foreign)) return true;
      }
    }
    return false;
  }

  std::string Ink(const char* local) const { return prefixes_.inkscape + ":" + local; }
  std::string Sodi(const char* local) const { return prefixes_.sodipodi + ":" + local; }
  std::string Wb(const std::string& local) const { return prefixes_.workbench + ":" + local; }

  // Numbers as written; one that is not finite marks the text unsavable.
  std::string Num(double v) {
    if (!std::isfinite(v)) finite_ = false;
    return FormatNumber(v);
  }
  std::string Matrix(const AffineMatrix& m) {
    for (const double v : {m.a, m.b, m.c, m.d, m.tx, m.ty}) Num(v);
    return FormatMatrix(m);
  }

 public:
  /// Whether every number written was finite.
  bool AllFinite() const { return finite_; }

 private:
  void CollectIds() {
    for (std::size_t i = 0; i < doc_.LayerCount(); ++i) {
      const auto* layer = doc_.FindLayer(doc_.LayerAt(i));
      if (!layer->foreign.sourceId.empty()) used_.insert(layer->foreign.sourceId);
      for (ArtId id : doc_.AllArtOfLayer(doc_.LayerAt(i))) {
        const auto& sid = doc_.FindArt(id)->foreign.sourceId;
        if (!sid.empty()) used_.insert(sid);
      }
    }
  }

  // The element's own id when it is still free, else a fresh one.
  std::string IdFor(const std::string& sourceId, const char* stem) {
    if (!sourceId.empty() && written_.insert(sourceId).second) return sourceId;
    std::string id;
    do {
      id = std::string(stem) + std::to_string(++counter_);
    } while (used_.count(id) || written_.count(id));
    written_.insert(id);
    return id;
  }

  std::string ExactColorOf(const Color& c) const {
    return FormatExactColor(c);
  }

  void WriteColors() {
    const auto ids = doc_.CustomColors();
    if (ids.empty() && doc_.Swatches().empty()) return;
    out_ << "<" << Wb("colors") << ">\n";
    for (auto id : ids) {
      const auto* c = doc_.FindCustomColor(id);
      out_ << "<" << Wb("custom-color");
      Attr("name", c->name);
      Attr("color", FormatExactColor(c->color));
      if (c->spot) Attr("spot", "true");
      out_ << "/>\n";
    }
    for (const auto& s : doc_.Swatches()) {
      out_ << "<" << Wb("swatch");
      Attr("name", s.name);
      Attr("color", FormatExactColor(s.color));
      if (s.color.kind == ColorKind::kCustom) {
        if (const auto* c = doc_.FindCustomColor(s.color.custom)) Attr("custom", c->name);
      }
      out_ << "/>\n";
    }
    out_ << "</" << Wb("colors") << ">\n";
  }

  void WriteForeignAttributes(const document::ForeignData& f, bool hidden) {
    bool styleWritten = false;
    for (const auto& [name, value] : f.attributes) {
      if (name == "style") {
        std::string style = value;
        if (hidden) style += (style.empty() ? "" : ";") + std::string("display:none");
        Attr(name, style);
        styleWritten = true;
      } else {
        Attr(name, value);
      }
    }
    if (hidden && !styleWritten) Attr("style", "display:none");
  }

  void WriteLayer(document::LayerId id) {
    const auto* layer = doc_.FindLayer(id);
    out_ << "<g";
    Attr(Ink("groupmode"), "layer");
    Attr("id", IdFor(layer->foreign.sourceId, "layer"));
    Attr(Ink("label"), layer->title);
    if (!layer->editable) Attr(Sodi("insensitive"), "true");
    WriteForeignAttributes(layer->foreign, !layer->visible);
    out_ << ">\n";
    WriteChildren(layer->group);
    out_ << "</g>\n";
  }

  void WriteChildren(ArtId group) {
    const auto children = doc_.ChildrenOf(group);
    for (auto it = children.rbegin(); it != children.rend(); ++it) WriteArt(*it);
  }

  void WriteCommon(const Art& art) {
    if (!art.name.empty()) Attr(Ink("label"), art.name);
    if (art.locked) Attr(Sodi("insensitive"), "true");
    if (art.showCenterPoint) Attr(Wb("center-point"), "true");
    for (const auto& [name, value] : art.tags) Attr(TagAttribute(name), HexEncode(value));
  }

  std::string TagAttribute(const std::string& name) const {
    return IsXmlNameSafe(name) ? Wb("tag-" + name) : Wb("tagx-" + HexEncode(name));
  }

  Point User(Point p) const { return toUser_.Apply(p); }
  std::string Xy(Point p) {
    const Point u = User(p);
    return Num(u.x) + "," + Num(u.y);
  }

  void AppendPathData(std::string& d, const std::vector<PathSegment>& segs, bool closed) {
    if (segs.empty()) return;
    if (!d.empty()) d += ' ';
    d += "M " + Xy(segs[0].anchor);
    const std::size_t curves = geometry::CurveCount(segs, closed);
    for (std::size_t i = 0; i < curves; ++i) {
      const auto c = geometry::CurveAt(segs, i);
      const bool closing = closed && i + 1 == curves;
      if (c.IsStraight()) {
        if (!closing) {
          d += " L " + Xy(c.p3);
        } else if (Xy(c.p0) == Xy(c.p3)) {
          // A closing line of no length: as a line, readers would take it
          // for the close itself and lose the last anchor; a cubic keeps it.
          d += " C " + Xy(c.p3) + " " + Xy(c.p3) + " " + Xy(c.p3);
        }
      } else {
        d += " C " + Xy(c.p1) + " " + Xy(c.p2) + " " + Xy(c.p3);
      }
    }
    if (closed) d += " Z";
  }

  void WritePaint(const char* property, bool paint, const Color& color) {
    if (!paint) {
      Attr(property, "none");
      return;
    }
    const Color* base = nullptr;
    if (color.kind == ColorKind::kCustom) {
      if (const auto* c = doc_.FindCustomColor(color.custom)) base = &c->color;
    }
    const std::string rgb = FormatRgb(color, base);
    Attr(property, rgb);
    const PaintValue back = ParsePaint(rgb);
    if (!(back.paint && *back.paint == color)) {
      Attr(Wb(std::string(property) + "-color"), FormatExactColor(color));
      if (color.kind == ColorKind::kCustom) {
        if (const auto* c = doc_.FindCustomColor(color.custom)) Attr(Wb(std::string(property) + "-custom"), c->name);
      }
    }
  }

  void WriteStyle(const PathStyle& s) {
    WritePaint("fill", s.fillPaint, s.fill.color);
    if (s.evenOdd) Attr("fill-rule", "evenodd");
    WritePaint("stroke", s.strokePaint, s.stroke.color);
    Attr("stroke-width", Num(s.stroke.width * scale_));
    if (s.stroke.cap != document::LineCap::kButt) {
      Attr("stroke-linecap", s.stroke.cap == document::LineCap::kRound ? "round" : "square");
    }
    if (s.stroke.join != document::LineJoin::kMiter) {
      Attr("stroke-linejoin", s.stroke.join == document::LineJoin::kRound ? "round" : "bevel");
    }
    if (s.stroke.miterLimit != 4.0) Attr("stroke-miterlimit", Num(s.stroke.miterLimit));
    if (!s.stroke.dash.array.empty()) {
      std::string list;
      for (double v : s.stroke.dash.array) list += (list.empty() ? "" : ",") + Num(v * scale_);
      Attr("stroke-dasharray", list);
      if (s.stroke.dash.offset != 0.0) Attr("stroke-dashoffset", Num(s.stroke.dash.offset * scale_));
    }
  }

  void WriteArt(ArtId id) {
    const Art& art = *doc_.FindArt(id);
    switch (art.type) {
      case ArtType::kGroup:
        out_ << "<g";
        Attr("id", IdFor(art.foreign.sourceId, "g"));
        WriteCommon(art);
        WriteForeignAttributes(art.foreign, art.hidden);
        out_ << ">\n";
        WriteChildren(id);
        out_ << "</g>\n";
        return;
      case ArtType::kPath:
      case ArtType::kCompoundPath: {
        std::string d;
        if (art.type == ArtType::kPath) {
          AppendPathData(d, art.segments, art.closed);
        } else {
          for (ArtId member : art.children) {
            const Art& m = *doc_.FindArt(member);
            AppendPathData(d, m.segments, m.closed);
          }
        }
        out_ << "<path";
        Attr("id", IdFor(art.foreign.sourceId, "path"));
        WriteCommon(art);
        WriteStyle(art.style);
        WriteForeignAttributes(art.foreign, art.hidden);
        Attr("d", d);
        out_ << "/>\n";
        return;
      }
      case ArtType::kText:
        if (art.foreign.markup.empty()) {
          WriteText(art);
          return;
        }
        WriteKept(art);
        return;
      default:
        WriteKept(art);
    }
  }

  // Text the host made itself has no markup to keep: it is written from the
  // model, its characters placed by the element's transform, so that
  // renderers show it at its size and colour.
  void WriteText(const Art& art) {
    out_ << "<text";
    Attr("id", IdFor(art.foreign.sourceId, "text"));
    WriteCommon(art);
    const AffineMatrix m = toUser_ * art.placed.placement;
    if (!m.IsIdentity()) Attr("transform", Matrix(m));
    if (art.placed.fontSize > 0.0) Attr("font-size", Num(art.placed.fontSize));
    WritePaint("fill", true, art.placed.textColor);
    WriteForeignAttributes(art.foreign, art.hidden);
    out_ << ">" << Escape(art.placed.contents) << "</text>\n";
  }

  // Text, images and unknown elements: their markup, placed by the model.
  void WriteKept(const Art& art) {
    pugi::xml_document xml;
    if (!xml.load_string(art.foreign.markup.c_str(), pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_comments) ||
        !xml.document_element()) {
      return;
    }
    pugi::xml_node node = xml.document_element();
    node.remove_attribute("id");
    node.prepend_attribute("id").set_value(IdFor(art.foreign.sourceId, "art").c_str());
    if (!IsNonRendered(node.name())) {
      const AffineMatrix m = toUser_ * art.placed.placement;
      if (!m.IsIdentity()) node.append_attribute("transform").set_value(Matrix(m).c_str());
    }
    if (!art.name.empty()) node.append_attribute(Ink("label").c_str()).set_value(art.name.c_str());
    if (art.locked) node.append_attribute(Sodi("insensitive").c_str()).set_value("true");
    for (const auto& [name, value] : art.tags) {
      node.append_attribute(TagAttribute(name).c_str()).set_value(HexEncode(value).c_str());
    }
    if (art.hidden) {
      std::string style = node.attribute("style").value();
      style += (style.empty() ? "" : ";") + std::string("display:none");
      if (!node.attribute("style")) node.append_attribute("style");
      node.attribute("style").set_value(style.c_str());
    }
    node.print(out_, "", pugi::format_raw);
    out_ << "\n";
  }

  const Document& doc_;
  std::ostringstream out_;
  AffineMatrix toUser_;
  double scale_ = 1.0;
  std::vector<std::pair<std::string, std::string>> rootAttributes_;
  std::set<std::string> used_;
  std::set<std::string> written_;
  int counter_ = 0;
  NamespacePrefixes prefixes_;
  bool finite_ = true;
};

}  // namespace

std::string WriteSvgString(const Document& doc) { return Writer(doc).Run(); }

Result<Done> WriteSvgFile(const Document& doc, const std::filesystem::path& file) {
  Writer writer(doc);
  const std::string text = writer.Run();
  if (!writer.AllFinite()) {
    return Error{file.string(), 0, "the document holds a coordinate or size that is not a finite number; "
                                   "nothing was written"};
  }
  std::filesystem::path temp = file;
  temp += ".tmp-" + std::to_string(::getpid());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return Error{file.string(), 0, "cannot create the temporary file " + temp.string()};
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ec;
      std::filesystem::remove(temp, ec);
      return Error{file.string(), 0, "cannot write the temporary file " + temp.string()};
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, file, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    return Error{file.string(), 0, "cannot replace the file: " + ec.message()};
  }
  return Done{};
}

}  // namespace workbench::svg
