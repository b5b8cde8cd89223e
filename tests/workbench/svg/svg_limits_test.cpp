// Hostile files are refused with the file, the line and the limit, quickly
// and in little memory; every accepted file saves to one that reads back,
// whatever prefixes it gives the namespaces; nothing that is not a number is
// ever written.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "support/shared_data.h"
#include "svg_test_support.h"
#include "workbench/svg/svg_limits.h"

namespace workbench::svg {
namespace {

using document::ArtId;
using document::Document;

constexpr const char* kOpen = "<svg xmlns=\"http://www.w3.org/2000/svg\">\n";

struct Refused {
  const char* what;
  std::string text;
  int line;
  const char* message;  // a part of the message
};

std::string Repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

std::string Nested(int depth) {
  return kOpen + Repeated("<g>", depth) + "<path d=\"M 0,0 L 1,1\"/>" + Repeated("</g>", depth) + "</svg>";
}

TEST(SvgLimits, HostileFilesAreRefusedWithFileLineAndLimit) {
  const std::string o = kOpen;
  const std::vector<Refused> cases = {
      {"billion laughs", "<?xml version=\"1.0\"?>\n<!DOCTYPE svg [\n<!ENTITY a \"aaaa\">\n<!ENTITY b \"&a;&a;&a;\">\n]>\n" + o +
                             "<text>&b;</text></svg>", 2, "declares entities"},
      {"nesting", Nested(kMaxNestingDepth + 5), 2, "nested more than 100 deep"},
      {"arc radius", o + "\n<path d=\"M 0,0 A 1e308 1e308 0 1 1 100,0 Z\"/></svg>", 3, "an arc radius is 1e+308"},
      {"arc beyond the limit", o + "<path d=\"M 0,0 A 2e9 1 0 1 1 100,0 Z\"/></svg>", 2, "an arc radius"},
      {"arcs making too many curves", o + "<path d=\"M0 0" + Repeated("A4e8 4e8 0 1 0 1 0A4e8 4e8 0 1 0 0 0", 200) + "\"/></svg>",
       2, "arcs that make more than 50000 curves"},
      {"coordinate", o + "<path d=\"M1e782,2 v8\"/></svg>", 2, "a coordinate of the path data is inf"},
      {"coordinate beyond the limit", o + "<path d=\"M 0,0 L 2e9,0\"/></svg>", 2, "beyond the 1e+09"},
      {"number", o + "<rect width=\"1e309\" height=\"1\"/></svg>", 2, "bad number in attribute width"},
      {"scale", o + "<g transform=\"scale(1e308)\"><path d=\"M1,2 v8\"/></g></svg>", 2, "an entry of the transform"},
      {"scales that multiply", o + "<g transform=\"scale(1e5)\">\n<g transform=\"scale(1e5)\">\n<path d=\"M1,2 v8\"/></g></g></svg>",
       3, "an entry of the transform"},
      {"placed beyond the limit", o + "<g transform=\"translate(9e8)\"><path d=\"M 0,0 L 9e8,0\"/></g></svg>", 2,
       "a placed coordinate"},
      {"viewBox scale", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"100\" viewBox=\"0 0 1e-308 1e-308\"/>",
       1, "scales the page"},
      {"stroke width", o + "<path stroke-width=\"1e300\" d=\"M 0,0 L 1,1\"/></svg>", 2, "stroke-width is 1e+300"},
      {"path data length", o + "<path d=\"M 0,0" + std::string(kMaxPathDataLength, ' ') + "\"/></svg>", 2,
       "path data of 1000005 characters"},
      {"attribute given twice", o + "\n<path d=\"M0 0h1\" d=\"M0 0h2\"/></svg>", 3, "the attribute d is given twice"},
      {"negative rect", o + "<rect x=\"1\" width=\"-5\" height=\"3\"/></svg>", 2, "a <rect> with a negative width"},
      {"negative radius", o + "\n<circle r=\"-1\"/></svg>", 3, "a <circle> with a negative radius"},
      {"root namespace", "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://example.org/x\"/>", 2,
       "is in the namespace \"http://example.org/x\""},
      {"prefixed root", "<x:svg xmlns:x=\"http://example.org/x\"/>", 1, "not SVG's"},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.what);
    const auto start = std::chrono::steady_clock::now();
    auto read = ReadSvgString(c.text, "hostile.svg");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().file, "hostile.svg");
    EXPECT_EQ(read.error().line, c.line);
    EXPECT_NE(read.error().message.find(c.message), std::string::npos) << read.error().message;
    // Only a hang exceeds this, also under the sanitizers (the arc case takes
    // about 5 s there); the reader's speed is svg_reader_bench's to show.
    EXPECT_LT(seconds, 60.0);
  }
}

