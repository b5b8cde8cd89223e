// A real workbench host and document bound to the module's HostDocument,
// the test pieces and their margins, and the independent plane
// constructions and measurements the generation tests check results with.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "quorvane/commands/command_set.h"
#include "quorvane/facade/host_document.h"
#include "quorvane/generation/run_state.h"
#include "quorvane/geometry/vec2.h"
#include "support/bound_host.h"
#include "support/distance_field.h"
#include "support/shared_data.h"
#include "workbench/document/document.h"
#include "workbench/plugin/host.h"

namespace quorvane::generation::testing {

using geometry::Vec2;
using quorvane::testing::CorpusFiles;

inline Vec2 V(QvRealPoint p) { return {p.h, p.v}; }

// ---- Shapes (points, y up; clockwise, so that their left side is outside)

host::PathSegment Corner(double x, double y);
/// A closed polygon of corner anchors.
std::vector<host::PathSegment> Polygon(const std::vector<Vec2>& points);
/// An axis-aligned square with corners (x, y) and (x + size, y + size):
/// clockwise with y up (positive area) unless `ccw`.
std::vector<host::PathSegment> Square(double x, double y, double size, bool ccw = false);
/// A circle of four cubic arcs (radial error about 3e-4 r), clockwise.
std::vector<host::PathSegment> Circle(double cx, double cy, double r);

/// The basic width the stretch tests use, in millimetres.
inline constexpr float kBasicMm = 10.0f;

/// Appends a command with its points (the second, if any) and its width.
void AddCommand(commands::CCommandSet& set, commands::CommandType type, const std::string& first,
                const char* second = nullptr, float width = 0.0f);

// ---- Plane constructions

std::vector<Vec2> Anchors(const std::vector<host::PathSegment>& segments);
/// Distance from p to the nearest anchor of `path`.
double NearestAnchor(const std::vector<host::PathSegment>& path, Vec2 p);

/// Distance from points to a closed path, and whether they lie inside it,
/// on a flattening within 0.005 pt.
class DistanceToPath {
 public:
  explicit DistanceToPath(const std::vector<host::PathSegment>& segments);
  double operator()(Vec2 p) const { return field_({p.x, p.y}); }
  bool Inside(Vec2 p) const { return field_.Inside({p.x, p.y}); }

 private:
  quorvane::testing::DistanceField field_;
};

/// Points along every curve of a closed path, `perCurve` per curve.
std::vector<Vec2> SamplePath(const std::vector<host::PathSegment>& segments, int perCurve);

/// The largest distance from a sample of `a` to the path `b`, of samples
/// for which `where` holds.
double Deviation(const std::vector<host::PathSegment>& a, const std::vector<host::PathSegment>& b,
                 const std::function<bool(Vec2)>& where = {});

// ---- Fixtures

/// A workbench host with a document, every suite of the module acquired, and
/// the module's run state. The document starts with one layer.
class HostFixture : public ::testing::Test {
 protected:
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

/// A host with a piece on a layer of its own and its margin on Work Layer 2.
class PieceFixture : public HostFixture {
 protected:
  /// The piece, closed, on top of a layer "Piece"; it becomes the source.
  host::ArtRef AddPiece(const std::vector<host::PathSegment>& segments);
  /// The source's basic margin at `width` (in the state's unit); its segments.
  std::vector<host::PathSegment> BuildMargin(float width);
  /// Adds the piece and builds its basic margin at `width` with `version`
  /// as the host's version, as the driver does before the commands.
  host::ArtRef Start(const std::vector<host::PathSegment>& finish, float width = kBasicMm,
                     std::int32_t version = 0);

  std::vector<host::PathSegment> FinishSegments();
  std::vector<host::PathSegment> ResultSegments();

  /// The result is one closed, positively oriented path alone on Work
  /// Layer 2, and the finish line lies inside it.
  void ExpectWellFormedResult();
  /// A failed generator left the margin as it was: the same art, alone on
  /// Work Layer 2, with the same anchors.
  void ExpectMarginUnchanged(const std::vector<host::PathSegment>& before, host::ArtRef art);

  /// Measures of the result art: its signed area, its bounds, and the
  /// smallest distance from the source to its outline.
  double ResultArea();
  QvRealRect ResultBounds();
  double ResultClearance();

  host::LayerRef pieceLayer_;
};

}  // namespace quorvane::generation::testing
