#include "workbench/cli/apply_command.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <iomanip>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <system_error>

#include "workbench/cli/arguments.h"
#include "workbench/cli/json_writer.h"
#include "workbench/cli/output_file.h"
#include "workbench/cli/pieces.h"
#include "workbench/cli/sets_command.h"
#include "workbench/geometry/self_crossing.h"
#include "workbench/svg/svg_io.h"

namespace workbench::cli {

namespace fs = std::filesystem;
using document::ArtId;

namespace {

struct Prepared {
  document::Document doc;
  std::vector<Piece> pieces;
  OutputTarget output;
};

// What became of one path, for the JSON report.
struct PathOutcome {
  std::string label;
  bool done = false;
  /// The SVG id of the path made; empty when none.
  std::string resultId;
  /// The label of the piece it lies inside; empty when none.
  std::string inside;
  std::vector<std::string> messages;
  double seconds = 0.0;
};

// What became of one input file.
struct FileOutcome {
  std::string input;
  std::string output;
  int status = kExitDone;
  double seconds = 0.0;
  /// What was written to standard error while it was worked.
  std::string errors;
  std::vector<PathOutcome> paths;
  std::vector<Passed> passed;
};

// One input file being worked: where its reports go and what it came to.
struct FileRun {
  const ApplyRequest& request;
  std::string command;
  fs::path input;
  std::optional<fs::path> output;
  std::ostream& out;
  std::ostream& err;
  /// The report of paths done: `out`, standard error when the document
  /// goes to standard output, nowhere with --json or --quiet.
  std::ostream* report = nullptr;
  FileOutcome outcome;
};

// A stream buffer that passes everything on to another and keeps a copy.
class TeeBuffer : public std::streambuf {
 public:
  explicit TeeBuffer(std::ostream& to) : to_(to) {}
  const std::string& Copy() const { return copy_; }

 protected:
  int overflow(int c) override {
    if (c == traits_type::eof()) return traits_type::not_eof(c);
    copy_ += static_cast<char>(c);
    to_.put(static_cast<char>(c));
    return c;
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    copy_.append(s, static_cast<std::size_t>(n));
    to_.write(s, n);
    return n;
  }

