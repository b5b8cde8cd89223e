// Latency of the live preview over every finish line of the real pattern
// pieces, stage by stage, measured side by side in one process:
//
//   floor               flatten to 0.01 pt, Clipper mitre offset at 10 mm,
//                       union: the least work a basic margin needs
//   flatten             the host's flattening as the outline reader asks
//   basic_margin        a Preview of a set with only the basic width
//   every_kind_preview  a Preview of a set with every command kind that fits
//   apply_corpus        `quorvane apply` of every corpus file, whole processes
//   listing             `quorvane sets` of one set of 10,000 commands and of
//                       50,000 sets, whole processes
//
// The rounds are interleaved piece by piece, so that the machine's slow
// spells hit every stage alike. Besides timing, `--save FILE` writes every
// result (both sets, and the host's flattening) with full precision and
// `--compare FILE` checks the current results against such a file to 1e-6 pt:
// a speed-up must leave every number where it was.
#include <clipper.hpp>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "quorvane/commands/command_set.h"
#include "quorvane/generation/seam_allowance_generator.h"
#include "quorvane/generation/tolerances.h"
#include "quorvane/facade/host_document.h"
#include "support/bound_host.h"
#include "workbench/document/document.h"
#include "workbench/plugin/host.h"
#include "workbench/svg/svg_io.h"

