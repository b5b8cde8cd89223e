#include "workbench/cli/apply_command.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <iomanip>
#include <ostream>
#include <set>
#include <sstream>
#include <system_error>

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

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  return fs::absolute(a, ec).lexically_normal() == fs::absolute(b, ec).lexically_normal();
}

// Reads the input and finds the pieces to work on. None after reporting
// bad input on `err`.
std::optional<Prepared> Prepare(const ApplyRequest& request, const std::string& command, const std::string& suffix,
                                std::ostream& err) {
  auto read = svg::ReadSvgFile(request.input);
  if (!read) {
    err << "quorvane " << command << ": " << read.error().ToString() << "\n";
    return std::nullopt;
  }
  std::string problem;
  std::optional<OutputTarget> output = ResolveOutput(request.output.value_or(OutputBeside(request.input, suffix)), &problem);
  if (!output) {
    err << "quorvane " << command << ": " << problem << "\n";
    return std::nullopt;
  }
  Prepared prepared{std::move(read.value()), {}, std::move(*output)};
  if (!prepared.output.standardOutput && SameFile(prepared.output.file, request.input)) {
    err << "quorvane " << command << ": " << prepared.output.file.string() << ": the output would replace the input\n";
    return std::nullopt;
  }
  const std::string file = request.input.string();
  if (request.paths.empty()) {
    prepared.pieces = ClosedPieces(prepared.doc);
    if (prepared.pieces.empty()) {
      err << "quorvane " << command << ": " << file << ": no closed path outside the module's layers\n";
      return std::nullopt;
    }
    return prepared;
  }
  std::set<std::string> seen;
  for (const std::string& id : request.paths) {
    if (!seen.insert(id).second) continue;
    const ArtId art = FindById(prepared.doc, id);
    if (!art) {
      err << "quorvane " << command << ": " << file << ": no path with id \"" << id << "\"\n";
      return std::nullopt;
    }
    const document::Art& found = *prepared.doc.FindArt(art);
    if (found.type != document::ArtType::kPath || !found.closed) {
      err << "quorvane " << command << ": " << file << ": \"" << id << "\" is not a closed path\n";
      return std::nullopt;
    }
    if (IsLocked(prepared.doc, art)) {
      err << "quorvane " << command << ": " << file << ": \"" << id << "\" is locked\n";
      return std::nullopt;
    }
    prepared.pieces.push_back({art, id});
  }
  return prepared;
}

std::set<ArtId> ClosedPathSet(const document::Document& doc, const std::string& layerTitle) {
  const std::vector<ArtId> paths = ClosedPathsOnLayer(doc, layerTitle);
  return {paths.begin(), paths.end()};
}

// Whether `run` added a closed path to the layer titled `layerTitle`.
bool AddedClosedPath(const std::set<ArtId>& before, const document::Document& doc, const std::string& layerTitle) {
  for (ArtId path : ClosedPathsOnLayer(doc, layerTitle)) {
    if (before.count(path) == 0) return true;
  }
  return false;
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

// Reports go to standard error when the document goes to standard output.
std::ostream& ReportStream(const Prepared& prepared, std::ostream& out, std::ostream& err) {
  return prepared.output.standardOutput ? err : out;
}

int Finish(ModuleSession& session, const Prepared& prepared, const std::string& command, std::size_t failed,
           std::ostream& out, std::ostream& err) {
  // The module saves its settings as it shuts down; an alert then says that
  // failed.
  const CommandRun shutdown = session.Close();
  RemoveWorkLayers(session.Doc());
  if (auto problem = WriteOutput(prepared.output, svg::WriteSvgString(session.Doc()), out)) {
    err << "quorvane " << command << ": " << *problem << "\n";
    return kExitBadInput;
  }
  const std::string where = prepared.output.standardOutput ? "standard output" : prepared.output.file.string();
  ReportStream(prepared, out, err) << "wrote " << where << " (" << prepared.pieces.size() - failed << " of "
                                   << prepared.pieces.size() << " path(s) done)\n";
  if (!shutdown.alerts.empty() || !shutdown.failure.empty()) {
    err << "quorvane " << command << ": the module's settings were not saved: " << Why(shutdown) << "\n";
    return kExitSomeFailed;
  }
  return failed == 0 ? kExitDone : kExitSomeFailed;
}

std::unique_ptr<ModuleSession> OpenSession(const ApplyRequest& request, Prepared& prepared,
                                           const std::string& command, std::ostream& err) {
  std::string error;
  auto session = ModuleSession::Open(request.session, std::move(prepared.doc), err, &error);
  if (!session) {
    err << "quorvane " << command << ": " << error << "\n";
    return session;
  }
  // Each path's line names the module's alerts; they are not printed twice.
  session->PrintAlertsOfRuns(false);
  return session;
}

}  // namespace

fs::path OutputBeside(const fs::path& input, const std::string& suffix) {
  return input.parent_path() / (input.stem().string() + suffix + ".svg");
}

