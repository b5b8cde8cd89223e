#include "file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <system_error>

namespace quorvane::text {
namespace {

std::string Failure(const std::filesystem::path& path, const char* what, int err) {
  return "could not save " + path.string() + ": " + what + " (" + std::strerror(err) + ")";
}

constexpr std::string_view kTemporaryTag = ".tmp-";

// Removes the temporary files of `path` that saves killed midway left: their
// names end in the id of a process that is gone.
void RemoveStaleTemporaries(const std::filesystem::path& path) {
  const std::string prefix = path.filename().string() + std::string(kTemporaryTag);
  std::error_code ec;
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    const pid_t pid = static_cast<pid_t>(std::stol(digits));
    if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH) std::filesystem::remove(it->path(), ec);
  }
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[8192];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return bytes;
}

std::optional<std::string> SaveFileAtomically(const std::filesystem::path& path,
                                              std::string_view bytes) {
  RemoveStaleTemporaries(path);
  std::filesystem::path temp = path;
  temp += std::string(kTemporaryTag) + std::to_string(::getpid());

  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return Failure(path, "cannot create the temporary file", errno);

  const char* data = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      ::unlink(temp.c_str());
      return Failure(path, "writing failed", err);
    }
    data += written;
    left -= static_cast<size_t>(written);
  }
  if (::fsync(fd) != 0) {
    const int err = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    return Failure(path, "flushing to disk failed", err);
  }
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return Failure(path, "closing failed", err);
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return Failure(path, "replacing the old file failed", err);
  }
  return std::nullopt;
}

}  // namespace quorvane::text
