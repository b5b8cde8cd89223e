// How `quorvane apply` saves: through symbolic links, keeping permissions,
// refusing what is not a regular file, to standard output; and what is left
// when a run is interrupted, killed or finds the disk full.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "cli_test_support.h"
#include "workbench/cli/output_file.h"
#include "workbench/cli/pieces.h"
#include "workbench/svg/svg_io.h"

namespace workbench::cli::testing {
namespace {

namespace fs = std::filesystem;

const std::string kSeamLayer = "Pieces(Auto seam-margin generate)";

// `count` pieces on a layer "Pieces", each a rectangle with a curved edge.
fs::path WritePieces(const fs::path& file, int count) {
  std::string svg =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
      "width=\"20000pt\" height=\"20000pt\" viewBox=\"0 0 20000 20000\">"
      "<g inkscape:groupmode=\"layer\" inkscape:label=\"Pieces\">\n";
  for (int i = 0; i < count; ++i) {
    const int x = (i % 100) * 180 + 20;
    const int y = (i / 100) * 180 + 20;
    svg += "<path id=\"p" + std::to_string(i) + "\" d=\"M " + std::to_string(x) + "," + std::to_string(y) +
           " h 100 v 120 c -30,20 -70,20 -100,0 z\"/>\n";
  }
  Spill(file, svg + "</g></svg>\n");
  return file;
}

// How many closed results the saved document holds on the seam layer; -1
// when it does not read.
int ResultsIn(const std::string& bytes) {
  auto read = svg::ReadSvgString(bytes, "saved");
  if (!read) return -1;
  return static_cast<int>(ClosedPathsOnLayer(read.value(), kSeamLayer).size());
}

std::vector<std::string> Apply(const fs::path& in, const std::string& out) { return ApplyBasic({in.string()}, {"-o", out}); }

std::vector<std::string> Leftovers(const fs::path& folder, const std::string& part) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().find(part) != std::string::npos) found.push_back(entry.path().string());
  }
  return found;
}

