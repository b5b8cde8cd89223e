#include "workbench/cli/signal_cleanup.h"

#include <pthread.h>
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

namespace workbench::cli {

namespace {

struct Registry {
  std::mutex mutex;
  std::uint64_t next = 1;
  std::map<std::uint64_t, std::filesystem::path> paths;
};

Registry& Paths() {
  // Never destroyed: the watching thread may still use it while static
  // objects are torn down at exit.
  static Registry* registry = new Registry;
  return *registry;
}

sigset_t EndingSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  return set;
}

// The thread that runs the program, stopped while the cleanup runs so that
// it cannot make a new file in a folder being removed.
pthread_t mainThread;
constexpr int kFreezeSignal = SIGUSR1;
volatile sig_atomic_t frozen = 0;

void Freeze(int) {
  frozen = 1;
  for (;;) pause();
}

[[noreturn]] void Watch(sigset_t set) {
  int signal = 0;
  while (sigwait(&set, &signal) != 0) {
  }
  // The lock stays taken: nothing registers or unregisters a path from
  // here on, and the program ends below.
  Registry& registry = Paths();
  registry.mutex.lock();
  if (pthread_kill(mainThread, kFreezeSignal) == 0) {
    for (int i = 0; i < 1000 && frozen == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  for (const auto& [id, path] : registry.paths) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  ::signal(signal, SIG_DFL);
  sigset_t one;
  sigemptyset(&one);
  sigaddset(&one, signal);
  pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
  raise(signal);
  // Only reached if the default action did not end the process.
  std::_Exit(128 + signal);
}

}  // namespace

void InstallSignalCleanup() {
  mainThread = pthread_self();
  struct sigaction freeze {};
  freeze.sa_handler = Freeze;
  sigemptyset(&freeze.sa_mask);
  sigaction(kFreezeSignal, &freeze, nullptr);
  const sigset_t set = EndingSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  std::thread(Watch, set).detach();
}

RemovedOnSignal::RemovedOnSignal(std::filesystem::path path) {
  Registry& registry = Paths();
  std::lock_guard lock(registry.mutex);
  id_ = registry.next++;
  registry.paths.emplace(id_, std::move(path));
}

RemovedOnSignal::~RemovedOnSignal() {
  Registry& registry = Paths();
  std::lock_guard lock(registry.mutex);
  registry.paths.erase(id_);
}

bool ProcessIsGone(long pid) { return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

}  // namespace workbench::cli
