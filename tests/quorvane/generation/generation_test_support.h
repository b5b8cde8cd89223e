// A real workbench host and document bound to the module's HostDocument,
// and the shapes and measurements the generation tests share.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "quorvane/generation/run_state.h"
#include "quorvane/geometry/vec2.h"
#include "quorvane/facade/host_document.h"
#include "workbench/document/document.h"
#include "support/bound_host.h"
#include "workbench/plugin/host.h"
#include "support/shared_data.h"

namespace quorvane::generation::testing {

host::PathSegment Corner(double x, double y);

/// An axis-aligned square with corners (x, y) and (x + size, y + size):
/// clockwise with y up (positive area) unless `ccw`.
std::vector<host::PathSegment> Square(double x, double y, double size, bool ccw = false);

/// A workbench host with a document, every suite of the module acquired, and
/// the module's run state. The document starts with one layer.
class HostFixture : public ::testing::Test {
 protected:

  /// Replaces the document (the host then acts on the new one).
  void UseDocument(workbench::document::Document doc);
  /// Replaces the document with an SVG file's; false, with the reader's
  /// error reported as a test failure, when the file cannot be read.
  bool OpenSvg(const std::filesystem::path& file);

  /// A new closed (or open) path on top of `layer` (the current layer when
  /// null), styled with a 0.75 pt black stroke.
  host::ArtRef AddPath(const std::vector<host::PathSegment>& segments, bool closed = true, host::LayerRef layer = {});

  /// Every closed path of the document's layers, in layer order.
  std::vector<host::ArtRef> ClosedPaths();

  host::HostDocument& Doc() { return bound_.Doc(); }
  workbench::plugin::Host& Host() { return bound_.Host(); }
  workbench::document::Document& Document() { return bound_.Document(); }

  RunState state_;

 private:
  quorvane::testing::BoundHost bound_;
};

/// Distance from points to a closed path, measured on an independent fine
/// flattening of it (within 0.005 pt) by the workbench's geometry, through a
/// grid of its edges.
class DistanceToPath {
 public:
  explicit DistanceToPath(const std::vector<host::PathSegment>& segments);
  double operator()(geometry::Vec2 p) const;
  /// Whether p lies inside the path (nonzero winding of the flattening).
  bool Inside(geometry::Vec2 p) const;
  const std::vector<geometry::Vec2>& Vertices() const { return points_; }

 private:
  double EdgeDistance(std::size_t i, geometry::Vec2 p) const;

  std::vector<geometry::Vec2> points_;
  std::vector<std::vector<std::size_t>> cells_;
  double x0_ = 0.0, y0_ = 0.0;
  int nx_ = 1, ny_ = 1;
};

/// Points along every curve of a closed path, `perCurve` per curve.
std::vector<geometry::Vec2> SamplePath(const std::vector<host::PathSegment>& segments, int perCurve);

using quorvane::testing::CorpusFiles;

}  // namespace quorvane::generation::testing
