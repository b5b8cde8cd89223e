// Offsets of the real pattern pieces at the usual seam allowances.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry_test_support.h"
#include "support/shared_data.h"
#include "workbench/geometry/curve_fit.h"
#include "workbench/geometry/flatten.h"
#include "workbench/geometry/offset_path.h"

namespace workbench::geometry {
namespace {

using testing::CorpusFiles;
using testing::DistanceField;
using testing::ReadCorpusFile;
using testing::Sample;
using testing::Winding;

constexpr double kPointsPerMm = 72.0 / 25.4;
// The module plays the Offset Path action with this mitre limit.
constexpr double kModuleMiterLimit = 10000.0;

class CorpusOffset : public ::testing::TestWithParam<double> {};

TEST_P(CorpusOffset, OneOutlineAtTheDistanceAroundEveryPiece) {
  if (!quorvane::testing::SharedDir()) GTEST_SKIP() << quorvane::testing::kNoSharedDir;
  const double d = GetParam() * kPointsPerMm;
  int pieces = 0;
  std::size_t inSegments = 0, outSegments = 0;
  for (const auto& file : CorpusFiles()) {
    for (const auto& piece : ReadCorpusFile(file)) {
      SCOPED_TRACE(file.filename().string() + " " + piece.name);
      ++pieces;
      const auto out = OffsetPath(piece.path, d, kModuleMiterLimit, JoinType::kMiter);
      ASSERT_EQ(out.size(), 1u);
      ASSERT_EQ(out[0].size(), 1u);
      const PathData& result = out[0][0];
      EXPECT_TRUE(result.closed);
      const std::size_t n = piece.path.segments.size();
      inSegments += n;
      outSegments += result.segments.size();
      EXPECT_LE(result.segments.size(), 10 * n + 8);
      // The finish line lies inside the result.
      for (const FlatPoint& f : FlattenPath(piece.path, 0.5, 5.0)) {
        ASSERT_NE(Winding(result, f.point), 0) << f.point.x << "," << f.point.y;
      }
      // Every result point keeps the distance, except where a mitre reaches
      // out beyond a corner anchor: no farther from that anchor than the
      // mitre's tip, d / cos(turn / 2).
      std::vector<std::pair<Point, double>> mitreReach;
      for (std::size_t i = 0; i < n; ++i) {
        const Point in = EndTangent(CurveAt(piece.path.segments, (i + n - 1) % n));
        const Point out = StartTangent(CurveAt(piece.path.segments, i));
        const double turn = std::fabs(std::atan2(Cross(in, out), Dot(in, out)));
        mitreReach.emplace_back(piece.path.segments[i].anchor, d / std::cos(std::min(turn, 3.1) / 2.0));
      }
      const DistanceField field(piece.path, d);
      double lowest = 1e300;
      for (const Point& p : Sample(result, 24)) {
        const double dist = field(p);
        lowest = std::min(lowest, dist);
        if (dist <= d + 0.05) continue;
        bool inMitre = false;
        for (const auto& [anchor, reach] : mitreReach) inMitre = inMitre || Distance(p, anchor) <= reach + 0.05;
        EXPECT_TRUE(inMitre) << "too far (" << dist - d << ") at " << p.x << "," << p.y;
      }
      EXPECT_GE(lowest, d - 0.05);
    }
  }
  EXPECT_GT(pieces, 100);
  // Over the whole corpus curves stay curves: a few segments per input one.
  EXPECT_LE(double(outSegments), 4.0 * double(inSegments));
}

INSTANTIATE_TEST_SUITE_P(Allowances, CorpusOffset, ::testing::Values(3.0, 10.0, 25.0),
                         [](const auto& info) { return std::to_string(int(info.param)) + "mm"; });

}  // namespace
}  // namespace workbench::geometry
