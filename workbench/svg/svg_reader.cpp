// Reads SVG into a document. Each element's style is resolved by cascading
// presentation attributes and style declarations down the tree, and each
// element's transform is applied into document coordinates, so the model
// holds plain geometry in points with y up.
#include <pugixml.hpp>

#include <2geom/bezier-curve.h>
#include <2geom/elliptical-arc.h>
#include <2geom/path.h>
#include <2geom/pathvector.h>
#include <2geom/sbasis-to-bezier.h>
#include <2geom/svg-path-parser.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "workbench/svg/svg_format.h"
#include "workbench/svg/svg_io.h"
#include "workbench/svg/svg_limits.h"
#include "workbench/svg/svg_values.h"

namespace workbench::svg {
namespace {

using document::AffineMatrix;
using document::Art;
using document::ArtId;
using document::ArtType;
using document::Color;
using document::Document;
using document::ForeignData;
using document::LayerId;
using document::PaintOrder;
using document::PathStyle;
using document::SourceForm;
using geometry::PathSegment;
using geometry::Point;

// Arcs become cubics within this distance, in points.
constexpr double kArcTolerance = 0.001;
// The circle's cubic handle length over its radius.
constexpr double kKappa = 0.5522847498307936;

// Properties that inherit down the tree and that the model keeps on paths.
const std::set<std::string> kStyleProperties = {
    "fill",           "stroke",           "stroke-width",      "stroke-linecap",
    "stroke-linejoin", "stroke-miterlimit", "stroke-dasharray", "stroke-dashoffset",
    "fill-rule"};

using Props = std::map<std::string, std::string>;

struct Failure {
  int line;
  std::string message;
};

class Reader {
 public:
  Reader(std::string_view text, std::string file) : text_(text), file_(std::move(file)) {}

  Result<Document> Run() {
    pugi::xml_document xml;
    const auto parsed = xml.load_buffer(text_.data(), text_.size(),
                                        pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_comments |
                                            pugi::parse_doctype | pugi::parse_pi | pugi::parse_declaration);
    if (!parsed) {
      return Error{file_, LineAt(static_cast<std::size_t>(parsed.offset)),
                   std::string("malformed XML: ") + parsed.description()};
    }
    const pugi::xml_node root = xml.document_element();
    // Nothing read is ever undone: without a history, each element costs
    // no copy of what it changes.
    doc_.SetUndoLimit(0);
    try {
      CheckProlog(xml);
      if (LocalName(root.name()) != "svg") Fail(root, "the root element is not <svg>");
      CheckRootNamespace(root);
      CheckStructure(root);
      ReadRoot(xml, root);
    } catch (const Failure& f) {
      return Error{file_, f.line, f.message};
    }
    doc_.SetUndoLimit(Document::kDefaultUndoLimit);
    doc_.ClearUndo();
    return std::move(doc_);
  }

 private:
  static std::string_view LocalName(std::string_view name) {
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
  }

