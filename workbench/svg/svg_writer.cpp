// Saves a document as SVG: layers as Inkscape layer groups from the bottom
// up (SVG paints later elements on top), groups' children likewise, y
// flipped back. Elements read from a file are written from their file form:
// the attributes as read, in their order, with only what the model changed
// since written anew (geometry, style properties in the form the element
// gave them, name, lock, visibility, tags, placement). New art gets its
// styles as presentation attributes.
#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <system_error>
#include <utility>
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
using document::SourceForm;
using Attributes = std::vector<std::pair<std::string, std::string>>;
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

bool IsXmlNameSafe(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                    c == '-' || c == '.';
    if (!ok) return false;
  }
  return true;
}


std::string* Find(Attributes& attrs, std::string_view name) {
  for (auto& [n, v] : attrs) {
    if (n == name) return &v;
  }
  return nullptr;
}
const std::string* Find(const Attributes& attrs, std::string_view name) {
  return Find(const_cast<Attributes&>(attrs), name);
}

// Replaces the value in place, or appends the attribute.
void Set(Attributes& attrs, std::string_view name, std::string value) {
  if (std::string* v = Find(attrs, name)) {
    *v = std::move(value);
  } else {
    attrs.emplace_back(name, std::move(value));
  }
}

void Remove(Attributes& attrs, std::string_view name) {
  attrs.erase(std::remove_if(attrs.begin(), attrs.end(), [&](const auto& a) { return a.first == name; }),
              attrs.end());
}

// Sets a style property where the element gave it: in its style attribute
// or as a presentation attribute; a property it did not give goes into its
// style attribute when it has one. So the property keeps its weight against
// style sheet rules.
void SetProperty(Attributes& attrs, const std::string& property, std::string value) {
  std::string* style = Find(attrs, "style");
  if (style) {
    auto decls = ParseStyle(*style);
    auto it = std::find_if(decls.begin(), decls.end(), [&](const auto& d) { return d.first == property; });
    if (it != decls.end() || !Find(attrs, property)) {
      if (it != decls.end()) {
        it->second = std::move(value);
      } else {
        decls.emplace_back(property, std::move(value));
      }
      *style = FormatStyle(decls);
      return;
    }
  }
  Set(attrs, property, std::move(value));
}

void RemoveProperty(Attributes& attrs, const std::string& property) {
  Remove(attrs, property);
  if (std::string* style = Find(attrs, "style")) {
    auto decls = ParseStyle(*style);
    decls.erase(std::remove_if(decls.begin(), decls.end(), [&](const auto& d) { return d.first == property; }),
                decls.end());
    *style = FormatStyle(decls);
    if (style->empty()) Remove(attrs, "style");
  }
}

// Properties that inherit and that saving writes for paths.
constexpr const char* kPathProperties[] = {"fill",           "fill-rule",        "stroke",
                                           "stroke-width",   "stroke-linecap",   "stroke-linejoin",
                                           "stroke-miterlimit", "stroke-dasharray", "stroke-dashoffset"};

// Whether the element sets a property its descendants inherit.
bool SetsPathProperty(const Attributes& attrs) {
  for (const auto& [name, value] : attrs) {
    for (const char* p : kPathProperties) {
      if (name == p) return true;
    }
    if (name == "style") {
      for (const auto& decl : ParseStyle(value)) {
        for (const char* p : kPathProperties) {
          if (decl.first == p) return true;
        }
      }
    }
  }
  return false;
}

// Attributes that describe a shape's geometry or how an editor draws it;
// a path whose geometry changed drops them so that no editor redraws it.
constexpr const char* kShapeAttributes[] = {"d", "x", "y", "width", "height", "rx", "ry", "cx", "cy", "r",
                                            "x1", "y1", "x2", "y2", "points"};
constexpr const char* kEditorShapeAttributes[] = {"type", "cx", "cy", "rx", "ry", "r1", "r2", "start", "end",
                                                  "open", "arc-type", "nodetypes", "sides", "arg1", "arg2",
                                                  "flatsided", "rounded", "randomized", "argument"};

// Where writing is: the map from the current element's user space to
// document points, and whether an enclosing element sets path properties.
struct Context {
  AffineMatrix ctm;
  bool inherits = false;
};