// The id of a process that has ended.
long GonePid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST(SaveCli, ASymbolicLinkIsWrittenThroughAndTheFileKeepsItsPermissions) {
  TempDir dir;
  const fs::path in = WritePieces(dir / "in.svg", 3);
  fs::create_directory(dir / "real");
  Spill(dir / "real" / "target.svg", "old");
  ASSERT_EQ(chmod((dir / "real" / "target.svg").c_str(), 0640), 0);
  fs::create_symlink("real/target.svg", dir / "link.svg");
  fs::create_symlink("link.svg", dir / "chain.svg");

  const Ran ran = RunQuorvane(Apply(in, (dir / "chain.svg").string()));
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_TRUE(fs::is_symlink(dir / "chain.svg"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.svg"));
  EXPECT_EQ(ResultsIn(Slurp(dir / "real" / "target.svg")), 3);
  struct stat info {};
  ASSERT_EQ(stat((dir / "real" / "target.svg").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_TRUE(Leftovers(dir / "real", "tmp").empty());

  // A link to a file not there yet makes that file.
  fs::create_symlink("real/new.svg", dir / "dangling.svg");
  ASSERT_EQ(RunQuorvane(Apply(in, (dir / "dangling.svg").string())).status, 0);
  EXPECT_EQ(ResultsIn(Slurp(dir / "real" / "new.svg")), 3);
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.svg"));
}

TEST(SaveCli, WhatIsNotARegularFileIsRefusedBeforeAnyWorkAndDashIsStandardOutput) {
  TempDir dir;
  const fs::path in = WritePieces(dir / "in.svg", 1);
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
  fs::create_directory(dir / "folder");
  fs::create_symlink("fifo", dir / "to-fifo.svg");
  struct Case {
    fs::path output;
    std::string says;
  };
  for (const Case& c : {Case{dir / "fifo", "is a FIFO"}, Case{dir / "to-fifo.svg", "is a FIFO"},
                        Case{dir / "folder", "is a folder"}, Case{"/dev/null", "is a device"}}) {
    const Ran ran = RunQuorvane(Apply(in, c.output.string()));
    EXPECT_EQ(ran.status, 2) << c.output;
    EXPECT_NE(ran.err.find(c.output.string()), std::string::npos) << ran.err;
    EXPECT_NE(ran.err.find(c.says), std::string::npos) << ran.err;
    EXPECT_TRUE(ran.out.empty()) << ran.out;
  }
  EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
  EXPECT_TRUE(fs::is_empty(dir / "folder"));

  // The document to standard output, the report to standard error.
  const Ran ran = RunQuorvane(Apply(in, "-"));
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(ResultsIn(ran.out), 1) << ran.out.substr(0, 200);
  EXPECT_NE(ran.err.find("p0: seam allowance"), std::string::npos) << ran.err;
  EXPECT_FALSE(fs::exists(dir / "-"));
  EXPECT_FALSE(fs::exists(dir / "in-seam.svg"));
}

TEST(SaveCli, AFullDiskKeepsTheOldFileAndSaysWhy) {
  TempDir dir;
  const fs::path in = WritePieces(dir / "in.svg", 20);
  const fs::path out = dir / "out.svg";
  Spill(out, "the old output");
  RunOptions full;
  full.fileSizeLimit = 4096;  // the output takes about 20 KB
  const Ran ran = RunQuorvane(Apply(in, out.string()), full);
  EXPECT_EQ(ran.status, 2) << ran.err;
  EXPECT_NE(ran.err.find(out.string()), std::string::npos) << ran.err;
  EXPECT_NE(ran.err.find("File too large"), std::string::npos) << ran.err;
  EXPECT_NE(ran.err.find("unchanged"), std::string::npos) << ran.err;
  EXPECT_EQ(Slurp(out), "the old output");
  EXPECT_TRUE(Leftovers(dir.Path(), "tmp").empty());
}

TEST(SaveCli, LeftoversOfKilledRunsGoWithTheNextRunAndThoseOfLiveOnesStay) {
  TempDir dir;
  const fs::path in = WritePieces(dir / "in.svg", 1);
  const fs::path out = dir / "out.svg";
  const long gone = GonePid();
  const fs::path stale = TemporaryFileFor(out, gone);
  const fs::path live = TemporaryFileFor(out, getpid());
  Spill(stale, "left by a killed run");
  Spill(live, "being written by a live run");
  fs::create_directory(dir / "tmp");
  const fs::path stalePrefs = dir / "tmp" / ("quorvane-prefs-" + std::to_string(gone) + "-a1b2c3");
  const fs::path livePrefs = dir / "tmp" / ("quorvane-prefs-" + std::to_string(getpid()) + "-a1b2c3");
  fs::create_directories(stalePrefs);
  Spill(stalePrefs / "Quorvane.ini", "language = ENGLISH\r\n");
  fs::create_directories(livePrefs);

  const Ran ran = RunQuorvane(Apply(in, out.string()), {{"TMPDIR=" + (dir / "tmp").string()}, 0});
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(live));
  EXPECT_FALSE(fs::exists(stalePrefs));
  EXPECT_TRUE(fs::exists(livePrefs));
  EXPECT_EQ(Leftovers(dir / "tmp", "quorvane-prefs-").size(), 1u) << "the run's own folder is gone too";
}

// Waits until the run has made its temporary preferences folder.
bool WaitForPreferences(const fs::path& tmp, const Started& run) {
  for (int i = 0; i < 2000; ++i) {
    if (!Leftovers(tmp, "quorvane-prefs-").empty()) return true;
    if (kill(run.Pid(), 0) != 0) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

TEST(SaveCli, InterruptedRunsRemoveTheirTemporaryFolderAndEndByTheSignal) {
  TempDir dir;
  const fs::path in = WritePieces(dir / "in.svg", 300);
  fs::create_directory(dir / "tmp");
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    Started run(Apply(in, (dir / "out.svg").string()), {{"TMPDIR=" + (dir / "tmp").string()}, 0});
    ASSERT_TRUE(WaitForPreferences(dir / "tmp", run)) << "the run made no preferences folder";
    kill(run.Pid(), signal);
    const Ran ran = run.Wait();
    EXPECT_EQ(ran.signal, signal) << "status " << ran.status << ": " << ran.err;
    for (const std::string& left : Leftovers(dir / "tmp", "quorvane-prefs-")) {
      ADD_FAILURE() << "signal " << signal << " left " << left;
      for (const auto& entry : fs::recursive_directory_iterator(left)) ADD_FAILURE() << entry.path();
    }
    EXPECT_TRUE(Leftovers(dir.Path(), "tmp-").empty()) << "signal " << signal;
  }
}

// A run killed at any moment while it replaces an output leaves the old file
// or the new one, whole.
TEST(SaveCli, KilledAtRandomMomentsTheOutputIsAlwaysTheOldOrTheNewFileWhole) {
  TempDir dir;
  const fs::path in = WritePieces(dir / "in.svg", 100);
  const fs::path out = dir / "out.svg";
  const fs::path reference = dir / "reference.svg";
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(RunQuorvane(Apply(in, reference.string())).status, 0);
  const auto duration = std::chrono::steady_clock::now() - start;
  const std::string fresh = Slurp(reference);
  ASSERT_EQ(RunQuorvane(Apply(WritePieces(dir / "few.svg", 40), out.string())).status, 0);
  const std::string old = Slurp(out);
  ASSERT_NE(old, fresh);

  std::mt19937 random(20);
  // Half the kills fall anywhere in a run, half near its end, where it saves.
  std::uniform_real_distribution<double> anywhere(0.0, 1.0), nearTheEnd(0.85, 1.15);
  int sawOld = 0, sawNew = 0;
  for (int trial = 0; trial < 50; ++trial) {
    const double share = trial % 2 == 0 ? anywhere(random) : nearTheEnd(random);
    Started run(Apply(in, out.string()));
    std::this_thread::sleep_for(duration * share);
    kill(run.Pid(), SIGKILL);
    run.Wait();
    const std::string now = Slurp(out);
    ASSERT_TRUE(now == old || now == fresh) << "trial " << trial << ": " << now.size() << " bytes";
    (now == old ? sawOld : sawNew)++;
    if (now == fresh) Spill(out, old);
  }
  EXPECT_GT(sawOld, 0);
  // The next run clears what the killed ones left.
  ASSERT_EQ(RunQuorvane(Apply(dir / "few.svg", out.string())).status, 0);
  EXPECT_TRUE(Leftovers(dir.Path(), "tmp-").empty());
  std::cout << "50 kills: " << sawOld << " found the old file, " << sawNew << " the new one\n";
}

}  // namespace
}  // namespace workbench::cli::testing