  int LineAt(std::size_t offset) const {
    offset = std::min(offset, text_.size());
    return 1 + static_cast<int>(std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
  }
  int LineOf(pugi::xml_node node) const {
    const auto off = node.offset_debug();
    return off < 0 ? 0 : LineAt(static_cast<std::size_t>(off));
  }
  [[noreturn]] void Fail(pugi::xml_node node, std::string message) const {
    throw Failure{LineOf(node), std::move(message)};
  }

  std::string Prefixed(const std::string& prefix, const char* local) const { return prefix + ":" + local; }

  // A document type that declares entities could expand a few bytes into
  // gigabytes ("billion laughs"); SVG files have no need for them.
  void CheckProlog(const pugi::xml_document& xml) const {
    for (const pugi::xml_node n : xml.children()) {
      if (n.type() == pugi::node_doctype && std::string_view(n.value()).find("<!ENTITY") != std::string_view::npos) {
        Fail(n, "the document type declares entities, which the reader does not expand");
      }
    }
  }

  // The root is SVG's own <svg>: its prefix, or the default namespace when it
  // has none, is SVG's namespace (or not declared at all).
  void CheckRootNamespace(pugi::xml_node root) const {
    const std::string_view name = root.name();
    const auto colon = name.find(':');
    const std::string declaration =
        colon == std::string_view::npos ? "xmlns" : "xmlns:" + std::string(name.substr(0, colon));
    const pugi::xml_attribute ns = root.attribute(declaration.c_str());
    if ((ns || colon != std::string_view::npos) && std::string_view(ns.value()) != kSvgNamespace) {
      Fail(root, "the root element <" + std::string(name) + "> is in the namespace \"" + ns.value() +
                     "\", not SVG's (" + kSvgNamespace + ")");
    }
  }

  // Counts elements and depth without recursion, before any reading that
  // recurses or allocates per element.
  void CheckStructure(pugi::xml_node root) const {
    std::size_t elements = 0;
    int depth = 1;
    std::vector<std::string_view> names;
    pugi::xml_node n = root;
    while (n) {
      if (n.type() == pugi::node_element) {
        if (++elements > kMaxElements) {
          Fail(n, "more than " + std::to_string(kMaxElements) + " elements; the reader accepts at most that many");
        }
        if (depth > kMaxNestingDepth) {
          Fail(n, "elements nested more than " + std::to_string(kMaxNestingDepth) +
                      " deep; the reader accepts at most that depth");
        }
        CheckUniqueAttributes(n, names);
      }
      if (n.first_child()) {
        n = n.first_child();
        ++depth;
        continue;
      }
      while (n && n != root && !n.next_sibling()) {
        n = n.parent();
        --depth;
      }
      if (!n || n == root) break;
      n = n.next_sibling();
    }
  }

  // XML gives an attribute at most once an element; the parser does not
  // check it, and a second value (say of a namespace declaration) would be
  // read one way and saved another.
  // `names` is scratch space, reused from element to element.
  void CheckUniqueAttributes(pugi::xml_node node, std::vector<std::string_view>& names) const {
    names.clear();
    for (const pugi::xml_attribute a : node.attributes()) names.emplace_back(a.name());
    std::sort(names.begin(), names.end());
    const auto twice = std::adjacent_find(names.begin(), names.end());
    if (twice != names.end()) Fail(node, "malformed XML: the attribute " + std::string(*twice) + " is given twice");
  }

  // A number within the reader's limits, or the element's failure.
  double Bounded(pugi::xml_node node, double v, const std::string& what) const {
    if (!std::isfinite(v) || std::abs(v) > kMaxCoordinate) {
      Fail(node, what + " is " + FormatNumber(v) + ", beyond the " + FormatNumber(kMaxCoordinate) +
                     " the reader accepts");
    }
    return v;
  }

  double Number(pugi::xml_node node, const char* attr, double fallback) const {
    const pugi::xml_attribute a = node.attribute(attr);
    if (!a) return fallback;
    auto v = ParseNumber(a.value());
    if (!v) {
      // Lengths with units in geometry count in user units as CSS pixels.
      auto pts = ParseLengthPoints(a.value());
      if (!pts) Fail(node, std::string("bad number in attribute ") + attr + ": \"" + a.value() + "\"");
      v = *pts / 0.75;
    }
    return Bounded(node, *v, std::string("attribute ") + attr);
  }

  void ReadRoot(const pugi::xml_document& xml, pugi::xml_node root) {
    ForeignData rootForeign;
    for (const pugi::xml_attribute a : root.attributes()) {
      rootForeign.attributes.emplace_back(a.name(), a.value());
    }
    // The declaration, document type and comments before the root, one a
    // line as files write them.
    for (const pugi::xml_node n : xml.children()) {
      if (n == root) break;
      rootForeign.leading += Serialize(n) + "\n";
    }
    // Namespace prefixes as the file declares them.
    const NamespacePrefixes prefixes = PrefixesOfRoot(rootForeign.attributes);
    inkscape_ = prefixes.inkscape;
    sodipodi_ = prefixes.sodipodi;
    workbench_ = prefixes.workbench;
    xlink_ = prefixes.xlink;
    ReadFrame(root);

    Props rootProps;
    CascadeStyle(root, rootProps, nullptr);
    LayerId looseLayer;
    // What the model does not hold goes with the element after it; what
    // comes before the first layer or art stays at the top of the root.
    std::string pending;
    bool top = true;
    for (const pugi::xml_node child : root.children()) {
      if (child.type() != pugi::node_element) {
        pending += Serialize(child);
        continue;
      }
      const std::string_view name = child.name();
      if (name == Prefixed(workbench_, "colors")) {
        ReadColors(child);
        continue;
      }
      if (IsNonRendered(name)) {
        pending += Serialize(child);
        if (top) rootForeign.markup += std::exchange(pending, {});
        continue;
      }
      top = false;
      if (name == "g" && std::string_view(child.attribute(Prefixed(inkscape_, "groupmode").c_str()).value()) == "layer") {
        ReadLayer(child, rootProps, std::exchange(pending, {}));
        looseLayer = {};
        continue;
      }
      // Art outside every layer: one layer for each run of it.
      if (!looseLayer) looseLayer = SyntheticLayer();
      ReadElement(child, doc_.LayerGroup(looseLayer), base_, rootProps, std::exchange(pending, {}));
    }
    rootForeign.trailing = std::move(pending);
    rootForeign.source = Snapshot(root, base_);
    doc_.SetForeign(std::move(rootForeign));
    if (doc_.LayerCount() == 0) SyntheticLayer();
    doc_.SetCurrentLayer(doc_.LayerAt(0));
  }

  LayerId SyntheticLayer() {
    const LayerId layer = doc_.InsertLayer("Layer " + std::to_string(doc_.LayerCount() + 1));
    auto source = std::make_shared<SourceForm>();
    source->name = doc_.FindLayer(layer)->title;
    ForeignData f;
    f.synthetic = true;
    f.source = std::move(source);
    doc_.SetLayerForeign(layer, std::move(f));
    return layer;
  }

  // The element as written and what the model holds of it now, just read.
  std::shared_ptr<SourceForm> Snapshot(pugi::xml_node node, const AffineMatrix& placement) const {
    auto s = std::make_shared<SourceForm>();
    s->element = node.name();
    for (const pugi::xml_attribute a : node.attributes()) s->attributes.emplace_back(a.name(), a.value());
    s->startTag = StartTag(node);
    s->placement = placement;
    return s;
  }

  // The element's start tag in the file's text: from its '<' to the first
  // '>' outside a quoted value. Empty when the text there is not the tag
  // (a file the parser converted from another encoding).
  std::string StartTag(pugi::xml_node node) const {
    const std::ptrdiff_t offset = node.offset_debug();
    const std::string_view name = node.name();
    if (offset < 1 || static_cast<std::size_t>(offset) + name.size() > text_.size()) return {};
    const auto at = static_cast<std::size_t>(offset);
    if (text_[at - 1] != '<' || text_.substr(at, name.size()) != name) return {};
    char quote = 0;
    for (std::size_t i = at + name.size(); i < text_.size(); ++i) {
      const char c = text_[i];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '>') {
        return std::string(text_.substr(at - 1, i + 2 - at));
      }
    }
    return {};
  }

