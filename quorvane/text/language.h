// The interface language: which texts, alerts and dialogs the module shows.
#pragma once

#include <cstdint>

namespace quorvane::text {

/// The values are those of the settings' 16-bit language field, which the
/// module keeps as it is; a field value outside 0..2 behaves as Korean does
/// (Japanese texts, English dialogs).
enum class Language : std::int16_t {
  kJapanese = 0,
  kEnglish = 1,
  kKorean = 2,
};

/// Texts, labels and alerts are English for English only: Korean shows the
/// Japanese ones.
constexpr bool EnglishTexts(Language language) { return language == Language::kEnglish; }

/// Dialogs are English for every language but Japanese.
constexpr bool EnglishDialogs(Language language) { return language != Language::kJapanese; }

}  // namespace quorvane::text
