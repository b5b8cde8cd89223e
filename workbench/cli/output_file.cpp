#include "workbench/cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <system_error>

#include "workbench/cli/signal_cleanup.h"

namespace workbench::cli {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinkHops = 40;
constexpr std::string_view kTemporaryTag = ".quorvane-tmp-";

std::string Kind(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "a special file";
}

std::string Failure(const fs::path& file, const std::string& what, int err) {
  return file.string() + ": " + what + ": " + std::strerror(err) + "; the old file, if any, is unchanged";
}

// The prefix every temporary file of `file` starts with; the process id
// follows it.
std::string TemporaryPrefix(const fs::path& file) { return "." + file.filename().string() + std::string(kTemporaryTag); }

// Removes temporary files of `file` that runs which were killed left behind.
void RemoveStaleTemporaries(const fs::path& file) {
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  const std::string prefix = TemporaryPrefix(file);
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) continue;
    const long pid = std::stol(digits);
    std::error_code ignored;
    if (pid == static_cast<long>(::getpid()) || ProcessIsGone(pid)) fs::remove(it->path(), ignored);
  }
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::optional<std::string> WriteFile(const OutputTarget& target, std::string_view bytes) {
  const fs::path& file = target.file;
  RemoveStaleTemporaries(file);
  const fs::path temp = TemporaryFileFor(file, ::getpid());
  RemovedOnSignal cleanup(temp);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return Failure(file, "cannot create the temporary file " + temp.string(), errno);
  auto fail = [&](const std::string& what) {
    const int err = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    return Failure(file, what, err);
  };
  if (target.mode && ::fchmod(fd, *target.mode) != 0) return fail("cannot keep the file's permissions");
  if (!WriteAll(fd, bytes)) return fail("cannot write");
  if (::fsync(fd) != 0) return fail("cannot flush to disk");
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return Failure(file, "cannot write", err);
  }
  if (::rename(temp.c_str(), file.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return Failure(file, "cannot replace", err);
  }
  // The rename itself reaches the disk with the folder.
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return std::nullopt;
}

}  // namespace

fs::path TemporaryFileFor(const fs::path& file, long pid) {
  return file.parent_path() / (TemporaryPrefix(file) + std::to_string(pid));
}

std::optional<OutputTarget> ResolveOutput(const fs::path& named, std::string* error) {
  OutputTarget target;
  if (named == "-") {
    target.standardOutput = true;
    return target;
  }
  fs::path path = named;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
      if (errno != ENOENT) {
        *error = path.string() + ": cannot use as the output: " + std::strerror(errno);
        return std::nullopt;
      }
      target.file = path;  // a new file
      return target;
    }
    if (S_ISLNK(info.st_mode)) {
      std::error_code ec;
      const fs::path link = fs::read_symlink(path, ec);
      if (ec) {
        *error = path.string() + ": cannot read the symbolic link: " + ec.message();
        return std::nullopt;
      }
      path = link.is_absolute() ? link : path.parent_path() / link;
      continue;
    }
    if (!S_ISREG(info.st_mode)) {
      *error = (path == named ? named.string() : named.string() + " (leading to " + path.string() + ")") + " is " +
               Kind(info.st_mode) + ", not a regular file: name a regular file, a new one, or - for standard output";
      return std::nullopt;
    }
    target.file = path;
    target.mode = info.st_mode & 07777;
    return target;
  }
  *error = named.string() + ": too many levels of symbolic links";
  return std::nullopt;
}

std::optional<std::string> WriteOutput(const OutputTarget& target, std::string_view bytes,
                                       std::ostream& standardOutput) {
  if (!target.standardOutput) return WriteFile(target, bytes);
  standardOutput.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  standardOutput.flush();
  if (!standardOutput) return std::string("standard output: cannot write the document");
  return std::nullopt;
}

}  // namespace workbench::cli
