#include "workbench/plugin/suite_registry.h"

#include "sdk/errors.h"

namespace workbench::plugin {

void SuiteRegistry::Add(const std::string& name, std::int32_t version, const void* suite) {
  entries_[{name, version}].suite = suite;
}

QvErr SuiteRegistry::Acquire(const char* name, std::int32_t version, const void** suite) {
  if (suite != nullptr) *suite = nullptr;
  if (name == nullptr || suite == nullptr) return kQvErrBadParameter;
  auto it = entries_.find({name, version});
  if (it == entries_.end()) return kQvErrSuiteNotFound;
  ++it->second.acquired;
  ++acquireCalls_;
  *suite = it->second.suite;
  return kQvNoErr;
}

QvErr SuiteRegistry::Release(const char* name, std::int32_t version) {
  if (name == nullptr) return kQvErrBadParameter;
  auto it = entries_.find({name, version});
  if (it == entries_.end() || it->second.acquired == 0) return kQvErrSuiteNotFound;
  --it->second.acquired;
  ++releaseCalls_;
  return kQvNoErr;
}

int SuiteRegistry::AcquireCount(const std::string& name, std::int32_t version) const {
  auto it = entries_.find({name, version});
  return it == entries_.end() ? 0 : it->second.acquired;
}

int SuiteRegistry::TotalAcquired() const {
  int total = 0;
  for (const auto& [key, entry] : entries_) total += entry.acquired;
  return total;
}

}  // namespace workbench::plugin
