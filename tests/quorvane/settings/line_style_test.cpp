#include "quorvane/settings/line_style.h"

#include <gtest/gtest.h>

#include "sdk/art_suite.h"
#include "support/bound_host.h"
#include "workbench/plugin/suite_support.h"
#include "workbench/document/document.h"

namespace quorvane::settings {
namespace {

using host::ArtRef;
using host::PaintOrder;

// (The widths each line gets are the committing step's tests'.)
TEST(LineStyle, AMitredStrokeWithoutFillInThePlateColourAsFourColours) {
  Settings s;
  FillDefaultPlateColors(s);
  s.finishLineColor = 4;
  const QvColor red = PlateColorDescription(s.plateColors[LineColorIndex(s, LineKind::kFinish)]);
  EXPECT_EQ(red.kind, kQvColorCmyk);
  EXPECT_EQ(red.magenta + red.yellow, 2.0);
  EXPECT_EQ(red.cyan + red.black, 0.0);
  const QvPathStyle finish = LineStyle(s, LineKind::kFinish, red);
  EXPECT_TRUE(!finish.fillPaint && finish.strokePaint);
  EXPECT_EQ(finish.stroke.color.magenta, 1.0);
  EXPECT_EQ(finish.stroke.miterLimit, 4.0);
  EXPECT_EQ(finish.stroke.join, kQvMiterJoin);
  EXPECT_EQ(finish.stroke.dashCount, 0);

  // A three-colour slot becomes four-colour from its stored components.
  PlateColor rgb;
  rgb.kind = kColorKindThreeColor;
  rgb.components[0] = 0.2;
  rgb.components[2] = 0.6;
  const QvColor c = PlateColorDescription(rgb);
  EXPECT_EQ(c.kind, kQvColorCmyk);
  EXPECT_EQ(c.cyan, 0.2);
  EXPECT_EQ(c.yellow, 0.6);
  EXPECT_EQ(c.black, 0.0);
}

class ApplyLineStyleTest : public ::testing::Test {
 protected:
  quorvane::testing::BoundHost bound_;
  host::HostDocument& hd_ = bound_.Doc();
};

TEST_F(ApplyLineStyleTest, GroupsRecursivelyPathsAndCompoundPathsOnly) {
  // On the layer: a loose path and a group holding a path, a compound path
  // and a nested group with one more path.
  const auto loose = hd_.NewPath(PaintOrder::kAbove, ArtRef{});
  const auto group = hd_.NewArt(kQvGroupArt, PaintOrder::kAbove, ArtRef{});
  ASSERT_TRUE(loose && group);
  const auto inGroup = hd_.NewPath(PaintOrder::kInsideOnTop, *group);
  const auto compound = hd_.NewArt(kQvCompoundPathArt, PaintOrder::kInsideOnBottom, *group);
  const auto nested = hd_.NewArt(kQvGroupArt, PaintOrder::kInsideOnBottom, *group);
  ASSERT_TRUE(inGroup && compound && nested);
  const auto deep = hd_.NewPath(PaintOrder::kInsideOnTop, *nested);
  ASSERT_TRUE(deep);
  const double looseWidth = hd_.Style(*loose)->stroke.width;

  Settings s;
  FillDefaultPlateColors(s);
  s.seamAllowanceLineWidth = 1.5;
  const QvPathStyle style = LineStyle(s, LineKind::kSeamAllowance, PlateColorDescription(s.plateColors[1]));
  ASSERT_EQ(ApplyLineStyle(hd_, *group, style), kQvNoErr);
  for (const ArtRef art : {*inGroup, *compound, *deep}) {
    const auto got = hd_.Style(art);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->stroke.width, 1.5);
    EXPECT_EQ(got->stroke.color.cyan, 1.0);
  }
  EXPECT_EQ(hd_.Style(*loose)->stroke.width, looseWidth);
  // Text is left alone: the host refuses styles on it, which would show.
  const auto text = bound_.Document().NewArt(workbench::document::ArtType::kText,
                                             workbench::document::PaintOrder::kPlaceInsideOnTop,
                                             bound_.Document().LayerGroup(bound_.Document().CurrentLayer()));
  EXPECT_EQ(ApplyLineStyle(hd_, ArtRef{workbench::plugin::detail::ToQv(text)}, style), kQvNoErr);
}

TEST_F(ApplyLineStyleTest, PlateColourBecomesOneNamedCustomColourAndSwatch) {
  Settings s;
  FillDefaultPlateColors(s);
  const PlateColor& plate = s.plateColors[4];
  QvColor fallback{};
  fallback.kind = kQvColorGray;
  const QvColor first = PlateColorToDocumentColor(hd_, plate, fallback);
  ASSERT_EQ(first.kind, kQvColorCustom);
  EXPECT_EQ(first.tint, 0.0);
  EXPECT_EQ(first.custom, hd_.FindCustomColor(plate.name).value_or(nullptr));
  ASSERT_EQ(bound_.Document().Swatches().size(), 1u);
  EXPECT_EQ(bound_.Document().Swatches()[0].name, plate.name);
  // Asked again, the colour is reused and no second swatch added.
  EXPECT_EQ(PlateColorToDocumentColor(hd_, plate, fallback).custom, first.custom);
  EXPECT_EQ(bound_.Document().Swatches().size(), 1u);
  EXPECT_EQ(bound_.Document().CustomColors().size(), 1u);
}

}  // namespace
}  // namespace quorvane::settings