namespace {

namespace fs = std::filesystem;
using quorvane::commands::CCommandSet;
using quorvane::commands::CommandType;
using quorvane::generation::OptimizeChoice;
using quorvane::generation::PanelValues;
using quorvane::generation::RunState;
using quorvane::host::ArtRef;
using quorvane::host::HostDocument;
using quorvane::host::PathSegment;
using Clock = std::chrono::steady_clock;

constexpr float kBasicWidthMm = 10.0f;
constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kFloorFlatness = 0.01;   // points
constexpr double kFloorScale = 10000.0;   // Clipper units per point
constexpr double kSameTolerance = 1e-6;   // points, for --compare
constexpr std::int32_t kHostVersion = 27; // as `quorvane` tells the module

// ---- The pieces ------------------------------------------------------------

// The workbench host, its suites bound the way the module binds them. The
// suites work on the host's current document, so one host serves every file
// in turn.
struct Workbench {
  std::unique_ptr<workbench::plugin::Host> host;
  quorvane::host::HostSuites suites;
  std::unique_ptr<HostDocument> hd;
};

// One corpus file; its pieces share it.
struct File {
  fs::path path;
  std::unique_ptr<workbench::document::Document> doc;
  // One run state per document, as the panel keeps one: every piece's
  // preview replaces the one before on the work layers.
  RunState state;
};

struct Piece {
  File* file = nullptr;
  std::string name;  // file stem and path name
  ArtRef art;
  std::vector<PathSegment> segments;  // as read before any run, clockwise
  CCommandSet basicSet{"Basic 10 mm"};
  CCommandSet everySet{"Every kind"};
};

std::vector<fs::path> CorpusFiles(const fs::path& shared) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(shared / "corpus" / "freesewing", ec)) {
    const std::string stem = entry.path().stem().string();
    if (entry.path().extension() == ".svg" && !stem.empty() && std::isdigit(static_cast<unsigned char>(stem.back()))) {
      out.push_back(entry.path());
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::unique_ptr<Workbench> OpenWorkbench(const fs::path& prefs) {
  auto w = std::make_unique<Workbench>();
  w->host = std::make_unique<workbench::plugin::Host>(workbench::plugin::HostOptions{prefs});
  const auto suites = quorvane::testing::AcquireDocumentSuites(w->host->BasicSuite());
  if (!suites) return nullptr;
  w->suites = *suites;
  w->hd = std::make_unique<HostDocument>(w->suites);
  return w;
}

std::unique_ptr<File> OpenFile(const fs::path& path) {
  auto read = workbench::svg::ReadSvgFile(path);
  if (!read) {
    std::cerr << read.error().ToString() << "\n";
    return nullptr;
  }
  auto f = std::make_unique<File>();
  f->path = path;
  f->doc = std::make_unique<workbench::document::Document>(std::move(read.value()));
  f->state.hostVersion = kHostVersion;
  return f;
}

Workbench* g_workbench = nullptr;

// The module's view of the piece's document, made the host's current one.
HostDocument& DocumentOf(const File& f) {
  g_workbench->host->SetDocument(f.doc.get());
  return *g_workbench->hd;
}

PanelValues Panel(const CCommandSet& set) { return {true, set.GetCommandCount() + 1, OptimizeChoice::kNone}; }

// Runs a Preview of `set` on the piece, as the panel's Preview box does.
// Returns whether it made a seam allowance.
bool Preview(Piece& p, const CCommandSet& set) {
  RunState& state = p.file->state;
  state.sourcePath = p.art;
  quorvane::generation::SeamAllowanceGenerator(DocumentOf(*p.file), state, set, Panel(set), false);
  return static_cast<bool>(state.resultArt);
}

// ---- The every-kind set ----------------------------------------------------

struct Placement {
  CommandType type;
  int first;   // anchor numbers
  int second;  // 0: the command has one point
  float width;
};

// Every kind once, spread over the anchors (modulo the piece's anchor
// count, so that the set fits every piece of three anchors or more).
constexpr Placement kEveryKind[] = {
    {CommandType::kExtendedOneSide, 1, 2, 20.0f},     {CommandType::kRightAngleForward, 2, 0, 0.0f},
    {CommandType::kRightAngleBackward, 3, 0, 0.0f},   {CommandType::kRevForward, 4, 0, 0.0f},
    {CommandType::kRevBackward, 5, 0, 0.0f},          {CommandType::kExtendedCrossing, 6, 0, 0.0f},
    {CommandType::kCutOff, 7, 0, 5.0f},               {CommandType::kFortyFiveBackward, 8, 9, 15.0f},
    {CommandType::kFortyFiveForward, 10, 9, 15.0f},   {CommandType::kLapel, 11, 12, 0.0f},
    {CommandType::kOpening, 13, 14, 15.0f},
};

CCommandSet MakeSet(const std::vector<std::size_t>& kinds, int anchors) {
  CCommandSet set("Every kind");
  set.SetBasicWidth(kBasicWidthMm);
  for (std::size_t kind : kinds) {
    const Placement& k = kEveryKind[kind];
    auto anchor = [&](int a) { return std::to_string((a - 1) % anchors + 1); };
    const int i = set.AddCommand(k.type) - 1;
    set.SetCommandPoint(i, 0, anchor(k.first));
    if (k.second != 0) set.SetCommandPoint(i, 1, anchor(k.second));
    set.SetCommandWidth(i, k.width);
  }
  return set;
}

// Places every kind where it fits: the whole spread is previewed, and the
// command whose failure the preview reports is left out, until the rest
// makes a seam allowance (or none is left).
CCommandSet PlaceEveryKind(Piece& p) {
  const int anchors = static_cast<int>(p.segments.size());
  std::vector<std::size_t> kinds;
  for (std::size_t k = 0; k < std::size(kEveryKind); ++k) kinds.push_back(k);
  const auto& shown = g_workbench->host->Prompts().Shown();
  while (!kinds.empty()) {
    const CCommandSet set = MakeSet(kinds, anchors);
    const std::size_t before = shown.size();
    if (Preview(p, set)) return set;
    if (shown.size() == before) break;
    // The alert names the failed command by its row (its index + 2).
    const std::string& alert = shown.back().text;
    std::size_t failed = kinds.size();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
      if (alert == quorvane::commands::CommandFailureText(kEveryKind[kinds[i]].type, static_cast<int>(i) + 2, quorvane::text::Language::kEnglish)) {
        failed = i;
      }
    }
    if (failed == kinds.size()) break;
    kinds.erase(kinds.begin() + static_cast<std::ptrdiff_t>(failed));
  }
  return MakeSet({}, anchors);
}

// The every-kind set of a result line written by Results ("every TYPE:A-B
// ... count ..."), so that a later run previews the same sets without
// searching again.
std::optional<CCommandSet> SetFromLine(const std::string& line) {
  std::istringstream in(line);
  std::string word;
  if (!(in >> word) || word != "every") return std::nullopt;
  CCommandSet set("Every kind");
  set.SetBasicWidth(kBasicWidthMm);
  while (in >> word && word.find(':') != std::string::npos) {
    const int type = std::atoi(word.c_str());
    const std::string points = word.substr(word.find(':') + 1);
    const std::size_t dash = points.find('-');
    const auto kind = std::find_if(std::begin(kEveryKind), std::end(kEveryKind),
                                   [type](const Placement& k) { return static_cast<int>(k.type) == type; });
    if (kind == std::end(kEveryKind)) return std::nullopt;
    const int i = set.AddCommand(kind->type) - 1;
    set.SetCommandPoint(i, 0, points.substr(0, dash));
    if (dash != std::string::npos) set.SetCommandPoint(i, 1, points.substr(dash + 1));
    set.SetCommandWidth(i, kind->width);
  }
  return set;
}

// ---- The floor -------------------------------------------------------------

struct Pt {
  double x, y;
};

Pt Bezier(const Pt& a, const Pt& b, const Pt& c, const Pt& d, double t) {
  const double u = 1.0 - t;
  const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
  return {b0 * a.x + b1 * b.x + b2 * c.x + b3 * d.x, b0 * a.y + b1 * b.y + b2 * c.y + b3 * d.y};
}

// Flattens the closed piece within `flatness` (uniform steps by Wang's
// bound), offsets it with mitres by `distance` and unites the result.
std::size_t FloorMargin(const std::vector<PathSegment>& s, double flatness, double distance) {
  ClipperLib::Path path;
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n; ++i) {
    const PathSegment& from = s[i];
    const PathSegment& to = s[(i + 1) % n];
    const Pt a{from.p.h, from.p.v}, b{from.out.h, from.out.v}, c{to.in.h, to.in.v}, d{to.p.h, to.p.v};
    const double mx = std::max(std::fabs(a.x - 2 * b.x + c.x), std::fabs(b.x - 2 * c.x + d.x));
    const double my = std::max(std::fabs(a.y - 2 * b.y + c.y), std::fabs(b.y - 2 * c.y + d.y));
    const int steps = std::max(1, static_cast<int>(std::ceil(std::sqrt(0.75 * std::sqrt(mx * mx + my * my) / flatness))));
    for (int k = 0; k < steps; ++k) {
      const Pt q = Bezier(a, b, c, d, double(k) / steps);
      path.push_back({static_cast<ClipperLib::cInt>(std::llround(q.x * kFloorScale)),
                      static_cast<ClipperLib::cInt>(std::llround(q.y * kFloorScale))});
    }
  }
  ClipperLib::ClipperOffset offset(1.0e6);  // a mitre limit that never cuts
  offset.AddPath(path, ClipperLib::jtMiter, ClipperLib::etClosedPolygon);
  ClipperLib::Paths grown;
  offset.Execute(grown, distance * kFloorScale);
  ClipperLib::Clipper clipper;
  clipper.AddPaths(grown, ClipperLib::ptSubject, true);
  ClipperLib::Paths united;
  clipper.Execute(ClipperLib::ctUnion, united, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
  std::size_t vertices = 0;
  for (const auto& ring : united) vertices += ring.size();
  return vertices;
}

// The host's flattening as the module's outline reader asks for it: the
// segments with the first repeated at the end.
std::size_t HostFlatten(Piece& p) {
  std::vector<PathSegment> run = p.segments;
  run.push_back(run.front());
  const auto points = DocumentOf(*p.file).SegmentsToPoints(run, quorvane::generation::kReadFlatness,
                                                   quorvane::generation::kReadStep);
  return points ? points->Size() : 0;
}

// ---- Statistics ------------------------------------------------------------

struct Stage {
  std::string name;
  std::vector<std::vector<double>> samples;  // per piece, microseconds
};

struct Summary {
  double median = 0, p90 = 0, p99 = 0, max = 0;
  std::string maxPiece;
};

double Quantile(std::vector<double> v, double q) {
  if (v.empty()) return 0.0;
  std::sort(v.begin(), v.end());
  const double pos = q * double(v.size() - 1);
  const std::size_t lo = static_cast<std::size_t>(std::floor(pos));
  const std::size_t hi = std::min(lo + 1, v.size() - 1);
  return v[lo] + (pos - double(lo)) * (v[hi] - v[lo]);
}

// Each piece counts with the median of its rounds, which keeps a slow spell
// of the machine from standing for the piece.
Summary Summarise(const Stage& stage, const std::vector<Piece>& pieces) {
  std::vector<double> perPiece;
  Summary s;
  for (std::size_t i = 0; i < stage.samples.size(); ++i) {
    if (stage.samples[i].empty()) continue;
    const double m = Quantile(stage.samples[i], 0.5);
    perPiece.push_back(m);
    if (m > s.max) {
      s.max = m;
      s.maxPiece = pieces[i].name;
    }
  }
  s.median = Quantile(perPiece, 0.5);
  s.p90 = Quantile(perPiece, 0.9);
  s.p99 = Quantile(perPiece, 0.99);
  return s;
}

// ---- Whole processes -------------------------------------------------------

struct ProcessRun {
  bool started = false;
  int status = -1;
  double seconds = 0.0;
  long maxRssKb = 0;
};

ProcessRun RunProcess(const std::vector<std::string>& argv) {
  ProcessRun r;
  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid < 0) return r;
  if (pid == 0) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    execv(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return r;
  r.started = true;
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  r.maxRssKb = usage.ru_maxrss;
  return r;
}

long OwnPeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// ---- Listing many commands and many sets ------------------------------------

// A list file of `sets` sets of `commands` cut offs each, as a script or a
// long-lived preferences folder would hold them.
fs::path WriteListFile(const fs::path& folder, const std::string& name, int sets, int commands) {
  const fs::path file = folder / name;
  std::ofstream out(file, std::ios::binary);
  for (int s = 0; s < sets; ++s) {
    out << "#Set " << s << "\r\n10.000000\r\n*Commands-type,point,haba,num\r\n";
    for (int c = 0; c < commands; ++c) out << "8," << 1 + c % 12 << ",,5.000000,1\r\n";
  }
  return file;
}

struct Listing {
  std::string name;
  double seconds = 0.0;
  double peakRssMb = 0.0;
};

// `quorvane sets --list` over one set of 10,000 commands and over 50,000
// sets of one command, whole processes.
std::vector<Listing> MeasureListing(const fs::path& bin, const fs::path& folder) {
  std::vector<Listing> listings;
  // The host makes its preferences folder only when the module saves there.
  std::error_code ec;
  fs::create_directories(folder, ec);
  const std::pair<std::string, fs::path> files[] = {
      {"commands_10k", WriteListFile(folder, "commands-10k.txt", 1, 10000)},
      {"sets_50k", WriteListFile(folder, "sets-50k.txt", 50000, 1)},
  };
  for (const auto& [name, file] : files) {
    const ProcessRun r = RunProcess({(bin / "quorvane").string(), "sets", "--list", file.string()});
    if (!r.started || r.status != 0) {
      std::cerr << "quorvane sets --list " << file.string() << " failed\n";
      continue;
    }
    listings.push_back({name, r.seconds, r.maxRssKb / 1024.0});
    std::printf("listing %s: %.2f s, peak resident size %.1f MB\n", name.c_str(), r.seconds, r.maxRssKb / 1024.0);
  }
  return listings;
}

// ---- Results, saved and compared ---------------------------------------------

void WriteSegments(std::ostream& out, const std::string& key, const std::optional<std::vector<PathSegment>>& s) {
  out << key;
  if (!s) {
    out << " none\n";
    return;
  }
  out << " " << s->size();
  char buf[64];
  for (const PathSegment& q : *s) {
    for (const QvRealPoint& pt : {q.p, q.in, q.out}) {
      std::snprintf(buf, sizeof buf, " %.17g %.17g", pt.h, pt.v);
      out << buf;
    }
    out << (q.corner ? " c" : " s");
  }
  out << "\n";
}

std::string SetText(const CCommandSet& set) {
  std::string out;
  for (int i = 0; i < set.GetCommandCount(); ++i) {
    std::string a, b;
    set.GetCommandPoints(i, a, b);
    out += std::to_string(static_cast<int>(set.GetCommandType(i))) + ":" + a + (b.empty() ? "" : "-" + b) + " ";
  }
  return out.empty() ? "-" : out;
}

// Every result of every piece, one line per result.
std::map<std::string, std::string> Results(std::vector<Piece>& pieces) {
  std::map<std::string, std::string> out;
  for (Piece& p : pieces) {
    HostDocument& hd = DocumentOf(*p.file);
    std::ostringstream line;
    std::vector<PathSegment> run = p.segments;
    run.push_back(run.front());
    const auto flat = hd.SegmentsToPoints(run, quorvane::generation::kReadFlatness, quorvane::generation::kReadStep);
    std::vector<PathSegment> asSegments;
    if (flat) {
      for (std::size_t i = 0; i < flat->Size(); ++i) {
        const QvRealPoint q{(*flat)[i].h, (*flat)[i].v};
        asSegments.push_back({q, q, q, (*flat)[i].corner});
      }
    }
    WriteSegments(line, "flatten", asSegments);
    out[p.name + " flatten"] = line.str();
    line.str("");
    const RunState& state = p.file->state;
    Preview(p, p.basicSet);
    WriteSegments(line, "basic", state.resultArt ? hd.Segments(state.resultArt) : std::nullopt);
    out[p.name + " basic"] = line.str();
    line.str("");
    Preview(p, p.everySet);
    WriteSegments(line, "every " + SetText(p.everySet), state.resultArt ? hd.Segments(state.resultArt) : std::nullopt);
    out[p.name + " every"] = line.str();
  }
  return out;
}

std::vector<std::string> Words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> w;
  for (std::string t; in >> t;) w.push_back(t);
  return w;
}

