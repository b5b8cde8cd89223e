// The module's own files, such as the list file, saved by a process that is
// killed at random moments or finds the disk full: the file is always the
// old one or the new one, whole, and leftovers of killed saves go with the
// next save.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <thread>

#include "quorvane/commands/command_set_list.h"
#include "quorvane/commands/list_file.h"
#include "quorvane/text/file_io.h"
#include "support/shared_data.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

class ModuleSaves : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override { fs::remove_all(dir_); }

  std::vector<std::string> Leftovers() const {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      if (entry.path().filename().string().find(".tmp") != std::string::npos) found.push_back(entry.path());
    }
    return found;
  }

  // Kills, 50 times, a child that saves `saveA` and `saveB` in turn without
  // end; `file` must then hold one of the two whole.
  void KillWhileSaving(const fs::path& file, const std::function<std::optional<std::string>()>& saveA,
                       const std::function<std::optional<std::string>()>& saveB) {
    ASSERT_FALSE(saveB());
    const std::string b = *text::ReadFileBytes(file);
    ASSERT_FALSE(saveA());
    const std::string a = *text::ReadFileBytes(file);
    ASSERT_NE(a, b);
    std::mt19937 random(19);
    std::uniform_int_distribution<int> micros(0, 20000);
    for (int trial = 0; trial < 50; ++trial) {
      const pid_t child = fork();
      if (child == 0) {
        for (;;) {
          saveB();
          saveA();
        }
      }
      std::this_thread::sleep_for(std::chrono::microseconds(micros(random)));
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
      const std::optional<std::string> now = text::ReadFileBytes(file);
      ASSERT_TRUE(now && (*now == a || *now == b)) << "trial " << trial << ": " << (now ? now->size() : 0) << " bytes";
    }
    // Killed saves leave their temporary files; the next save removes them.
    ASSERT_FALSE(saveA());
    EXPECT_TRUE(Leftovers().empty()) << Leftovers().size() << " left, the first " << Leftovers().front();
  }

  // Saves `save` in a child that may write no file larger than 1 KB, as on a
  // full disk; the message it returned, or "" when it returned none.
  static std::string SaveOnAFullDisk(const std::function<std::optional<std::string>()>& save) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
      close(pipeFds[0]);
      signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{1024, 1024};
      setrlimit(RLIMIT_FSIZE, &limit);
      const std::string message = save().value_or("");
      if (write(pipeFds[1], message.data(), message.size()) < 0) _exit(1);
      _exit(0);
    }
    close(pipeFds[1]);
    std::string message;
    char buffer[256];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) message.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    waitpid(child, nullptr, 0);
    return message;
  }

  fs::path dir_ = testing::FreshTempPath("quorvane-module-saves-");
};

commands::CCommandSetList Sets(int count) {
  commands::CCommandSetList list;
  for (int i = 0; i < count; ++i) {
    commands::CCommandSet& set = list.AddSet("Set " + std::to_string(i));
    set.AddCommand(commands::CommandType::kCutOff);
  }
  return list;
}

// (The settings file is saved the same way.)
TEST_F(ModuleSaves, TheListFileIsTheOldOrTheNewOneWhateverMomentTheSavingProcessIsKilled) {
  const fs::path list = dir_ / "Trevask-list.txt";
  const commands::CCommandSetList few = Sets(2), many = Sets(3000);
  KillWhileSaving(list, [&] { return commands::SaveListFile(list, few); }, [&] { return commands::SaveListFile(list, many); });
}

TEST_F(ModuleSaves, AFullDiskKeepsTheOldFileAndTheSaveSaysWhy) {
  const fs::path list = dir_ / "Trevask-list.txt";
  ASSERT_FALSE(commands::SaveListFile(list, Sets(1)));
  const std::string old = *text::ReadFileBytes(list);
  const std::string message = SaveOnAFullDisk([&] { return commands::SaveListFile(list, Sets(500)); });
  EXPECT_NE(message.find(list.string()), std::string::npos) << message;
  EXPECT_NE(message.find("File too large"), std::string::npos) << message;
  EXPECT_EQ(text::ReadFileBytes(list), old);
  EXPECT_TRUE(Leftovers().empty());
}

}  // namespace
}  // namespace quorvane
