#include "workbench/fabric/dxf_aama.h"

#include <cstdio>
#include <initializer_list>
#include <set>
#include <utility>

#include "workbench/fabric/replace_file.h"

namespace workbench::fabric {

namespace fs = std::filesystem;

namespace {

// Millimetres with four decimals: a tenth of a micrometre, far below what
// cutting tables resolve, so the file keeps our outlines to 0.01 mm.
std::string Mm(double points) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.4f", points / kPointsPerMm);
  return buffer;
}

// DXF text is ASCII in R12: other characters as \U+XXXX.
std::string DxfText(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += c >= 0x20 ? static_cast<char>(c) : ' ';
      ++i;
      continue;
    }
    const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
    unsigned code = c & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) code = (code << 6) | (utf8[i + k] & 0x3F);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "\\U+%04X", code);
    out += buffer;
    i += extra + 1;
  }
  return out;
}

class Writer {
 public:
  void Pair(int code, const std::string& value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%3d", code);
    text_ += buffer;
    text_ += "\n" + value + "\n";
  }
  void Pairs(std::initializer_list<std::pair<int, const char*>> pairs) {
    for (const auto& [code, value] : pairs) Pair(code, value);
  }
  void Point(int code, fabric::Point p) {
    Pair(code, Mm(p.x));
    Pair(code + 10, Mm(p.y));
    Pair(code + 20, "0.0");
  }
  // An entity or table entry: its type, a handle of its own, its layer.
  void Start(const std::string& type, const std::string& layer) {
    Pair(0, type);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", nextHandle_++);
    Pair(5, buffer);
    if (!layer.empty()) Pair(8, layer);
  }
  void Start(const std::string& type, int layer) { Start(type, std::to_string(layer)); }
  /// Above every handle given so far.
  std::string HandleSeed() const {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", nextHandle_);
    return buffer;
  }
  void Polyline(int layer, const Polygon& points, bool closed) {
    Start("POLYLINE", layer);
    Pair(66, "1");
    Point(10, {0.0, 0.0});
    Pair(70, closed ? "1" : "0");
    for (fabric::Point p : points) {
      Start("VERTEX", layer);
      Point(10, p);
    }
    Start("SEQEND", layer);
  }
  void Line(int layer, fabric::Point a, fabric::Point b) {
    Start("LINE", layer);
    Point(10, a);
    Point(11, b);
  }
  void Text(int layer, fabric::Point at, double heightMm, const std::string& text) {
    Start("TEXT", layer);
    Point(10, at);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", heightMm);
    Pair(40, buffer);
    Pair(1, DxfText(text));
  }
  void Layer(const std::string& name, int colour) {
    Start("LAYER", "");
    Pair(2, name);
    Pair(70, "0");
    Pair(62, std::to_string(colour));
    Pair(6, "CONTINUOUS");
  }
  std::string& Text() { return text_; }

 private:
  std::string text_;
  unsigned nextHandle_ = 0x20;
};

void Header(Writer& w, const FabricLayout& layout, const std::string& handleSeed) {
  w.Pairs({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1009"}, {9, "$HANDLING"}, {70, "1"},
           {9, "$HANDSEED"}});
  w.Pair(5, handleSeed);
  w.Pair(9, "$INSBASE");
  w.Point(10, {0.0, 0.0});
  const document::Rect box = LayoutBounds(layout).value_or(document::Rect{});
  w.Pair(9, "$EXTMIN");
  w.Point(10, {box.left, box.bottom});
  w.Pair(9, "$EXTMAX");
  w.Point(10, {box.right, box.top});
  w.Pairs({{9, "$MEASUREMENT"}, {70, "1"}, {0, "ENDSEC"}});
}

// A table's head and its first entry's name: `count` entries of `type`.
void Table(Writer& w, const std::string& type, int count, const std::string& first) {
  w.Start("TABLE", "");
  w.Pair(2, type);
  w.Pair(70, std::to_string(count));
  w.Start(type, "");
  w.Pair(2, first);
}

