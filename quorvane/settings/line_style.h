// The stroke the module gives its two kinds of line: the seam-allowance line
// and the finish line, in the width and plate colour of the settings.
#pragma once

#include "quorvane/facade/host_document.h"
#include "quorvane/settings/settings.h"
#include "sdk/types.h"

namespace quorvane::settings {

/// Which line a style is for.
enum class LineKind : int { kSeamAllowance = 0, kFinish = 1 };

/// The plate colour index the settings give the line.
std::int16_t LineColorIndex(const Settings& settings, LineKind line);

/// The custom colour description of a plate colour: four-colour, its four
/// stored components taken as cyan, magenta, yellow and black whatever the
/// colour's own kind.
QvColor PlateColorDescription(const PlateColor& color);

/// The document colour a line in plate colour `color` is stroked with: the
/// document's custom colour of the plate colour's name (made from
/// PlateColorDescription when the document has none), entered in the swatch
/// list under that name unless a swatch of the name exists, as a custom
/// colour at tint 0. `fallback` when no custom colour could be found or made.
QvColor PlateColorToDocumentColor(host::HostDocument& document, const PlateColor& color, const QvColor& fallback);

/// The path style of a line: fill off, stroke on, butt caps, miter joins
/// with limit 4, no dash, the line's width in points; the fill colour gray
/// 1.0 and the stroke colour `stroke` (the document colour of the line's
/// plate colour).
QvPathStyle LineStyle(const Settings& settings, LineKind line, const QvColor& stroke);

/// Sets `style` on a path or compound path, and on every path and compound
/// path inside a group, children first to last, recursively. Any other art
/// is left alone. Returns the first host error.
QvErr ApplyLineStyle(host::HostDocument& document, host::ArtRef art, const QvPathStyle& style);

}  // namespace quorvane::settings
