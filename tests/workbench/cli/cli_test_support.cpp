#include "cli_test_support.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

#include "workbench/geometry/flatten.h"

extern char** environ;

namespace workbench::cli::testing {

namespace fs = std::filesystem;

Ran RunQuorvane(const std::vector<std::string>& args) {
  TempDir streams;
  const std::string out = (streams / "out").string();
  const std::string err = (streams / "err").string();
  std::vector<std::string> all = {QUORVANE_BUILD_DIR "/bin/quorvane"};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  // The user's own configuration must not reach the program under test.
  std::vector<std::string> environment = {"XDG_CONFIG_HOME=" + (streams / "config").string()};
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::string_view(*e).rfind("XDG_CONFIG_HOME=", 0) != 0) environment.emplace_back(*e);
  }
  std::vector<char*> envp;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);
  Ran ran;
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) ran.status = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  ran.out = Slurp(out);
  ran.err = Slurp(err);
  return ran;
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

fs::path Samples() { return fs::path(QUORVANE_SOURCE_DIR) / "data" / "samples"; }

std::vector<geometry::Point> Flat(const document::Document& doc, document::ArtId path) {
  std::vector<geometry::Point> points;
  for (const geometry::FlatPoint& p : geometry::FlattenPath({*doc.Segments(path), true}, 0.01, 0.0)) {
    points.push_back(p.point);
  }
  return points;
}

bool Inside(const std::vector<geometry::Point>& polygon, geometry::Point p) {
  int winding = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const geometry::Point a = polygon[i];
    const geometry::Point b = polygon[(i + 1) % polygon.size()];
    const double side = geometry::Cross(b - a, p - a);
    if (a.y <= p.y && b.y > p.y && side > 0) ++winding;
    if (a.y > p.y && b.y <= p.y && side < 0) --winding;
  }
  return winding != 0;
}

double DistanceTo(const std::vector<geometry::Point>& polygon, geometry::Point p) {
  double best = INFINITY;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const geometry::Point a = polygon[i];
    const geometry::Point d = polygon[(i + 1) % polygon.size()] - a;
    const double length2 = geometry::Dot(d, d);
    const double t = length2 > 0 ? std::clamp(geometry::Dot(p - a, d) / length2, 0.0, 1.0) : 0.0;
    best = std::min(best, geometry::Distance(p, a + d * t));
  }
  return best;
}

}  // namespace workbench::cli::testing