TEST(SvgLimits, ManyElementsAndAnchorsAreCountedAgainstTheirLimits) {
  // One element a line after the root's: the one beyond the limit is on
  // the line after the limit's number.
  std::string many = kOpen;
  for (std::size_t i = 0; i <= kMaxElements; ++i) many += "<g/>\n";
  auto read = ReadSvgString(many + "</svg>", "many.svg");
  ASSERT_FALSE(read);
  EXPECT_EQ(read.error().file, "many.svg");
  EXPECT_EQ(read.error().line, static_cast<int>(kMaxElements) + 1);
  EXPECT_NE(read.error().message.find("more than 200000 elements"), std::string::npos) << read.error().message;

  std::string d = "M 0,0";
  for (std::size_t i = 0; i < kMaxAnchorsPerPath; ++i) d += " L" + std::to_string(i % 1000) + ",1";
  read = ReadSvgString(std::string(kOpen) + "<path d=\"" + d + "\"/></svg>", "anchors.svg");
  ASSERT_FALSE(read);
  EXPECT_NE(read.error().message.find("a path of 20001 anchors; the reader accepts at most 20000"), std::string::npos) << read.error().message;

  // A path far beyond the limit is refused before it is parsed.
  std::string h = "M 0,0";
  for (std::size_t i = 0; i < 3 * kMaxAnchorsPerPath; ++i) h += "h1";
  read = ReadSvgString(std::string(kOpen) + "<path d=\"" + h + "\"/></svg>", "h.svg");
  ASSERT_FALSE(read);
  EXPECT_NE(read.error().message.find("more than 20000 anchors"), std::string::npos) << read.error().message;

  // Just within the limits, the same shapes open.
  EXPECT_TRUE(ReadSvgString(Nested(kMaxNestingDepth - 2), "deep.svg"));
  read = ReadSvgString(std::string(kOpen) + "<path d=\"" + d.substr(0, d.rfind(" L")) + "\"/></svg>", "anchors.svg");
  ASSERT_TRUE(read) << read.error().ToString();
  const auto& layer = read.value().ChildrenOf(read.value().LayerGroup(read.value().LayerAt(0)));
  EXPECT_EQ(read.value().FindArt(layer.at(0))->segments.size(), kMaxAnchorsPerPath);
}

const document::Art& FirstArt(const Document& doc) {
  return *doc.FindArt(doc.ChildrenOf(doc.LayerGroup(doc.LayerAt(0))).at(0));
}

