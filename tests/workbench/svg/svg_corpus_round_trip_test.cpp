// Every real pattern file comes back from opening and saving as it went in:
// the same elements, attributes, text, comments and processing instructions,
// and the same picture, pixel for pixel, as rsvg-convert draws them.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <pugixml.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "support/shared_data.h"
#include "workbench/svg/svg_io.h"

namespace workbench::svg {
namespace {

namespace fs = std::filesystem;
using document::Document;

constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_comments |
                                 pugi::parse_pi | pugi::parse_declaration | pugi::parse_doctype;

bool IsBlank(pugi::xml_node n) {
  if (n.type() != pugi::node_pcdata) return false;
  for (const char* c = n.value(); *c; ++c) {
    if (*c != ' ' && *c != '\t' && *c != '\n' && *c != '\r') return false;
  }
  return true;
}

std::vector<pugi::xml_node> Children(pugi::xml_node n) {
  std::vector<pugi::xml_node> out;
  for (const pugi::xml_node c : n.children()) {
    if (!IsBlank(c)) out.push_back(c);
  }
  return out;
}

// The first difference between two trees, as a path of element names and
// what differs there; empty when they are the same. White space between
// elements does not count: it draws nothing.
std::string FirstDifference(pugi::xml_node a, pugi::xml_node b, const std::string& where) {
  if (a.type() != b.type() || std::string_view(a.name()) != b.name()) {
    return where + ": <" + a.name() + "> became <" + b.name() + ">";
  }
  if (std::string_view(a.value()) != b.value()) return where + ": \"" + a.value() + "\" became \"" + b.value() + "\"";
  std::vector<std::pair<std::string, std::string>> attrsA, attrsB;
  for (const pugi::xml_attribute x : a.attributes()) attrsA.emplace_back(x.name(), x.value());
  for (const pugi::xml_attribute x : b.attributes()) attrsB.emplace_back(x.name(), x.value());
  if (attrsA != attrsB) {
    std::string d = where + "/" + a.name() + ": attributes differ:";
    for (std::size_t i = 0; i < std::max(attrsA.size(), attrsB.size()); ++i) {
      const auto x = i < attrsA.size() ? attrsA[i] : std::pair<std::string, std::string>{};
      const auto y = i < attrsB.size() ? attrsB[i] : std::pair<std::string, std::string>{};
      if (x != y) d += " " + x.first + "=\"" + x.second + "\" became " + y.first + "=\"" + y.second + "\";";
    }
    return d;
  }
  const auto ca = Children(a), cb = Children(b);
  const std::string here = where + "/" + a.name() + (a.attribute("id") ? "#" + std::string(a.attribute("id").value()) : "");
  for (std::size_t i = 0; i < std::min(ca.size(), cb.size()); ++i) {
    std::string d = FirstDifference(ca[i], cb[i], here);
    if (!d.empty()) return d;
  }
  if (ca.size() != cb.size()) {
    return here + ": " + std::to_string(ca.size()) + " children became " + std::to_string(cb.size());
  }
  return {};
}

// The picture rsvg-convert draws of a file, half size to keep the test
// quick; none when it cannot draw it.
std::optional<QImage> Render(const fs::path& svg, const fs::path& png) {
  const std::string command =
      "rsvg-convert --zoom 0.5 -o '" + png.string() + "' '" + svg.string() + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return std::nullopt;
  QImage image(QString::fromStdString(png.string()));
  if (image.isNull()) return std::nullopt;
  return image.convertToFormat(QImage::Format_ARGB32);
}

// The number of pixels that differ; -1 when the sizes differ.
long DifferentPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  long count = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) count += ra[x] != rb[x];
  }
  return count;
}

std::vector<fs::path> SvgFilesUnder(const fs::path& dir) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (it->path().extension() == ".svg") out.push_back(it->path());
  }
  std::sort(out.begin(), out.end());
  return out;
}

