// Saving and reading back keeps layers, geometry, ids, tags and kept
// elements (the real pattern pieces are written back byte for byte by the
// corpus round trip).
#include <gtest/gtest.h>

#include <tuple>

#include "support/shared_data.h"
#include "svg_test_support.h"

namespace workbench::svg {
namespace {

using document::ArtId;
using document::ArtType;
using document::Document;
using testing::AllArt;

constexpr double kTolerance = 1e-6;  // points

// Same layers in the same order, and the same art with the same ids,
// marks, corners and styles. (Types, tags, names and points read back the
// same are also checked by the fuzz replay's SVG check, on this file too.)
void ExpectSameDocument(const Document& a, const Document& b, const std::string& what) {
  ASSERT_EQ(a.LayerCount(), b.LayerCount()) << what;
  for (std::size_t i = 0; i < a.LayerCount(); ++i) {
    const auto* la = a.FindLayer(a.LayerAt(i));
    const auto* lb = b.FindLayer(b.LayerAt(i));
    EXPECT_EQ(std::tie(la->title, la->editable, la->visible), std::tie(lb->title, lb->editable, lb->visible)) << what;
    // A layer or art without an id gets one when saved.
    if (!la->foreign.sourceId.empty()) {
      EXPECT_EQ(la->foreign.sourceId, lb->foreign.sourceId) << what;
    }
  }
  const auto artA = AllArt(a);
  const auto artB = AllArt(b);
  ASSERT_EQ(artA.size(), artB.size()) << what;
  for (std::size_t i = 0; i < artA.size(); ++i) {
    const auto& x = *a.FindArt(artA[i]);
    const auto& y = *b.FindArt(artB[i]);
    const std::string art = what + " " + x.foreign.sourceId;
    ASSERT_EQ(x.type, y.type) << art;
    if (!x.foreign.sourceId.empty()) {
      EXPECT_EQ(x.foreign.sourceId, y.foreign.sourceId) << art;
    }
    EXPECT_EQ(std::tie(x.tags, x.locked, x.hidden, x.name, x.placed.contents, x.closed),
              std::tie(y.tags, y.locked, y.hidden, y.name, y.placed.contents, y.closed))
        << art;
    ASSERT_EQ(x.segments.size(), y.segments.size()) << art;
    for (std::size_t k = 0; k < x.segments.size(); ++k) {
      EXPECT_LE(geometry::Distance(x.segments[k].anchor, y.segments[k].anchor), kTolerance) << art << " #" << k;
      EXPECT_EQ(x.segments[k].corner, y.segments[k].corner) << art << " #" << k;
    }
    if (x.type == ArtType::kPath || x.type == ArtType::kCompoundPath) {
      EXPECT_NEAR(x.style.stroke.width, y.style.stroke.width, kTolerance) << art;
      EXPECT_EQ(std::tie(x.style.fillPaint, x.style.strokePaint, x.style.evenOdd),
                std::tie(y.style.fillPaint, y.style.strokePaint, y.style.evenOdd))
          << art;
    }
  }
}

Document RoundTrip(const Document& doc) { return testing::Read(WriteSvgString(doc), "saved.svg"); }

TEST(SvgRoundTrip, HandMadeShapesKeepEverything) {
  auto read = ReadSvgFile(quorvane::testing::TestDataDir() / "svg" / "shapes.svg");
  ASSERT_TRUE(read) << read.error().ToString();
  const Document& doc = read.value();
  const std::string text = WriteSvgString(doc);
  // Kept elements and the Inkscape markings survive as such.
  EXPECT_NE(text.find("<linearGradient id=\"grad\""), std::string::npos);
  EXPECT_NE(text.find("sodipodi:insensitive=\"true\""), std::string::npos);
  EXPECT_NE(text.find("display:none"), std::string::npos);
  EXPECT_NE(text.find("inkscape:groupmode=\"layer\""), std::string::npos);
  EXPECT_NE(text.find("width=\"100mm\""), std::string::npos);
  const Document back = RoundTrip(doc);
  ExpectSameDocument(doc, back, "shapes.svg");
  ExpectSameDocument(back, RoundTrip(back), "shapes.svg twice");
}

TEST(SvgRoundTrip, TagsKeepEveryByte) {
  Document doc;
  const ArtId path = doc.NewPath(doc.LayerGroup(doc.LayerAt(0)),
                                 {geometry::PathSegment::Corner({0, 0}), geometry::PathSegment::Corner({10, 5})}, false);
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  doc.SetTag(path, "TREVASK_001", all);
  doc.SetTag(path, "TREVASK_002", "");
  doc.SetTag(path, "\x83\x5a\x83\x62\x83\x67 name with spaces", "\x93\xfa\x96\x7b\r\n");  // code page 932
  doc.SetLocked(path, true);
  doc.SetName(path, "seam <line> & \"quotes\"");
  const Document back = RoundTrip(doc);
  ExpectSameDocument(doc, back, "tags");
  const ArtId p = back.ChildrenOf(back.LayerGroup(back.LayerAt(0))).at(0);
  EXPECT_EQ(back.GetTag(p, "TREVASK_001"), all);
  EXPECT_EQ(back.GetTag(p, "TREVASK_002"), std::string());
  EXPECT_EQ(back.Tags(p).size(), 3u);
}

TEST(SvgRoundTrip, StylesAndColours) {
  Document doc;
  const auto spot = doc.NewCustomColor({"Pattern red", document::Color::Cmyk(0, 0.9, 0.8, 0.1), true});
  doc.AddSwatch({"Gray 40", document::Color::Gray(0.4)});
  doc.AddSwatch({"Red tint", document::Color::Custom(spot, 0.3)});
  document::PathStyle style;
  style.fillPaint = true;
  style.fill.color = document::Color::Custom(spot, 0.25);
  style.stroke.color = document::Color::Cmyk(0.1, 0.2, 0.3, 0.4);
  style.stroke.width = 0.3;
  style.stroke.cap = document::LineCap::kRound;
  style.stroke.join = document::LineJoin::kBevel;
  style.stroke.miterLimit = 10;
  style.stroke.dash = {1.5, {4, 2}};
  const ArtId path = doc.NewPath(doc.LayerGroup(doc.LayerAt(0)),
                                 {geometry::PathSegment::Corner({0, 0}), geometry::PathSegment::Corner({10, 5}),
                                  geometry::PathSegment::Corner({10, 0})},
                                 true, style);
  ASSERT_TRUE(path);
  const Document back = RoundTrip(doc);
  const ArtId p = back.ChildrenOf(back.LayerGroup(back.LayerAt(0))).at(0);
  const auto got = *back.GetPathStyle(p);
  const auto backSpot = back.FindCustomColorByName("Pattern red");
  ASSERT_TRUE(backSpot);
  EXPECT_TRUE(back.FindCustomColor(backSpot)->spot);
  style.fill.color.custom = backSpot;
  EXPECT_EQ(got, style);
  ASSERT_EQ(back.Swatches().size(), 2u);
  EXPECT_EQ(back.Swatches()[1].color.custom, backSpot);
}

}  // namespace
}  // namespace workbench::svg