void Tables(Writer& w) {
  w.Pair(0, "SECTION");
  w.Pair(2, "TABLES");
  Table(w, "LTYPE", 1, "CONTINUOUS");
  w.Pairs({{70, "0"}, {3, "Solid line"}, {72, "65"}, {73, "0"}, {40, "0.0"}, {0, "ENDTAB"}});
  w.Start("TABLE", "");
  w.Pair(2, "LAYER");
  w.Pair(70, "4");
  w.Layer("0", 7);
  w.Layer(std::to_string(kBoundaryLayer), 1);
  w.Layer(std::to_string(kNotchLayer), 4);
  w.Layer(std::to_string(kSewLineLayer), 3);
  w.Pair(0, "ENDTAB");
  Table(w, "STYLE", 1, "STANDARD");
  w.Pairs({{70, "0"}, {40, "0.0"}, {41, "1.0"}, {50, "0.0"}, {71, "0"}, {42, "2.5"}, {3, "txt"}, {4, ""},
           {0, "ENDTAB"}, {0, "ENDSEC"}});
}

fabric::Point Centre(const Polygon& polygon) {
  fabric::Point sum;
  for (fabric::Point p : polygon) sum = sum + p;
  return polygon.empty() ? sum : sum * (1.0 / static_cast<double>(polygon.size()));
}

}  // namespace

std::string BlockName(const std::string& name) {
  std::string out;
  for (char c : name) {
    const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    out += keep ? c : '_';
  }
  return out.empty() ? "PIECE" : out;
}

std::string FormatDxfAama(const FabricLayout& layout, const std::string& style) {
  Writer w;
  Tables(w);
  std::set<std::string> used;
  std::vector<std::string> names;
  w.Pair(0, "SECTION");
  w.Pair(2, "BLOCKS");
  for (const FabricPiece& piece : layout.pieces) {
    std::string name = BlockName(piece.name);
    for (int n = 2; used.count(name) != 0; ++n) name = BlockName(piece.name) + "_" + std::to_string(n);
    used.insert(name);
    names.push_back(name);
    w.Start("BLOCK", "0");
    w.Pair(2, name);
    w.Pair(70, "0");
    w.Point(10, {0.0, 0.0});
    w.Pair(3, name);
    w.Pair(1, "");
    w.Polyline(kBoundaryLayer, piece.boundary, true);
    if (piece.cut) w.Polyline(kSewLineLayer, piece.finishOutline, true);
    for (const PieceNotch& notch : piece.notches) {
      for (const std::vector<fabric::Point>& stroke : notch.strokes) {
        for (std::size_t i = 0; i + 1 < stroke.size(); ++i) w.Line(kNotchLayer, stroke[i], stroke[i + 1]);
      }
    }
    w.Text(kBoundaryLayer, Centre(piece.finishOutline), 5.0, "Piece Name: " + piece.name);
    w.Start("ENDBLK", "0");
  }
  w.Pair(0, "ENDSEC");
  w.Pair(0, "SECTION");
  w.Pair(2, "ENTITIES");
  const document::Rect box = LayoutBounds(layout).value_or(document::Rect{});
  w.Text(kBoundaryLayer, {box.left, box.bottom - 10.0 * kPointsPerMm}, 5.0, "Style Name: " + style);
  w.Text(kBoundaryLayer, {box.left, box.bottom - 20.0 * kPointsPerMm}, 5.0, "Units: METRIC");
  for (const std::string& name : names) {
    w.Start("INSERT", "0");
    w.Pair(2, name);
    w.Point(10, {0.0, 0.0});
  }
  w.Pair(0, "ENDSEC");
  w.Pair(0, "EOF");
  Writer header;
  Header(header, layout, w.HandleSeed());
  return header.Text() + w.Text();
}

svg::Result<svg::Done> WriteDxfAama(const FabricLayout& layout, const std::string& style, const fs::path& file) {
  return ReplaceFile(file, FormatDxfAama(layout, style));
}

}  // namespace workbench::fabric
