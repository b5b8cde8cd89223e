#include <gtest/gtest.h>

#include "sdk/errors.h"
#include "workbench/document/document.h"
#include "workbench/plugin/host.h"
#include "workbench/plugin/suite_support.h"
#include "workbench/plugin/suites.h"

namespace workbench::plugin {
namespace {

using document::ArtId;
using geometry::PathSegment;

class GeometrySuites : public ::testing::Test {
 protected:
  GeometrySuites() { host_.SetDocument(&doc_); }

  ArtId Square(double x, double y, double size) {
    ArtId group = doc_.LayerGroup(doc_.CurrentLayer());
    return doc_.NewPath(group,
                        {PathSegment::Corner({x, y}), PathSegment::Corner({x, y + size}),
                         PathSegment::Corner({x + size, y + size}), PathSegment::Corner({x + size, y})},
                        true);
  }

  document::Document doc_;
  Host host_;
};

TEST_F(GeometrySuites, OffsetActionAddsTheOutlineAboveItsSelectedInput) {
  ArtId square = Square(0, 0, 100);
  doc_.SetSelected(square, true);
  ParamBlock* params = host_.Actions().NewBlock();
  params->Set(kQvOffsetKey, UnitReal{kQvUnitPoints, 10.0});
  params->Set(kQvMiterLimitKey, 4.0);
  params->Set(kQvJoinTypeKey, Enumerated{"", kQvOffsetMiterJoin});
  ASSERT_EQ(host_.PlayAction(kQvOffsetAction, kQvDialogOff, params), kQvNoErr);

  auto children = doc_.ChildrenOf(doc_.LayerGroup(doc_.CurrentLayer()));
  ASSERT_EQ(children.size(), 2u);
  EXPECT_EQ(children[1], square) << "the input stays, below its outline";
  auto bounds = doc_.Bounds(children[0]);
  ASSERT_TRUE(bounds);
  EXPECT_NEAR(bounds->left, -10.0, 0.01);
  EXPECT_NEAR(bounds->top, 110.0, 0.01);
  EXPECT_TRUE(doc_.FindArt(children[0])->selected);
  EXPECT_GT(*doc_.SignedArea(children[0]), 0.0);
}

TEST_F(GeometrySuites, PathfinderUniteReplacesUnlockedInputs) {
  ArtId a = Square(0, 0, 100);
  ArtId b = Square(50, 50, 100);
  ArtId locked = Square(500, 500, 10);
  doc_.SetLocked(locked, true);
  QvArtHandle handles[] = {detail::ToQv(a), detail::ToQv(b), detail::ToQv(locked)};
  QvPathfinderData data{10.0, 0, handles, 3};
  ASSERT_EQ(PathfinderSuiteImpl().DoUniteEffect(&data), kQvNoErr);
  EXPECT_FALSE(doc_.IsValid(a));
  EXPECT_FALSE(doc_.IsValid(b));
  EXPECT_TRUE(doc_.IsValid(locked));
  auto selected = doc_.SelectedPaths();
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_NEAR(*doc_.SignedArea(selected[0]), 2 * 10000.0 - 2500.0, 1.0);
}

TEST_F(GeometrySuites, FlatteningKeepsAnchorsAndHitTestFindsThem) {
  const QvPathSegment corner = detail::ToQv(PathSegment::Corner({0, 0}));
  QvPathSegment segments[] = {corner, detail::ToQv(PathSegment::Corner({0, 10})),
                              detail::ToQv(PathSegment::Corner({10, 10})), corner};
  QvAllocatorPair allocator{BasicSuiteImpl().AllocateBlock, BasicSuiteImpl().FreeBlock};
  QvOutlinePoint* points = nullptr;
  std::int32_t count = 0;
  ASSERT_EQ(PathConstructionSuiteImpl().SegmentsToPoints(segments, 4, 0.1, 0.0, &allocator, &points, &count),
            kQvNoErr);
  ASSERT_EQ(count, 4);
  EXPECT_EQ(points[2].h, 10.0);
  EXPECT_EQ(points[2].corner, 1);
  EXPECT_EQ(host_.Blocks().OutstandingBlocks(), 1u);
  allocator.release(points);

  ArtId square = Square(0, 0, 100);
  QvRealPoint near{99.5, 100.4};
  QvHitResult hit{};
  ASSERT_EQ(HitTestSuiteImpl().HitTest(nullptr, &near, 2.0, kQvHitAnchors | kQvHitSegments, &hit), kQvNoErr);
  EXPECT_EQ(hit.kind, kQvHitAnchor);
  EXPECT_EQ(hit.art, detail::ToQv(square));
  EXPECT_EQ(hit.segmentIndex, 2);
  QvRealPoint onEdge{50.0, 100.5};
  ASSERT_EQ(HitTestSuiteImpl().HitTest(nullptr, &onEdge, 2.0, kQvHitAnchors | kQvHitSegments, &hit), kQvNoErr);
  EXPECT_EQ(hit.kind, kQvHitSegment);
  EXPECT_EQ(hit.segmentIndex, 2) << "the curve arriving at anchor 2";
  EXPECT_NEAR(hit.t, 0.5, 1e-6);
}

}  // namespace
}  // namespace workbench::plugin
