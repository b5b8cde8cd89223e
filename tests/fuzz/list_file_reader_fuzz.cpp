// libFuzzer target: see CheckListFile in fuzz_checks.h.
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return quorvane::fuzz::RunCheck(quorvane::fuzz::CheckListFile, data, size);
}
