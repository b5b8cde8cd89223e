// How a failed call from the host is reported to the user.
#pragma once

#include <string>

#include "sdk/types.h"

namespace quorvane::host {

/// False for the codes not worth a message: 1, suite not found and cancel.
bool ShouldReportError(QvErr code);

/// "Error=%x, %s (caller : %s, selector : %s)": the code in hexadecimal, its
/// four bytes as characters from the least significant, caller, selector.
std::string FormatErrorReport(QvErr code, const char* caller, const char* selector);

}  // namespace quorvane::host
