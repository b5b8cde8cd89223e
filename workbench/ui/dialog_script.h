// Scripted answers to modal dialogs for a toolkit without a display: which
// dialog, and the user's steps in it, also in a one-line form for the
// command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace workbench::ui {

/// One thing the user does in a dialog.
struct DialogStep {
  enum class Kind {
    /// Types `text` into edit field or editable drop-down `control`.
    kSetText,
    /// Selects row `index` of list or drop-down `control`.
    kSelectIndex,
    /// Selects the item of `control` whose text equals `text` exactly.
    kSelectText,
    /// Clicks button or check box `control` (1 is OK, 2 is Cancel).
    kClick
  };
  Kind kind = Kind::kClick;
  std::int32_t control = 0;
  std::string text;
  std::int32_t index = -1;
};

/// The answer to one showing of a dialog.
struct DialogAnswer {
  /// The dialog's resource number; 0 answers any dialog.
  std::int32_t resourceId = 0;
  std::vector<DialogStep> steps;
};

/// Parses "RESOURCE:STEP;STEP;..." where RESOURCE is a number or "*" (any
/// dialog) and each step is one of
///   text N=TEXT     type TEXT into control N
///   select N=TEXT   select the item of control N reading exactly TEXT
///   select N#I      select row I (0-based) of control N
///   click N         click control N
///   ok, cancel      click control 1 or 2
/// e.g. "16259:select 5=basic;click 1". TEXT runs to the next ';' and may
/// be empty. None for bad text, and `error` (if given) says what is wrong.
std::optional<DialogAnswer> ParseDialogAnswer(std::string_view text, std::string* error = nullptr);

/// The step in the one-line form above ("select 5=basic").
std::string DescribeStep(const DialogStep& step);

}  // namespace workbench::ui
