#include "stretch_test_support.h"

#include <algorithm>

#include "quorvane/generation/basic_seam_margin.h"

namespace quorvane::generation::testing {

namespace {

std::vector<host::PathSegment> Corners(std::initializer_list<std::pair<double, double>> points) {
  std::vector<host::PathSegment> s;
  for (auto [x, y] : points) s.push_back(Corner(x, y));
  return s;
}

}  // namespace

std::vector<host::PathSegment> Rectangle() { return Corners({{0, 0}, {0, 200}, {300, 200}, {300, 0}}); }

std::vector<host::PathSegment> ElShape() {
  return Corners({{0, 0}, {0, 300}, {100, 300}, {100, 100}, {300, 100}, {300, 0}});
}

std::vector<host::PathSegment> YouShape() {
  return Corners({{0, 0}, {0, 300}, {100, 300}, {100, 100}, {400, 100}, {400, 300}, {500, 300}, {500, 0}});
}

host::ArtRef StretchFixture::Start(const std::vector<host::PathSegment>& finish, float basicMm, std::int32_t version) {
  const host::ArtRef source = AddPath(finish);
  state_.sourcePath = source;
  state_.basicWidth = basicMm;
  state_.hostVersion = version;
  state_.oneSideEnds = {};
  EXPECT_TRUE(BuildBasicSeamMargin(Doc(), state_, basicMm));
  return source;
}

double StretchFixture::ResultArea() { return Doc().SignedArea(state_.resultArt).value_or(0.0); }

bool StretchFixture::InResult(geometry::Vec2 p) { return DistanceToPath(*Doc().Segments(state_.resultArt)).Inside(p); }

double StretchFixture::ResultClearance() {
  const DistanceToPath toFinish(*Doc().Segments(state_.sourcePath));
  double lowest = 1e300;
  for (const geometry::Vec2& p : SamplePath(*Doc().Segments(state_.resultArt), 16)) lowest = std::min(lowest, toFinish(p));
  return lowest;
}

QvRealRect StretchFixture::ResultBounds() { return Doc().Bounds(state_.resultArt).value_or(QvRealRect{}); }

double StretchFixture::NearestResultAnchor(geometry::Vec2 p) {
  double best = 1e300;
  const auto segments = Doc().Segments(state_.resultArt).value_or(std::vector<host::PathSegment>{});
  for (const host::PathSegment& s : segments) {
    best = std::min(best, geometry::Distance(p, {s.p.h, s.p.v}));
  }
  return best;
}

void StretchFixture::ExpectCleanResult() {
  ASSERT_TRUE(state_.resultArt);
  EXPECT_EQ(*Doc().AllArtOfLayer(state_.workLayer2), std::vector<host::ArtRef>{state_.resultArt});
  EXPECT_EQ(Doc().IsClosed(state_.resultArt), true);
  EXPECT_GT(ResultArea(), 0.0);
  // The finish line lies inside its margin.
  for (const geometry::Vec2& p : SamplePath(*Doc().Segments(state_.sourcePath), 4)) {
    EXPECT_TRUE(InResult(p)) << p.x << "," << p.y;
  }
}

}  // namespace quorvane::generation::testing
