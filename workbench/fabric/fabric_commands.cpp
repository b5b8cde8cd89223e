#include "workbench/fabric/fabric_commands.h"

#include <ostream>
#include <system_error>

#include "workbench/fabric/dxf_aama.h"
#include "workbench/fabric/fabric_pieces.h"
#include "workbench/fabric/png_export.h"
#include "workbench/fabric/tiled_pdf.h"
#include "workbench/svg/svg_io.h"

namespace workbench::fabric {

namespace fs = std::filesystem;

namespace {

struct Loaded {
  document::Document doc;
  LineConventions conventions;
  fs::path output;
};

// Whether both name one file, existing or not (through links and "..").
bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

// Reads the settings and the document; none after reporting on `err`.
std::optional<Loaded> Load(const OutputRequest& request, const std::string& command, const std::string& beside,
                           std::ostream& err) {
  const std::string prefix = "quorvane " + command + ": ";
  auto conventions = ReadLineConventions(request.settings.value_or(DefaultPrintSettingsFile()));
  if (!conventions) {
    err << prefix << conventions.error().ToString() << "\n";
    return std::nullopt;
  }
  if (request.notch) {
    const std::optional<NotchKind> kind = ParseNotchKind(*request.notch);
    if (!kind) {
      err << prefix << "--notch must be slit, t or v, not \"" << *request.notch << "\"\n";
      return std::nullopt;
    }
    conventions.value().notch = *kind;
  }
  auto read = svg::ReadSvgFile(request.input);
  if (!read) {
    err << prefix << read.error().ToString() << "\n";
    return std::nullopt;
  }
  fs::path output = request.output.value_or(request.input.parent_path() / (request.input.stem().string() + beside));
  if (SameFile(output, request.input)) {
    err << prefix << output.string() << ": the output would replace the input\n";
    return std::nullopt;
  }
  return Loaded{std::move(read.value()), conventions.value(), std::move(output)};
}

struct Laid {
  Loaded loaded;
  FabricLayout layout;
};

// The document loaded and its pieces laid out, their reports on `err`;
// none (after saying so) on bad input or when the document has no piece.
std::optional<Laid> LoadPieces(const OutputRequest& request, const std::string& command, const std::string& beside,
                               std::ostream& err) {
  std::optional<Loaded> loaded = Load(request, command, beside, err);
  if (!loaded) return std::nullopt;
  FabricLayout layout = CollectPieces(loaded->doc, loaded->conventions);
  if (layout.pieces.empty()) {
    err << "quorvane " << command << ": " << request.input.string() << ": no closed path outside the module's layers\n";
    return std::nullopt;
  }
  for (const std::string& report : layout.reports) err << "quorvane " << command << ": " << report << "\n";
  return Laid{std::move(*loaded), std::move(layout)};
}

int Failed(const svg::Error& error, const std::string& command, std::ostream& err) {
  err << "quorvane " << command << ": " << error.ToString() << "\n";
  return kOutputBadInput;
}

}  // namespace

int RunPrint(const OutputRequest& request, const std::string& paper, double marginMm, double overlapMm,
             std::ostream& out, std::ostream& err) {
  const std::string command = "print";
  PrintOptions options;
  const std::optional<Paper> parsed = ParsePaper(paper);
  if (!parsed) {
    err << "quorvane print: --paper must be a4, letter, a3, tabloid, a0, WxHmm or a roll width Wmm, not \"" << paper
        << "\"\n";
    return kOutputBadInput;
  }
  options.paper = *parsed;
  options.marginMm = marginMm;
  options.overlapMm = overlapMm;
  options.title = request.input.filename().string();
  const std::optional<Laid> laid = LoadPieces(request, command, ".pdf", err);
  if (!laid) return kOutputBadInput;
  auto printed = PrintTiledPdf(laid->layout, laid->loaded.conventions, options, laid->loaded.output);
  if (!printed) return Failed(printed.error(), command, err);
  const TilePlan& plan = printed.value();
  out << "wrote " << laid->loaded.output.string() << " (" << plan.rows * plan.columns << " page(s), " << plan.rows
      << " row(s) of " << plan.columns << " on " << options.paper.name << ")\n";
  return kOutputDone;
}

int RunExportPng(const OutputRequest& request, int dpi, std::ostream& out, std::ostream& err) {
  const std::string command = "export";
  if (dpi < kMinDpi || dpi > kMaxDpi) {
    err << "quorvane export: --dpi must lie between " << kMinDpi << " and " << kMaxDpi << ", not " << dpi << "\n";
    return kOutputBadInput;
  }
  const std::optional<Laid> laid = LoadPieces(request, command, ".png", err);
  if (!laid) return kOutputBadInput;
  auto written = ExportPng(laid->layout, laid->loaded.conventions, dpi, laid->loaded.output);
  if (!written) return Failed(written.error(), command, err);
  out << "wrote " << laid->loaded.output.string() << " (" << written.value().width << " x " << written.value().height
      << " pixels at " << dpi << " dpi)\n";
  return kOutputDone;
}

int RunExportDxf(const OutputRequest& request, std::ostream& out, std::ostream& err) {
  const std::string command = "export";
  const std::optional<Laid> laid = LoadPieces(request, command, ".dxf", err);
  if (!laid) return kOutputBadInput;
  auto written = WriteDxfAama(laid->layout, request.input.stem().string(), laid->loaded.output);
  if (!written) return Failed(written.error(), command, err);
  out << "wrote " << laid->loaded.output.string() << " (" << laid->layout.pieces.size() << " piece(s))\n";
  return kOutputDone;
}

int RunNotches(const OutputRequest& request, std::ostream& out, std::ostream& err) {
  const std::string command = "notches";
  std::optional<Loaded> loaded = Load(request, command, "-notched.svg", err);
  if (!loaded) return kOutputBadInput;
  const FabricLayout layout = DrawNotchMarks(loaded->doc, loaded->conventions);
  for (const std::string& report : layout.reports) err << "quorvane notches: " << report << "\n";
  std::size_t carried = 0, kept = 0;
  for (const FabricPiece& piece : layout.pieces) {
    for (const PieceNotch& notch : piece.notches) (notch.place.carried ? carried : kept) += 1;
  }
  auto written = svg::WriteSvgFile(loaded->doc, loaded->output);
  if (!written) return Failed(written.error(), command, err);
  out << "wrote " << loaded->output.string() << " (" << carried << " notch(es) on the cut line, " << kept
      << " on the finish line)\n";
  return kOutputDone;
}

}  // namespace workbench::fabric
