// Committing a finished seam allowance: the result of a forced run of the
// driver goes from the preview layer to a layer of its own beside the
// user's piece, and both lines get the strokes of the user's settings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "quorvane/generation/run_state.h"
#include "quorvane/facade/host_document.h"
#include "quorvane/settings/line_style.h"
#include "quorvane/settings/settings.h"
#include "quorvane/text/language.h"

namespace quorvane::generation {

/// The title of the layer that receives the finished result of a piece on
/// the layer `sourceLayerTitle`: that title followed by the result-layer
/// suffix of `language`.
std::string ResultLayerTitle(std::string_view sourceLayerTitle, text::Language language);

/// Strokes `art` (a path, a compound path, or every one inside a group) as
/// the settings' `line`: its width, and the document colour of its plate
/// colour. A colour index outside the table strokes in black. Returns the
/// first host error.
QvErr ApplySettingsLineStyle(host::HostDocument& doc, host::ArtRef art, const settings::Settings& settings,
                             settings::LineKind line);

/// After the driver ran with `force`: removes Work Layer 1, then duplicates
/// the result art inside, on top of the layer ResultLayerTitle() names
/// (found, or made above the source path's layer). When the duplicate is
/// made, Work Layer 2 is removed (the result art becomes none), the lines
/// are styled and the duplicate is left deselected. With `basicWidth` >= 0
/// (user unit) the source path is the finish line and the duplicate the
/// seam-allowance line; with a negative one the roles swap. Each style is
/// applied only when its line is switched on in `settings`. Without a
/// duplicate nothing but Work Layer 1 changes.
void CommitResult(host::HostDocument& doc, RunState& state, const settings::Settings& settings, float basicWidth);

}  // namespace quorvane::generation
