#include "quorvane/facade/host_document.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/bound_host.h"

namespace quorvane::host {
namespace {

namespace wb = workbench;

class HostDocumentTest : public ::testing::Test {
 protected:
  ArtRef NewSquare(double x, double y, double size) {
    const ArtRef path = hd.NewPath(PaintOrder::kAbove, ArtRef{}).value_or(ArtRef{});
    EXPECT_EQ(hd.SetSegments(path, quorvane::testing::Rectangle(x, y, size, size)), kQvNoErr);
    EXPECT_EQ(hd.SetClosed(path, true), kQvNoErr);
    return path;
  }

  quorvane::testing::BoundHost bound_;
  wb::plugin::Host& host_ = bound_.Host();
  HostSuites suites_ = bound_.Suites();
  HostDocument& hd = bound_.Doc();
};

// (Where layers go and which is current, and the paths' segments, curves and
// direction, are the work layers', the generators' and the picking tool's
// tests'.)
TEST_F(HostDocumentTest, LayersAreFoundByExactTitleAndAbsenceIsNoError) {
  auto work = hd.InsertLayer(LayerRef{});
  ASSERT_TRUE(work);
  ASSERT_EQ(hd.SetLayerTitle(*work, "<<Quorvane Work Layer2>>"), kQvNoErr);
  EXPECT_EQ(hd.FindLayer("<<Quorvane Work Layer2>>"), work);
  EXPECT_EQ(hd.FindLayer("<<Quorvane Work Layer2"), std::nullopt);
  EXPECT_EQ(hd.LastError(), kQvNoErr) << "absence is not an error";
  ASSERT_EQ(hd.DeleteLayer(*work), kQvNoErr);
  EXPECT_EQ(hd.LayerTitle(*work), std::nullopt);
  EXPECT_EQ(hd.LastError(), kQvErrNoSuchLayer);
}

TEST_F(HostDocumentTest, LockedArtIsNeverSelected) {
  ArtRef bottom = NewSquare(0, 0, 10);
  ArtRef locked = NewSquare(20, 0, 10);
  ArtRef top = NewSquare(40, 0, 10);
  ASSERT_EQ(hd.SetSelected(locked, true), kQvNoErr);
  ASSERT_EQ(hd.SetLocked(locked, true), kQvNoErr);
  EXPECT_EQ(hd.IsSelected(locked), false) << "locking deselects";
  ASSERT_EQ(hd.SetSelected(locked, true), kQvNoErr);
  EXPECT_EQ(hd.IsSelected(locked), false);

  LayerRef layer = *hd.CurrentLayer();
  ASSERT_EQ(hd.SelectAllOnLayer(layer), kQvNoErr);
  EXPECT_EQ(hd.SelectedPaths(), (std::vector<ArtRef>{top, bottom}));
  EXPECT_EQ(hd.AllArtOfLayer(layer), (std::vector<ArtRef>{top, locked, bottom}));
  ASSERT_EQ(hd.DeselectAllOnLayer(layer), kQvNoErr);
  EXPECT_EQ(hd.SelectedArt(), std::vector<ArtRef>{});
  EXPECT_EQ(host_.Blocks().OutstandingBlocks(), 0u) << "selection lists are given back";
}

TEST_F(HostDocumentTest, ScratchArraysAreReleasedOnEveryWayOut) {
  auto readAndBail = [&](bool early) -> bool {
    auto points = hd.AllocateArray<QvRealPoint>(100);
    if (!points) return false;
    (*points)[99] = QvRealPoint{1, 2};
    if (early) return false;
    return (*points)[99].v == 2.0;
  };
  EXPECT_FALSE(readAndBail(true));
  EXPECT_TRUE(readAndBail(false));
  EXPECT_EQ(host_.Blocks().OutstandingBlocks(), 0u);

  host_.Blocks().SetLimit(1000);
  EXPECT_EQ(hd.AllocateArray<QvRealPoint>(100), std::nullopt);
  EXPECT_EQ(hd.LastError(), kQvErrOutOfMemory);
  ASSERT_FALSE(host_.Blocks().Failures().empty());
  EXPECT_EQ(host_.Blocks().Failures().back(), kAllocationFailedTag);
}

TEST_F(HostDocumentTest, MissingSuiteFailsAsSuiteNotFound) {
  HostSuites partial;
  partial.basic = suites_.basic;
  HostDocument bare(partial);
  EXPECT_EQ(bare.LayerCount(), std::nullopt);
  EXPECT_EQ(bare.LastError(), kQvErrSuiteNotFound);
  EXPECT_EQ(bare.Alert("lost"), kQvErrSuiteNotFound);
  EXPECT_TRUE(host_.Prompts().Shown().empty());
}

}  // namespace
}  // namespace quorvane::host