// (A file saved unchanged is written back byte for byte, so reads back the
// same: the file form's test, and the fuzz replay's on these files.)
TEST(SvgNamespaces, PrefixesAreReadByTheirNamespaceAndOursGetsAFreeOne) {
  const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" ";
  // Our namespace under another prefix: its tags are ours.
  Document doc = testing::Read(svg + "xmlns:wb=\"https://quorvane.org/namespaces/workbench\">"
                                     "<path d=\"M 0,0 L 9,0 L 9,9 Z\" wb:tag-set=\"6869\" workbench:other=\"x\"/></svg>");
  EXPECT_EQ(FirstArt(doc).tags.at("set"), "hi");

  // "workbench" bound to another namespace: its attributes are not tags, and
  // ours get a prefix of their own that nothing else uses.
  doc = testing::Read(svg + "xmlns:workbench=\"http://example.org/other\">"
                            "<path d=\"M 0,0 L 9,0 L 9,9 Z\" workbench:tag-x=\"not hex\"/><foo workbench1:a=\"1\"/></svg>");
  EXPECT_TRUE(FirstArt(doc).tags.empty());
  doc.SetTag(doc.ChildrenOf(doc.LayerGroup(doc.LayerAt(0))).at(0), "set", "hi");
  const std::string tagged = WriteSvgString(doc);
  EXPECT_NE(tagged.find("xmlns:workbench2=\"https://quorvane.org/namespaces/workbench\""), std::string::npos)
      << tagged;
  EXPECT_NE(tagged.find("workbench2:tag-set=\"6869\""), std::string::npos) << tagged;

  // Inkscape's prefix used without a declaration: still the layer's label;
  // "inkscape" bound elsewhere: the group is no layer.
  doc = testing::Read(svg + "><g inkscape:groupmode=\"layer\" inkscape:label=\"Front\"><path d=\"M 0,0 L 9,0 Z\"/></g></svg>");
  EXPECT_EQ(doc.FindLayer(doc.LayerAt(0))->title, "Front");
  doc = testing::Read(svg + "xmlns:inkscape=\"http://example.org/x\"><g inkscape:groupmode=\"layer\" "
                            "inkscape:label=\"L\"><path d=\"M 0,0 L 9,0 Z\"/></g></svg>");
  EXPECT_EQ(doc.FindLayer(doc.LayerAt(0))->title, "Layer 1");

  // An empty prefix binds nothing: "workbench" keeps its usual meaning, and
  // a tag that is not hex is refused rather than saved unreadable.
  auto read = ReadSvgString("<svg xmlns:=\"https://quorvane.org/namespaces/workbench\"><p workbench:tag-=\"zz\"/></svg>",
                            "empty-prefix.svg");
  ASSERT_FALSE(read);
  EXPECT_EQ(read.error().line, 1);
  EXPECT_NE(read.error().message.find("bad hex value"), std::string::npos);
}

TEST(SvgNonFinite, NothingThatIsNotANumberIsWritten) {
  // Form feeds, which XML cannot hold, separate nothing: a frame or a
  // points list written with them is refused, naming the file and line,
  // rather than read and then saved to a file that cannot be read back.
  for (const char* element : {"<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0\f0\f10\f10\">",
                              "<svg xmlns=\"http://www.w3.org/2000/svg\"><polygon points=\"0,0 5\f5 9,0\"/>"}) {
    const auto refused = ReadSvgString(std::string(element) + "</svg>", "in.svg");
    ASSERT_FALSE(refused) << element;
    EXPECT_EQ(refused.error().ToString().rfind("in.svg:1: ", 0), 0u) << refused.error().ToString();
  }

  // A document that came to hold a non-number is not saved, and the file
  // already there stays.
  Document doc;
  doc.NewPath(doc.LayerGroup(doc.LayerAt(0)),
              {geometry::PathSegment::Corner({0, 0}),
               geometry::PathSegment::Corner({std::numeric_limits<double>::quiet_NaN(), 5})}, false);
  const auto dir = std::filesystem::temp_directory_path() / ("svg-nonfinite-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto file = dir / "kept.svg";
  std::ofstream(file) << "old";
  auto written = WriteSvgFile(doc, file);
  ASSERT_FALSE(written);
  EXPECT_NE(written.error().message.find("not a finite number"), std::string::npos);
  std::ifstream kept(file);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
  // A good document replaces the file, leaving no temporary either; a
  // folder that does not exist is an error naming the file.
  Document good;
  good.SetLayerTitle(good.LayerAt(0), "Saved");
  ASSERT_TRUE(WriteSvgFile(good, file));
  auto read = ReadSvgFile(file);
  ASSERT_TRUE(read) << read.error().ToString();
  EXPECT_EQ(read.value().FindLayer(read.value().LayerAt(0))->title, "Saved");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
  auto failed = WriteSvgFile(good, dir / "missing" / "x.svg");
  ASSERT_FALSE(failed);
  EXPECT_NE(failed.error().file.find("x.svg"), std::string::npos);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace workbench::svg
