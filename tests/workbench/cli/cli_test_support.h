// Running the built `quorvane` program, a fresh folder per test, and the
// geometry the command-line tests measure results with.
#pragma once

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/distance_field.h"
#include "workbench/document/document.h"
#include "workbench/geometry/point.h"

namespace workbench::cli::testing {

/// How one run of the program went.
struct Ran {
  /// The exit status; -1 when a signal ended it.
  int status = -1;
  /// The signal that ended it; 0 when it exited.
  int signal = 0;
  std::string out;
  std::string err;
};

struct RunOptions {
  /// NAME=VALUE entries added to (or replacing those of) the environment.
  std::vector<std::string> environment;
  /// The largest file the program may write, in bytes, as on a full disk
  /// (a write beyond it fails with EFBIG); 0 for no limit.
  long long fileSizeLimit = 0;
  /// Standard error goes to a pseudo-terminal, as when a person watches
  /// the run; `Ran::err` is what the terminal showed.
  bool errorOnTerminal = false;
};


/// The program started in the background.
class Started {
 public:
  Started(const std::vector<std::string>& args, const RunOptions& options = {});
  ~Started();
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;
  int Pid() const { return pid_; }
  /// Waits for the end of the run.
  Ran Wait();

 private:
  std::filesystem::path streams_;
  int pid_ = -1;
  // The terminal's side the test reads, and what it read.
  int terminal_ = -1;
  std::thread reader_;
  std::string shown_;
};

/// Runs build/bin/quorvane with `args`, without a shell.
Ran RunQuorvane(const std::vector<std::string>& args, const RunOptions& options = {});

/// A new empty folder, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::string Slurp(const std::filesystem::path& file);
void Spill(const std::filesystem::path& file, const std::string& bytes);

/// The start of an SVG file of an 800 x 600 pt page, as Inkscape writes one.
inline constexpr const char* kSvgHeader =
    R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" )"
    R"(xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd" width="800pt" height="600pt" )"
    R"(viewBox="0 0 800 600">)";
/// Writes `file`: an SVG file of that page with `body` on the layer `layer`.
std::filesystem::path SpillLayer(const std::filesystem::path& file, const std::string& layer, const std::string& body);

std::filesystem::path Samples();
inline constexpr double kPointsPerMm = 72.0 / 25.4;
/// The bundled list file with the sets "Every kind" and "Basic 10 mm".
std::string EveryKindList();
/// `quorvane apply FILES... --set "Basic 10 mm" --list EveryKindList() MORE...`.
std::vector<std::string> ApplyBasic(const std::vector<std::string>& files, const std::vector<std::string>& more = {});

/// The SVG file read back; an empty document (and a failure) when it does not read.
document::Document Read(const std::filesystem::path& file);

/// A closed path flattened finely (0.01 pt), anchors included.
std::vector<geometry::Point> Flat(const document::Document& doc, document::ArtId path);

/// The shared distance and inside oracle of the polygon through the points.
quorvane::testing::DistanceField Field(const std::vector<geometry::Point>& polygon);

/// The smallest distance from the path of id `pieceId` to the closed path of
/// id `resultId`, which must hold it whole; a failure, and -1, where not.
double Margin(const document::Document& doc, const std::string& resultId, const std::string& pieceId);

}  // namespace workbench::cli::testing
