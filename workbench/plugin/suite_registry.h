// The suites a host offers, by name and version, with acquisition counts.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "sdk/types.h"

namespace workbench::plugin {

class SuiteRegistry {
 public:
  /// Offers `suite` (a struct of function pointers that outlives the
  /// registry) under `name` at `version`. Several versions may coexist.
  void Add(const std::string& name, std::int32_t version, const void* suite);
  /// kQvErrSuiteNotFound (and null) for an unknown name or version.
  QvErr Acquire(const char* name, std::int32_t version, const void** suite);
  /// kQvErrSuiteNotFound for a suite that is unknown or not acquired.
  QvErr Release(const char* name, std::int32_t version);
  /// How many acquisitions of the suite are outstanding (0 for unknown).
  int AcquireCount(const std::string& name, std::int32_t version) const;
  /// Outstanding acquisitions of all suites together.
  int TotalAcquired() const;
  /// Successful acquisitions and releases since the registry was made.
  long AcquireCalls() const { return acquireCalls_; }
  long ReleaseCalls() const { return releaseCalls_; }

 private:
  struct Entry {
    const void* suite = nullptr;
    int acquired = 0;
  };
  std::map<std::pair<std::string, std::int32_t>, Entry> entries_;
  long acquireCalls_ = 0;
  long releaseCalls_ = 0;
};

}  // namespace workbench::plugin