bool HaveProgram(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(SvgCorpusRoundTrip, EveryFileComesBackWithTheSameMarkupAndPicture) {
  const auto shared = quorvane::testing::SharedDir();
  if (!shared) GTEST_SKIP() << quorvane::testing::kNoSharedDir;
  if (!HaveProgram("rsvg-convert")) GTEST_SKIP() << "rsvg-convert (Debian's librsvg2-bin) is not installed";
  std::vector<fs::path> files = SvgFilesUnder(*shared / "corpus");
  const auto peers = SvgFilesUnder(*shared / "peer-data");
  files.insert(files.end(), peers.begin(), peers.end());
  ASSERT_GE(files.size(), 48u + 94u) << "the corpus holds 48 FreeSewing files and the peers 94";

  const fs::path work = fs::temp_directory_path() / ("svg-corpus-" + std::to_string(::getpid()));
  fs::create_directories(work);
  int identicalBytes = 0;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    auto read = ReadSvgFile(file);
    ASSERT_TRUE(read) << read.error().ToString();
    const fs::path saved = work / "saved.svg";
    ASSERT_TRUE(WriteSvgFile(read.value(), saved));

    std::ifstream in(file, std::ios::binary), back(saved, std::ios::binary);
    std::stringstream original, written;
    original << in.rdbuf();
    written << back.rdbuf();
    identicalBytes += original.str() == written.str();
    pugi::xml_document a, b;
    ASSERT_TRUE(a.load_string(original.str().c_str(), kParseFlags));
    ASSERT_TRUE(b.load_string(written.str().c_str(), kParseFlags));
    EXPECT_EQ(FirstDifference(a, b, file.filename().string()), "");

    // The same bytes draw the same picture; any other text is drawn.
    if (original.str() == written.str()) continue;
    const auto before = Render(file, work / "before.png");
    const auto after = Render(saved, work / "after.png");
    ASSERT_TRUE(before && after) << "rsvg-convert could not draw the file or its saved copy";
    EXPECT_EQ(DifferentPixels(*before, *after), 0) << "pixels differ (-1: the picture's size)";
  }
  fs::remove_all(work);
  // Every file written back byte for byte is the goal the markup and picture
  // checks guard the way to; it holds for the whole corpus today.
  EXPECT_EQ(identicalBytes, static_cast<int>(files.size()));
}

void WriteText(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

// A black dashed line whose class rule says red: a changed stroke width
// must land in its style attribute, or the rule wins and the saved line
// is drawn red and thin.
TEST(SvgCascade, ChangedStyleKeepsItsWeightAgainstStyleSheets) {
  if (!HaveProgram("rsvg-convert")) GTEST_SKIP() << "rsvg-convert (Debian's librsvg2-bin) is not installed";
  const std::string head =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"60\" height=\"40\" viewBox=\"0 0 60 40\">"
      "<style>.cut { stroke: #ff0000; stroke-width: 1 }</style>"
      "<rect width=\"60\" height=\"40\" fill=\"#ffffff\"/>";
  const std::string line = " class=\"cut\" d=\"M 5,20 L 55,20\"/></svg>";
  auto read = ReadSvgString(head + "<path style=\"fill:none;stroke:#000000;stroke-dasharray:6,3\"" + line, "in.svg");
  ASSERT_TRUE(read) << read.error().ToString();
  Document& doc = read.value();
  const document::ArtId path = doc.ChildrenOf(doc.LayerGroup(doc.LayerAt(0))).at(0);
  auto style = *doc.GetPathStyle(path);
  style.stroke.width = 4.0;  // points, one a user unit here
  doc.SetPathStyle(path, style);

  const fs::path work = fs::temp_directory_path() / ("svg-cascade-" + std::to_string(::getpid()));
  fs::create_directories(work);
  ASSERT_TRUE(WriteSvgFile(doc, work / "saved.svg"));
  WriteText(work / "expected.svg", head + "<path style=\"fill:none;stroke:#000000;stroke-dasharray:6,3;stroke-width:4\"" + line);
  WriteText(work / "overridden.svg",
            head + "<path stroke-width=\"4\" style=\"fill:none;stroke:#000000;stroke-dasharray:6,3\"" + line);
  const auto saved = Render(work / "saved.svg", work / "saved.png");
  const auto expected = Render(work / "expected.svg", work / "expected.png");
  const auto overridden = Render(work / "overridden.svg", work / "overridden.png");
  fs::remove_all(work);
  ASSERT_TRUE(saved && expected && overridden);
  EXPECT_EQ(DifferentPixels(*saved, *expected), 0);
  // The comparison sees the fault it guards against.
  EXPECT_GT(DifferentPixels(*overridden, *expected), 0);
}

}  // namespace
}  // namespace workbench::svg
