// The work layers: found or created by title, cleared by replacement.
#include "quorvane/generation/work_layers.h"

#include <gtest/gtest.h>

#include "generation_test_support.h"
#include "quorvane/generation/art_utilities.h"

namespace quorvane::generation {
namespace {

using testing::Square;

class WorkLayers : public testing::HostFixture {};

TEST_F(WorkLayers, FindOrCreateMakesOneLayerAboveTheReferenceAndFindsItAgain) {
  auto first = FindOrCreateLayer(Doc(), state_, kWorkLayer2Title);
  ASSERT_TRUE(first);
  EXPECT_EQ(Doc().LayerCount(), 2);
  EXPECT_EQ(Doc().NthLayer(0), first);
  EXPECT_EQ(Doc().CurrentLayer(), first);
  EXPECT_EQ(Doc().LayerTitle(*first), std::string(kWorkLayer2Title));
  EXPECT_EQ(FindOrCreateLayer(Doc(), state_, kWorkLayer2Title), first);
  EXPECT_EQ(Doc().LayerCount(), 2);
  // Work Layer 2 stays editable; only Work Layer 1 is kept locked.
  EXPECT_EQ(Doc().IsLayerEditable(*first), true);
  EXPECT_FALSE(state_.workLayer1);
  // A new layer goes above the reference.
  auto mid = FindOrCreateLayer(Doc(), state_, "middle", *Doc().NthLayer(1));
  ASSERT_TRUE(mid);
  EXPECT_EQ(Doc().NthLayer(1), mid);
  EXPECT_EQ(Doc().NthLayer(0), first);
}

TEST_F(WorkLayers, WorkLayer1IsStoredAndLockedAndRedrawnThroughTheHook) {
  const host::ArtRef source = AddPath(Square(0, 0, 50));
  state_.sourcePath = source;
  int redraws = 0;
  bool unlockedWhileDrawing = false;
  WorkLayer1MarkerRedraw hook{[] { return true; },
                              [&](host::LayerRef layer) {
                                ++redraws;
                                unlockedWhileDrawing = Doc().IsLayerEditable(layer).value_or(false);
                                Doc().SetSelected(source, false);
                              }};
  auto layer = FindOrCreateLayer(Doc(), state_, kWorkLayer1Title, {}, &hook);
  ASSERT_TRUE(layer);
  EXPECT_EQ(state_.workLayer1, *layer);
  EXPECT_EQ(redraws, 1);
  EXPECT_TRUE(unlockedWhileDrawing);
  EXPECT_EQ(Doc().IsLayerEditable(*layer), false);
  EXPECT_EQ(Doc().IsSelected(source), true);

  // A refused selection draws nothing; the layer is locked all the same.
  ASSERT_EQ(Doc().SetLayerEditable(*layer, true), kQvNoErr);
  hook.sourceAccepted = [] { return false; };
  EXPECT_EQ(FindOrCreateLayer(Doc(), state_, kWorkLayer1Title, {}, &hook), layer);
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(Doc().IsLayerEditable(*layer), false);
}

TEST_F(WorkLayers, ClearKeepsTheTitleAndRefreshesTheHandleRemoveDeletes) {
  auto layer = FindOrCreateLayer(Doc(), state_, kWorkLayer2Title);
  ASSERT_TRUE(layer);
  AddPath(Square(0, 0, 10), true, *layer);
  AddPath(Square(20, 0, 10), true, *layer);
  ASSERT_EQ(Doc().AllArtOfLayer(*layer)->size(), 2u);
  // Another layer on top: the cleared layer comes back above all.
  ASSERT_TRUE(FindOrCreateLayer(Doc(), state_, "other"));

  host::LayerRef handle = *layer;
  ASSERT_EQ(ClearLayer(Doc(), handle), kQvNoErr);
  EXPECT_NE(handle, *layer);
  EXPECT_EQ(Doc().LayerTitle(handle), std::string(kWorkLayer2Title));
  EXPECT_EQ(Doc().NthLayer(0), handle);
  EXPECT_EQ(Doc().CurrentLayer(), handle);
  EXPECT_EQ(Doc().FindLayer(kWorkLayer2Title), handle);
  EXPECT_EQ(Doc().LayerCount(), 3);
  EXPECT_TRUE(Doc().AllArtOfLayer(handle)->empty());
  // Removing deletes the layer, and ignores none.
  EXPECT_EQ(RemoveLayer(Doc(), host::LayerRef{}), kQvNoErr);
  EXPECT_EQ(RemoveLayer(Doc(), handle), kQvNoErr);
  EXPECT_EQ(Doc().LayerCount(), 2);
  EXPECT_FALSE(Doc().FindLayer(kWorkLayer2Title));
}

TEST_F(WorkLayers, LargestPathAndSelectionHelpers) {
  auto bottom = Doc().NthLayer(0);
  ASSERT_TRUE(bottom);
  auto layer = FindOrCreateLayer(Doc(), state_, kWorkLayer2Title);
  ASSERT_TRUE(layer);
  const host::ArtRef square = AddPath(Square(0, 0, 10), true, *layer);
  const auto pentagon = testing::Polygon({{0, 0}, {0, 5}, {3, 8}, {6, 5}, {6, 0}});
  const host::ArtRef five = AddPath(pentagon, true, *layer);
  const host::ArtRef otherFive = AddPath(pentagon, true, *layer);
  // Of equal counts the first found from the top wins.
  EXPECT_EQ(FindLargestPath(Doc(), *layer), otherFive);
  const host::ArtRef elsewhere = AddPath(Square(50, 50, 10), true, *bottom);
  ASSERT_EQ(Doc().SetSelected(elsewhere, true), kQvNoErr);

  ASSERT_EQ(SelectOnlyLayerArt(Doc(), *layer), kQvNoErr);
  EXPECT_EQ(Doc().SelectedPaths()->size(), 3u);
  EXPECT_EQ(Doc().IsSelected(elsewhere), false);
  ASSERT_EQ(SelectOnlyArt(Doc(), elsewhere), kQvNoErr);
  EXPECT_EQ(*Doc().SelectedPaths(), std::vector<host::ArtRef>{elsewhere});

  const host::ArtRef ccw = AddPath(Square(0, 0, 10, true));
  ASSERT_LT(*Doc().SignedArea(ccw), 0.0);
  ASSERT_EQ(MakeOrientationPositive(Doc(), ccw), kQvNoErr);
  EXPECT_NEAR(*Doc().SignedArea(ccw), 100.0, 1e-9);
  ASSERT_EQ(MakeOrientationPositive(Doc(), square), kQvNoErr);
  EXPECT_NEAR(*Doc().SignedArea(square), 100.0, 1e-9);

  const geometry::Vec2 c = ArtBoundsCenter(Doc(), five);
  EXPECT_DOUBLE_EQ(c.x, 3.0);
  EXPECT_DOUBLE_EQ(c.y, 4.0);
  EXPECT_EQ(ArtBoundsCenter(Doc(), host::ArtRef{}), (geometry::Vec2{0, 0}));
}

}  // namespace
}  // namespace quorvane::generation
