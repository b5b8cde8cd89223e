// Paper sizes and the pages a drawing is tiled over.
#include <gtest/gtest.h>

#include <cmath>

#include "workbench/fabric/paper.h"

namespace workbench::fabric {
namespace {

TEST(Paper, NamedSheetsSheetsBySizeAndRolls) {
  struct Case {
    const char* text;
    double width;
    double height;
  };
  for (const Case& c : {Case{"a4", 210, 297}, Case{"letter", 215.9, 279.4}, Case{"a3", 297, 420},
                        Case{"tabloid", 279.4, 431.8}, Case{"a0", 841, 1189}, Case{"600x900mm", 600, 900},
                        Case{"914mm", 914, 0}}) {
    const std::optional<Paper> paper = ParsePaper(c.text);
    ASSERT_TRUE(paper) << c.text;
    EXPECT_DOUBLE_EQ(paper->widthMm, c.width) << c.text;
    EXPECT_DOUBLE_EQ(paper->heightMm, c.height) << c.text;
  }
  for (const char* bad : {"", "A4", "b5", "600x900", "x900mm", "600xmm", "-5mm", "0x10mm", "mm"}) {
    EXPECT_FALSE(ParsePaper(bad)) << bad;
  }
}

// Every point of the drawing lies on some page's printable area, and pages
// that meet share exactly the overlap.
void ExpectCovered(const TilePlan& plan, double width, double height) {
  const double lastRight = (plan.columns - 1) * plan.stepXMm + plan.printableWidthMm;
  const double lastBottom = (plan.rows - 1) * plan.stepYMm + plan.printableHeightMm;
  EXPECT_GE(lastRight, width);
  EXPECT_GE(lastBottom, height);
  EXPECT_LT((plan.columns - 2) * plan.stepXMm + plan.printableWidthMm, width) << "no page beyond the drawing";
  EXPECT_LT((plan.rows - 2) * plan.stepYMm + plan.printableHeightMm, height) << "no page beyond the drawing";
  EXPECT_NEAR(plan.printableWidthMm - plan.stepXMm, plan.overlapMm, 1e-9);
  EXPECT_NEAR(plan.printableHeightMm - plan.stepYMm, plan.overlapMm, 1e-9);
}

TEST(PlanTiles, PagesCoverTheDrawingWithTheOverlap) {
  const Paper a4 = *ParsePaper("a4");
  std::optional<TilePlan> plan = PlanTiles(a4, 10, 10, 400, 560);
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->columns, 3);  // 190 + 180 = 370 < 400
  EXPECT_EQ(plan->rows, 3);     // 277 + 267 = 544 < 560
  ExpectCovered(*plan, 400, 560);

  plan = PlanTiles(a4, 10, 10, 190, 277);
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->columns * plan->rows, 1) << "a drawing the size of the printable area fits one page";

  plan = PlanTiles(*ParsePaper("letter"), 6, 0, 500, 900);
  ASSERT_TRUE(plan);
  ExpectCovered(*plan, 500, 900);

  // A roll is as long as the drawing: one page when the width fits.
  plan = PlanTiles(*ParsePaper("914mm"), 10, 10, 880, 2500);
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->columns * plan->rows, 1);
  EXPECT_DOUBLE_EQ(plan->pageHeightMm, 2520);
  EXPECT_EQ(PlanTiles(*ParsePaper("a0"), 10, 10, 800, 1100)->rows, 1);

  EXPECT_FALSE(PlanTiles(a4, 110, 0, 100, 100)) << "margins wider than the sheet";
  EXPECT_FALSE(PlanTiles(a4, 10, 190, 100, 100)) << "an overlap as wide as the printable area";
}

}  // namespace
}  // namespace workbench::fabric
