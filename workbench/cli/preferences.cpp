#include "workbench/cli/preferences.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include "workbench/cli/signal_cleanup.h"

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

// The keys the module reads from its settings file, besides the plate
// colours' "PlateColor_NNN_..." keys.
constexpr std::string_view kSettingsKeys[] = {
    "language",           "showoption",        "cbfl_trevask",      "seam_allowance_line",
    "seam_allowance_line_width", "seam_allowance_line_color", "finish_line", "finish_line_width",
    "finish_line_color",  "trevask_unit",      "scaled_drawing"};

constexpr const char* kTemporaryPrefsPrefix = "quorvane-prefs-";

// Removes the temporary preferences folders of runs that were killed: their
// names carry the process id after the prefix.
void RemoveStalePreferences(const fs::path& temp) {
  const std::string prefix = kTemporaryPrefsPrefix;
  std::error_code ec;
  for (fs::directory_iterator it(temp, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::size_t dash = name.find('-', prefix.size());
    const std::string digits = name.substr(prefix.size(), dash == std::string::npos ? 0 : dash - prefix.size());
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    std::error_code ignored;
    if (ProcessIsGone(std::stol(digits))) fs::remove_all(it->path(), ignored);
  }
}

bool KnownKey(std::string_view key) {
  if (key.rfind("PlateColor_", 0) == 0) return true;
  for (std::string_view known : kSettingsKeys) {
    if (key == known) return true;
  }
  return false;
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
  const fs::path temp = fs::temp_directory_path(ec);
  RemoveStalePreferences(temp);
  // The folder is registered for removal on a signal before it exists, so
  // that no moment is left in which a signal would leave it behind.
  std::random_device random;
  for (int attempt = 0;; ++attempt) {
    const fs::path path = temp / (kTemporaryPrefsPrefix + std::to_string(::getpid()) + "-" + std::to_string(random()));
    auto removed = std::make_unique<RemovedOnSignal>(path);
    if (::mkdir(path.c_str(), 0700) != 0) {
      if (errno == EEXIST && attempt < 100) continue;
      *error = path.string() + ": cannot make a temporary preferences folder: " + std::strerror(errno);
      return std::nullopt;
    }
    PreferencesFolder folder(path, true);
    folder.removedOnSignal_ = std::move(removed);
    if (seed) {
      for (const char* name : names) {
        if (fs::is_regular_file(*seed / name, ec)) fs::copy_file(*seed / name, folder.path_ / name, ec);
      }
    }
    return folder;
  }
}

PreferencesFolder::PreferencesFolder(PreferencesFolder&& other) noexcept
    : path_(std::move(other.path_)), temporary_(other.temporary_), removedOnSignal_(std::move(other.removedOnSignal_)) {
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

std::optional<std::string> UnusableSettingsFile(const fs::path& folder) {
  const fs::path file = folder / kSettingsFileName;
  std::error_code ec;
  if (!fs::exists(file, ec)) return std::nullopt;
  std::optional<std::string> bytes = ReadWholeFile(file);
  if (!bytes) return file.string() + ": ignored: the file cannot be read; the module uses its default settings";
  if (bytes->find_first_not_of(" \t\r\n") == std::string::npos) return std::nullopt;
  std::size_t start = 0;
  while (start < bytes->size()) {
    std::size_t end = bytes->find('\n', start);
    if (end == std::string::npos) end = bytes->size();
    std::string key = KeyOf(bytes->substr(start, end - start));
    key.erase(std::remove(key.begin(), key.end(), '"'), key.end());
    if (KnownKey(key)) return std::nullopt;
    start = end + 1;
  }
  return file.string() + ": ignored: no line of it sets a setting the module knows (is it a settings file?); " +
         "the module uses its default settings and writes them over the file when it saves";
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
