#include "optimize_path.h"

#include <algorithm>

#include "clipper_bridge.h"
#include "curve_fit.h"
#include "flatten.h"

namespace workbench::geometry {

PathData OptimizePath(const PathData& path, double tolerance) {
  if (tolerance <= 0.0 || path.segments.size() < 2) return path;
  // A tenth of the tolerance goes to flattening, the rest to fitting.
  const double flatness = 0.1 * tolerance;
  std::vector<Point> points;
  std::vector<bool> corners;
  for (const FlatPoint& fp : FlattenPath(path, flatness, 0.0)) {
    points.push_back(fp.point);
    const bool first = fp.anchor && fp.index == 0;
    corners.push_back(first || (fp.anchor && detail::AnchorTurns(path, fp.index)));
  }
  return FitCurves(points, path.closed, 0.85 * tolerance, corners);
}

}  // namespace workbench::geometry