  // Reads one element of a group and keeps its file form with it.
  void ReadElement(pugi::xml_node node, ArtId parent, const AffineMatrix& parentCtm, const Props& inherited,
                   std::string leading) {
    const ArtId art = ReadArt(node, parent, parentCtm, inherited);
    const Art& read = *doc_.FindArt(art);
    const bool placed = read.type == ArtType::kText || read.type == ArtType::kPlacedImage ||
                        read.type == ArtType::kForeign;
    auto s = Snapshot(node, placed ? read.placed.placement : Placement(node, parentCtm));
    if (read.type == ArtType::kPath) s->paths.emplace_back(read.segments, read.closed);
    if (read.type == ArtType::kCompoundPath) {
      for (const ArtId m : read.children) s->paths.emplace_back(doc_.FindArt(m)->segments, doc_.FindArt(m)->closed);
    }
    s->style = read.style;
    s->name = read.name;
    s->locked = read.locked;
    s->hidden = read.hidden;
    s->showCenterPoint = read.showCenterPoint;
    s->tags = read.tags;
    ForeignData f = read.foreign;
    f.source = std::move(s);
    f.leading = std::move(leading);
    doc_.SetArtForeign(art, std::move(f));
  }

  // The first custom colour of that name, as Document::FindCustomColorByName
  // finds it, without a search through every colour for each use.
  document::CustomColorId CustomColorNamed(const std::string& name) const {
    const auto it = colorsByName_.find(name);
    return it == colorsByName_.end() ? document::CustomColorId{} : it->second;
  }

  void ReadFrame(pugi::xml_node root) {
    const Frame frame = FrameFromRoot(root.attribute("width").value(), root.attribute("height").value(),
                                      root.attribute("viewBox").value());
    if (!frame.ok) Fail(root, frame.problem);
    doc_.SetPage(frame.page);
    base_ = frame.userToDocument;
  }

  void ReadColors(pugi::xml_node node) {
    for (const pugi::xml_node c : node.children()) {
      if (c.type() != pugi::node_element) continue;
      auto color = ParseExactColor(c.attribute("color").value());
      if (!color) Fail(c, std::string("bad colour \"") + c.attribute("color").value() + "\"");
      const std::string local(LocalName(c.name()));
      if (local == "custom-color") {
        const std::string name = c.attribute("name").value();
        const auto id = doc_.NewCustomColor({name, *color, std::string_view(c.attribute("spot").value()) == "true"});
        colorsByName_.emplace(name, id);
      } else if (local == "swatch") {
        if (color->kind == document::ColorKind::kCustom) color->custom = CustomColorNamed(c.attribute("custom").value());
        doc_.AddSwatch({c.attribute("name").value(), *color});
      }
    }
  }

  // Applies an element's presentation attributes, then its style
  // declarations, over the inherited properties. Declarations the model does
  // not keep go to `rest` (when given), to be written back as they were.
  void CascadeStyle(pugi::xml_node node, Props& props, std::vector<std::pair<std::string, std::string>>* rest) {
    for (const auto& p : kStyleProperties) {
      if (const auto a = node.attribute(p.c_str())) props[p] = a.value();
    }
    props.erase("display");
    if (const auto a = node.attribute("display")) props["display"] = a.value();
    for (auto& [name, value] : ParseStyle(node.attribute("style").value())) {
      if (kStyleProperties.count(name) || name == "display") {
        props[name] = value;
      } else if (rest) {
        rest->emplace_back(name, value);
      }
    }
  }

  // Attributes the reader turns into model data; the rest is kept as is.
  bool IsConsumed(std::string_view name, std::initializer_list<const char*> geometry) const {
    if (name == "id" || name == "transform" || name == "style" || name == "display") return true;
    if (kStyleProperties.count(std::string(name))) return true;
    if (name == Prefixed(inkscape_, "label") || name == Prefixed(sodipodi_, "insensitive")) return true;
    if (name.substr(0, workbench_.size() + 1) == workbench_ + ":") return true;
    return std::find_if(geometry.begin(), geometry.end(), [&](const char* g) { return name == g; }) !=
           geometry.end();
  }

  ForeignData KeepForeign(pugi::xml_node node, std::initializer_list<const char*> geometry,
                          const std::vector<std::pair<std::string, std::string>>& restStyle) {
    ForeignData f;
    f.sourceId = node.attribute("id").value();
    for (const pugi::xml_attribute a : node.attributes()) {
      if (!IsConsumed(a.name(), geometry)) f.attributes.emplace_back(a.name(), a.value());
    }
    if (!restStyle.empty()) f.attributes.emplace_back("style", FormatStyle(restStyle));
    return f;
  }

