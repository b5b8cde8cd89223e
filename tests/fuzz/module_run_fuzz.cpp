// libFuzzer target: see CheckModuleRun in fuzz_checks.h.
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return quorvane::fuzz::RunCheck(quorvane::fuzz::CheckModuleRun, data, size);
}
