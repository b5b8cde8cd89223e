#include "quorvane/settings/settings_file.h"

#include <system_error>

#include "quorvane/settings/settings_text.h"
#include "quorvane/text/file_io.h"

namespace quorvane::settings {

SettingsFile::SettingsFile(std::filesystem::path prefsFolder) : path_(std::move(prefsFolder) / kSettingsFileName) {}

SettingsLoadResult SettingsFile::Load(Settings& settings) const {
  SettingsLoadResult result;
  std::error_code ignored;
  std::filesystem::create_directories(path_.parent_path(), ignored);
  const std::optional<std::string> bytes = text::ReadFileBytes(path_);
  if (bytes) result.read = true;
  // Without a file the defaults stay; the table still gets its default
  // colours.
  result.problems = ReadSettingsText(bytes.value_or(std::string()), path_.string(), settings);
  std::error_code ec;
  if (!bytes && std::filesystem::exists(path_, ec)) {
    result.problems.insert(result.problems.begin(),
                           {path_.string(), 0, "the file exists but cannot be read; the defaults are used"});
  }
  return result;
}

std::optional<std::string> SettingsFile::Save(const Settings& settings) const {
  std::string bytes;
  if (std::optional<std::string> problem = SettingsText(settings, bytes)) {
    return path_.string() + ": not saved: " + *problem;
  }
  std::error_code ec;
  std::filesystem::create_directories(path_.parent_path(), ec);
  if (ec) return path_.string() + ": cannot create the folder: " + ec.message();
  return text::SaveFileAtomically(path_, bytes);
}

}  // namespace quorvane::settings