  AffineMatrix OwnTransform(pugi::xml_node node) const {
    const auto a = node.attribute("transform");
    if (!a) return {};
    auto m = ParseTransform(a.value());
    if (!m) Fail(node, std::string("bad transform \"") + a.value() + "\"");
    return *m;
  }

  // An element's transform over its parent's; one that places coordinates
  // beyond the limit (or makes them not numbers) is refused.
  AffineMatrix Placement(pugi::xml_node node, const AffineMatrix& parentCtm) const {
    const AffineMatrix ctm = parentCtm * OwnTransform(node);
    for (const double v : {ctm.a, ctm.b, ctm.c, ctm.d, ctm.tx, ctm.ty}) {
      Bounded(node, v, "an entry of the transform it places with");
    }
    return ctm;
  }

  void ReadLayer(pugi::xml_node node, const Props& inherited, std::string leading) {
    const std::string label = node.attribute(Prefixed(inkscape_, "label").c_str()).value();
    const std::string id = node.attribute("id").value();
    const LayerId layer = doc_.InsertLayer(!label.empty() ? label : !id.empty() ? id : "Layer " + std::to_string(doc_.LayerCount() + 1));
    Props props = inherited;
    std::vector<std::pair<std::string, std::string>> restStyle;
    CascadeStyle(node, props, &restStyle);
    doc_.SetLayerVisible(layer, props["display"] != "none");
    doc_.SetLayerEditable(layer, std::string_view(node.attribute(Prefixed(sodipodi_, "insensitive").c_str()).value()) != "true");
    ForeignData f = KeepForeign(node, {}, restStyle);
    f.attributes.erase(std::remove_if(f.attributes.begin(), f.attributes.end(),
                                      [&](const auto& a) { return a.first == Prefixed(inkscape_, "groupmode"); }),
                       f.attributes.end());
    const AffineMatrix ctm = Placement(node, base_);
    auto s = Snapshot(node, ctm);
    const document::Layer& read = *doc_.FindLayer(layer);
    s->name = read.title;
    s->locked = !read.editable;
    s->hidden = !read.visible;
    f.source = std::move(s);
    f.leading = std::move(leading);
    f.trailing = ReadChildren(node, doc_.LayerGroup(layer), ctm, props);
    doc_.SetLayerForeign(layer, std::move(f));
  }

  // Reads a group's elements; gives what stood after the last of them.
  std::string ReadChildren(pugi::xml_node node, ArtId group, const AffineMatrix& ctm, const Props& props) {
    std::string pending;
    for (const pugi::xml_node child : node.children()) {
      if (child.type() == pugi::node_element) {
        ReadElement(child, group, ctm, props, std::exchange(pending, {}));
      } else {
        pending += Serialize(child);
      }
    }
    return pending;
  }

  // Attributes every kind of art carries: name, locked, hidden, tags.
  void ReadCommon(pugi::xml_node node, ArtId art, const Props& props) {
    doc_.SetName(art, node.attribute(Prefixed(inkscape_, "label").c_str()).value());
    if (std::string_view(node.attribute(Prefixed(sodipodi_, "insensitive").c_str()).value()) == "true") {
      doc_.SetLocked(art, true);
    }
    const auto display = props.find("display");
    if (display != props.end() && display->second == "none") doc_.SetHidden(art, true);
    const std::string tagPrefix = workbench_ + ":tag-";
    const std::string hexTagPrefix = workbench_ + ":tagx-";
    for (const pugi::xml_attribute a : node.attributes()) {
      const std::string_view name = a.name();
      std::optional<std::string> tagName;
      if (name.substr(0, hexTagPrefix.size()) == hexTagPrefix) {
        tagName = HexDecode(name.substr(hexTagPrefix.size()));
        if (!tagName) Fail(node, "bad hex tag name in attribute " + std::string(name));
      } else if (name.substr(0, tagPrefix.size()) == tagPrefix) {
        tagName = std::string(name.substr(tagPrefix.size()));
      } else {
        continue;
      }
      auto value = HexDecode(a.value());
      if (!value) Fail(node, "bad hex value of tag attribute " + std::string(name));
      doc_.SetTag(art, *tagName, *value);
    }
    if (std::string_view(node.attribute(Prefixed(workbench_, "center-point").c_str()).value()) == "true") {
      doc_.SetShowCenterPoint(art, true);
    }
  }

