#include "workbench/cli/demo_command.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ostream>
#include <system_error>

#include "workbench/cli/apply_command.h"

extern char** environ;

namespace workbench::cli {

namespace fs = std::filesystem;

namespace {

// The program `name` on PATH, or none.
std::optional<fs::path> FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return std::nullopt;
  std::string dirs = path;
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
    std::error_code ec;
    if (end > start && fs::is_regular_file(candidate, ec) && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

// Runs a program with arguments, without a shell; its exit status, or -1.
int RunProgram(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

fs::path SamplesFolder() { return QUORVANE_SAMPLES_DIR; }

int RunDemo(const fs::path& samples, const fs::path& folder, SessionOptions options, std::ostream& out,
            std::ostream& err) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder, ec)) {
    err << "quorvane demo: " << folder.string() << ": cannot make the output folder\n";
    return kExitBadInput;
  }
  ApplyRequest request;
  request.inputs = {samples / kSamplePiece};
  request.output = folder / (fs::path(kSamplePiece).stem().string() + "-seam.svg");
  request.set = kSampleSet;
  options.listFile = samples / kSampleList;
  request.session = std::move(options);
  const int status = RunApply(request, out, err);
  if (!fs::exists(*request.output, ec)) return status;
  if (std::optional<fs::path> rsvg = FindProgram("rsvg-convert")) {
    fs::path png = *request.output;
    png.replace_extension(".png");
    if (RunProgram({rsvg->string(), "--background-color=white", "-o", png.string(), request.output->string()}) == 0) {
      out << "wrote " << png.string() << "\n";
    } else {
      err << "quorvane demo: rsvg-convert could not draw " << png.string() << "\n";
    }
  } else {
    out << "(no PNG: rsvg-convert is not installed)\n";
  }
  return status;
}

}  // namespace workbench::cli
