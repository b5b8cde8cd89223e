// The selection tool: a click on a path's line picks it, a click on empty
// paper drops the selection, shift adds and removes, a rubber band picks
// what it touches, and locked art or art of a locked layer is never picked;
// each change is one step named in the Edit menu's texts.
#include "desktop_fixture.h"
#include "workbench/app/art_picking.h"

namespace workbench::app::testing {
namespace {

using document::ArtId;

class AppSelection : public AppTest {
 protected:
  std::vector<ArtId> Selected() { return Doc().SelectedArt(); }
};

TEST_F(AppSelection, ASelectedPathThatCrossesItselfIsNoticed) {
  std::vector<geometry::PathSegment> bow;
  for (geometry::Point p : {geometry::Point{100, 100}, {400, 400}, {400, 100}, {100, 400}}) {
    bow.push_back(geometry::PathSegment::Corner(p));
  }
  const ArtId tie = Doc().NewPath(Doc().LayerGroup(Doc().LayerAt(0)), bow, true);
  Doc().SetName(tie, "bow tie");
  Square(500, 100, 100);
  EXPECT_EQ(session_.CrossingNotice(), "");
  ASSERT_TRUE(session_.ClickAt({400, 250}, 2.0, false));  // its right edge
  EXPECT_EQ(Selected(), std::vector<ArtId>{tie});
  EXPECT_NE(session_.CrossingNotice().find("\"bow tie\" crosses itself"), std::string::npos)
      << session_.CrossingNotice();
  ASSERT_TRUE(session_.ClickAt({550, 100}, 2.0, false));  // the square's bottom edge
  EXPECT_EQ(session_.CrossingNotice(), "");
}

TEST_F(AppSelection, ClicksOnTheBodicesLinePickItAndEmptyPaperDropsIt) {
  std::string error;
  ASSERT_TRUE(session_.Open(SampleBodice(), &error)) << error;
  const ArtId bodice = PickableArt(Doc()).at(0);

  // Two points off the front edge (x = 160): within reach, then beyond it.
  EXPECT_FALSE(session_.ClickAt({166, 500}, 4.0, false));
  EXPECT_TRUE(Selected().empty());
  ASSERT_TRUE(session_.ClickAt({163, 500}, 4.0, false));
  EXPECT_EQ(Selected(), std::vector<ArtId>{bodice});
  EXPECT_EQ(Doc().UndoText(), kSelectionUndoText);
  EXPECT_FALSE(session_.ClickAt({163, 500}, 4.0, false)) << "clicking the selection again changes nothing";

  // The piece is not filled: its inside is empty paper.
  ASSERT_TRUE(session_.ClickAt(kBodiceInside, 4.0, false));
  EXPECT_TRUE(Selected().empty());
  ASSERT_TRUE(session_.Undo());
  EXPECT_EQ(Selected(), std::vector<ArtId>{bodice});
  EXPECT_EQ(Doc().RedoText(), kSelectionRedoText);
}

TEST_F(AppSelection, RubberBandAndShiftClicksThroughTheCanvas) {
  const ArtId left = Square(0, 0, 100);
  const ArtId middle = Square(150, 0, 100);
  const ArtId right = Square(300, 0, 100);
  Doc().ClearUndo();
  CanvasWidget canvas(session_);
  canvas.resize(500, 300);
  canvas.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
  canvas.FitDocument();
  const auto at = [&](geometry::Point doc) { return PixelOf(canvas, doc); };

  // A band from below-left of the first square to inside the second
  // touches those two only.
  QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, at({-20, -20}));
  QTest::mouseMove(&canvas, at({200, 50}));
  QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, at({200, 50}));
  EXPECT_EQ(Selected(), (std::vector<ArtId>{middle, left}));

  // Shift-click on the third square's top side adds it, again removes it.
  QTest::mouseClick(&canvas, Qt::LeftButton, Qt::ShiftModifier, at({350, 100}));
  EXPECT_EQ(Selected().size(), 3u);
  QTest::mouseClick(&canvas, Qt::LeftButton, Qt::ShiftModifier, at({350, 100}));
  EXPECT_EQ(Selected(), (std::vector<ArtId>{middle, left}));
  // A plain click on the third one picks it alone.
  QTest::mouseClick(&canvas, Qt::LeftButton, Qt::NoModifier, at({350, 100}));
  EXPECT_EQ(Selected(), std::vector<ArtId>{right});
}

TEST_F(AppSelection, LockedArtAndLockedLayersAreNeverPicked) {
  const ArtId left = Square(0, 0, 100);
  const ArtId right = Square(150, 0, 100);
  ASSERT_TRUE(Doc().SetLocked(left, true));

  EXPECT_FALSE(session_.ClickAt({0, 50}, 2.0, false));
  EXPECT_FALSE(session_.ClickAt({0, 50}, 2.0, true));
  ASSERT_TRUE(session_.SelectInRect({-10, 110, 260, -10}, false));
  EXPECT_EQ(Selected(), std::vector<ArtId>{right});

  // Locking the layer drops the selection; nothing on it can be picked.
  ASSERT_TRUE(session_.SetLayerLocked(Doc().LayerAt(0), true));
  EXPECT_TRUE(Selected().empty());
  EXPECT_FALSE(session_.ClickAt({150, 50}, 2.0, false));
  EXPECT_FALSE(session_.SelectInRect({-10, 110, 260, -10}, false));
  EXPECT_EQ(Doc().UndoText(), "Undo Lock Layer");
}

TEST_F(AppSelection, AFilledSquareIsPickedInsideAndTheTopmostWins) {
  const ArtId below = Square(0, 0, 100);
  const ArtId above = Square(50, 50, 100);
  document::PathStyle filled;
  filled.fillPaint = true;
  ASSERT_TRUE(Doc().SetPathStyle(above, filled));
  EXPECT_EQ(ArtAt(Doc(), {75, 75}, 1.0), above);
  EXPECT_EQ(ArtAt(Doc(), {25, 25}, 1.0), ArtId{});
  EXPECT_EQ(ArtAt(Doc(), {0, 25}, 1.0), below);
  // The lower square's side runs under the upper one: the upper one wins.
  EXPECT_EQ(ArtAt(Doc(), {100, 75}, 1.0), above);
}

}  // namespace
}  // namespace workbench::app::testing