  ArtId ReadArt(pugi::xml_node node, ArtId parent, const AffineMatrix& parentCtm, const Props& inherited) {
    const std::string_view name = node.name();
    Props props = inherited;
    std::vector<std::pair<std::string, std::string>> restStyle;
    CascadeStyle(node, props, &restStyle);
    const AffineMatrix ctm = Placement(node, parentCtm);

    if (name == "g") {
      const ArtId group = doc_.NewArt(ArtType::kGroup, PaintOrder::kPlaceInsideOnTop, parent);
      ForeignData f = KeepForeign(node, {}, restStyle);
      f.trailing = ReadChildren(node, group, ctm, props);
      doc_.SetArtForeign(group, std::move(f));
      ReadCommon(node, group, props);
      return group;
    }
    if (auto d = ShapeData(node)) return ReadShape(node, *d, parent, ctm, props, restStyle);
    ArtType type = ArtType::kForeign;
    document::PlacedData placed;
    placed.placement = IsNonRendered(name) ? AffineMatrix{} : ctm;
    if (name == "text") {
      type = ArtType::kText;
      placed.contents = node.text().get();
      if (placed.contents.empty()) {
        for (const pugi::xpath_node t : node.select_nodes(".//text()")) placed.contents += t.node().value();
      }
      const double x = Number(node, "x", 0.0);
      const double y = Number(node, "y", 0.0);
      double size = 12.0;
      for (const auto& [k, v] : ParseStyle(node.attribute("style").value())) {
        if (k == "font-size") size = ParseLengthPoints(v).value_or(size);
      }
      if (const auto a = node.attribute("font-size")) size = ParseLengthPoints(a.value()).value_or(size);
      placed.localBounds = {x, y - size, x + 0.6 * size * static_cast<double>(placed.contents.size()), y};
      placed.fontSize = size;
      placed.textColor = TextColor(node, props);
    } else if (name == "image") {
      type = ArtType::kPlacedImage;
      const double x = Number(node, "x", 0.0);
      const double y = Number(node, "y", 0.0);
      placed.localBounds = {x, y, x + Number(node, "width", 0.0), y + Number(node, "height", 0.0)};
      placed.contents = node.attribute("href").value();
      if (placed.contents.empty()) placed.contents = node.attribute(Prefixed(xlink_, "href").c_str()).value();
    }
    const ArtId art = doc_.NewArt(type, PaintOrder::kPlaceInsideOnTop, parent);
    ReadCommon(node, art, props);
    ForeignData f;
    f.sourceId = node.attribute("id").value();
    f.markup = Serialize(node, true);
    doc_.SetArtForeign(art, std::move(f));
    doc_.SetPlaced(art, std::move(placed));
    return art;
  }

  // The fill of a text element; black when it has none the model can hold.
  // A text's odd paint is kept in its markup, so it never fails the file.
  Color TextColor(pugi::xml_node node, const Props& props) const {
    if (const auto a = node.attribute(Prefixed(workbench_, "fill-color").c_str())) {
      if (auto c = ParseExactColor(a.value()); c && c->kind != document::ColorKind::kCustom) return *c;
    }
    const auto it = props.find("fill");
    if (it != props.end()) {
      const PaintValue p = ParsePaint(it->second);
      if (p.ok && p.paint) return *p.paint;
    }
    return Color::Gray(1.0);
  }

  // The path data of a path or basic shape, or none for other elements.
  std::optional<std::string> ShapeData(pugi::xml_node node) const {
    const std::string_view name = node.name();
    auto n = [&](const char* a) { return FormatNumber(Number(node, a, 0.0)); };
    if (name == "path") {
      const std::string_view d = node.attribute("d").value();
      if (d.size() > kMaxPathDataLength) {
        Fail(node, "path data of " + std::to_string(d.size()) + " characters; the reader accepts at most " +
                       std::to_string(kMaxPathDataLength));
      }
      if (EstimatedAnchors(d) > 2 * kMaxAnchorsPerPath) {
        Fail(node, "a path of more than " + std::to_string(kMaxAnchorsPerPath) +
                       " anchors; the reader accepts at most that many");
      }
      return std::string(d);
    }
    if (name == "line") return "M " + n("x1") + "," + n("y1") + " L " + n("x2") + "," + n("y2");
    if (name == "polyline" || name == "polygon") {
      const std::string_view points = node.attribute("points").value();
      if (points.size() > kMaxPathDataLength) {
        Fail(node, "a points list of " + std::to_string(points.size()) +
                       " characters; the reader accepts at most " + std::to_string(kMaxPathDataLength));
      }
      auto pts = ParseNumberList(points);
      if (!pts || pts->size() % 2 != 0) Fail(node, std::string("bad points list \"") + node.attribute("points").value() + "\"");
      std::string d;
      for (std::size_t i = 0; i < pts->size(); i += 2) {
        d += (i == 0 ? "M " : " L ") + FormatNumber((*pts)[i]) + "," + FormatNumber((*pts)[i + 1]);
      }
      if (name == "polygon" && !d.empty()) d += " Z";
      return d;
    }
    if (name == "rect") {
      const double x = Number(node, "x", 0), y = Number(node, "y", 0);
      const double w = Number(node, "width", 0), h = Number(node, "height", 0);
      if (w < 0 || h < 0) Fail(node, "a <rect> with a negative width or height");
      double rx = Number(node, "rx", -1), ry = Number(node, "ry", -1);
      if (rx < 0) rx = ry;
      if (ry < 0) ry = rx;
      rx = std::clamp(rx, 0.0, w / 2);
      ry = std::clamp(ry, 0.0, h / 2);
      if (rx <= 0 || ry <= 0) {
        return "M " + FormatNumber(x) + "," + FormatNumber(y) + " H " + FormatNumber(x + w) + " V " +
               FormatNumber(y + h) + " H " + FormatNumber(x) + " Z";
      }
      return RoundedRect(x, y, w, h, rx, ry);
    }
    if (name == "circle" || name == "ellipse") {
      const double cx = Number(node, "cx", 0), cy = Number(node, "cy", 0);
      const double rx = name == "circle" ? Number(node, "r", 0) : Number(node, "rx", 0);
      const double ry = name == "circle" ? rx : Number(node, "ry", 0);
      if (rx < 0 || ry < 0) Fail(node, "a <" + std::string(name) + "> with a negative radius");
      return Ellipse(cx, cy, rx, ry);
    }
    return std::nullopt;
  }

