#include "workbench/cli/preferences.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

namespace workbench::cli {

namespace fs = std::filesystem;

namespace {

// The key of a settings line as the module reads it: blanks, tabs and
// carriage returns do not count, and "=" or "," ends it.
std::string KeyOf(const std::string& line) {
  std::string key;
  for (char c : line) {
    if (c == '=' || c == ',') break;
    if (c == ' ' || c == '\t' || c == '\r') continue;
    key += c;
  }
  return key;
}

}  // namespace

std::optional<PreferencesFolder> PreferencesFolder::Make(const std::optional<fs::path>& named, std::string* error) {
  std::error_code ec;
  if (named) {
    fs::create_directories(*named, ec);
    if (!fs::is_directory(*named, ec)) {
      *error = named->string() + ": cannot use as the preferences folder";
      return std::nullopt;
    }
    return PreferencesFolder(fs::absolute(*named, ec), false);
  }
  return Temporary(UserConfigFolder(), {kSettingsFileName, kListFileName}, error);
}

std::optional<PreferencesFolder> PreferencesFolder::ScratchFor(const fs::path& named, std::string* error) {
  return Temporary(named, {kSettingsFileName}, error);
}

std::optional<PreferencesFolder> PreferencesFolder::Temporary(const std::optional<fs::path>& seed,
                                                              std::initializer_list<const char*> names,
                                                              std::string* error) {
  std::error_code ec;
  std::string pattern = (fs::temp_directory_path(ec) / "quorvane-prefs-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    *error = pattern + ": cannot make a temporary preferences folder: " + std::strerror(errno);
    return std::nullopt;
  }
  PreferencesFolder folder(pattern, true);
  if (seed) {
    for (const char* name : names) {
      if (fs::is_regular_file(*seed / name, ec)) fs::copy_file(*seed / name, folder.path_ / name, ec);
    }
  }
  return folder;
}

PreferencesFolder::PreferencesFolder(PreferencesFolder&& other) noexcept
    : path_(std::move(other.path_)), temporary_(other.temporary_) {
  other.temporary_ = false;
  other.path_.clear();
}

PreferencesFolder::~PreferencesFolder() {
  if (!temporary_ || path_.empty()) return;
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::optional<fs::path> UserConfigFolder() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') {
    return fs::path(xdg) / "quorvane";
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return fs::path(home) / ".config" / "quorvane";
  }
  return std::nullopt;
}

std::optional<std::string> ReadWholeFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return bytes.str();
}

std::optional<std::string> ReplaceFile(const fs::path& file, const std::string& bytes) {
  const fs::path temp = file.parent_path() / ("." + file.filename().string() + ".tmp" + std::to_string(::getpid()));
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      std::error_code ignored;
      fs::remove(temp, ignored);
      return file.string() + ": cannot write";
    }
  }
  std::error_code ec;
  fs::rename(temp, file, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return file.string() + ": cannot replace: " + ec.message();
  }
  return std::nullopt;
}

std::optional<std::string> SetSettingsValues(const fs::path& folder,
                                             const std::vector<std::pair<std::string, std::string>>& values) {
  if (values.empty()) return std::nullopt;
  const fs::path file = folder / kSettingsFileName;
  std::error_code ec;
  std::string old;
  if (fs::exists(file, ec)) {
    std::optional<std::string> bytes = ReadWholeFile(file);
    if (!bytes) return file.string() + ": cannot read";
    old = std::move(*bytes);
  }
  std::string text;
  std::size_t start = 0;
  while (start < old.size()) {
    std::size_t end = old.find('\n', start);
    end = end == std::string::npos ? old.size() : end + 1;
    std::string line = old.substr(start, end - start);
    start = end;
    bool replaced = false;
    for (const auto& [key, value] : values) replaced = replaced || KeyOf(line) == key;
    if (replaced) continue;
    if (line.back() != '\n') line += "\r\n";
    text += line;
  }
  for (const auto& [key, value] : values) text += key + " = " + value + "\r\n";
  return ReplaceFile(file, text);
}

std::optional<std::string> InstallListFile(const fs::path& listFile, const fs::path& folder) {
  const fs::path target = folder / kListFileName;
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (fs::equivalent(listFile, target, ec)) return std::nullopt;
  std::optional<std::string> bytes = ReadWholeFile(listFile);
  if (!bytes || !fs::is_regular_file(listFile, ec)) return listFile.string() + ": cannot read the list file";
  return ReplaceFile(target, *bytes);
}

}  // namespace workbench::cli
