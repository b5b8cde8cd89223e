// The part of the module's lasting state that generation reads and writes.
// It lives inside the globals block the host keeps while the module is
// unloaded, so it is plain data: no virtual functions, nothing that points
// into the module's own code or heap. Host handles stay valid across a
// reload because the host owns what they name.
#pragma once

#include <cstdint>
#include <type_traits>

#include "quorvane/generation/one_side_ends.h"
#include "quorvane/facade/host_document.h"
#include "quorvane/text/language.h"

namespace quorvane::generation {

/// Points per millimetre, the default user unit.
inline constexpr double kPointsPerMillimetre = 72.0 / 25.4;

/// The host version whose pathfinder is reached through its action event
/// rather than through the pathfinder suite.
inline constexpr std::int32_t kActionPathfinderHostVersion = 25;

struct RunState {
  /// The user's closed finish-line path (during a run, its duplicate).
  host::ArtRef sourcePath;
  /// The current seam-allowance outline on Work Layer 2; none after a failure.
  host::ArtRef resultArt;
  /// "<<Quorvane Work Layer1>>": markers of the working set's points.
  host::LayerRef workLayer1;
  /// "<<Quorvane Work Layer2>>": the preview and the pieces of a run.
  host::LayerRef workLayer2;
  /// Points per user unit: 72/25.4 for mm, 720/25.4 for cm, 72 for in.
  double pointsPerUnit = kPointsPerMillimetre;
  /// Drawings at a reduced scale: curves are fitted ten times tighter.
  bool scaledDrawing = false;
  /// The host's major version, recorded at start-up.
  std::int32_t hostVersion = 0;
  /// The language of alerts, copied from the settings.
  text::Language language = text::Language::kEnglish;
  /// The working set's basic width, in the user's unit; set by the driver
  /// before the commands run.
  float basicWidth = 0.0f;
  /// What an "Extended one-side" command leaves for its follow-up at
  /// concave ends (see one_side_ends.h).
  OneSideEndRecords oneSideEnds;
};

static_assert(std::is_trivially_copyable_v<RunState> && std::is_standard_layout_v<RunState>,
              "the run state is kept by the host across unload and reload");

}  // namespace quorvane::generation