 private:
  std::ostream& to_;
  std::string copy_;
};

// Seconds since `start`.
double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  return fs::absolute(a, ec).lexically_normal() == fs::absolute(b, ec).lexically_normal();
}

// Reads the input and finds the pieces to work on. None after reporting
// bad input on `err`.
std::optional<Prepared> Prepare(FileRun& run, const std::string& suffix) {
  const std::string& command = run.command;
  std::ostream& err = run.err;
  if (std::optional<std::string> problem = NotSvg(run.input)) {
    err << "quorvane " << command << ": " << *problem << "\n";
    return std::nullopt;
  }
  auto read = svg::ReadSvgFile(run.input);
  if (!read) {
    err << "quorvane " << command << ": " << read.error().ToString() << "\n";
    return std::nullopt;
  }
  std::string problem;
  std::optional<OutputTarget> output = ResolveOutput(run.output.value_or(OutputBeside(run.input, suffix)), &problem);
  if (!output) {
    err << "quorvane " << command << ": " << problem << "\n";
    return std::nullopt;
  }
  Prepared prepared{std::move(read.value()), {}, std::move(*output)};
  if (!prepared.output.standardOutput && SameFile(prepared.output.file, run.input)) {
    err << "quorvane " << command << ": " << prepared.output.file.string() << ": the output would replace the input\n";
    return std::nullopt;
  }
  const std::string file = run.input.string();
  std::optional<PiecePick> pick = PickPieces(prepared.doc, run.request.choice, &problem);
  if (!pick) {
    err << "quorvane " << command << ": " << file << ": " << problem << "\n";
    return std::nullopt;
  }
  run.outcome.output = prepared.output.standardOutput ? "-" : prepared.output.file.string();
  run.outcome.passed = pick->passed;
  if (prepared.output.standardOutput && !run.request.json && !run.request.quiet) run.report = &err;
  // Every path not taken is named with why, so that nothing is left out
  // unnoticed.
  for (const Passed& passed : pick->passed) *run.report << passed.label << ": not taken (" << passed.why << ")\n";
  if (pick->pieces.empty()) {
    err << "quorvane " << command << ": " << file << ": "
        << (run.request.choice.Empty() ? "no closed path outside the module's layers" : "no closed path picked") << "\n";
    return std::nullopt;
  }
  const std::vector<std::string> enclosing = EnclosingPieces(prepared.doc, pick->pieces);
  for (std::size_t i = 0; i < pick->pieces.size(); ++i) {
    PathOutcome path;
    path.label = pick->pieces[i].label;
    path.inside = enclosing[i];
    if (!path.inside.empty()) {
      *run.report << path.label << ": lies inside \"" << path.inside << "\" and gets a result of its own\n";
    }
    run.outcome.paths.push_back(std::move(path));
  }
  prepared.pieces = std::move(pick->pieces);
  return prepared;
}

std::set<ArtId> ClosedPathSet(const document::Document& doc, const std::string& layerTitle) {
  const std::vector<ArtId> paths = ClosedPathsOnLayer(doc, layerTitle);
  return {paths.begin(), paths.end()};
}

// The first closed path on the layer titled `layerTitle` that is not in
// `before`; none when a command added none.
ArtId NewClosedPath(const std::set<ArtId>& before, const document::Document& doc, const std::string& layerTitle) {
  for (ArtId path : ClosedPathsOnLayer(doc, layerTitle)) {
    if (before.count(path) == 0) return path;
  }
  return {};
}

// Gives a path made for `piece` the SVG id "<piece>-<suffix>" (the piece's
// label without "#" when it has no id), with a number added when that is
// taken, so that reports and JSON can name it. Returns the id.
std::string NameResult(document::Document& doc, ArtId result, const Piece& piece, const std::string& suffix,
                       std::set<std::string>& used) {
  const std::string base =
      (piece.label.front() == '#' ? "path-" + piece.label.substr(1) : piece.label) + "-" + suffix;
  std::string id = base;
  for (int n = 2; used.count(id) != 0; ++n) id = base + "-" + std::to_string(n);
  used.insert(id);
  document::ForeignData foreign = doc.FindArt(result)->foreign;
  foreign.sourceId = id;
  doc.SetArtForeign(result, std::move(foreign));
  return id;
}

// Every SVG id the document holds.
std::set<std::string> UsedIds(const document::Document& doc) {
  std::set<std::string> used;
  for (std::size_t i = 0; i < doc.LayerCount(); ++i) {
    used.insert(doc.FindLayer(doc.LayerAt(i))->foreign.sourceId);
    for (ArtId art : doc.AllArtOfLayer(doc.LayerAt(i))) used.insert(doc.FindArt(art)->foreign.sourceId);
  }
  return used;
}

// A piece whose outline crosses itself has no single inside: the module
// would make an allowance around part of it. The message says so, or none.
std::optional<std::string> CrossingProblem(const document::Document& doc, ArtId art) {
  constexpr double kCrossingFlatness = 0.05;  // points
  const auto* segments = doc.Segments(art);
  if (segments == nullptr || !geometry::FindSelfCrossing({*segments, true}, kCrossingFlatness)) return std::nullopt;
  return "the path crosses itself, so it has no single inside to work on; nothing was made for it";
}

// "why" of a piece that got no result: the module's messages, else what
// stopped the host.
std::string Why(const CommandRun& run) {
  std::string why;
  for (const std::string& alert : run.alerts) why += (why.empty() ? "" : "; ") + alert;
  if (!run.failure.empty()) why += (why.empty() ? "" : "; ") + run.failure;
  return why.empty() ? "the module made no result" : why;
}

// The list file the sets came from, as the user knows it.
std::string ListFileShown(const SessionOptions& options) {
  if (options.listFile) return options.listFile->string();
  if (options.preferences) return (*options.preferences / kListFileName).string();
  if (std::optional<fs::path> user = UserConfigFolder()) return (*user / kListFileName).string();
  return "the list file";
}

// The points of a command row as the panel writes it ("2  Extended
// one-side  13,15  30.0"): the first word after the number made of anchor
// numbers or one-letter labels, at most two of them.
std::vector<std::string> RowPoints(const std::string& row) {
  std::istringstream words(row);
  std::string word;
  words >> word;  // the row number
  const auto isPoint = [](const std::string& p) {
    if (p.size() == 1 && std::isalpha(static_cast<unsigned char>(p[0])) != 0) return true;
    return !p.empty() && std::all_of(p.begin(), p.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  while (words >> word) {
    std::vector<std::string> points;
    std::size_t start = 0;
    for (std::size_t comma = word.find(','); points.size() < 3; comma = word.find(',', start)) {
      points.push_back(word.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    if (points.size() <= 2 && std::all_of(points.begin(), points.end(), isPoint)) return points;
  }
  return {};
}

// For a module alert naming "command no. N (Kind)": which anchor of that
// command the path does not have, by number; none when that is not it.
std::optional<std::string> MissingAnchor(const std::string& alert, const std::vector<std::string>& rows,
                                         std::size_t anchors) {
  static constexpr std::string_view kMarker = "command no. ";
  const std::size_t at = alert.find(kMarker);
  if (at == std::string::npos) return std::nullopt;
  const std::size_t number = std::strtoul(alert.c_str() + at + kMarker.size(), nullptr, 10);
  if (number < 2 || number > rows.size()) return std::nullopt;
  const std::size_t open = alert.find('(', at);
  const std::size_t close = alert.find(')', open);
  const std::string kind = open != std::string::npos && close != std::string::npos
                               ? " " + alert.substr(open, close - open + 1)
                               : std::string();
  for (const std::string& point : RowPoints(rows[number - 1])) {
    if (point.empty() || std::isdigit(static_cast<unsigned char>(point[0])) == 0) continue;
    const unsigned long anchor = std::strtoul(point.c_str(), nullptr, 10);
    if (anchor >= 1 && anchor <= anchors) continue;
    return "command no. " + std::to_string(number) + kind + ": anchor " + std::to_string(anchor) +
           ", but the path has " + std::to_string(anchors) + " anchors";
  }
  return std::nullopt;
}

int Finish(ModuleSession& session, const Prepared& prepared, FileRun& run, std::size_t failed) {
  // The module saves its settings as it shuts down; an alert then says that
  // failed.
  const CommandRun shutdown = session.Close();
  RemoveWorkLayers(session.Doc());
  if (auto problem = WriteOutput(prepared.output, svg::WriteSvgString(session.Doc()), run.out)) {
    run.err << "quorvane " << run.command << ": " << *problem << "\n";
    return kExitBadInput;
  }
  const std::string where = prepared.output.standardOutput ? "standard output" : prepared.output.file.string();
  *run.report << "wrote " << where << " (" << prepared.pieces.size() - failed << " of " << prepared.pieces.size()
              << " path(s) done)\n";
  if (!shutdown.alerts.empty() || !shutdown.failure.empty()) {
    run.err << "quorvane " << run.command << ": the module's settings were not saved: " << Why(shutdown) << "\n";
    return kExitSomeFailed;
  }
  return failed == 0 ? kExitDone : kExitSomeFailed;
}

std::unique_ptr<ModuleSession> OpenSession(FileRun& run, Prepared& prepared) {
  std::string error;
  auto session = ModuleSession::Open(run.request.session, std::move(prepared.doc), run.err, &error);
  if (!session) {
    run.err << "quorvane " << run.command << ": " << error << "\n";
    return session;
  }
  // Each path's line names the module's alerts; they are not printed twice.
  session->PrintAlertsOfRuns(false);
  return session;
}

// The module's messages of a command and what stopped the host, one each.
std::vector<std::string> Messages(const CommandRun& run) {
  std::vector<std::string> messages = run.alerts;
  if (!run.failure.empty()) messages.push_back(run.failure);
  return messages;
}

// A path that got nothing: its line on standard error and its messages
// (the line itself when none are given).
void PathFailed(FileRun& run, PathOutcome& path, const std::string& line, std::vector<std::string> messages = {}) {
  run.err << "quorvane " << run.command << ": " << run.input.string() << ": path \"" << path.label << "\": " << line
          << "\n";
  if (messages.empty()) messages.push_back(line);
  path.messages.insert(path.messages.end(), messages.begin(), messages.end());
}

// Works each piece with `work` (true when it got its result), timing it.
// Returns how many failed.
template <typename Work>
std::size_t WorkPieces(const Prepared& prepared, FileRun& run, Work work) {
  std::size_t failed = 0;
  for (std::size_t i = 0; i < prepared.pieces.size(); ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (!work(prepared.pieces[i], run.outcome.paths[i])) ++failed;
    run.outcome.paths[i].seconds = SecondsSince(start);
  }
  return failed;
}

int ApplyFile(FileRun& run) {
  const ApplyRequest& request = run.request;
  std::optional<Prepared> prepared = Prepare(run, "-seam");
  if (!prepared) return kExitBadInput;
  std::ostream& report = *run.report;
  const std::string file = run.input.string();
  if (!request.set) {
    for (const Piece& piece : prepared->pieces) {
      if (!prepared->doc.GetTag(piece.art, "TREVASK_001")) {
        run.err << "quorvane apply: " << file << ": path \"" << piece.label
                << "\" carries no command set; name one with --set\n";
        return kExitBadInput;
      }
    }
  }
  for (const Piece& piece : prepared->pieces) MakePositive(prepared->doc, piece.art);

  auto session = OpenSession(run, *prepared);
  if (!session) return kExitBadInput;
  std::int32_t setIndex = -1;
  if (request.set) {
    const std::vector<std::string> names = session->PanelListItems(kSetListControl);
    const auto found = std::find(names.begin(), names.end(), *request.set);
    if (found == names.end()) {
      run.err << "quorvane apply: no command set \"" << *request.set << "\" in " << ListFileShown(request.session);
      if (names.empty()) run.err << ", which holds no sets";
      for (std::size_t i = 0; i < names.size(); ++i) {
        run.err << (i == 0 ? "; its sets are " : ", ") << '"' << names[i] << '"';
      }
      run.err << "\n";
      return kExitBadInput;
    }
    setIndex = static_cast<std::int32_t>(found - names.begin());
  }

  const std::string_view suffix = session->JapaneseTexts() ? kSeamLayerSuffixJapanese : kSeamLayerSuffix;
  std::set<std::string> used = UsedIds(session->Doc());
  std::optional<std::vector<std::string>> setRows;
  const std::size_t failed = WorkPieces(*prepared, run, [&](const Piece& piece, PathOutcome& path) {
    if (std::optional<std::string> crossing = CrossingProblem(session->Doc(), piece.art)) {
      PathFailed(run, path, *crossing);
      return false;
    }
    const std::string resultLayer = LayerTitleOf(session->Doc(), piece.art) + std::string(suffix);
    const std::set<ArtId> before = ClosedPathSet(session->Doc(), resultLayer);
    CommandRun command = session->SelectOnly(piece.art);
    std::int32_t index = setIndex;
    if (command.played && index < 0) {
      // Selecting a path that carries a set adds it as the list's last row.
      const std::vector<std::string> names = session->PanelListItems(kSetListControl);
      const bool artHeld = !names.empty() && names.back().size() >= 2 && names.back().front() == '<' &&
                           names.back().back() == '>';
      if (artHeld) {
        index = static_cast<std::int32_t>(names.size()) - 1;
      } else {
        command.played = false;
        command.failure = "the module did not take the path's own command set";
      }
    }
    if (command.played) command = session->BatchApply(index);
    const ArtId result = command.played ? NewClosedPath(before, session->Doc(), resultLayer) : ArtId();
    if (result) {
      path.done = true;
      path.resultId = NameResult(session->Doc(), result, piece, "seam", used);
      path.messages = command.alerts;
      report << piece.label << ": seam allowance on layer \"" << resultLayer << "\"\n";
      return true;
    }
    PathFailed(run, path, Why(command), Messages(command));
    if (setIndex < 0 || command.alerts.empty()) return false;
    // A command of the set that names an anchor this path lacks is told by
    // number: the rows of the set, as the panel lists them, are read once.
    if (!setRows) {
      std::ostringstream ignored;
      session->SelectOnly(piece.art);
      const auto sets = ReadSetsThroughPanel(*session, ignored);
      setRows = sets && static_cast<std::size_t>(setIndex) < sets->size() ? (*sets)[setIndex].rows
                                                                            : std::vector<std::string>{};
      session->UseModuleTool(false);
    }
    const std::size_t anchors = session->Doc().SegmentCount(piece.art).value_or(0);
    if (std::optional<std::string> missing = MissingAnchor(command.alerts.front(), *setRows, anchors)) {
      PathFailed(run, path, *missing);
    }
    return false;
  });
  return Finish(*session, *prepared, run, failed);
}

// A margin that takes half the piece's narrowest extent or more leaves
// nothing inside it: a message saying so, or none when it fits.
std::optional<std::string> MarginTooLarge(const document::Document& doc, ArtId piece, double margin,
                                          const std::string& marginText, const ModuleSession& session) {
  const std::optional<document::Rect> bounds = doc.Bounds(piece);
  if (!bounds) return std::nullopt;
  const double narrowest = std::min(bounds->Width(), bounds->Height());
  if (2.0 * margin * session.PointsPerUnit() < narrowest) return std::nullopt;
  std::ostringstream why;
  why << "the margin of " << marginText << " " << session.UnitName() << " is too large for this piece: it is "
      << std::fixed << std::setprecision(1) << narrowest / session.PointsPerUnit() << " " << session.UnitName()
      << " across at its narrowest, so nothing would be left inside";
  return why.str();
}

int FinishLineFile(FileRun& run, const std::string& margin, double value) {
  std::optional<Prepared> prepared = Prepare(run, "-finish");
  if (!prepared) return kExitBadInput;
  std::ostream& report = *run.report;
  auto session = OpenSession(run, *prepared);
  if (!session) return kExitBadInput;

  std::set<std::string> used = UsedIds(session->Doc());
  const std::size_t failed = WorkPieces(*prepared, run, [&](const Piece& piece, PathOutcome& path) {
    if (std::optional<std::string> crossing = CrossingProblem(session->Doc(), piece.art)) {
      PathFailed(run, path, *crossing);
      return false;
    }
    const std::string resultLayer = LayerTitleOf(session->Doc(), piece.art) + std::string(kFinishLayerSuffix);
    const std::set<ArtId> before = ClosedPathSet(session->Doc(), resultLayer);
    if (std::optional<std::string> tooLarge = MarginTooLarge(session->Doc(), piece.art, value, margin, *session)) {
      PathFailed(run, path, *tooLarge);
      return false;
    }
    CommandRun command = session->SelectOnly(piece.art);
    if (command.played) command = session->CreateFinishLine(margin);
    const ArtId result = command.played ? NewClosedPath(before, session->Doc(), resultLayer) : ArtId();
    if (result) {
      path.done = true;
      path.resultId = NameResult(session->Doc(), result, piece, "finish", used);
      path.messages = command.alerts;
      report << piece.label << ": finish line on layer \"" << resultLayer << "\"\n";
      return true;
    }
    // The offset ran but left no line: the piece has no room for the margin.
    if (command.played && command.alerts.empty() && command.failure.empty()) {
      PathFailed(run, path,
                 "the margin of " + margin + " " + session->UnitName() +
                     " is too large for this piece: the inward offset left nothing");
    } else {
      PathFailed(run, path, Why(command), Messages(command));
    }
    return false;
  });
  return Finish(*session, *prepared, run, failed);
}

bool EndsInSlash(const fs::path& name) {
  const std::string text = name.string();
  return !text.empty() && text.back() == '/';
}

// Checks -o against the inputs and finds each input's output (none: beside
// it). False after saying what is wrong.
bool PlanOutputs(const ApplyRequest& request, const std::string& command, const std::string& suffix,
                 std::vector<std::optional<fs::path>>& outputs, std::ostream& err) {
  const auto refuse = [&](const std::string& problem) {
    err << "quorvane " << command << ": " << problem << "\n";
    return false;
  };
  const bool toStandardOutput = request.output && request.output->string() == "-";
  if (request.json && toStandardOutput) {
    return refuse("--json writes its report to standard output, so -o - cannot write the document there");
  }
  const bool folder = request.output && (request.inputs.size() > 1 || EndsInSlash(*request.output));
  if (request.output && !folder) {
    if (std::optional<std::string> problem = OutputProblem(*request.output)) return refuse(*problem);
  }
  if (folder) {
    const std::string named = request.output->string();
    if (toStandardOutput) {
      return refuse("-o - writes one document; with several input files -o names the folder the outputs go into");
    }
    std::error_code ec;
    const bool exists = fs::exists(*request.output, ec);
    if (exists && !fs::is_directory(*request.output, ec)) {
      return refuse(named + ": is not a folder; with several input files, or a name ending in /, -o names the "
                            "folder the outputs go into");
    }
    if (!exists && !EndsInSlash(*request.output)) {
      return refuse(named + ": no such folder; with several input files -o names an existing folder, or one to "
                            "create when the name ends in /");
    }
  }
  std::map<fs::path, fs::path> inputOf;
  for (const fs::path& input : request.inputs) {
    std::optional<fs::path> output = request.output;
    if (folder) output = *request.output / OutputBeside(input, suffix).filename();
    const fs::path file = output.value_or(OutputBeside(input, suffix));
    std::error_code ec;
    const fs::path key = fs::absolute(file, ec).lexically_normal();
    if (request.inputs.size() > 1 && !inputOf.emplace(key, input).second) {
      return refuse(inputOf[key].string() + " and " + input.string() + " would both be written to " + file.string());
    }
    outputs.push_back(std::move(output));
  }
  std::error_code ec;
  if (folder && !fs::exists(*request.output, ec) && !fs::create_directories(*request.output, ec) && ec) {
    return refuse(request.output->string() + ": the folder cannot be made: " + ec.message());
  }
  return true;
}

void WriteJson(const std::string& command, int status, const std::vector<FileOutcome>& files, std::ostream& out) {
  JsonWriter w;
  w.BeginObject();
  w.Key("command");
  w.String(command);
  w.Key("status");
  w.Int(status);
  w.Key("files");
  w.BeginArray();
  for (const FileOutcome& file : files) {
    w.BeginObject();
    w.Key("input");
    w.String(file.input);
    w.Key("output");
    w.StringOrNull(file.output);
    w.Key("status");
    w.Int(file.status);
    w.Key("seconds");
    w.Number(file.seconds);
    w.Key("errors");
    w.BeginArray();
    std::istringstream lines(file.errors);
    for (std::string line; std::getline(lines, line);) w.String(line);
    w.EndArray();
    w.Key("paths");
    w.BeginArray();
    for (const PathOutcome& path : file.paths) {
      w.BeginObject();
      w.Key("id");
      w.String(path.label);
      w.Key("done");
      w.Bool(path.done);
      w.Key("result");
      w.StringOrNull(path.resultId);
      w.Key("inside");
      w.StringOrNull(path.inside);
      w.Key("messages");
      w.BeginArray();
      for (const std::string& message : path.messages) w.String(message);
      w.EndArray();
      w.Key("seconds");
      w.Number(path.seconds);
      w.EndObject();
    }
    w.EndArray();
    w.Key("skipped");
    w.BeginArray();
    for (const Passed& passed : file.passed) {
      w.BeginObject();
      w.Key("id");
      w.String(passed.label);
      w.Key("why");
      w.String(passed.why);
      w.EndObject();
    }
    w.EndArray();
    w.EndObject();
  }
  w.EndArray();
  w.EndObject();
  out << w.Text() << "\n";
}

// Works every input file with `work`, one after another, each with a
// module of its own, so that a file's results are those of a run on it
// alone. Returns the worst exit status.
template <typename Work>
int RunFiles(const ApplyRequest& request, const std::string& command, const std::string& suffix, Work work,
             std::ostream& out, std::ostream& err) {
  std::vector<std::optional<fs::path>> outputs;
  if (!PlanOutputs(request, command, suffix, outputs, err)) return kExitBadInput;
  std::ostream nowhere(nullptr);
  std::vector<FileOutcome> outcomes;
  int worst = kExitDone;
  for (std::size_t i = 0; i < request.inputs.size(); ++i) {
    if (request.progress && request.inputs.size() > 1) {
      err << "quorvane " << command << ": [" << i + 1 << "/" << request.inputs.size() << "] "
          << request.inputs[i].string() << "\n";
    }
    TeeBuffer tee(err);
    std::ostream fileErr(&tee);
    FileRun run{request, command, request.inputs[i], outputs[i], out, fileErr,
                request.json || request.quiet ? &nowhere : &out, {}};
    run.outcome.input = request.inputs[i].string();
    const auto start = std::chrono::steady_clock::now();
    run.outcome.status = work(run);
    run.outcome.seconds = SecondsSince(start);
    run.outcome.errors = tee.Copy();
    worst = std::max(worst, run.outcome.status);
    if (request.json) outcomes.push_back(std::move(run.outcome));
  }
  if (request.json) WriteJson(command, worst, outcomes, out);
  return worst;
}

}  // namespace

fs::path OutputBeside(const fs::path& input, const std::string& suffix) {
  return input.parent_path() / (input.stem().string() + suffix + ".svg");
}

int RunApply(const ApplyRequest& request, std::ostream& out, std::ostream& err) {
  return RunFiles(request, "apply", "-seam", ApplyFile, out, err);
}

int RunFinishLine(const ApplyRequest& request, const std::string& margin, std::ostream& out, std::ostream& err) {
  double value = 0.0;
  const auto [end, ec] = std::from_chars(margin.data(), margin.data() + margin.size(), value);
  if (ec != std::errc() || end != margin.data() + margin.size() || !(value > 0.0) || value > 1e300) {
    err << "quorvane finish-line: the margin must be a number above 0, not \"" << margin << "\"\n";
    return kExitBadInput;
  }
  return RunFiles(
      request, "finish-line", "-finish", [&](FileRun& run) { return FinishLineFile(run, margin, value); }, out, err);
}

}  // namespace workbench::cli
