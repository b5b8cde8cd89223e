// Switches the process to a decimal-comma numeric locale for one test, as a
// desktop toolkit does when the user's environment asks for it.
#pragma once

#include <clocale>
#include <string>

namespace quorvane::testing {

class DecimalCommaLocale {
 public:
  DecimalCommaLocale() {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    old_ = old != nullptr ? old : "C";
    active_ = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  }
  ~DecimalCommaLocale() { std::setlocale(LC_NUMERIC, old_.c_str()); }
  DecimalCommaLocale(const DecimalCommaLocale&) = delete;
  DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

  /// False when the system has no de_DE.UTF-8 locale (scripts/setup makes it).
  bool Active() const { return active_; }

 private:
  std::string old_;
  bool active_ = false;
};

}  // namespace quorvane::testing

#define QUORVANE_REQUIRE_DECIMAL_COMMA(guard)                                                  \
  if (!(guard).Active()) GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/setup)"
