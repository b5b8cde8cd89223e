// The preferences folder the command line gives the module: the folder the
// user names, or a fresh temporary one seeded from the user's configuration,
// with the settings values and the list file the command line was told to use.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "workbench/cli/signal_cleanup.h"

namespace workbench::cli {

/// The module's file names inside its preferences folder.
inline constexpr const char* kSettingsFileName = "Quorvane.ini";
inline constexpr const char* kListFileName = "Trevask-list.txt";

/// One preferences folder for one run. A folder the user named is used as
/// it is and kept; without one, a new folder under the system's temporary
/// directory receives copies of the settings and list files of
/// `$XDG_CONFIG_HOME/quorvane` (else `~/.config/quorvane`) when they exist,
/// and is removed with everything in it when this object goes, so a run
/// never changes the user's own configuration. Its name carries the process
/// id, and making one removes those of processes that are gone (runs that
/// were killed).
class PreferencesFolder {
 public:
  /// `named`: the folder the user gave (created when missing), or none for
  /// a temporary one. None, with `error` set, when it cannot be made.
  static std::optional<PreferencesFolder> Make(const std::optional<std::filesystem::path>& named,
                                               std::string* error);
  /// A temporary folder holding a copy of the settings file of the folder
  /// the user named, for a run that must leave that folder as it is (one
  /// told to read another list file).
  static std::optional<PreferencesFolder> ScratchFor(const std::filesystem::path& named, std::string* error);
  PreferencesFolder(PreferencesFolder&& other) noexcept;
  PreferencesFolder& operator=(PreferencesFolder&&) = delete;
  PreferencesFolder(const PreferencesFolder&) = delete;
  ~PreferencesFolder();

  const std::filesystem::path& Path() const { return path_; }
  bool IsTemporary() const { return temporary_; }

 private:
  PreferencesFolder(std::filesystem::path path, bool temporary) : path_(std::move(path)), temporary_(temporary) {}
  // A new folder under the system's temporary directory with copies of the
  // files `names` of `seed` that exist.
  static std::optional<PreferencesFolder> Temporary(const std::optional<std::filesystem::path>& seed,
                                                    std::initializer_list<const char*> names, std::string* error);

  std::filesystem::path path_;
  bool temporary_ = false;
  /// A temporary folder goes on SIGINT, SIGTERM and SIGHUP too.
  std::unique_ptr<RemovedOnSignal> removedOnSignal_;
};

/// The user's own configuration folder of the workbench:
/// `$XDG_CONFIG_HOME/quorvane`, else `$HOME/.config/quorvane`; none when
/// neither variable is set.
std::optional<std::filesystem::path> UserConfigFolder();

/// Sets `key = value` lines in the settings file of `folder`: an existing
/// line of the same key (the text before its first "=" or ",", blanks
/// removed) is dropped, every other line is kept as it is, and the new lines
/// are added at the end with CR LF, as the module writes them. The file is
/// replaced atomically. A message naming the file on failure.
std::optional<std::string> SetSettingsValues(const std::filesystem::path& folder,
                                             const std::vector<std::pair<std::string, std::string>>& values);

/// Copies `listFile` into `folder` under the name the module reads,
/// atomically; nothing when it already is that file. A message naming the
/// file that cannot be read or written.
std::optional<std::string> InstallListFile(const std::filesystem::path& listFile,
                                           const std::filesystem::path& folder);

/// Why the module will take nothing from the settings file of `folder`: it
/// exists but not one of its lines sets a setting the module knows, so the
/// module starts from its defaults (and replaces the file when it saves),
/// which it does without a word. None for a missing or usable file.
std::optional<std::string> UnusableSettingsFile(const std::filesystem::path& folder);

/// Writes `bytes` to a temporary file beside `file`, then renames it into
/// place. A message naming the file on failure.
std::optional<std::string> ReplaceFile(const std::filesystem::path& file, const std::string& bytes);

/// Every byte of a file; none when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

}  // namespace workbench::cli
