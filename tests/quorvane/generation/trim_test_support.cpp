#include "trim_test_support.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "quorvane/generation/basic_seam_margin.h"
#include "quorvane/generation/work_layers.h"

namespace quorvane::generation::testing {

using geometry::Vec2;

std::vector<host::PathSegment> Polygon(const std::vector<Vec2>& points) {
  std::vector<host::PathSegment> out;
  for (const Vec2& p : points) out.push_back(Corner(p.x, p.y));
  return out;
}

std::vector<host::PathSegment> CurvedCornerPiece() {
  std::vector<host::PathSegment> s = Polygon({{0, 0}, kCurvedCorner, {200, 200}, {200, 0}});
  s[0].out = {-40.0, 60.0};
  s[1].in = {kCurvedCorner.x - kCurvedArrival.x, kCurvedCorner.y - kCurvedArrival.y};
  s[1].out = {kCurvedCorner.x + kCurvedDeparture.x, kCurvedCorner.y + kCurvedDeparture.y};
  s[2].in = {140.0, 240.0};
  return s;
}

std::vector<Vec2> Anchors(const std::vector<host::PathSegment>& segments) {
  std::vector<Vec2> out;
  for (const host::PathSegment& s : segments) out.push_back({s.p.h, s.p.v});
  return out;
}

double NearestAnchorDistance(const std::vector<Vec2>& anchors, Vec2 p) {
  double best = std::numeric_limits<double>::infinity();
  for (const Vec2& a : anchors) best = std::min(best, geometry::Distance(a, p));
  return best;
}

Vec2 LineMeet(Vec2 p, Vec2 d, Vec2 q, Vec2 e) {
  const double s = geometry::Cross(q - p, e) / geometry::Cross(d, e);
  return p + s * d;
}

double DistanceToLine(Vec2 p, Vec2 a, Vec2 d) {
  return std::abs(geometry::Cross(d, p - a)) / geometry::VectorLength(d);
}

std::optional<CorpusCorner> FirstCornerOfCorpusPiece(host::HostDocument& doc) {
  const int layers = doc.LayerCount().value_or(0);
  for (int l = 0; l < layers; ++l) {
    for (host::ArtRef art : doc.AllArtOfLayer(*doc.NthLayer(l)).value_or(std::vector<host::ArtRef>{})) {
      if (doc.ArtType(art) != kQvPathArt || !doc.IsClosed(art).value_or(false)) continue;
      if (doc.SignedArea(art).value_or(0.0) < 0.0) doc.Reverse(art);
      const auto anchors = Anchors(*doc.Segments(art));
      const std::size_t n = anchors.size();
      for (std::size_t i = 0; i < n && n >= 3; ++i) {
        const Vec2 u = anchors[i] - anchors[(i + n - 1) % n];
        const Vec2 v = anchors[(i + 1) % n] - anchors[i];
        // Positive orientation runs clockwise: outward corners turn right.
        const double turn = -std::atan2(geometry::Cross(u, v), geometry::Dot(u, v));
        if (turn > 0.52 && turn < 2.0) return CorpusCorner{art, static_cast<int>(i) + 1, anchors[i]};
      }
    }
  }
  return std::nullopt;
}

void TrimTest::MakePiece(const std::vector<host::PathSegment>& finish, float widthMm) {
  state_.sourcePath = AddPath(finish);
  ASSERT_TRUE(BuildBasicSeamMargin(Doc(), state_, widthMm));
  ASSERT_TRUE(state_.resultArt);
}

void TrimTest::MakePieceWithMargin(const std::vector<host::PathSegment>& finish,
                                     const std::vector<host::PathSegment>& margin) {
  state_.sourcePath = AddPath(finish);
  auto layer = FindOrCreateLayer(Doc(), state_, kWorkLayer2Title);
  ASSERT_TRUE(layer);
  state_.workLayer2 = *layer;
  state_.resultArt = AddPath(margin, true, *layer);
  ASSERT_TRUE(state_.resultArt);
  ASSERT_GT(*Doc().SignedArea(state_.resultArt), 0.0);
}

void TrimTest::ExpectMarginUnchanged(const std::vector<host::PathSegment>& before, host::ArtRef art) {
  ASSERT_EQ(state_.resultArt, art);
  ASSERT_TRUE(Doc().IsValid(art));
  EXPECT_EQ(*Doc().AllArtOfLayer(*Doc().LayerOf(art)), std::vector<host::ArtRef>{art});
  EXPECT_EQ(Anchors(*Doc().Segments(art)), Anchors(before));
}

void TrimTest::ExpectChangedOnlyNear(const std::vector<host::PathSegment>& before, Vec2 corner, double radius,
                                       double slack) {
  ASSERT_TRUE(state_.resultArt);
  EXPECT_EQ(*Doc().AllArtOfLayer(state_.workLayer2), std::vector<host::ArtRef>{state_.resultArt});
  EXPECT_EQ(Doc().IsClosed(state_.resultArt), true);
  EXPECT_GT(*Doc().SignedArea(state_.resultArt), 0.0);
  const auto now = MarginSegments();
  const DistanceToPath toNew(now);
  for (const Vec2& p : SamplePath(FinishSegments(), 8)) EXPECT_TRUE(toNew.Inside(p)) << p.x << "," << p.y;
  for (const Vec2& p : SamplePath(before, 16)) {
    if (geometry::Distance(p, corner) > radius) {
      EXPECT_LT(toNew(p), slack) << p.x << "," << p.y;
    }
  }
}

void TrimTest::ExpectOldMarginOrPieces(const std::vector<host::PathSegment>& before,
                                       const std::vector<std::pair<Vec2, Vec2>>& pieces, double slack) {
  ASSERT_TRUE(state_.resultArt);
  const DistanceToPath toOld(before);
  for (const Vec2& p : SamplePath(MarginSegments(), 8)) {
    bool onPiece = false;
    for (const auto& [a, b] : pieces) {
      const Vec2 d = b - a;
      const double t = geometry::Dot(p - a, d) / geometry::Dot(d, d);
      onPiece = onPiece || (t > -1e-6 && t < 1.0 + 1e-6 && DistanceToLine(p, a, d) < slack);
    }
    EXPECT_TRUE(onPiece || toOld(p) < slack) << p.x << "," << p.y;
  }
}

}  // namespace quorvane::generation::testing