  // About how many anchors path data makes, from its commands and the count
  // of numbers each takes, without parsing it: lib2geom's parser takes
  // microseconds an anchor, so a huge path is refused before it runs.
  static std::size_t EstimatedAnchors(std::string_view d) {
    std::size_t anchors = 0;
    std::size_t numbers = 0;
    std::size_t arity = 2;
    auto flush = [&] {
      anchors += (numbers + arity - 1) / arity;
      numbers = 0;
    };
    for (std::size_t i = 0; i < d.size();) {
      const char c = d[i];
      if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') {
        ++numbers;
        while (i < d.size() && (std::isdigit(static_cast<unsigned char>(d[i])) || d[i] == '.')) ++i;
        continue;
      }
      if (std::isalpha(static_cast<unsigned char>(c)) && c != 'e' && c != 'E') {
        flush();
        const char lower = static_cast<char>(c | 0x20);
        arity = lower == 'h' || lower == 'v' ? 1 : lower == 'c' ? 6 : lower == 's' || lower == 'q' ? 4
              : lower == 'a' ? 7 : 2;
      }
      ++i;
    }
    flush();
    return anchors;
  }

  static std::string P(double x, double y) { return FormatNumber(x) + "," + FormatNumber(y); }

  // Four cubics, starting and ending at the rightmost point, so that the
  // closed path has four anchors.
  static std::string Ellipse(double cx, double cy, double rx, double ry) {
    const double kx = kKappa * rx, ky = kKappa * ry;
    return "M " + P(cx + rx, cy) + " C " + P(cx + rx, cy + ky) + " " + P(cx + kx, cy + ry) + " " + P(cx, cy + ry) +
           " C " + P(cx - kx, cy + ry) + " " + P(cx - rx, cy + ky) + " " + P(cx - rx, cy) + " C " +
           P(cx - rx, cy - ky) + " " + P(cx - kx, cy - ry) + " " + P(cx, cy - ry) + " C " + P(cx + kx, cy - ry) +
           " " + P(cx + rx, cy - ky) + " " + P(cx + rx, cy) + " Z";
  }

  static std::string RoundedRect(double x, double y, double w, double h, double rx, double ry) {
    const double kx = kKappa * rx, ky = kKappa * ry;
    const double r = x + w, b = y + h;
    return "M " + P(x + rx, y) + " L " + P(r - rx, y) + " C " + P(r - rx + kx, y) + " " + P(r, y + ry - ky) + " " +
           P(r, y + ry) + " L " + P(r, b - ry) + " C " + P(r, b - ry + ky) + " " + P(r - rx + kx, b) + " " +
           P(r - rx, b) + " L " + P(x + rx, b) + " C " + P(x + rx - kx, b) + " " + P(x, b - ry + ky) + " " +
           P(x, b - ry) + " L " + P(x, y + ry) + " C " + P(x, y + ry - ky) + " " + P(x + rx - kx, y) + " " +
           P(x + rx, y) + " Z";
  }

  ArtId ReadShape(pugi::xml_node node, const std::string& d, ArtId parent, const AffineMatrix& ctm,
                 const Props& props, const std::vector<std::pair<std::string, std::string>>& restStyle) {
    const std::string quoted = "\"" + d.substr(0, 60) + (d.size() > 60 ? "..." : "") + "\"";
    Geom::PathVector pv;
    try {
      pv = Geom::parse_svg_path(d.c_str());
    } catch (const std::exception&) {
      Fail(node, "bad path data in attribute d: " + quoted);
    }
    CheckPathData(node, pv);
    pv *= Geom::Affine(ctm.a, ctm.b, ctm.c, ctm.d, ctm.tx, ctm.ty);
    std::vector<std::pair<std::vector<PathSegment>, bool>> subpaths;
    std::size_t anchors = 0;
    try {
      for (const Geom::Path& path : pv) {
        if (path.size_open() == 0) continue;
        subpaths.push_back(ToSegments(node, path));
        anchors += subpaths.back().first.size();
      }
    } catch (const std::exception& e) {
      // lib2geom refuses some degenerate arcs while converting them.
      Fail(node, "path data that cannot be converted to curves (" + std::string(e.what()) + "): " + quoted);
    }
    if (anchors > kMaxAnchorsPerPath) {
      Fail(node, "a path of " + std::to_string(anchors) + " anchors; the reader accepts at most " +
                     std::to_string(kMaxAnchorsPerPath));
    }
    for (const auto& [segments, closed] : subpaths) {
      for (const PathSegment& s : segments) {
        for (const Point p : {s.anchor, s.in, s.out}) {
          Bounded(node, p.x, "a placed coordinate");
          Bounded(node, p.y, "a placed coordinate");
        }
      }
    }
    const PathStyle style = ResolveStyle(node, props, ctm);
    ArtId art;
    if (subpaths.size() == 1) {
      art = doc_.NewPath(parent, std::move(subpaths[0].first), subpaths[0].second, style);
    } else {
      art = doc_.NewArt(ArtType::kCompoundPath, PaintOrder::kPlaceInsideOnTop, parent);
      doc_.SetPathStyle(art, style);
      for (auto& [segments, closed] : subpaths) {
        const ArtId member = doc_.NewArt(ArtType::kPath, PaintOrder::kPlaceInsideOnBottom, art);
        doc_.SetSegments(member, std::move(segments));
        doc_.SetClosed(member, closed);
        doc_.SetPathStyle(member, style);
      }
    }
    doc_.SetArtForeign(art, KeepForeign(node, {"d", "x", "y", "width", "height", "rx", "ry", "cx", "cy", "r",
                                               "x1", "y1", "x2", "y2", "points"},
                                        restStyle));
    ReadCommon(node, art, props);
    return art;
  }

