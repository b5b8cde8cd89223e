#include "quorvane/generation/result_outline.h"

#include <vector>

#include "quorvane/generation/art_utilities.h"
#include "quorvane/generation/curve_fit.h"
#include "quorvane/generation/pathfinder.h"
#include "quorvane/generation/tolerances.h"
#include "quorvane/generation/work_layers.h"

namespace quorvane::generation {

namespace {

using geometry::Vec2;

// The index of the point nearest to p; the first of equal distances wins.
int NearestPoint(Vec2 p, std::span<const Vec2> points) {
  double best = kNoNearestDistance;
  int index = -1;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double d = geometry::Distance(points[i], p);
    if (d < best) {
      best = d;
      index = static_cast<int>(i);
    }
  }
  return index;
}

// Of the selected paths on `layer`, keeps the one with the most segments
// (the first on ties) and disposes of the others.
std::optional<host::ArtRef> KeepLargestSelected(host::HostDocument& doc, host::LayerRef layer) {
  auto selected = doc.SelectedPaths();
  if (!selected) return std::nullopt;
  std::vector<host::ArtRef> onLayer;
  for (host::ArtRef art : *selected) {
    auto artLayer = doc.LayerOf(art);
    if (artLayer && *artLayer == layer) onLayer.push_back(art);
  }
  std::optional<host::ArtRef> kept;
  int most = -1;
  for (host::ArtRef art : onLayer) {
    auto count = doc.SegmentCount(art);
    if (count && *count > most) {
      most = *count;
      kept = art;
    }
  }
  if (!kept) return std::nullopt;
  for (host::ArtRef art : onLayer) {
    if (art != *kept) doc.Dispose(art);
  }
  return kept;
}

}  // namespace

std::optional<host::ArtRef> BuildResultOutline(host::HostDocument& doc, RunState& state,
                                               std::span<const geometry::OutlinePoint> outline, bool replace) {
  const double tolerance = state.scaledDrawing ? kFitToleranceScaled : kFitTolerance;
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return std::nullopt;
  state.workLayer2 = *layer;
  if (replace && ClearLayer(doc, state.workLayer2)) return std::nullopt;
  if (outline.empty()) return std::nullopt;

  // The outline closed explicitly: its first point again at the end.
  const std::size_t n = outline.size();
  auto points = doc.AllocateArray<Vec2>(n + 1);
  if (!points) return std::nullopt;
  for (std::size_t i = 0; i < n; ++i) (*points)[i] = outline[i].p;
  (*points)[n] = outline[0].p;
  const std::span<const Vec2> closed(points->Data(), points->Size());

  // The source path's anchors stay corners of the result.
  std::vector<host::PathSegment> anchors;
  if (state.sourcePath) {
    if (auto segments = doc.Segments(state.sourcePath)) anchors = std::move(*segments);
  }
  auto corners = doc.AllocateArray<int>(anchors.size());
  if (!corners && !anchors.empty()) return std::nullopt;
  for (std::size_t i = 0; i < anchors.size(); ++i) {
    (*corners)[i] = NearestPoint({anchors[i].p.h, anchors[i].p.v}, closed);
  }
  const std::span<const int> cornerIndices =
      corners ? std::span<const int>(corners->Data(), corners->Size()) : std::span<const int>();

  const std::vector<BezierPiece> pieces = FitBezierPieces(closed, cornerIndices, tolerance);
  if (pieces.empty()) return std::nullopt;

  auto group = doc.LayerGroup(state.workLayer2);
  if (!group) return std::nullopt;
  auto path = doc.NewPath(host::PaintOrder::kInsideOnTop, *group);
  if (!path) return std::nullopt;
  if (doc.SetSegments(*path, ClosedPathFromPieces(pieces)) || doc.SetClosed(*path, true) ||
      doc.SetShowCenter(*path, true)) {
    doc.Dispose(*path);
    return std::nullopt;
  }
  if (state.sourcePath) doc.CopyStyle(state.sourcePath, *path);

  // Cleaning: dividing the path resolves its self-overlaps; uniting the
  // pieces with the current margin on the layer makes one outline again.
  if (PathfinderDivide(doc, state, PathfinderData{.art = {*path}})) return path;
  if (SelectOnlyLayerArt(doc, state.workLayer2)) return std::nullopt;
  if (PathfinderUnite(doc, state, PathfinderData{})) return std::nullopt;
  auto kept = KeepLargestSelected(doc, state.workLayer2);
  if (!kept) return std::nullopt;
  doc.DeselectAllOnLayer(state.workLayer2);
  if (state.sourcePath) doc.SetSelected(state.sourcePath, true);
  MakeOrientationPositive(doc, *kept);
  return kept;
}

bool CommitOutline(host::HostDocument& doc, RunState& state, const std::optional<geometry::Outline>& outline,
                   bool replace) {
  if (!outline) return false;
  const auto result = BuildResultOutline(doc, state, *outline, replace);
  state.resultArt = result.value_or(host::ArtRef{});
  return result.has_value();
}

}  // namespace quorvane::generation
