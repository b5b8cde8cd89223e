// Art the model made, saved and read back: tags of any bytes, names, locks,
// styles and colours. (A file read and saved unchanged is written back byte
// for byte: the file form's and the corpus round trip's tests.)
#include <gtest/gtest.h>

#include <tuple>

#include "svg_test_support.h"

namespace workbench::svg {
namespace {

using document::ArtId;
using document::Document;

Document RoundTrip(const Document& doc) { return testing::Read(WriteSvgString(doc), "saved.svg"); }

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
  const auto& x = *doc.FindArt(path);
  const auto& y = *back.FindArt(back.ChildrenOf(back.LayerGroup(back.LayerAt(0))).at(0));
  EXPECT_EQ(y.tags.size(), 3u);
  EXPECT_EQ(std::tie(x.tags, x.locked, x.name, x.closed, x.segments),
            std::tie(y.tags, y.locked, y.name, y.closed, y.segments));
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
