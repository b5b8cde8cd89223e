#include "generation_test_support.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "quorvane/generation/basic_seam_margin.h"
#include "workbench/svg/svg_io.h"

namespace quorvane::generation::testing {

namespace wg = workbench::geometry;
using quorvane::testing::ToPathData;

host::PathSegment Corner(double x, double y) { return quorvane::testing::Rectangle(x, y, 0, 0)[0]; }

std::vector<host::PathSegment> Polygon(const std::vector<Vec2>& points) {
  std::vector<host::PathSegment> out;
  for (const Vec2& p : points) out.push_back(Corner(p.x, p.y));
  return out;
}

std::vector<host::PathSegment> Square(double x, double y, double size, bool ccw) {
  std::vector<host::PathSegment> s = quorvane::testing::Rectangle(x, y, size, size);
  if (ccw) std::reverse(s.begin(), s.end());
  return s;
}

std::vector<host::PathSegment> Circle(double cx, double cy, double r) {
  constexpr double k = 0.5522847498;
  auto seg = [&](double x, double y, double dx, double dy) {
    host::PathSegment s{};
    s.p = {cx + x * r, cy + y * r};
    s.in = {cx + (x - dx * k) * r, cy + (y - dy * k) * r};
    s.out = {cx + (x + dx * k) * r, cy + (y + dy * k) * r};
    return s;
  };
  return {seg(-1, 0, 0, 1), seg(0, 1, 1, 0), seg(1, 0, 0, -1), seg(0, -1, -1, 0)};
}

void AddCommand(commands::CCommandSet& set, commands::CommandType type, const std::string& first, const char* second,
                float width) {
  const int i = set.AddCommand(type) - 1;
  set.SetCommandPoint(i, 0, first);
  if (second != nullptr) set.SetCommandPoint(i, 1, second);
  set.SetCommandWidth(i, width);
}

std::vector<Vec2> Anchors(const std::vector<host::PathSegment>& segments) {
  std::vector<Vec2> out;
  for (const host::PathSegment& s : segments) out.push_back(V(s.p));
  return out;
}

double NearestAnchor(const std::vector<host::PathSegment>& path, Vec2 p) {
  double best = std::numeric_limits<double>::infinity();
  for (const host::PathSegment& s : path) best = std::min(best, geometry::Distance(V(s.p), p));
  return best;
}

double Deviation(const std::vector<host::PathSegment>& a, const std::vector<host::PathSegment>& b,
                 const std::function<bool(Vec2)>& where) {
  const DistanceToPath toB(b);
  double worst = 0.0;
  for (const Vec2& p : SamplePath(a, 16)) {
    if (!where || where(p)) worst = std::max(worst, toB(p));
  }
  return worst;
}

bool HostFixture::OpenSvg(const std::filesystem::path& file) {
  auto read = workbench::svg::ReadSvgFile(file);
  if (!read) {
    ADD_FAILURE() << read.error().ToString();
    return false;
  }
  Document() = std::move(read.value());
  state_ = RunState{};
  return true;
}

std::vector<host::ArtRef> HostFixture::ClosedPaths() {
  std::vector<host::ArtRef> paths;
  for (int i = 0; i < Doc().LayerCount().value_or(0); ++i) {
    const auto arts = Doc().AllArtOfLayer(*Doc().NthLayer(i));
    EXPECT_TRUE(arts);
    if (!arts) continue;
    for (host::ArtRef art : *arts) {
      if (Doc().ArtType(art) == kQvPathArt && Doc().IsClosed(art).value_or(false)) paths.push_back(art);
    }
  }
  return paths;
}

host::ArtRef HostFixture::AddPath(const std::vector<host::PathSegment>& segments, bool closed, host::LayerRef layer) {
  host::ArtRef prep;
  host::PaintOrder order = host::PaintOrder::kAbove;
  if (layer) {
    auto group = Doc().LayerGroup(layer);
    EXPECT_TRUE(group);
    if (group) prep = *group;
    order = host::PaintOrder::kInsideOnTop;
  }
  auto path = Doc().NewPath(order, prep);
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
  return *path;
}

DistanceToPath::DistanceToPath(const std::vector<host::PathSegment>& segments)
    : field_(ToPathData(segments), 8.0, 0.005) {}

std::vector<Vec2> SamplePath(const std::vector<host::PathSegment>& segments, int perCurve) {
  std::vector<Vec2> out;
  for (const wg::Point& p : quorvane::testing::Sample(ToPathData(segments), perCurve)) out.push_back({p.x, p.y});
  return out;
}

host::ArtRef PieceFixture::AddPiece(const std::vector<host::PathSegment>& segments) {
  if (!pieceLayer_) {
    auto layer = Doc().InsertLayer({}, host::PaintOrder::kAbove);
    EXPECT_TRUE(layer);
    if (layer) {
      pieceLayer_ = *layer;
      Doc().SetLayerTitle(pieceLayer_, "Piece");
    }
  }
  state_.sourcePath = AddPath(segments, true, pieceLayer_);
  return state_.sourcePath;
}

std::vector<host::PathSegment> PieceFixture::BuildMargin(float width) {
  EXPECT_TRUE(BuildBasicSeamMargin(Doc(), state_, width));
  return ResultSegments();
}

host::ArtRef PieceFixture::Start(const std::vector<host::PathSegment>& finish, float width, std::int32_t version) {
  const host::ArtRef source = AddPiece(finish);
  state_.basicWidth = width;
  state_.hostVersion = version;
  state_.oneSideEnds = {};
  BuildMargin(width);
  return source;
}

std::vector<host::PathSegment> PieceFixture::FinishSegments() {
  return Doc().Segments(state_.sourcePath).value_or(std::vector<host::PathSegment>{});
}

std::vector<host::PathSegment> PieceFixture::ResultSegments() {
  if (!state_.resultArt) return {};
  return Doc().Segments(state_.resultArt).value_or(std::vector<host::PathSegment>{});
}

void PieceFixture::ExpectWellFormedResult() {
  ASSERT_TRUE(state_.resultArt);
  EXPECT_EQ(Doc().LayerOf(state_.resultArt), state_.workLayer2);
  EXPECT_EQ(*Doc().AllArtOfLayer(state_.workLayer2), std::vector<host::ArtRef>{state_.resultArt});
  EXPECT_EQ(Doc().IsClosed(state_.resultArt), true);
  EXPECT_GT(ResultArea(), 0.0);
  const DistanceToPath toResult(ResultSegments());
  for (const Vec2& p : SamplePath(FinishSegments(), 4)) EXPECT_TRUE(toResult.Inside(p)) << p.x << "," << p.y;
}

void PieceFixture::ExpectMarginUnchanged(const std::vector<host::PathSegment>& before, host::ArtRef art) {
  ASSERT_EQ(state_.resultArt, art);
  ASSERT_TRUE(Doc().IsValid(art));
  EXPECT_EQ(*Doc().AllArtOfLayer(*Doc().LayerOf(art)), std::vector<host::ArtRef>{art});
  EXPECT_EQ(Anchors(*Doc().Segments(art)), Anchors(before));
}

double PieceFixture::ResultArea() { return Doc().SignedArea(state_.resultArt).value_or(0.0); }

QvRealRect PieceFixture::ResultBounds() { return Doc().Bounds(state_.resultArt).value_or(QvRealRect{}); }

double PieceFixture::ResultClearance() {
  const DistanceToPath toFinish(FinishSegments());
  double lowest = 1e300;
  for (const Vec2& p : SamplePath(ResultSegments(), 16)) lowest = std::min(lowest, toFinish(p));
  return lowest;
}

}  // namespace quorvane::generation::testing
