#include "cli_test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

#include "workbench/cli/pieces.h"
#include "workbench/geometry/flatten.h"
#include "workbench/svg/svg_io.h"

extern char** environ;

namespace workbench::cli::testing {

namespace fs = std::filesystem;

Started::Started(const std::vector<std::string>& args, const RunOptions& options) {
  std::string pattern = (fs::temp_directory_path() / "quorvane-cli-run-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return;
  streams_ = pattern;
  const std::string out = (streams_ / "out").string();
  const std::string err = (streams_ / "err").string();
  std::vector<std::string> all = {QUORVANE_BUILD_DIR "/bin/quorvane"};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  // The user's own configuration must not reach the program under test.
  std::vector<std::string> environment = options.environment;
  environment.push_back("XDG_CONFIG_HOME=" + (streams_ / "config").string());
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string_view entry(*e);
    const bool replaced = std::any_of(environment.begin(), environment.end(), [&](const std::string& mine) {
      return entry.substr(0, entry.find('=') + 1) == std::string_view(mine).substr(0, mine.find('=') + 1);
    });
    if (!replaced) environment.emplace_back(*e);
  }
  std::vector<char*> envp;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);
  int terminalSide = -1;
  if (options.errorOnTerminal && openpty(&terminal_, &terminalSide, nullptr, nullptr, nullptr) != 0) return;
  pid_ = fork();
  if (pid_ != 0) {
    if (terminalSide >= 0) {
      close(terminalSide);
      // Read as it comes, so that a full terminal buffer never stops the run.
      reader_ = std::thread([this] {
        char buf[4096];
        for (ssize_t n; (n = read(terminal_, buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR);) {
          if (n > 0) shown_.append(buf, static_cast<std::size_t>(n));
        }
      });
    }
    return;
  }
  // The child: only calls that are safe between fork and exec.
  const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int errFd = terminalSide >= 0 ? terminalSide : open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (outFd < 0 || errFd < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0) _exit(127);
  if (options.fileSizeLimit > 0) {
    const rlimit limit{static_cast<rlim_t>(options.fileSizeLimit), static_cast<rlim_t>(options.fileSizeLimit)};
    signal(SIGXFSZ, SIG_IGN);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(127);
  }
  // Signals the test process blocks stay blocked across exec otherwise.
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  execve(argv[0], argv.data(), envp.data());
  _exit(127);
}

Started::~Started() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    Wait();
  }
  if (reader_.joinable()) reader_.join();
  if (terminal_ >= 0) close(terminal_);
  std::error_code ec;
  if (!streams_.empty()) fs::remove_all(streams_, ec);
}

Ran Started::Wait() {
  Ran ran;
  if (pid_ <= 0) return ran;
  int status = 0;
  if (waitpid(pid_, &status, 0) == pid_) {
    if (WIFEXITED(status)) ran.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) ran.signal = WTERMSIG(status);
  }
  pid_ = -1;
  ran.out = Slurp(streams_ / "out");
  ran.err = Slurp(streams_ / "err");
  if (reader_.joinable()) {
    // The terminal reads end once the program and its children are gone.
    reader_.join();
    close(terminal_);
    terminal_ = -1;
    ran.err = shown_;
  }
  return ran;
}

Ran RunQuorvane(const std::vector<std::string>& args, const RunOptions& options) {
  return Started(args, options).Wait();
}

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "quorvane-cli-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  if (!path_.empty()) fs::remove_all(path_, ec);
}

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void Spill(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

fs::path SpillLayer(const fs::path& file, const std::string& layer, const std::string& body) {
  fs::create_directories(file.parent_path());
  Spill(file, std::string(kSvgHeader) + "<g inkscape:groupmode=\"layer\" inkscape:label=\"" + layer + "\">\n" + body +
                  "\n</g></svg>\n");
  return file;
}

fs::path Samples() { return fs::path(QUORVANE_SOURCE_DIR) / "data" / "samples"; }

std::string EveryKindList() { return (Samples() / "every-kind-list.txt").string(); }

std::vector<std::string> ApplyBasic(const std::vector<std::string>& files, const std::vector<std::string>& more) {
  std::vector<std::string> args = {"apply"};
  args.insert(args.end(), files.begin(), files.end());
  args.insert(args.end(), {"--set", "Basic 10 mm", "--list", EveryKindList()});
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

document::Document Read(const fs::path& file) {
  auto read = svg::ReadSvgFile(file);
  EXPECT_TRUE(read) << file << ": " << (read ? std::string() : read.error().ToString());
  return read ? std::move(read.value()) : document::Document();
}

std::vector<geometry::Point> Flat(const document::Document& doc, document::ArtId path) {
  std::vector<geometry::Point> points;
  for (const geometry::FlatPoint& p : geometry::FlattenPath({*doc.Segments(path), true}, 0.01, 0.0)) {
    points.push_back(p.point);
  }
  return points;
}

quorvane::testing::DistanceField Field(const std::vector<geometry::Point>& polygon) {
  geometry::PathData path{{}, true};
  for (geometry::Point p : polygon) path.segments.push_back(geometry::PathSegment::Corner(p));
  return quorvane::testing::DistanceField(path, 1.0);
}

double Margin(const document::Document& doc, const std::string& resultId, const std::string& pieceId) {
  const document::ArtId result = FindById(doc, resultId);
  if (!result || !doc.IsClosed(result).value_or(false)) {
    ADD_FAILURE() << "no closed path " << resultId;
    return -1.0;
  }
  const quorvane::testing::DistanceField around({*doc.Segments(result), true}, 1.0);
  double nearest = INFINITY;
  for (geometry::Point p : Flat(doc, FindById(doc, pieceId))) {
    if (!around.Inside(p)) {
      ADD_FAILURE() << resultId << " leaves " << pieceId << " at " << p.x << ", " << p.y;
      return -1.0;
    }
    nearest = std::min(nearest, around(p));
  }
  return nearest;
}

}  // namespace workbench::cli::testing
