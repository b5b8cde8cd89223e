#include "quorvane/settings/line_style.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "sdk/art_suite.h"
#include "workbench/document/document.h"
#include "support/bound_host.h"

namespace quorvane::settings {
namespace {

namespace wb = workbench;
using host::ArtRef;
using host::HostDocument;
using host::PaintOrder;

TEST(LineStyle, StrokeOnlyInTheLinesWidthAndColour) {
  Settings s;
  FillDefaultPlateColors(s);
  s.seamAllowanceLineWidth = 0.75;
  s.finishLineWidth = 0.25;
  s.finishLineColor = 4;
  const QvColor red = PlateColorDescription(s.plateColors[LineColorIndex(s, LineKind::kFinish)]);
  EXPECT_EQ(red.kind, kQvColorCmyk);
  EXPECT_EQ(red.magenta, 1.0);
  EXPECT_EQ(red.yellow, 1.0);
  EXPECT_EQ(red.cyan + red.black, 0.0);

  const QvPathStyle finish = LineStyle(s, LineKind::kFinish, red);
  EXPECT_FALSE(finish.fillPaint);
  EXPECT_TRUE(finish.strokePaint);
  EXPECT_EQ(finish.fill.color.kind, kQvColorGray);
  EXPECT_EQ(finish.fill.color.gray, 1.0);
  EXPECT_EQ(finish.stroke.color.magenta, 1.0);
  EXPECT_EQ(finish.stroke.width, 0.25);
  EXPECT_EQ(finish.stroke.miterLimit, 4.0);
  EXPECT_EQ(finish.stroke.cap, kQvButtCap);
  EXPECT_EQ(finish.stroke.join, kQvMiterJoin);
  EXPECT_EQ(finish.stroke.dashCount, 0);
  EXPECT_EQ(LineStyle(s, LineKind::kSeamAllowance, red).stroke.width, 0.75);
}

TEST(PlateColorDescription, ThreeColourSlotBecomesFourColourFromStoredComponents) {
  PlateColor rgb;
  rgb.kind = kColorKindThreeColor;
  rgb.components[0] = 0.2;
  rgb.components[1] = 0.4;
  rgb.components[2] = 0.6;
  const QvColor c = PlateColorDescription(rgb);
  EXPECT_EQ(c.kind, kQvColorCmyk);
  EXPECT_EQ(c.cyan, 0.2);
  EXPECT_EQ(c.magenta, 0.4);
  EXPECT_EQ(c.yellow, 0.6);
  EXPECT_EQ(c.black, 0.0);
}

class ApplyLineStyleTest : public ::testing::Test {
 protected:
  quorvane::testing::BoundHost bound_;
  wb::document::Document& doc_ = bound_.Document();
  host::HostSuites suites_ = bound_.Suites();
};

TEST_F(ApplyLineStyleTest, GroupsRecursivelyPathsAndCompoundPathsOnly) {
  HostDocument hd(suites_);
  // On the layer: a loose path, then a group holding a path, a compound path
  // and a nested group with one more path; a text on top.
  const auto loose = hd.NewPath(PaintOrder::kAbove, ArtRef{});
  const auto group = hd.NewArt(kQvGroupArt, PaintOrder::kAbove, ArtRef{});
  ASSERT_TRUE(loose && group);
  const auto inGroup = hd.NewPath(PaintOrder::kInsideOnTop, *group);
  const auto compound = hd.NewArt(kQvCompoundPathArt, PaintOrder::kInsideOnBottom, *group);
  const auto nested = hd.NewArt(kQvGroupArt, PaintOrder::kInsideOnBottom, *group);
  ASSERT_TRUE(inGroup && compound && nested);
  const auto deep = hd.NewPath(PaintOrder::kInsideOnTop, *nested);
  ASSERT_TRUE(deep);
  doc_.NewArt(wb::document::ArtType::kText, wb::document::PaintOrder::kPlaceInsideOnTop,
              doc_.LayerGroup(doc_.CurrentLayer()));
  const auto layer = hd.CurrentLayer();
  ASSERT_TRUE(layer);
  const auto layerGroup = hd.LayerGroup(*layer);
  ASSERT_TRUE(layerGroup);
  const auto all = hd.Children(*layerGroup);
  ASSERT_TRUE(all);
  ArtRef text;
  for (const ArtRef art : *all) {
    if (hd.ArtType(art) == kQvTextArt) text = art;
  }
  ASSERT_TRUE(text);
  const QvPathStyle looseBefore = *hd.Style(*loose);
  // The host refuses styles on text, so styling it would show as an error.
  ASSERT_FALSE(hd.Style(text));

  Settings s;
  FillDefaultPlateColors(s);
  s.seamAllowanceLineWidth = 1.5;
  const QvPathStyle style = LineStyle(s, LineKind::kSeamAllowance, PlateColorDescription(s.plateColors[1]));
  ASSERT_EQ(ApplyLineStyle(hd, *group, style), kQvNoErr);
  ASSERT_EQ(ApplyLineStyle(hd, text, style), kQvNoErr);  // left alone

  for (const ArtRef art : {*inGroup, *compound, *deep}) {
    const auto got = hd.Style(art);
    ASSERT_TRUE(got);
    EXPECT_TRUE(got->strokePaint);
    EXPECT_FALSE(got->fillPaint);
    EXPECT_EQ(got->stroke.width, 1.5);
    EXPECT_EQ(got->stroke.color.cyan, 1.0);
  }
  const auto looseAfter = hd.Style(*loose);
  ASSERT_TRUE(looseAfter);
  EXPECT_EQ(looseAfter->strokePaint, looseBefore.strokePaint);
  EXPECT_EQ(looseAfter->stroke.width, looseBefore.stroke.width);
}

TEST_F(ApplyLineStyleTest, PlateColourBecomesOneNamedCustomColourAndSwatch) {
  HostDocument hd(suites_);
  Settings s;
  FillDefaultPlateColors(s);
  const PlateColor& plate = s.plateColors[4];
  QvColor fallback{};
  fallback.kind = kQvColorGray;

  const QvColor first = PlateColorToDocumentColor(hd, plate, fallback);
  ASSERT_EQ(first.kind, kQvColorCustom);
  EXPECT_EQ(first.tint, 0.0);
  const auto found = hd.FindCustomColor(plate.name);
  ASSERT_TRUE(found && *found != nullptr);
  EXPECT_EQ(first.custom, *found);
  ASSERT_EQ(doc_.Swatches().size(), 1u);
  EXPECT_EQ(doc_.Swatches()[0].name, plate.name);

  // Asking again reuses the colour and adds no second swatch.
  const QvColor again = PlateColorToDocumentColor(hd, plate, fallback);
  EXPECT_EQ(again.custom, first.custom);
  EXPECT_EQ(doc_.Swatches().size(), 1u);
  EXPECT_EQ(doc_.CustomColors().size(), 1u);

  // Without the custom colour service the colour passed in stays.
  host::HostSuites noColours = suites_;
  noColours.customColor = nullptr;
  HostDocument bare(noColours);
  EXPECT_EQ(PlateColorToDocumentColor(bare, plate, fallback).kind, kQvColorGray);
}

}  // namespace
}  // namespace quorvane::settings