// The largest difference between two result lines; infinity when they do
// not have the same shape (counts, flags, placements).
double LineDifference(const std::string& a, const std::string& b) {
  const auto wa = Words(a), wb = Words(b);
  if (wa.size() != wb.size()) return INFINITY;
  double worst = 0.0;
  for (std::size_t i = 0; i < wa.size(); ++i) {
    if (wa[i] == wb[i]) continue;
    char* endA = nullptr;
    char* endB = nullptr;
    const double x = std::strtod(wa[i].c_str(), &endA);
    const double y = std::strtod(wb[i].c_str(), &endB);
    if (*endA != '\0' || *endB != '\0') return INFINITY;
    worst = std::max(worst, std::fabs(x - y));
  }
  return worst;
}

int CompareResults(const std::map<std::string, std::string>& now, const fs::path& file) {
  std::ifstream in(file);
  if (!in) {
    std::cerr << file.string() << ": cannot be read\n";
    return 2;
  }
  std::map<std::string, std::string> saved;
  int lineNumber = 0;
  for (std::string key, line; std::getline(in, key) && std::getline(in, line);) {
    lineNumber += 2;
    saved[key] = line;
  }
  int differ = 0;
  double worst = 0.0;
  for (const auto& [key, line] : saved) {
    const auto it = now.find(key);
    const double d = it == now.end() ? INFINITY : LineDifference(line + "\n", it->second);
    if (d > kSameTolerance) {
      ++differ;
      std::cerr << "differs: " << key << " (by " << d << " pt)\n";
    } else {
      worst = std::max(worst, d);
    }
  }
  if (saved.size() != now.size()) {
    std::cerr << "saved " << saved.size() << " results, now " << now.size() << "\n";
    ++differ;
  }
  std::cout << saved.size() << " results compared, " << differ << " differ by more than " << kSameTolerance
            << " pt; largest difference within that: " << worst << " pt\n";
  return differ == 0 ? 0 : 1;
}

