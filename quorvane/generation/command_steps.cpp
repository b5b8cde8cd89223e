#include "quorvane/generation/command_steps.h"

#include <initializer_list>
#include <optional>

#include "quorvane/generation/command_input.h"
#include "quorvane/generation/cut_off.h"
#include "quorvane/generation/extended_crossing.h"
#include "quorvane/generation/forty_five_degree_corner.h"
#include "quorvane/generation/lapel.h"
#include "quorvane/generation/opening.h"
#include "quorvane/generation/outline_reader.h"
#include "quorvane/generation/result_outline.h"
#include "quorvane/generation/reverse_corner.h"
#include "quorvane/generation/right_angle_corner.h"
#include "quorvane/generation/work_layers.h"

namespace quorvane::generation {

namespace {

using geometry::Vec2;

// What every command but "Extended one-side" reads, in this order: the
// numbers (anchors or segments, counted from 1) and both paths are checked;
// Work Layer 2 is found or made; the finish line is read and the numbers
// checked against its segment count; the margin is read. None, with only
// Work Layer 2 possibly made, when anything is missing.
std::optional<CommandInput> ReadCommandInput(host::HostDocument& doc, RunState& state,
                                             std::initializer_list<std::int32_t> numbers) {
  for (const std::int32_t number : numbers) {
    if (number <= 0) return std::nullopt;
  }
  if (!state.sourcePath || !state.resultArt) return std::nullopt;
  auto layer = FindOrCreateLayer(doc, state, kWorkLayer2Title);
  if (!layer) return std::nullopt;
  state.workLayer2 = *layer;
  auto finish = ReadOutline(doc, state.sourcePath);
  if (!finish) return std::nullopt;
  for (const std::int32_t number : numbers) {
    if (number > finish->SegmentCount()) return std::nullopt;
  }
  auto margin = ReadOutline(doc, state.resultArt);
  if (!margin) return std::nullopt;
  return CommandInput{finish->Anchors(), std::move(finish->outline), std::move(margin->outline)};
}

// The point at parameter t of source segment `segmentNumber` (1-based),
// exactly on its curve.
std::optional<Vec2> PointOnSegment(host::HostDocument& doc, host::ArtRef path, std::int32_t segmentNumber, double t) {
  auto bezier = doc.Bezier(path, segmentNumber - 1);
  if (!bezier) return std::nullopt;
  auto p = doc.BezierPoint(*bezier, t);
  if (!p) return std::nullopt;
  return Vec2{p->h, p->v};
}

bool InUnitInterval(double t) { return t >= 0.0 && t <= 1.0; }

double InPoints(float width, const RunState& state) { return static_cast<double>(width) * state.pointsPerUnit; }

}  // namespace

bool ApplyReverseCorner(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, bool forward) {
  const auto in = ReadCommandInput(doc, state, {anchorNumber});
  return in && CommitOutline(doc, state, ReverseCornerOutline(*in, anchorNumber, forward), true);
}

bool ApplyRightAngleCorner(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, bool forward) {
  const auto in = ReadCommandInput(doc, state, {anchorNumber});
  return in && CommitOutline(doc, state, RightAngleCornerOutline(*in, anchorNumber, forward), true);
}

bool ApplyExtendedCrossing(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber) {
  const auto in = ReadCommandInput(doc, state, {anchorNumber});
  return in && CommitOutline(doc, state, ExtendedCrossingOutline(*in, anchorNumber), true);
}

bool ApplyCutOff(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, float width) {
  const auto in = ReadCommandInput(doc, state, {anchorNumber});
  return in && CommitOutline(doc, state, CutOffOutline(*in, anchorNumber, InPoints(width, state)), true);
}

bool ApplyFortyFiveDegreeCorner(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber,
                                std::int32_t segmentNumber, double t, float extensionWidth, float widthDelta,
                                bool backward) {
  const auto in = ReadCommandInput(doc, state, {anchorNumber, segmentNumber});
  if (!in) return false;
  const auto second = PointOnSegment(doc, state.sourcePath, segmentNumber, t);
  if (!second) return false;
  return CommitOutline(doc, state,
                       FortyFiveDegreeOutline(*in, anchorNumber, *second, InPoints(extensionWidth, state),
                                              InPoints(widthDelta, state), backward),
                       true);
}

bool ApplyLapel(host::HostDocument& doc, RunState& state, std::int32_t anchorNumber, std::int32_t segmentNumber,
                double t) {
  const auto in = ReadCommandInput(doc, state, {anchorNumber, segmentNumber});
  if (!in) return false;
  const auto second = PointOnSegment(doc, state.sourcePath, segmentNumber, t);
  if (!second) return false;
  return CommitOutline(doc, state, LapelOutline(*in, anchorNumber, segmentNumber, *second), true);
}

bool ApplyOpening(host::HostDocument& doc, RunState& state, std::int32_t firstSegment, double firstT,
                  std::int32_t secondSegment, double secondT, float width) {
  if (!InUnitInterval(firstT) || !InUnitInterval(secondT)) return false;
  const auto in = ReadCommandInput(doc, state, {firstSegment, secondSegment});
  if (!in) return false;
  const auto x1 = PointOnSegment(doc, state.sourcePath, firstSegment, firstT);
  const auto x2 = PointOnSegment(doc, state.sourcePath, secondSegment, secondT);
  if (!x1 || !x2) return false;
  return CommitOutline(doc, state, OpeningOutline(*in, *x1, *x2, InPoints(width, state)), true);
}

}  // namespace quorvane::generation
