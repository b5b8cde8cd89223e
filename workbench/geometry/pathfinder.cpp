#include "pathfinder.h"

#include <clipper.hpp>

#include "clipper_bridge.h"

namespace workbench::geometry {
namespace {

using ClipperLib::Paths;
using detail::ClipperFrame;
using detail::DensePolygon;

// All shapes flattened and brought into one integer frame, with the corners
// of their anchors remembered for the fitting of results.
struct Prepared {
  std::vector<std::vector<DensePolygon>> dense;
  std::vector<DensePolygon> all;
};

Prepared Flatten(const std::vector<CompoundPath>& shapes) {
  Prepared p;
  for (const CompoundPath& shape : shapes) {
    std::vector<DensePolygon> polys;
    for (const PathData& sub : shape) {
      if (sub.segments.size() < 2) continue;
      polys.push_back(detail::FlattenForClipper(sub));
      p.all.push_back(polys.back());
    }
    p.dense.push_back(std::move(polys));
  }
  return p;
}

Paths Boolean(ClipperLib::ClipType op, const Paths& subject, const Paths& clip);

// Each shape as the region it fills: outer rings counter-clockwise, holes
// clockwise, whatever the directions of its subpaths, so that shapes drawn
// in opposite directions do not cancel where they overlap.
std::vector<Paths> ToPaths(const Prepared& p, ClipperFrame& frame) {
  std::vector<Paths> out;
  for (const auto& polys : p.dense) {
    Paths paths;
    for (const DensePolygon& poly : polys) {
      frame.AddCornerHints(poly);
      ClipperLib::Path path = frame.ToPath(poly);
      if (path.size() >= 3) paths.push_back(std::move(path));
    }
    out.push_back(Boolean(ClipperLib::ctUnion, paths, {}));
  }
  return out;
}

Paths Boolean(ClipperLib::ClipType op, const Paths& subject, const Paths& clip) {
  ClipperLib::Clipper c;
  c.AddPaths(subject, ClipperLib::ptSubject, true);
  c.AddPaths(clip, ClipperLib::ptClip, true);
  Paths out;
  c.Execute(op, out, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
  return out;
}

std::vector<CompoundPath> Fit(const ClipperFrame& frame, const Paths& region, bool strict) {
  ClipperLib::Clipper c;
  c.StrictlySimple(strict);
  c.AddPaths(region, ClipperLib::ptSubject, true);
  ClipperLib::PolyTree tree;
  c.Execute(ClipperLib::ctUnion, tree, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
  return frame.FitTree(tree, true);
}

}  // namespace

std::vector<CompoundPath> Unite(const std::vector<CompoundPath>& shapes) {
  const Prepared p = Flatten(shapes);
  ClipperFrame frame(p.all);
  Paths all;
  for (Paths& paths : ToPaths(p, frame)) all.insert(all.end(), paths.begin(), paths.end());
  return Fit(frame, all, false);
}

std::vector<CompoundPath> Intersect(const std::vector<CompoundPath>& shapes) {
  if (shapes.empty()) return {};
  const Prepared p = Flatten(shapes);
  ClipperFrame frame(p.all);
  const std::vector<Paths> paths = ToPaths(p, frame);
  Paths common = Boolean(ClipperLib::ctUnion, paths[0], {});
  for (std::size_t i = 1; i < paths.size() && !common.empty(); ++i) {
    common = Boolean(ClipperLib::ctIntersection, common, paths[i]);
  }
  return Fit(frame, common, false);
}

std::vector<CompoundPath> Divide(const std::vector<CompoundPath>& shapes) {
  const Prepared p = Flatten(shapes);
  ClipperFrame frame(p.all);
  // Add the shapes one by one: each splits every piece so far into its part
  // inside and its part outside, and adds what it covers beyond them.
  std::vector<Paths> pieces;
  Paths covered;
  for (const Paths& shape : ToPaths(p, frame)) {
    std::vector<Paths> next;
    for (const Paths& piece : pieces) {
      Paths inside = Boolean(ClipperLib::ctIntersection, piece, shape);
      Paths outside = Boolean(ClipperLib::ctDifference, piece, shape);
      if (!inside.empty()) next.push_back(std::move(inside));
      if (!outside.empty()) next.push_back(std::move(outside));
    }
    Paths fresh = Boolean(ClipperLib::ctDifference, shape, covered);
    if (!fresh.empty()) next.push_back(std::move(fresh));
    covered = Boolean(ClipperLib::ctUnion, covered, shape);
    pieces = std::move(next);
  }
  std::vector<CompoundPath> out;
  for (const Paths& piece : pieces) {
    for (CompoundPath& part : Fit(frame, piece, true)) out.push_back(std::move(part));
  }
  return out;
}

}  // namespace workbench::geometry