int SaveResults(const std::map<std::string, std::string>& now, const fs::path& file) {
  std::ofstream out(file);
  for (const auto& [key, line] : now) out << key << "\n" << line;
  if (!out) {
    std::cerr << file.string() << ": cannot be written\n";
    return 2;
  }
  std::cout << now.size() << " results saved to " << file.string() << "\n";
  return 0;
}

// ---- Main --------------------------------------------------------------------

struct Options {
  std::optional<fs::path> json, save, compare, placements;
  fs::path shared = QUORVANE_SHARED_DIR;
  int rounds = 3;
  std::string only;  // pieces whose name holds this, for profiling
  bool apply = true;
  bool verbose = false;  // every piece's medians
  bool cpu = false;      // the thread's CPU time instead of the wall clock
};

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    std::optional<std::string> v;
    if (a == "--json" && (v = value())) {
      o.json = *v;
    } else if (a == "--save" && (v = value())) {
      o.save = *v;
    } else if (a == "--compare" && (v = value())) {
      o.compare = *v;
    } else if (a == "--rounds" && (v = value())) {
      o.rounds = std::max(1, std::atoi(v->c_str()));
    } else if (a == "--placements" && (v = value())) {
      o.placements = *v;
    } else if (a == "--shared" && (v = value())) {
      o.shared = *v;
    } else if (a == "--only" && (v = value())) {
      o.only = *v;
    } else if (a == "--clock" && (v = value()) && (*v == "cpu" || *v == "wall")) {
      o.cpu = *v == "cpu";
    } else if (a == "--verbose") {
      o.verbose = true;
    } else if (a == "--no-apply") {
      o.apply = false;
    } else {
      std::cerr << "usage: corpus_latency [--json FILE] [--rounds N] [--shared DIR] [--no-apply] [--save FILE] [--compare FILE] [--placements FILE] [--only TEXT] [--verbose] [--clock wall|cpu]\n";
      return std::nullopt;
    }
  }
  return o;
}