  // Every point and arc radius of the path data within the limit, before
  // the arcs are converted (a huge radius would make that unbounded).
  void CheckPathData(pugi::xml_node node, const Geom::PathVector& pv) const {
    std::size_t curves = 0;
    auto bounded = [&](Geom::Point p, const char* what) {
      Bounded(node, p[Geom::X], what);
      Bounded(node, p[Geom::Y], what);
    };
    for (const Geom::Path& path : pv) {
      curves += path.size_open();
      if (curves > kMaxAnchorsPerPath) {
        Fail(node, "a path of more than " + std::to_string(kMaxAnchorsPerPath) +
                       " anchors; the reader accepts at most that many");
      }
      bounded(path.initialPoint(), "a coordinate of the path data");
      for (std::size_t i = 0; i < path.size_open(); ++i) {
        const Geom::Curve& curve = path[i];
        if (const auto* arc = dynamic_cast<const Geom::EllipticalArc*>(&curve)) {
          bounded(arc->rays(), "an arc radius");
        } else if (const auto* bezier = dynamic_cast<const Geom::BezierCurve*>(&curve)) {
          for (unsigned k = 0; k <= bezier->order(); ++k) bounded((*bezier)[k], "a coordinate of the path data");
        }
        bounded(curve.finalPoint(), "a coordinate of the path data");
      }
    }
  }

  static Point ToPoint(Geom::Point p) { return {p[Geom::X], p[Geom::Y]}; }

  static void AppendCubic(std::vector<PathSegment>& segs, Point p1, Point p2, Point p3) {
    segs.back().out = p1;
    segs.push_back({p3, p2, p3, true});
  }

  static void AppendCurve(std::vector<PathSegment>& segs, const Geom::Curve& curve) {
    const auto* bezier = dynamic_cast<const Geom::BezierCurve*>(&curve);
    const Point p0 = segs.back().anchor;
    const Point p3 = ToPoint(curve.finalPoint());
    if (bezier && bezier->order() == 1) {
      AppendCubic(segs, p0, p3, p3);
    } else if (bezier && bezier->order() == 2) {
      const Point q = ToPoint((*bezier)[1]);
      AppendCubic(segs, p0 + (q - p0) * (2.0 / 3.0), p3 + (q - p3) * (2.0 / 3.0), p3);
    } else if (bezier && bezier->order() == 3) {
      AppendCubic(segs, ToPoint((*bezier)[1]), ToPoint((*bezier)[2]), p3);
    } else {
      const Geom::Path cubics = Geom::cubicbezierpath_from_sbasis(curve.toSBasis(), kArcTolerance);
      for (const Geom::Curve& c : cubics) {
        if (c.isDegenerate()) continue;
        AppendCurve(segs, c);
      }
      // Land exactly on the arc's end point.
      segs.back().in = segs.back().in - segs.back().anchor + p3;
      segs.back().anchor = segs.back().out = p3;
    }
  }

  std::pair<std::vector<PathSegment>, bool> ToSegments(pugi::xml_node node, const Geom::Path& path) {
    std::vector<PathSegment> segs{PathSegment::Corner(ToPoint(path.initialPoint()))};
    for (std::size_t i = 0; i < path.size_open(); ++i) {
      const std::size_t before = segs.size();
      AppendCurve(segs, path[i]);
      if (dynamic_cast<const Geom::BezierCurve*>(&path[i])) continue;
      // An arc: a few bytes of it can make a hundred curves, each taking
      // microseconds to make, so the file's arcs make a bounded number.
      arcCurves_ += segs.size() - before;
      if (arcCurves_ > kMaxArcCurves) {
        Fail(node, "arcs that make more than " + std::to_string(kMaxArcCurves) +
                       " curves in all; the reader accepts at most that many");
      }
    }
    const bool closed = path.closed();
    if (closed && segs.size() > 1) {
      // The last curve returns to the start: it becomes the closing curve,
      // and the start keeps a single anchor.
      const Point first = segs.front().anchor;
      const Point last = segs.back().anchor;
      const double scale = std::max({1.0, std::abs(first.x), std::abs(first.y)});
      if (geometry::Distance(first, last) <= 1e-12 * scale) {
        segs.front().in = segs.back().in;
        segs.pop_back();
      }
    }
    for (PathSegment& s : segs) {
      const Point in = s.in - s.anchor;
      const Point out = s.out - s.anchor;
      const double li = geometry::Length(in), lo = geometry::Length(out);
      s.corner = !(li > 0 && lo > 0 && geometry::Dot(in, out) < 0 &&
                   std::abs(geometry::Cross(in, out)) <= 1e-9 * li * lo);
    }
    return {std::move(segs), closed};
  }

