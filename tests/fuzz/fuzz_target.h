// What every libFuzzer entry point does with its check: abort, with the
// problem on standard error, when the check finds one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_checks.h"

namespace quorvane::fuzz {

inline int RunCheck(Check check, const std::uint8_t* data, std::size_t size) {
  const std::string problem = check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
  }
  return 0;
}

}  // namespace quorvane::fuzz
