// The libFuzzer entry point of every target: QUORVANE_FUZZ_TARGET names the
// check (see fuzz_checks.h), and a problem it finds aborts the run with the
// problem on standard error.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const quorvane::fuzz::Check check = quorvane::fuzz::CheckByName(QUORVANE_FUZZ_TARGET);
  if (check == nullptr) std::abort();
  const std::string problem = check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
