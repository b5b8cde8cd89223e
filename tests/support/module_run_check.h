// One run of the generation driver on the headless host, checked the way a
// user would judge it: either one closed, positively oriented outline that
// holds the finish line (unless one of the commands is built across the
// piece, or a command of two points goes from a point to itself; of a
// finish line that crosses itself only a closed outline is asked) and no
// alert, or exactly one alert that is the failing command's own message (or
// the basic margin's); the source path and the set unchanged either way.
// The module fuzz target and the sweep over the real pieces share it.
#pragma once

#include <string>

#include "quorvane/commands/command_set.h"
#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"
#include "workbench/plugin/host.h"

namespace quorvane::testing {

struct RunOutcome {
  /// Empty when the run behaved; otherwise what went wrong.
  std::string problem;
  /// Whether the run finished with a seam allowance.
  bool finished = false;
  /// How far the finish line leaves a finished result, in points; beyond
  /// the fitting tolerance (1 pt) it is a problem unless a command is built
  /// across the piece.
  double outsideBy = 0.0;
  /// A finished result leaves the finish line: a command built across it.
  bool acrossThePiece = false;
  /// A finished result leaves the finish line: a command of two points goes
  /// from a point to that same point, over the whole finish line.
  bool fromAPointToItself = false;
};

/// Whether a finished result is asked to hold the finish line, or only
/// measured (`outsideBy`).
enum class Holding { kFinishLine, kMeasuredOnly };

/// Runs `set` on the closed path `source` (already turned clockwise) with
/// the panel's preview ticked, as Apply does, and checks the outcome.
RunOutcome RunAndCheck(host::HostDocument& doc, workbench::plugin::Host& host, generation::RunState& state,
                       host::ArtRef source, const commands::CCommandSet& set,
                       Holding holding = Holding::kFinishLine);

}  // namespace quorvane::testing