int RunApply(const ApplyRequest& request, std::ostream& out, std::ostream& err) {
  const std::string command = "apply";
  std::optional<Prepared> prepared = Prepare(request, command, "-seam", err);
  if (!prepared) return kExitBadInput;
  std::ostream& report = ReportStream(*prepared, out, err);
  const std::string file = request.input.string();
  if (!request.set) {
    for (const Piece& piece : prepared->pieces) {
      if (!prepared->doc.GetTag(piece.art, "TREVASK_001")) {
        err << "quorvane apply: " << file << ": path \"" << piece.label
            << "\" carries no command set; name one with --set\n";
        return kExitBadInput;
      }
    }
  }
  for (const Piece& piece : prepared->pieces) MakePositive(prepared->doc, piece.art);

  auto session = OpenSession(request, *prepared, command, err);
  if (!session) return kExitBadInput;
  std::int32_t setIndex = -1;
  if (request.set) {
    const std::vector<std::string> names = session->PanelListItems(kSetListControl);
    const auto found = std::find(names.begin(), names.end(), *request.set);
    if (found == names.end()) {
      err << "quorvane apply: no command set \"" << *request.set << "\" in " << ListFileShown(request.session);
      if (names.empty()) err << ", which holds no sets";
      for (std::size_t i = 0; i < names.size(); ++i) err << (i == 0 ? "; its sets are " : ", ") << '"' << names[i] << '"';
      err << "\n";
      return kExitBadInput;
    }
    setIndex = static_cast<std::int32_t>(found - names.begin());
  }

  const std::string_view suffix = session->JapaneseTexts() ? kSeamLayerSuffixJapanese : kSeamLayerSuffix;
  std::size_t failed = 0;
  std::optional<std::vector<std::string>> setRows;
  for (const Piece& piece : prepared->pieces) {
    if (std::optional<std::string> crossing = CrossingProblem(session->Doc(), piece.art)) {
      ++failed;
      err << "quorvane apply: " << file << ": path \"" << piece.label << "\": " << *crossing << "\n";
      continue;
    }
    const std::string resultLayer = LayerTitleOf(session->Doc(), piece.art) + std::string(suffix);
    const std::set<ArtId> before = ClosedPathSet(session->Doc(), resultLayer);
    CommandRun run = session->SelectOnly(piece.art);
    std::int32_t index = setIndex;
    if (run.played && index < 0) {
      // Selecting a path that carries a set adds it as the list's last row.
      const std::vector<std::string> names = session->PanelListItems(kSetListControl);
      const bool artHeld = !names.empty() && names.back().size() >= 2 && names.back().front() == '<' &&
                           names.back().back() == '>';
      if (artHeld) {
        index = static_cast<std::int32_t>(names.size()) - 1;
      } else {
        run.played = false;
        run.failure = "the module did not take the path's own command set";
      }
    }
    if (run.played) run = session->BatchApply(index);
    if (run.played && AddedClosedPath(before, session->Doc(), resultLayer)) {
      report << piece.label << ": seam allowance on layer \"" << resultLayer << "\"\n";
      continue;
    }
    ++failed;
    err << "quorvane apply: " << file << ": path \"" << piece.label << "\": " << Why(run) << "\n";
    if (setIndex < 0 || run.alerts.empty()) continue;
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
    if (std::optional<std::string> missing = MissingAnchor(run.alerts.front(), *setRows, anchors)) {
      err << "quorvane apply: " << file << ": path \"" << piece.label << "\": " << *missing << "\n";
    }
  }
  return Finish(*session, *prepared, command, failed, out, err);
}

namespace {

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

}  // namespace

int RunFinishLine(const ApplyRequest& request, const std::string& margin, std::ostream& out, std::ostream& err) {
  const std::string command = "finish-line";
  double value = 0.0;
  const auto [end, ec] = std::from_chars(margin.data(), margin.data() + margin.size(), value);
  if (ec != std::errc() || end != margin.data() + margin.size() || !(value > 0.0) || value > 1e300) {
    err << "quorvane finish-line: the margin must be a number above 0, not \"" << margin << "\"\n";
    return kExitBadInput;
  }
  std::optional<Prepared> prepared = Prepare(request, command, "-finish", err);
  if (!prepared) return kExitBadInput;
  std::ostream& report = ReportStream(*prepared, out, err);
  auto session = OpenSession(request, *prepared, command, err);
  if (!session) return kExitBadInput;

  std::size_t failed = 0;
  for (const Piece& piece : prepared->pieces) {
    if (std::optional<std::string> crossing = CrossingProblem(session->Doc(), piece.art)) {
      ++failed;
      err << "quorvane finish-line: " << request.input.string() << ": path \"" << piece.label << "\": " << *crossing
          << "\n";
      continue;
    }
    const std::string resultLayer = LayerTitleOf(session->Doc(), piece.art) + std::string(kFinishLayerSuffix);
    const std::set<ArtId> before = ClosedPathSet(session->Doc(), resultLayer);
    if (std::optional<std::string> tooLarge = MarginTooLarge(session->Doc(), piece.art, value, margin, *session)) {
      ++failed;
      err << "quorvane finish-line: " << request.input.string() << ": path \"" << piece.label << "\": " << *tooLarge
          << "\n";
      continue;
    }
    CommandRun run = session->SelectOnly(piece.art);
    if (run.played) run = session->CreateFinishLine(margin);
    if (run.played && AddedClosedPath(before, session->Doc(), resultLayer)) {
      report << piece.label << ": finish line on layer \"" << resultLayer << "\"\n";
      continue;
    }
    ++failed;
    // The offset ran but left no line: the piece has no room for the margin.
    const bool nothingLeft = run.played && run.alerts.empty() && run.failure.empty();
    err << "quorvane finish-line: " << request.input.string() << ": path \"" << piece.label << "\": "
        << (nothingLeft ? "the margin of " + margin + " " + session->UnitName() +
                              " is too large for this piece: the inward offset left nothing"
                        : Why(run))
        << "\n";
  }
  return Finish(*session, *prepared, command, failed, out, err);
}

}  // namespace workbench::cli
