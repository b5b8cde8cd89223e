#include "quorvane/facade/host_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "workbench/document/document.h"
#include "support/bound_host.h"

namespace quorvane::host {
namespace {

namespace wb = workbench;

PathSegment Corner(double x, double y) { return quorvane::testing::Rectangle(x, y, 0, 0)[0]; }

class HostDocumentTest : public ::testing::Test {
 protected:
  ArtRef NewSquare(double x, double y, double size) {
    const ArtRef path = hd.NewPath(PaintOrder::kAbove, ArtRef{}).value_or(ArtRef{});
    EXPECT_EQ(hd.SetSegments(path, quorvane::testing::Rectangle(x, y, size, size)), kQvNoErr);
    EXPECT_EQ(hd.SetClosed(path, true), kQvNoErr);
    return path;
  }

  quorvane::testing::BoundHost bound_;
  wb::document::Document& doc_ = bound_.Document();
  wb::plugin::Host& host_ = bound_.Host();
  HostSuites suites_ = bound_.Suites();
  HostDocument& hd = bound_.Doc();
};

// (Where layers go and which is current are the work layers' and the
// document commands' tests'.)
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

TEST_F(HostDocumentTest, PathSegmentsAreaReversalAndCurves) {
  ArtRef square = NewSquare(10, 20, 100);
  auto segments = hd.Segments(square);
  ASSERT_TRUE(segments);
  ASSERT_EQ(segments->size(), 4u);
  EXPECT_DOUBLE_EQ((*segments)[2].p.h, 110.0);
  EXPECT_DOUBLE_EQ(*hd.SignedArea(square), 10000.0);
  ASSERT_EQ(hd.Reverse(square), kQvNoErr);
  EXPECT_DOUBLE_EQ(*hd.SignedArea(square), -10000.0);

  // Reversed, the path starts at (110, 20); its closing curve returns there.
  auto closing = hd.Bezier(square, 3);
  ASSERT_TRUE(closing);
  EXPECT_DOUBLE_EQ(closing->p0.h, 10.0);
  EXPECT_DOUBLE_EQ(closing->p3.h, 110.0);
  EXPECT_DOUBLE_EQ(hd.BezierPoint(*closing, 0.5)->v, 20.0);
  EXPECT_EQ(hd.Bezier(square, 4), std::nullopt);

  ASSERT_EQ(hd.SetSegments(square, {Corner(0, 0), Corner(5, 5)}), kQvNoErr);
  EXPECT_EQ(hd.SegmentCount(square), 2);

  auto group = hd.LayerGroup(*hd.CurrentLayer());
  ASSERT_TRUE(group);
  EXPECT_EQ(hd.SegmentCount(*group), std::nullopt);
  EXPECT_EQ(hd.LastError(), kQvErrWrongArtType);
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