  std::optional<Color> Paint(pugi::xml_node node, const Props& props, const char* property, const char* exact,
                             const char* custom) {
    const auto it = props.find(property);
    const std::string text = it == props.end() ? (std::string_view(property) == "fill" ? "black" : "none") : it->second;
    PaintValue p = ParsePaint(text);
    if (!p.ok) {
      // Paint servers (gradients, patterns) and unknown names: the model
      // keeps a plain colour, black.
      if (text.substr(0, 4) == "url(" || text == "currentColor") p.paint = Color::Rgb(0, 0, 0);
      else Fail(node, std::string("bad colour in ") + property + ": \"" + text + "\"");
    }
    if (!p.paint) return std::nullopt;
    if (const auto a = node.attribute(Prefixed(workbench_, exact).c_str())) {
      auto c = ParseExactColor(a.value());
      if (!c) Fail(node, std::string("bad colour \"") + a.value() + "\"");
      if (c->kind == document::ColorKind::kCustom) {
        c->custom = CustomColorNamed(node.attribute(Prefixed(workbench_, custom).c_str()).value());
      }
      return *c;
    }
    return p.paint;
  }

  PathStyle ResolveStyle(pugi::xml_node node, const Props& props, const AffineMatrix& ctm) {
    PathStyle s;
    const double scale = ScaleOf(ctm);
    auto prop = [&props](const char* k) -> std::string {
      auto it = props.find(k);
      return it == props.end() ? std::string() : it->second;
    };
    auto number = [&](const char* k, double fallback) {
      const std::string v = prop(k);
      if (v.empty()) return fallback;
      auto n = ParseNumber(v);
      if (!n) n = ParseLengthPoints(v);
      if (!n) Fail(node, std::string("bad number in ") + k + ": \"" + v + "\"");
      return Bounded(node, *n, k);
    };
    const auto fill = Paint(node, props, "fill", "fill-color", "fill-custom");
    s.fillPaint = fill.has_value();
    if (fill) s.fill.color = *fill;
    const auto stroke = Paint(node, props, "stroke", "stroke-color", "stroke-custom");
    s.strokePaint = stroke.has_value();
    if (stroke) s.stroke.color = *stroke;
    s.stroke.width = number("stroke-width", 1.0) * scale;
    const std::string cap = prop("stroke-linecap");
    s.stroke.cap = cap == "round" ? document::LineCap::kRound
                   : cap == "square" ? document::LineCap::kProjecting : document::LineCap::kButt;
    const std::string join = prop("stroke-linejoin");
    s.stroke.join = join == "round" ? document::LineJoin::kRound
                    : join == "bevel" ? document::LineJoin::kBevel : document::LineJoin::kMiter;
    s.stroke.miterLimit = number("stroke-miterlimit", 4.0);
    const std::string dash = prop("stroke-dasharray");
    if (!dash.empty() && dash != "none") {
      auto list = ParseNumberList(dash);
      if (!list) Fail(node, "bad stroke-dasharray \"" + dash + "\"");
      for (double& v : *list) v = Bounded(node, v, "an entry of stroke-dasharray") * scale;
      s.stroke.dash.array = std::move(*list);
    }
    s.stroke.dash.offset = number("stroke-dashoffset", 0.0) * scale;
    s.evenOdd = prop("fill-rule") == "evenodd";
    return s;
  }

  // A node as XML text. For art kept verbatim the attributes the model
  // holds itself are left out; saving writes them from the model.
  std::string Serialize(pugi::xml_node node, bool stripModelAttributes = false) const {
    pugi::xml_document copy;
    pugi::xml_node n = node;
    if (stripModelAttributes) {
      n = copy.append_copy(node);
      std::vector<std::string> drop;
      for (const pugi::xml_attribute a : n.attributes()) {
        const std::string_view name = a.name();
        if (name == "transform" || name == "id" || name == Prefixed(inkscape_, "label") ||
            name == Prefixed(sodipodi_, "insensitive") || name.substr(0, workbench_.size() + 1) == workbench_ + ":") {
          drop.emplace_back(name);
        }
      }
      for (const auto& name : drop) n.remove_attribute(name.c_str());
    }
    std::ostringstream out;
    n.print(out, "", pugi::format_raw);
    return out.str();
  }

  std::string_view text_;
  std::string file_;
  Document doc_ = Document::Empty();
  AffineMatrix base_;
  std::string inkscape_ = "inkscape";
  std::string sodipodi_ = "sodipodi";
  std::string workbench_ = "workbench";
  std::string xlink_ = "xlink";
  std::unordered_map<std::string, document::CustomColorId> colorsByName_;
  std::size_t arcCurves_ = 0;
};

}  // namespace

Result<Document> ReadSvgString(std::string_view text, const std::string& fileName) {
  return Reader(text, fileName).Run();
}

Result<Document> ReadSvgFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return Error{file.string(), 0, "cannot open the file"};
  std::ostringstream buffer;
  buffer << in.rdbuf();
  const std::string text = buffer.str();
  return ReadSvgString(text, file.string());
}

}  // namespace workbench::svg