class Writer {
 public:
  explicit Writer(const Document& doc) : doc_(doc) {}

  std::string Run() {
    ChooseFrame();
    CollectIds();
    const document::ForeignData& root = doc_.Foreign();
    Context context{frame_.userToDocument, rootInherits_};
    out_ << root.markup;
    WriteColors();
    for (std::size_t i = doc_.LayerCount(); i-- > 0;) WriteLayer(doc_.LayerAt(i), context);
    out_ << (fromFile_ ? root.trailing : "\n");
    const std::string body = out_.str();

    std::ostringstream file;
    file << (fromFile_ ? root.leading : "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n");
    out_.swap(file);
    const Attributes attrs = RootAttributes(body);
    if (root.source) {
      StartTag(*root.source, root.source->element, attrs, false);
    } else {
      out_ << "<svg";
      Attrs(attrs);
      out_ << ">";
    }
    out_ << body << "</" << (root.source ? root.source->element : "svg") << ">\n";
    return out_.str();
  }

  /// Whether every number written was finite.
  bool AllFinite() const { return finite_; }

 private:
  void Attr(std::string_view name, std::string_view value) {
    out_ << ' ' << name << "=\"" << Escape(value) << '"';
  }
  void Attrs(const Attributes& attrs) {
    for (const auto& [name, value] : attrs) Attr(name, value);
  }

  // An element's start tag: as the file spelled it while the element and
  // its attributes are as read, else written from `attrs`. `empty` makes
  // it an empty-element tag.
  void StartTag(const SourceForm& src, const std::string& element, const Attributes& attrs, bool empty) {
    const bool selfClosing = src.startTag.size() >= 2 && src.startTag.compare(src.startTag.size() - 2, 2, "/>") == 0;
    if (!src.startTag.empty() && element == src.element && attrs == src.attributes && selfClosing == empty) {
      out_ << src.startTag;
      return;
    }
    out_ << "<" << element;
    Attrs(attrs);
    out_ << (empty ? "/>" : ">");
  }

  // The root's attributes read from the file are written back in their
  // order when they still describe the document's page; otherwise the page
  // is written in points. A namespace of ours that the saved text uses and
  // the file did not declare is declared after them.
  void ChooseFrame() {
    const Attributes& read = doc_.Foreign().attributes;
    fromFile_ = !read.empty();
    std::string width, height, viewBox;
    for (const auto& [name, value] : read) {
      if (name == "width") width = value;
      if (name == "height") height = value;
      if (name == "viewBox") viewBox = value;
    }
    // A frame holding a control character, which XML cannot hold, does not
    // parse (numbers are separated by XML's white space only), so it is
    // written afresh like any frame that is not the page's.
    frame_ = FrameFromRoot(width, height, viewBox);
    rootAttributes_ = read;
    if (!(fromFile_ && frame_.ok && frame_.page == doc_.GetPage())) {
      const auto& page = doc_.GetPage();
      Set(rootAttributes_, "width", Num(page.width) + "pt");
      Set(rootAttributes_, "height", Num(page.height) + "pt");
      Set(rootAttributes_, "viewBox", "0 0 " + Num(page.width) + " " + Num(page.height));
      frame_ = FrameFromRoot(*Find(rootAttributes_, "width"), *Find(rootAttributes_, "height"),
                             *Find(rootAttributes_, "viewBox"));
    }
    rootInherits_ = SetsPathProperty(read);
    ChoosePrefixes();
  }

