#include "document_test_support.h"

#include <algorithm>

namespace quorvane::document_commands::testing {

host::PathSegment Corner(double x, double y) {
  host::PathSegment s{};
  s.p = s.in = s.out = QvRealPoint{x, y};
  s.corner = 1;
  return s;
}

std::vector<host::PathSegment> Rectangle(double x, double y, double w, double h) {
  return {Corner(x, y), Corner(x, y + h), Corner(x + w, y + h), Corner(x + w, y)};
}

Box AnchorBox(const std::vector<host::PathSegment>& segments) {
  Box b{1e300, 1e300, -1e300, -1e300};
  for (const host::PathSegment& s : segments) {
    b.left = std::min(b.left, s.p.h);
    b.right = std::max(b.right, s.p.h);
    b.bottom = std::min(b.bottom, s.p.v);
    b.top = std::max(b.top, s.p.v);
  }
  return b;
}

host::LayerRef DocumentFixture::Layer(std::string_view title) {
  if (auto found = Doc().FindLayer(title)) return *found;
  auto layer = Doc().InsertLayer({}, host::PaintOrder::kAbove);
  EXPECT_TRUE(layer);
  if (!layer) return {};
  EXPECT_EQ(Doc().SetLayerTitle(*layer, title), kQvNoErr);
  return *layer;
}

host::ArtRef DocumentFixture::AddPath(host::LayerRef layer, const std::vector<host::PathSegment>& segments,
                                      bool closed) {
  auto group = Doc().LayerGroup(layer);
  EXPECT_TRUE(group);
  if (!group) return {};
  auto path = Doc().NewPath(host::PaintOrder::kInsideOnTop, *group);
  EXPECT_TRUE(path);
  if (!path) return {};
  EXPECT_EQ(Doc().SetSegments(*path, segments), kQvNoErr);
  EXPECT_EQ(Doc().SetClosed(*path, closed), kQvNoErr);
  QvPathStyle style{};
  style.strokePaint = 1;
  style.stroke.width = 0.75;
  style.stroke.color.kind = kQvColorGray;
  style.stroke.color.gray = 1.0;
  style.stroke.miterLimit = 4.0;
  EXPECT_EQ(Doc().SetStyle(*path, style), kQvNoErr);
  EXPECT_EQ(Doc().SetSelected(*path, true), kQvNoErr);
  return *path;
}

std::vector<host::ArtRef> DocumentFixture::ArtOn(std::string_view title) {
  auto layer = Doc().FindLayer(title);
  if (!layer) return {};
  auto art = Doc().AllArtOfLayer(*layer);
  return art ? *art : std::vector<host::ArtRef>{};
}

int DocumentFixture::LayerIndex(std::string_view title) {
  const int count = Doc().LayerCount().value_or(0);
  for (int i = 0; i < count; ++i) {
    auto layer = Doc().NthLayer(i);
    if (layer && Doc().LayerTitle(*layer) == std::string(title)) return i;
  }
  return -1;
}

std::vector<host::PathSegment> DocumentFixture::Segments(host::ArtRef art) {
  auto segments = Doc().Segments(art);
  return segments ? *segments : std::vector<host::PathSegment>{};
}

}  // namespace quorvane::document_commands::testing
