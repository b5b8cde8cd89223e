// The settings file "Quorvane.ini" in the host's preferences folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "quorvane/text/diagnostic.h"
#include "quorvane/settings/settings.h"

namespace quorvane::settings {

using text::Diagnostic;

inline constexpr const char* kSettingsFileName = "Quorvane.ini";

/// What loading the settings file did.
struct SettingsLoadResult {
  /// True when the file was there and read.
  bool read = false;
  /// Problems worked around, and a file that exists but could not be read.
  std::vector<Diagnostic> problems;
};

/// Reads and writes the settings in one preferences folder.
class SettingsFile {
 public:
  explicit SettingsFile(std::filesystem::path prefsFolder);

  /// The folder joined with "Quorvane.ini".
  const std::filesystem::path& Path() const { return path_; }

  /// Applies the file to `settings` (see ReadSettingsText). A missing or
  /// unreadable file leaves the values as they are, apart from the default
  /// plate colours when the table is empty. Creates the folder if missing.
  SettingsLoadResult Load(Settings& settings) const;

  /// Replaces the file with `settings`, atomically: on any failure the old
  /// file stays whole and a message naming the file is returned; none on
  /// success. Creates the folder if missing.
  std::optional<std::string> Save(const Settings& settings) const;

 private:
  std::filesystem::path path_;
};

}  // namespace quorvane::settings
