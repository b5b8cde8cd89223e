// Numbers as text, always with a full stop as the decimal separator: the
// module's files and dialogs must read the same whatever locale the host
// process runs in (a desktop toolkit may switch LC_NUMERIC to the user's).
#pragma once

#include <string>

namespace quorvane::text {

/// printf's "%g" in the C locale: six significant digits, trailing zeros
/// dropped, exponent form for very large or small values.
std::string FormatGeneral(double value);

/// printf's "%.Nf" in the C locale with N = `decimals`.
std::string FormatFixed(double value, int decimals);

}  // namespace quorvane::text
