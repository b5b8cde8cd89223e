// What the corner and driver tests share: pieces on a layer of their own,
// margins built on them, and independent plane constructions to check the
// generators' corners against.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "generation_test_support.h"
#include "quorvane/generation/basic_seam_margin.h"
#include "quorvane/generation/work_layers.h"

namespace quorvane::generation::testing {

inline geometry::Vec2 V(QvRealPoint p) { return {p.h, p.v}; }

/// The meeting point of the lines p + s·d and q + u·e (not parallel).
inline geometry::Vec2 Meet(geometry::Vec2 p, geometry::Vec2 d, geometry::Vec2 q, geometry::Vec2 e) {
  const double s = geometry::Cross(q - p, e) / geometry::Cross(d, e);
  return p + s * d;
}

/// The mirror image of p in the line through a with direction d.
inline geometry::Vec2 Mirror(geometry::Vec2 p, geometry::Vec2 a, geometry::Vec2 d) {
  const geometry::Vec2 u = (1.0 / geometry::VectorLength(d)) * d;
  const geometry::Vec2 foot = a + geometry::Dot(p - a, u) * u;
  return 2.0 * foot - p;
}

/// The outward (left-hand) unit normal of a direction on a positively
/// oriented finish line.
inline geometry::Vec2 Outward(geometry::Vec2 d) {
  const geometry::Vec2 u = (1.0 / geometry::VectorLength(d)) * d;
  return {-u.y, u.x};
}

/// A host with a piece on its own layer and its margin on Work Layer 2.
/// Widths are in points (one point per user unit).
class MarginFixture : public HostFixture {
 protected:
  MarginFixture() { state_.pointsPerUnit = 1.0; }

  /// The piece, closed, on top of a layer "Piece"; it becomes the source.
  host::ArtRef AddPiece(const std::vector<host::PathSegment>& segments) {
    if (!pieceLayer_) {
      auto layer = Doc().InsertLayer({}, host::PaintOrder::kAbove);
      EXPECT_TRUE(layer);
      if (layer) {
        pieceLayer_ = *layer;
        Doc().SetLayerTitle(pieceLayer_, "Piece");
      }
    }
    const host::ArtRef piece = AddPath(segments, true, pieceLayer_);
    state_.sourcePath = piece;
    return piece;
  }

  /// The source's basic margin at `width` points; its segments.
  std::vector<host::PathSegment> BuildMargin(float width) {
    EXPECT_TRUE(BuildBasicSeamMargin(Doc(), state_, width));
    return ResultSegments();
  }

  /// A margin of our own making as the current result, on Work Layer 2.
  void UseMargin(const std::vector<host::PathSegment>& segments) {
    auto layer = FindOrCreateLayer(Doc(), state_, kWorkLayer2Title);
    ASSERT_TRUE(layer);
    state_.workLayer2 = *layer;
    ASSERT_EQ(ClearLayer(Doc(), state_.workLayer2), kQvNoErr);
    state_.resultArt = AddPath(segments, true, state_.workLayer2);
  }

  std::vector<host::PathSegment> ResultSegments() {
    if (!state_.resultArt) return {};
    auto segments = Doc().Segments(state_.resultArt);
    return segments ? *segments : std::vector<host::PathSegment>{};
  }

  /// The distance from p to the nearest anchor of `path`.
  static double NearestAnchor(const std::vector<host::PathSegment>& path, geometry::Vec2 p) {
    double best = 1e300;
    for (const host::PathSegment& s : path) best = std::min(best, geometry::Distance(V(s.p), p));
    return best;
  }

  /// The largest distance from a sample of `a` to the path `b`, of samples
  /// for which `where` holds.
  template <typename Where>
  static double Deviation(const std::vector<host::PathSegment>& a, const std::vector<host::PathSegment>& b,
                          Where where) {
    const DistanceToPath toB(b);
    double worst = 0.0;
    for (const geometry::Vec2& p : SamplePath(a, 16)) {
      if (where(p)) worst = std::max(worst, toB(p));
    }
    return worst;
  }
  static double Deviation(const std::vector<host::PathSegment>& a, const std::vector<host::PathSegment>& b) {
    return Deviation(a, b, [](geometry::Vec2) { return true; });
  }

  /// The result is one closed, positively oriented path on Work Layer 2.
  void ExpectWellFormedResult() {
    ASSERT_TRUE(state_.resultArt);
    EXPECT_EQ(Doc().LayerOf(state_.resultArt), state_.workLayer2);
    EXPECT_EQ(*Doc().AllArtOfLayer(state_.workLayer2), std::vector<host::ArtRef>{state_.resultArt});
    EXPECT_EQ(Doc().IsClosed(state_.resultArt), true);
    EXPECT_GT(*Doc().SignedArea(state_.resultArt), 0.0);
  }

  host::LayerRef pieceLayer_;
};

}  // namespace quorvane::generation::testing