  Attributes RootAttributes(const std::string& body) {
    Attributes attrs;
    if (!Find(rootAttributes_, "xmlns")) attrs.emplace_back("xmlns", kSvgNamespace);
    for (const auto& a : rootAttributes_) {
      if (a.first != "width" && a.first != "height" && a.first != "viewBox") attrs.push_back(a);
    }
    for (const auto& [prefix, uri] : {std::pair{&prefixes_.inkscape, kInkscapeNamespace},
                                      std::pair{&prefixes_.sodipodi, kSodipodiNamespace},
                                      std::pair{&prefixes_.xlink, kXlinkNamespace},
                                      std::pair{&prefixes_.workbench, kWorkbenchNamespace}}) {
      const std::string declaration = "xmlns:" + *prefix;
      const bool used = body.find(' ' + *prefix + ':') != std::string::npos ||
                        body.find('<' + *prefix + ':') != std::string::npos;
      if (used && !Find(attrs, declaration)) attrs.emplace_back(declaration, uri);
    }
    if (fromFile_) {
      // The frame where the file had it.
      Attributes ordered;
      for (const auto& a : rootAttributes_) {
        if (a.first == "width" || a.first == "height" || a.first == "viewBox") {
          ordered.push_back(a);
        } else if (const std::string* v = Find(attrs, a.first)) {
          ordered.emplace_back(a.first, *v);
        }
      }
      for (const auto& a : attrs) {
        if (!Find(ordered, a.first)) ordered.push_back(a);
      }
      return ordered;
    }
    for (const char* name : {"width", "height", "viewBox"}) attrs.emplace_back(name, *Find(rootAttributes_, name));
    return attrs;
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

  template <typename F>
  void ForEachForeign(F f) const {
    f(doc_.Foreign());
    for (std::size_t i = 0; i < doc_.LayerCount(); ++i) {
      f(doc_.FindLayer(doc_.LayerAt(i))->foreign);
      for (ArtId id : doc_.AllArtOfLayer(doc_.LayerAt(i))) f(doc_.FindArt(id)->foreign);
    }
  }

  bool UsedInForeignData(const std::string& prefix) const {
    const std::string used = prefix + ":";
    bool found = false;
    auto uses = [&](const Attributes& attrs) {
      return std::any_of(attrs.begin(), attrs.end(), [&](const auto& a) {
        return a.first.find(used) != std::string::npos || a.first == "xmlns:" + prefix;
      });
    };
    ForEachForeign([&](const document::ForeignData& f) {
      found = found || f.markup.find(used) != std::string::npos || f.leading.find(used) != std::string::npos ||
              f.trailing.find(used) != std::string::npos || uses(f.attributes) ||
              (f.source && uses(f.source->attributes));
    });
    return found;
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

  // Every id the file holds, so that fresh ones never collide with any.
  void CollectIds() {
    const std::string key = " id=\"";
    ForEachForeign([&](const document::ForeignData& f) {
      if (!f.sourceId.empty()) used_.insert(f.sourceId);
      for (const std::string* text : {&f.markup, &f.leading, &f.trailing}) {
        for (std::size_t at = text->find(key); at != std::string::npos; at = text->find(key, at + 1)) {
          const std::size_t start = at + key.size();
          const std::size_t end = text->find('"', start);
          if (end != std::string::npos) used_.insert(text->substr(start, end - start));
        }
      }
    });
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

  void WriteColors() {
    const auto ids = doc_.CustomColors();
    if (ids.empty() && doc_.Swatches().empty()) return;
    out_ << "\n<" << Wb("colors") << ">\n";
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
    out_ << "</" << Wb("colors") << ">";
  }

  // What every object carries, as the model holds it now.
  struct Common {
    const std::string& sourceId;
    const std::string& name;
    bool locked;
    bool hidden;
    bool showCenterPoint;
    const std::map<std::string, std::string>& tags;
  };

  static Common CommonOf(const Art& art) {
    return {art.foreign.sourceId, art.name, art.locked, art.hidden, art.showCenterPoint, art.tags};
  }

  // The file's attributes with what the model changed of `now` since
  // reading written anew. An element the file gave no id (or an empty one)
  // keeps none, unless it is a copy of one that had one: a layer without a
  // label takes its title from its id.
  Attributes Patched(const SourceForm& src, const Common& now, const char* stem) {
    Attributes attrs = src.attributes;
    if (const std::string* id = Find(attrs, "id"); id && !id->empty()) {
      const std::string written = IdFor(now.sourceId, stem);
      // An id another element held first is written anew; a layer whose
      // title came from it keeps that title as its label.
      const std::string* label = Find(attrs, Ink("label"));
      if (written != *id && (label == nullptr || label->empty()) && !now.name.empty()) {
        Set(attrs, Ink("label"), now.name);
      }
      Set(attrs, "id", written);
    }
    if (now.name != src.name) {
      if (now.name.empty()) Remove(attrs, Ink("label")); else Set(attrs, Ink("label"), now.name);
    }
    if (now.locked != src.locked) {
      if (now.locked) Set(attrs, Sodi("insensitive"), "true"); else Remove(attrs, Sodi("insensitive"));
    }
    if (now.showCenterPoint != src.showCenterPoint) {
      if (now.showCenterPoint) Set(attrs, Wb("center-point"), "true"); else Remove(attrs, Wb("center-point"));
    }
    if (now.hidden != src.hidden) {
      if (now.hidden) SetProperty(attrs, "display", "none"); else RemoveProperty(attrs, "display");
    }
    if (now.tags != src.tags) {
      attrs.erase(std::remove_if(attrs.begin(), attrs.end(), [&](const auto& a) {
                    return a.first.rfind(Wb("tag-"), 0) == 0 || a.first.rfind(Wb("tagx-"), 0) == 0;
                  }),
                  attrs.end());
      for (const auto& [name, value] : now.tags) attrs.emplace_back(TagAttribute(name), HexEncode(value));
    }
    return attrs;
  }

  // The context inside an element written from its file form.
  static Context Inside(const Context& outer, const Attributes& attrs) {
    Context inner = outer;
    if (const std::string* t = Find(attrs, "transform")) {
      inner.ctm = outer.ctm * ParseTransform(*t).value_or(AffineMatrix{});
    }
    inner.inherits = outer.inherits || SetsPathProperty(attrs);
    return inner;
  }

  void WriteLayer(document::LayerId id, const Context& context) {
    const auto* layer = doc_.FindLayer(id);
    const document::ForeignData& f = layer->foreign;
    const SourceForm* src = f.source.get();
    if (f.synthetic && src && layer->title == src->name && layer->editable && layer->visible) {
      // Art the file held outside every layer goes back there.
      WriteChildren(layer->group, context);
      return;
    }
    const std::map<std::string, std::string> noTags;
    const Common now{f.sourceId, layer->title, !layer->editable, !layer->visible, false, noTags};
    if (src && !f.synthetic) {
      const Attributes attrs = Patched(*src, now, "layer");
      out_ << f.leading;
      WriteGroup(*src, attrs, layer->group, f.trailing, Inside(context, attrs));
      return;
    }
    out_ << "\n<g";
    Attr(Ink("groupmode"), "layer");
    Attr("id", IdFor(f.sourceId, "layer"));
    Attr(Ink("label"), layer->title);
    if (!layer->editable) Attr(Sodi("insensitive"), "true");
    WriteForeignAttributes(f, !layer->visible);
    out_ << ">";
    WriteChildren(layer->group, {context.ctm, context.inherits || SetsPathProperty(f.attributes)});
    out_ << "\n</g>";
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

  // A group read from the file, with its children; an empty-element tag
  // while it has nothing inside.
  void WriteGroup(const SourceForm& src, const Attributes& attrs, ArtId group, const std::string& trailing,
                  const Context& inner) {
    if (doc_.ChildrenOf(group).empty() && trailing.empty()) {
      StartTag(src, src.element, attrs, true);
      return;
    }
    StartTag(src, src.element, attrs, false);
    WriteChildren(group, inner);
    out_ << trailing << "</" << src.element << ">";
  }

  void WriteChildren(ArtId group, const Context& context) {
    const auto children = doc_.ChildrenOf(group);
    for (auto it = children.rbegin(); it != children.rend(); ++it) WriteArt(*it, context);
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

  // A document coordinate as a user-space number that the axis map
  // u * scale + offset takes back to exactly `v`: the shortest such number,
  // so that a coordinate the file held comes back as the file spelled it
  // (0.1 + 2.1 - 0.1 is written "2.1" wherever 2.1 maps to the same double).
  std::string Coordinate(double v, double scale, double offset) {
    const double u = (v - offset) / scale;
    char buf[64];
    for (int precision = 1; precision <= 17; ++precision) {
      const auto written = std::to_chars(buf, buf + sizeof buf, u, std::chars_format::general, precision);
      double back = 0.0;
      const auto read = std::from_chars(buf, written.ptr, back);
      if (written.ec == std::errc() && read.ec == std::errc() && back * scale + offset == v) return Num(back);
    }
    return Num(u);
  }

  // A document point in the user space that `ctm` maps to document points.
  std::string Xy(const AffineMatrix& ctm, Point p) {
    if (ctm.b == 0.0 && ctm.c == 0.0 && ctm.a != 0.0 && ctm.d != 0.0) {
      return Coordinate(p.x, ctm.a, ctm.tx) + "," + Coordinate(p.y, ctm.d, ctm.ty);
    }
    const Point u = ctm.Inverted().Apply(p);
    return Num(u.x) + "," + Num(u.y);
  }

  std::string PathData(const std::vector<std::pair<std::vector<PathSegment>, bool>>& paths,
                       const AffineMatrix& ctm) {
    std::string d;
    for (const auto& [segs, closed] : paths) {
      if (segs.empty()) continue;
      if (!d.empty()) d += ' ';
      d += "M " + Xy(ctm, segs[0].anchor);
      const std::size_t curves = geometry::CurveCount(segs, closed);
      for (std::size_t i = 0; i < curves; ++i) {
        const auto c = geometry::CurveAt(segs, i);
        const bool closing = closed && i + 1 == curves;
        if (c.IsStraight()) {
          if (!closing) {
            d += " L " + Xy(ctm, c.p3);
          } else if (Xy(ctm, c.p0) == Xy(ctm, c.p3)) {
            // A closing line of no length: as a line, readers would take it
            // for the close itself and lose the last anchor; a cubic keeps it.
            d += " C " + Xy(ctm, c.p3) + " " + Xy(ctm, c.p3) + " " + Xy(ctm, c.p3);
          }
        } else {
          d += " C " + Xy(ctm, c.p1) + " " + Xy(ctm, c.p2) + " " + Xy(ctm, c.p3);
        }
      }
      if (closed) d += " Z";
    }
    return d;
  }

  std::vector<std::pair<std::vector<PathSegment>, bool>> PathsOf(const Art& art) const {
    if (art.type == ArtType::kPath) return {{art.segments, art.closed}};
    std::vector<std::pair<std::vector<PathSegment>, bool>> paths;
    for (ArtId member : art.children) {
      const Art& m = *doc_.FindArt(member);
      paths.emplace_back(m.segments, m.closed);
    }
    return paths;
  }

  std::string Paint(bool paint, const Color& color) const {
    if (!paint) return "none";
    const Color* base = nullptr;
    if (color.kind == ColorKind::kCustom) {
      if (const auto* c = doc_.FindCustomColor(color.custom)) base = &c->color;
    }
    return FormatRgb(color, base);
  }

  // The workbench's attributes that give a paint's exact colour where the
  // #rrggbb form does not read back as the same colour.
  Attributes ExactPaint(const char* property, bool paint, const Color& color) const {
    Attributes attrs;
    if (!paint) return attrs;
    const PaintValue back = ParsePaint(Paint(paint, color));
    if (!(back.paint && *back.paint == color)) {
      attrs.emplace_back(Wb(std::string(property) + "-color"), FormatExactColor(color));
      if (color.kind == ColorKind::kCustom) {
        if (const auto* c = doc_.FindCustomColor(color.custom)) attrs.emplace_back(Wb(std::string(property) + "-custom"), c->name);
      }
    }
    return attrs;
  }

  // The style as (property, value) pairs in a user space whose lengths are
  // `scale` points each; the initial values are left out unless `all`.
  Attributes StyleProperties(const PathStyle& s, double scale, bool all) {
    Attributes props;
    props.emplace_back("fill", Paint(s.fillPaint, s.fill.color));
    if (all || s.evenOdd) props.emplace_back("fill-rule", s.evenOdd ? "evenodd" : "nonzero");
    props.emplace_back("stroke", Paint(s.strokePaint, s.stroke.color));
    props.emplace_back("stroke-width", Num(s.stroke.width / scale));
    if (all || s.stroke.cap != document::LineCap::kButt) {
      props.emplace_back("stroke-linecap", s.stroke.cap == document::LineCap::kRound        ? "round"
                                           : s.stroke.cap == document::LineCap::kProjecting ? "square"
                                                                                             : "butt");
    }
    if (all || s.stroke.join != document::LineJoin::kMiter) {
      props.emplace_back("stroke-linejoin", s.stroke.join == document::LineJoin::kRound   ? "round"
                                            : s.stroke.join == document::LineJoin::kBevel ? "bevel"
                                                                                          : "miter");
    }
    if (all || s.stroke.miterLimit != 4.0) props.emplace_back("stroke-miterlimit", Num(s.stroke.miterLimit));
    std::string list;
    for (double v : s.stroke.dash.array) list += (list.empty() ? "" : ",") + Num(v / scale);
    if (all || !list.empty()) props.emplace_back("stroke-dasharray", list.empty() ? "none" : list);
    if (all || (!list.empty() && s.stroke.dash.offset != 0.0)) {
      props.emplace_back("stroke-dashoffset", Num(s.stroke.dash.offset / scale));
    }
    return props;
  }

  // A path read from the file: its own text where the model did not change
  // it; changed geometry as path data in its user space, changed style
  // properties where the element gave them.
  void WriteReadPath(const Art& art, const SourceForm& src, const Context& context) {
    Attributes attrs = Patched(src, CommonOf(art), "path");
    const Context inner = Inside(context, attrs);
    const bool moved = inner.ctm != src.placement;
    std::string element = src.element;
    auto paths = PathsOf(art);
    if (moved || paths != src.paths) {
      std::size_t at = attrs.size();
      for (std::size_t i = 0; i < attrs.size(); ++i) {
        if (attrs[i].first == "d") at = i;
      }
      Attributes kept;
      for (std::size_t i = 0; i < attrs.size(); ++i) {
        const std::string& n = attrs[i].first;
        const bool shape = element != "path" && std::any_of(std::begin(kShapeAttributes), std::end(kShapeAttributes),
                                                            [&](const char* a) { return n == a; });
        const bool editor = std::any_of(std::begin(kEditorShapeAttributes), std::end(kEditorShapeAttributes),
                                        [&](const char* a) { return n == Sodi(a); }) ||
                            n == Ink("original-d") || n == Ink("path-effect");
        if (i == at) kept.emplace_back("d", PathData(paths, inner.ctm));
        if (!shape && !editor && n != "d") kept.push_back(attrs[i]);
      }
      if (at == attrs.size()) kept.emplace_back("d", PathData(paths, inner.ctm));
      attrs = std::move(kept);
      element = "path";
    }
    if (moved || art.style != src.style) {
      const Attributes before = StyleProperties(src.style, ScaleOf(src.placement), true);
      const Attributes after = StyleProperties(art.style, ScaleOf(inner.ctm), true);
      for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] != before[i]) SetProperty(attrs, after[i].first, after[i].second);
      }
      for (const char* paint : {"fill", "stroke"}) {
        Remove(attrs, Wb(std::string(paint) + "-color"));
        Remove(attrs, Wb(std::string(paint) + "-custom"));
      }
      for (const auto& a : ExactPaint("fill", art.style.fillPaint, art.style.fill.color)) attrs.push_back(a);
      for (const auto& a : ExactPaint("stroke", art.style.strokePaint, art.style.stroke.color)) attrs.push_back(a);
    }
    out_ << art.foreign.leading;
    StartTag(src, element, attrs, true);
  }

  void WriteArt(ArtId id, const Context& context) {
    const Art& art = *doc_.FindArt(id);
    const SourceForm* src = art.foreign.source.get();
    switch (art.type) {
      case ArtType::kGroup:
        if (src) {
          const Attributes attrs = Patched(*src, CommonOf(art), "g");
          out_ << art.foreign.leading;
          WriteGroup(*src, attrs, id, art.foreign.trailing, Inside(context, attrs));
          return;
        }
        out_ << "\n<g";
        Attr("id", IdFor(art.foreign.sourceId, "g"));
        WriteCommon(art);
        WriteForeignAttributes(art.foreign, art.hidden);
        out_ << ">";
        WriteChildren(id, {context.ctm, context.inherits || SetsPathProperty(art.foreign.attributes)});
        out_ << "\n</g>";
        return;
      case ArtType::kPath:
      case ArtType::kCompoundPath: {
        if (src) {
          WriteReadPath(art, *src, context);
          return;
        }
        out_ << "\n<path";
        Attr("id", IdFor(art.foreign.sourceId, "path"));
        WriteCommon(art);
        for (const auto& [name, value] : StyleProperties(art.style, ScaleOf(context.ctm), context.inherits)) {
          Attr(name, value);
        }
        Attrs(ExactPaint("fill", art.style.fillPaint, art.style.fill.color));
        Attrs(ExactPaint("stroke", art.style.strokePaint, art.style.stroke.color));
        WriteForeignAttributes(art.foreign, art.hidden);
        Attr("d", PathData(PathsOf(art), context.ctm));
        out_ << "/>";
        return;
      }
      case ArtType::kText:
        if (art.foreign.markup.empty()) {
          WriteText(art, context);
          return;
        }
        WriteKept(art, context);
        return;
      default:
        WriteKept(art, context);
    }
  }

  // Text the host made itself has no markup to keep: it is written from the
  // model, its characters placed by the element's transform, so that
  // renderers show it at its size and colour.
  void WriteText(const Art& art, const Context& context) {
    out_ << "\n<text";
    Attr("id", IdFor(art.foreign.sourceId, "text"));
    WriteCommon(art);
    const AffineMatrix m = context.ctm.Inverted() * art.placed.placement;
    if (!m.IsIdentity()) Attr("transform", Matrix(m));
    if (art.placed.fontSize > 0.0) Attr("font-size", Num(art.placed.fontSize));
    Attr("fill", Paint(true, art.placed.textColor));
    Attrs(ExactPaint("fill", true, art.placed.textColor));
    WriteForeignAttributes(art.foreign, art.hidden);
    out_ << ">" << Escape(art.placed.contents) << "</text>";
  }

  // Text, images and unknown elements: their markup, placed by the model;
  // read from a file, with the file's attributes where nothing changed.
  void WriteKept(const Art& art, const Context& context) {
    pugi::xml_document xml;
    if (!xml.load_string(art.foreign.markup.c_str(), pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_comments) ||
        !xml.document_element()) {
      return;
    }
    pugi::xml_node node = xml.document_element();
    const bool rendered = !IsNonRendered(node.name());
    Attributes attrs;
    const SourceForm* src = art.foreign.source.get();
    if (src) {
      attrs = Patched(*src, CommonOf(art), "art");
      if (rendered) {
        const AffineMatrix own = context.ctm.Inverted() * art.placed.placement;
        const std::string* t = Find(attrs, "transform");
        const AffineMatrix kept = t ? ParseTransform(*t).value_or(AffineMatrix{}) : AffineMatrix{};
        if (context.ctm * kept != art.placed.placement) {
          if (own.IsIdentity()) Remove(attrs, "transform"); else Set(attrs, "transform", Matrix(own));
        }
      }
    } else {
      for (const pugi::xml_attribute a : node.attributes()) attrs.emplace_back(a.name(), a.value());
      attrs.insert(attrs.begin(), {"id", IdFor(art.foreign.sourceId, "art")});
      if (rendered) {
        const AffineMatrix m = context.ctm.Inverted() * art.placed.placement;
        if (!m.IsIdentity()) attrs.emplace_back("transform", Matrix(m));
      }
      if (!art.name.empty()) attrs.emplace_back(Ink("label"), art.name);
      if (art.locked) attrs.emplace_back(Sodi("insensitive"), "true");
      for (const auto& [name, value] : art.tags) attrs.emplace_back(TagAttribute(name), HexEncode(value));
      if (art.hidden) SetProperty(attrs, "display", "none");
    }
    out_ << (src ? art.foreign.leading : "\n");
    if (src) {
      // The file's start tag while nothing changed, its content as kept.
      const bool empty = !node.first_child();
      StartTag(*src, src->element, attrs, empty);
      if (empty) return;
      for (const pugi::xml_node child : node.children()) child.print(out_, "", pugi::format_raw);
      out_ << "</" << src->element << ">";
      return;
    }
    while (node.first_attribute()) node.remove_attribute(node.first_attribute());
    for (const auto& [name, value] : attrs) node.append_attribute(name.c_str()).set_value(value.c_str());
    node.print(out_, "", pugi::format_raw);
  }

  const Document& doc_;
  std::ostringstream out_;
  Frame frame_;
  bool fromFile_ = false;
  bool rootInherits_ = false;
  Attributes rootAttributes_;
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
