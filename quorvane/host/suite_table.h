// The suites the module acquires around every call from the host, and the
// nesting count that lets a call made inside another (an action the module
// plays calling back into it) reuse the outer acquisition.
#pragma once

#include <cstdint>

#include "quorvane/facade/host_suites.h"

namespace quorvane::host {

/// When the nesting count is zero, acquires every suite of the table in
/// order through `basic` (a suite the host lacks stays null and the walk
/// goes on); the result is that of the table's last entry. Counts one more
/// acquisition whatever happened.
QvErr AcquireSuites(const QvBasicSuite* basic);

/// When the count is one, releases every acquired suite in table order,
/// stopping at the first release error, and nulls each one released.
/// Counts one acquisition fewer.
void ReleaseSuites(const QvBasicSuite* basic);

/// The suites acquired now; all null outside a bracket.
const HostSuites& AcquiredSuites();

std::uint16_t AcquisitionCount();
/// A reloaded module starts counting again from zero.
void ResetAcquisitionCount();

/// Acquires on construction and releases on every way out. Code that runs
/// outside a call from the host (panel procedures, timers) brackets its
/// work with one, passing the basic suite kept in PluginGlobals.
class SuiteBracket {
 public:
  explicit SuiteBracket(const QvBasicSuite* basic) : basic_(basic), result_(AcquireSuites(basic)) {}
  ~SuiteBracket() { ReleaseSuites(basic_); }
  SuiteBracket(const SuiteBracket&) = delete;
  SuiteBracket& operator=(const SuiteBracket&) = delete;

  /// The acquisition's result (that of the table's last suite).
  QvErr Result() const { return result_; }

 private:
  const QvBasicSuite* basic_;
  QvErr result_;
};

}  // namespace quorvane::host