std::string JsonStage(const Summary& s) {
  char buf[256];
  std::snprintf(buf, sizeof buf, "{\"median_us\": %.1f, \"p90_us\": %.1f, \"p99_us\": %.1f, \"max_us\": %.1f, ", s.median,
                s.p90, s.p99, s.max);
  return std::string(buf) + "\"max_piece\": \"" + s.maxPiece + "\"}";
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = ParseOptions(argc, argv);
  if (!options) return 2;
  const fs::path& shared = options->shared;
  const std::vector<fs::path> files = CorpusFiles(shared);
  if (files.empty()) {
    std::cerr << "the shared folder with the real pattern pieces is not beside this checkout (" << shared.string()
              << ")\n";
    return 2;
  }
  const fs::path prefs = fs::temp_directory_path() / ("quorvane-corpus-latency-" + std::to_string(getpid()));

  // Every closed path of every file is a piece, turned clockwise as the
  // panel turns its source path.
  const auto bench = OpenWorkbench(prefs);
  if (!bench) return 2;
  g_workbench = bench.get();
  std::vector<std::unique_ptr<File>> opened;
  std::vector<Piece> pieces;
  for (const fs::path& path : files) {
    auto file = OpenFile(path);
    if (!file) return 2;
    HostDocument& hd = DocumentOf(*file);
    for (int l = 0; l < hd.LayerCount().value_or(0); ++l) {
      const auto layer = hd.NthLayer(l);
      const auto arts = hd.AllArtOfLayer(*layer);
      const std::string title = hd.LayerTitle(*layer).value_or(std::to_string(l));
      int k = 0;
      for (ArtRef art : arts.value_or(std::vector<ArtRef>{})) {
        ++k;
        if (hd.ArtType(art) != kQvPathArt || !hd.IsClosed(art).value_or(false)) continue;
        if (hd.SignedArea(art).value_or(0.0) < 0.0) hd.Reverse(art);
        Piece p;
        p.file = file.get();
        p.name = path.stem().string() + "/" + title + "/" + std::to_string(k);
        p.art = art;
        p.segments = hd.Segments(art).value_or(std::vector<PathSegment>{});
        if (p.segments.size() < 3 || p.name.find(options->only) == std::string::npos) continue;
        p.basicSet.SetBasicWidth(kBasicWidthMm);
        pieces.push_back(std::move(p));
      }
    }
    opened.push_back(std::move(file));
  }
  // The every-kind sets: searched, or as a saved results file has them
  // (--compare takes them from the file it compares with).
  std::map<std::string, CCommandSet> saved;
  if (const auto from = options->placements ? options->placements : options->compare) {
    std::ifstream in(*from);
    for (std::string key, line; std::getline(in, key) && std::getline(in, line);) {
      const std::string suffix = " every";
      if (key.size() <= suffix.size() || key.compare(key.size() - suffix.size(), suffix.size(), suffix) != 0) continue;
      if (auto set = SetFromLine(line)) saved.emplace(key.substr(0, key.size() - suffix.size()), std::move(*set));
    }
  }
  std::cerr << pieces.size() << " pieces; placing every command kind...\n";
  int kindsPlaced = 0;
  for (Piece& p : pieces) {
    const auto it = saved.find(p.name);
    p.everySet = it != saved.end() ? it->second : PlaceEveryKind(p);
    kindsPlaced += p.everySet.GetCommandCount();
  }
  std::cerr << kindsPlaced << " commands placed (" << std::size(kEveryKind) * pieces.size() << " asked)\n";

  if (options->save || options->compare) {
    const auto now = Results(pieces);
    int rc = 0;
    if (options->save) rc = std::max(rc, SaveResults(now, *options->save));
    if (options->compare) rc = std::max(rc, CompareResults(now, *options->compare));
    std::error_code ec;
    fs::remove_all(prefs, ec);
    return rc;
  }

  Stage floor{"floor", {}}, flatten{"flatten", {}}, basic{"basic_margin", {}}, every{"every_kind_preview", {}};
  for (Stage* s : {&floor, &flatten, &basic, &every}) s->samples.resize(pieces.size());
  // On a machine shared with other work the thread's CPU time leaves out
  // the time the thread waited for a core.
  auto time = [cpu = options->cpu](auto&& f) {
    if (cpu) {
      timespec a{}, b{};
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &a);
      f();
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &b);
      return 1e6 * double(b.tv_sec - a.tv_sec) + 1e-3 * double(b.tv_nsec - a.tv_nsec);
    }
    const auto start = Clock::now();
    f();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
  };
  std::size_t sink = 0;
  int previews = 0, basicMade = 0, everyMade = 0;
  for (int round = 0; round < options->rounds; ++round) {
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      Piece& p = pieces[i];
      floor.samples[i].push_back(time([&] { sink += FloorMargin(p.segments, kFloorFlatness, 10.0 * kPointsPerMm); }));
      flatten.samples[i].push_back(time([&] { sink += HostFlatten(p); }));
      bool made = false;
      basic.samples[i].push_back(time([&] { made = Preview(p, p.basicSet); }));
      basicMade += made;
      every.samples[i].push_back(time([&] { made = Preview(p, p.everySet); }));
      everyMade += made;
      previews += 2;
    }
  }
  const long previewRssKb = OwnPeakRssKb();
  std::printf("previews that made a seam allowance: basic %d, every kind %d, of %d each\n", basicMade, everyMade,
              previews / 2);

  if (options->verbose) {
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      std::printf("%-50s", pieces[i].name.c_str());
      for (const Stage* s : {&floor, &flatten, &basic, &every}) std::printf(" %10.1f", Quantile(s->samples[i], 0.5));
      std::printf("  %s\n", SetText(pieces[i].everySet).c_str());
    }
  }
  std::vector<std::pair<const Stage*, Summary>> summaries;
  for (const Stage* s : {&floor, &flatten, &basic, &every}) summaries.emplace_back(s, Summarise(*s, pieces));
  std::printf("%zu pieces, %d rounds (per piece the median of its rounds), %s time\n", pieces.size(), options->rounds,
              options->cpu ? "thread CPU" : "wall-clock");
  std::printf("%-20s %10s %10s %10s %10s  %s\n", "stage", "median_us", "p90_us", "p99_us", "max_us", "max_piece");
  for (const auto& [stage, s] : summaries) {
    std::printf("%-20s %10.1f %10.1f %10.1f %10.1f  %s\n", stage->name.c_str(), s.median, s.p90, s.p99, s.max,
                s.maxPiece.c_str());
  }
  const Summary& f = summaries[0].second;
  const Summary& fl = summaries[1].second;
  const Summary& b = summaries[2].second;
  const Summary& e = summaries[3].second;
  std::printf("ratios to floor: basic_margin median %.2fx (goal 3x), max %.2fx (goal 3x); every_kind_preview p99 "
              "%.2fx (goal 10x, %.1f ms); flatten median %.1f%% (goal 10%%)\n",
              b.median / f.median, b.max / f.max, e.p99 / f.p99, e.p99 / 1000.0, 100.0 * fl.median / f.median);
  std::printf("peak resident size of this process after %d previews: %.1f MB\n", previews, previewRssKb / 1024.0);

  // Whole `quorvane apply` processes over the corpus with the basic set.
  double applySeconds = 0.0;
  long applyLargestRssKb = 0;
  std::string largestFile;
  if (options->apply) {
    const fs::path bin = fs::canonical("/proc/self/exe").parent_path();
    const fs::path list = fs::path(QUORVANE_SOURCE_DIR) / "data" / "samples" / "every-kind-list.txt";
    std::uintmax_t largestSize = 0;
    for (const fs::path& path : files) {
      const fs::path out = fs::temp_directory_path() / ("quorvane-corpus-latency-" + std::to_string(getpid()) + ".svg");
      const ProcessRun r = RunProcess({(bin / "quorvane").string(), "apply", path.string(), "--set", "Basic 10 mm",
                                       "--list", list.string(), "-o", out.string()});
      std::error_code ec;
      fs::remove(out, ec);
      if (!r.started || r.status == 127) {
        std::cerr << "quorvane apply could not be run from " << bin.string() << "\n";
        break;
      }
      applySeconds += r.seconds;
      const std::uintmax_t size = fs::file_size(path, ec);
      if (size > largestSize) {
        largestSize = size;
        largestFile = path.filename().string();
        applyLargestRssKb = r.maxRssKb;
      }
    }
    std::printf("apply_corpus: %.2f s for %zu files; peak resident size of quorvane apply on the largest file (%s): "
                "%.1f MB\n",
                applySeconds, files.size(), largestFile.c_str(), applyLargestRssKb / 1024.0);
  }

  // The desktop app after 200 previews of its module's panel (undo history
  // and action log included), measured in a process of its own.
  long appPreviewsRssKb = 0;
  {
    const fs::path app = fs::canonical("/proc/self/exe").parent_path() / "app_preview_memory";
    const ProcessRun r = RunProcess({app.string(), "--previews", "200"});
    if (r.started && r.status == 0) {
      appPreviewsRssKb = r.maxRssKb;
      std::printf("peak resident size of the desktop app after 200 previews: %.1f MB\n", appPreviewsRssKb / 1024.0);
    } else {
      std::cerr << "the desktop app's previews could not be measured with " << app.string() << "\n";
    }
  }

  std::vector<Listing> listings;
  if (options->apply) {
    listings = MeasureListing(fs::canonical("/proc/self/exe").parent_path(), prefs);
  }

  if (options->json) {
    std::ofstream out(*options->json);
    out << "{\"pieces\": " << pieces.size() << ", \"rounds\": " << options->rounds << ", \"clock\": \""
        << (options->cpu ? "cpu" : "wall") << "\", \"stages\": {";
    for (std::size_t i = 0; i < summaries.size(); ++i) {
      out << (i ? ", " : "") << "\"" << summaries[i].first->name << "\": " << JsonStage(summaries[i].second);
    }
    out << "}, \"apply_corpus_s\": " << applySeconds << ", \"memory\": {\"apply_largest_file\": \"" << largestFile
        << "\", \"apply_largest_peak_rss_mb\": " << applyLargestRssKb / 1024.0 << ", \"previews\": " << previews
        << ", \"previews_peak_rss_mb\": " << previewRssKb / 1024.0
        << ", \"app_200_previews_peak_rss_mb\": " << appPreviewsRssKb / 1024.0 << "}, \"listing\": {";
    for (std::size_t i = 0; i < listings.size(); ++i) {
      out << (i ? ", " : "") << "\"" << listings[i].name << "_s\": " << listings[i].seconds << ", \"" << listings[i].name
          << "_peak_rss_mb\": " << listings[i].peakRssMb;
    }
    out << "}}\n";
  }
  std::error_code ec;
  fs::remove_all(prefs, ec);
  return sink == 0 ? 1 : 0;
}
