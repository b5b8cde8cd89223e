// What an interrupted run removes before it ends: temporary files and
// folders that would otherwise stay behind when the user presses Ctrl-C, the
// terminal closes or the system asks the program to stop.
#pragma once

#include <cstdint>
#include <filesystem>

namespace workbench::cli {

/// Makes SIGINT, SIGTERM and SIGHUP remove every registered path (folders
/// with their contents), then end the program by the same signal, so that
/// its caller sees how it ended. Call once, first thing in main, before any
/// other thread starts: the signals are blocked in every thread and taken by
/// one watching thread, so the cleanup runs outside any signal handler. The
/// calling thread is held still (by SIGUSR1) while the paths are removed.
/// Without it, registering paths is harmless and does nothing on a signal.
void InstallSignalCleanup();

/// A path to remove if a signal ends the run while this object lives.
class RemovedOnSignal {
 public:
  explicit RemovedOnSignal(std::filesystem::path path);
  ~RemovedOnSignal();
  RemovedOnSignal(const RemovedOnSignal&) = delete;
  RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

 private:
  std::uint64_t id_;
};

/// Whether process `pid` is gone, so that temporary files named after it
/// are leftovers of a run that was killed.
bool ProcessIsGone(long pid);

}  // namespace workbench::cli
