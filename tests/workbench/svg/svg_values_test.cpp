#include "workbench/svg/svg_values.h"

#include <gtest/gtest.h>

#include "workbench/svg/svg_format.h"

namespace workbench::svg {
namespace {

TEST(SvgValues, LengthsInPointsAndTransformListsComposedLeftToRight) {
  EXPECT_DOUBLE_EQ(*ParseLengthPoints("210mm"), 210 * 72 / 25.4);
  EXPECT_DOUBLE_EQ(*ParseLengthPoints(" 2in"), 144.0);
  EXPECT_DOUBLE_EQ(*ParseLengthPoints("100px"), 75.0);
  EXPECT_DOUBLE_EQ(*ParseLengthPoints("12"), 12.0);
  EXPECT_FALSE(ParseLengthPoints("12furlongs"));
  EXPECT_FALSE(ParseNumber("1.5.2"));
  EXPECT_DOUBLE_EQ(*ParseNumber("+1e2"), 100.0);
  const auto m = *ParseTransform("translate(10, 20) rotate(90) scale(2)");
  const auto p = m.Apply({1, 0});
  EXPECT_NEAR(p.x, 10.0, 1e-12);
  EXPECT_NEAR(p.y, 22.0, 1e-12);
  const auto r = *ParseTransform("rotate(180 5 5)");
  EXPECT_NEAR(r.Apply({0, 0}).x, 10.0, 1e-12);
  EXPECT_FALSE(ParseTransform("translate(1"));
  EXPECT_FALSE(ParseTransform("wobble(1)"));
  EXPECT_FALSE(ParseTransform("matrix(1 2 3)"));
}

// (Hex that keeps every byte is the tags' round trip; hex refused, the
// namespace test's.)
TEST(SvgValues, PaintsExactColoursAndTheFrameOfViewBoxAndUnits) {
  EXPECT_EQ(*ParsePaint("#f00").paint, document::Color::Rgb(1, 0, 0));
  EXPECT_EQ(*ParsePaint("rgb(0, 255, 0)").paint, document::Color::Rgb(0, 1, 0));
  EXPECT_TRUE(ParsePaint("none").ok);
  EXPECT_FALSE(ParsePaint("none").paint);
  EXPECT_FALSE(ParsePaint("#12345").ok);
  const auto cmyk = document::Color::Cmyk(0.1, 0.2, 0.3, 0.4);
  EXPECT_EQ(ParseExactColor(FormatExactColor(cmyk)), cmyk);
  EXPECT_EQ(FormatRgb(document::Color::Gray(1.0), nullptr), "#000000");
  const Frame f = FrameFromRoot("210mm", "297mm", "0 0 210 297");
  ASSERT_TRUE(f.ok);
  EXPECT_NEAR(f.page.height, 297 * 72 / 25.4, 1e-9);
  const auto p = f.userToDocument.Apply({10, 0});
  EXPECT_NEAR(p.x, 10 * 72 / 25.4, 1e-9);
  EXPECT_NEAR(p.y, f.page.height, 1e-9);
  const Frame plain = FrameFromRoot("", "", "");
  EXPECT_EQ(plain.userToDocument.Apply({3, 0}).x, 3.0);
  EXPECT_FALSE(FrameFromRoot("10mm", "", "0 0 -1 5").ok);
}

}  // namespace
}  // namespace workbench::svg
