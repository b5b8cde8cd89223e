// The three values of the information panel that a run of the generation
// driver reads. The panel fills them in for each run; they are never kept
// in the module's globals.
#pragma once

#include <cstdint>

namespace quorvane::generation {

/// The panel's "Optimize" choice: when the finished seam allowance is
/// simplified by the host's path optimisation.
enum class OptimizeChoice : std::int32_t {
  /// "N": never.
  kNone = 0,
  /// "1": while the result is scaled up for display.
  kEnlarged = 1,
  /// "2": at its true size, after it has been styled.
  kTrueSize = 2,
};

struct PanelValues {
  /// Whether the "Preview" box is ticked.
  bool preview = false;
  /// Rows of the panel's command list: 0 when no set is selected; the basic
  /// seam margin is row 1 and the commands follow.
  int commandRowCount = 0;
  OptimizeChoice optimize = OptimizeChoice::kNone;
};

}  // namespace quorvane::generation
