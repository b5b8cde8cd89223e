#include "workbench/cli/apply_command.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <set>
#include <system_error>

#include "workbench/cli/pieces.h"
#include "workbench/svg/svg_io.h"

namespace workbench::cli {

namespace fs = std::filesystem;
using document::ArtId;

namespace {

struct Prepared {
  document::Document doc;
  std::vector<Piece> pieces;
  fs::path output;
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
  Prepared prepared{std::move(read.value()), {}, request.output.value_or(OutputBeside(request.input, suffix))};
  if (SameFile(prepared.output, request.input)) {
    err << "quorvane " << command << ": " << prepared.output.string() << ": the output would replace the input\n";
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

// "why" of a piece that got no result: the module's messages, else what
// stopped the host.
std::string Why(const CommandRun& run) {
  std::string why;
  for (const std::string& alert : run.alerts) why += (why.empty() ? "" : "; ") + alert;
  if (!run.failure.empty()) why += (why.empty() ? "" : "; ") + run.failure;
  return why.empty() ? "the module made no result" : why;
}

int Finish(ModuleSession& session, const Prepared& prepared, const std::string& command, std::size_t failed,
           std::ostream& out, std::ostream& err) {
  session.Close();
  RemoveWorkLayers(session.Doc());
  auto written = svg::WriteSvgFile(session.Doc(), prepared.output);
  if (!written) {
    err << "quorvane " << command << ": " << written.error().ToString() << "\n";
    return kExitBadInput;
  }
  out << "wrote " << prepared.output.string() << " (" << prepared.pieces.size() - failed << " of "
      << prepared.pieces.size() << " path(s) done)\n";
  return failed == 0 ? kExitDone : kExitSomeFailed;
}

std::unique_ptr<ModuleSession> OpenSession(const ApplyRequest& request, Prepared& prepared,
                                           const std::string& command, std::ostream& err) {
  std::string error;
  auto session = ModuleSession::Open(request.session, std::move(prepared.doc), err, &error);
  if (!session) err << "quorvane " << command << ": " << error << "\n";
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
      err << "quorvane apply: no command set \"" << *request.set << "\" in the list file";
      if (request.session.listFile) err << " " << request.session.listFile->string();
      err << " (" << names.size() << " set(s))\n";
      return kExitBadInput;
    }
    setIndex = static_cast<std::int32_t>(found - names.begin());
  }

  const std::string_view suffix = session->Japanese() ? kSeamLayerSuffixJapanese : kSeamLayerSuffix;
  std::size_t failed = 0;
  for (const Piece& piece : prepared->pieces) {
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
      out << piece.label << ": seam allowance on layer \"" << resultLayer << "\"\n";
      continue;
    }
    ++failed;
    err << "quorvane apply: " << file << ": path \"" << piece.label << "\": " << Why(run) << "\n";
  }
  return Finish(*session, *prepared, command, failed, out, err);
}

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
  auto session = OpenSession(request, *prepared, command, err);
  if (!session) return kExitBadInput;

  std::size_t failed = 0;
  for (const Piece& piece : prepared->pieces) {
    const std::string resultLayer = LayerTitleOf(session->Doc(), piece.art) + std::string(kFinishLayerSuffix);
    const std::set<ArtId> before = ClosedPathSet(session->Doc(), resultLayer);
    CommandRun run = session->SelectOnly(piece.art);
    if (run.played) run = session->CreateFinishLine(margin);
    if (run.played && AddedClosedPath(before, session->Doc(), resultLayer)) {
      out << piece.label << ": finish line on layer \"" << resultLayer << "\"\n";
      continue;
    }
    ++failed;
    err << "quorvane finish-line: " << request.input.string() << ": path \"" << piece.label << "\": " << Why(run)
        << "\n";
  }
  return Finish(*session, *prepared, command, failed, out, err);
}

}  // namespace workbench::cli
