#include "workbench/cli/output_commands.h"

#include <CLI/CLI.hpp>

#include <string>

#include "workbench/fabric/fabric_commands.h"

namespace workbench::cli {

namespace {

using fabric::OutputRequest;

class Commands final : public OutputCommands {
 public:
  explicit Commands(CLI::App& app) {
    print_ = app.add_subcommand("print", "Print the pieces at 1:1 as a tiled PDF");
    print_->footer(fabric::kPrintDescription);
    Common(print_, printRequest_, "output PDF (default: IN's name with .pdf beside it)");
    print_->add_option("--paper", paper_, "a4, letter, a3, tabloid, a0, WxHmm, or a roll width Wmm")
        ->capture_default_str();
    print_->add_option("--margin", margin_, "unprinted margin of each page, mm")->capture_default_str();
    print_->add_option("--overlap", overlap_, "drawing shared by neighbouring pages, mm")->capture_default_str();

    export_ = app.add_subcommand("export", "Export the pieces as PNG or DXF-AAMA");
    export_->footer(fabric::kExportDescription);
    Common(export_, exportRequest_, "output file (default: IN's name with .png or .dxf beside it)");
    CLI::Option* png = export_->add_flag("--png", png_, "a PNG picture at --dpi");
    CLI::Option* dxf = export_->add_flag("--dxf-aama", dxf_, "a DXF-AAMA file for cutting-room systems");
    png->excludes(dxf);
    export_->add_option("--dpi", dpi_, "resolution of the PNG, dots per inch")->capture_default_str();

    notches_ = app.add_subcommand("notches", "Carry notches to the cut line of the seam allowance");
    notches_->footer(fabric::kNotchesDescription);
    Common(notches_, notchesRequest_, "output SVG (default: IN's name with -notched beside it)");
  }

  bool Chosen() const override { return *print_ || *export_ || *notches_; }

  int Run(std::ostream& out, std::ostream& err) const override {
    if (*print_) return fabric::RunPrint(Finished(printRequest_), paper_, margin_, overlap_, out, err);
    if (*notches_) return fabric::RunNotches(Finished(notchesRequest_), out, err);
    if (png_) return fabric::RunExportPng(Finished(exportRequest_), dpi_, out, err);
    if (dxf_) return fabric::RunExportDxf(Finished(exportRequest_), out, err);
    err << "quorvane export: choose --png or --dxf-aama\n";
    return fabric::kOutputBadInput;
  }

 private:
  struct Options {
    std::string input;
    std::string output;
    std::string settings;
    std::string notch;
  };

  static void Common(CLI::App* command, Options& options, const char* outputHelp) {
    command->add_option("IN", options.input, "SVG document with the pieces")->required();
    command->add_option("-o,--output", options.output, outputHelp);
    command->add_option("--settings", options.settings,
                        "print settings file (default: ~/.config/quorvane-workbench/print.ini)");
    command->add_option("--notch", options.notch, "notch shape: slit, t or v (default: the print settings')");
  }

  static OutputRequest Finished(const Options& options) {
    OutputRequest request;
    request.input = options.input;
    if (!options.output.empty()) request.output = options.output;
    if (!options.settings.empty()) request.settings = options.settings;
    if (!options.notch.empty()) request.notch = options.notch;
    return request;
  }

  CLI::App* print_ = nullptr;
  CLI::App* export_ = nullptr;
  CLI::App* notches_ = nullptr;
  Options printRequest_, exportRequest_, notchesRequest_;
  std::string paper_ = "a4";
  double margin_ = 10.0;
  double overlap_ = 10.0;
  bool png_ = false;
  bool dxf_ = false;
  int dpi_ = 300;
};

}  // namespace

std::unique_ptr<OutputCommands> AddOutputCommands(CLI::App& app) { return std::make_unique<Commands>(app); }

}  // namespace workbench::cli
