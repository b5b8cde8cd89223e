// The `quorvane` command line: parses arguments and hands each subcommand to
// its own function.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <string>

#include "workbench/cli/apply_command.h"
#include "workbench/cli/arguments.h"
#include "workbench/cli/demo_command.h"
#include "workbench/cli/info.h"
#include "workbench/cli/output_commands.h"
#include "workbench/cli/sets_command.h"
#include "workbench/cli/signal_cleanup.h"

namespace {

using workbench::cli::SessionOptions;

// Options of every subcommand that runs the module.
void AddSessionOptions(CLI::App* command, SessionOptions& options, std::string& prefs, std::string& module) {
  command->add_option("--prefs", prefs,
                      "preferences folder the module reads and writes its settings and list file in (default: a "
                      "temporary folder seeded from ~/.config/quorvane, removed afterwards)");
  command->add_option("--module", module, "the module's file (default: ../plugins/quorvane.so beside this program)");
  command->add_option("--host-version", options.hostVersion, "the host's major version the module is told")
      ->capture_default_str();
  command->add_option("--unit", options.unit, "unit of widths and margins, written into the settings file")
      ->check(CLI::IsMember({"mm", "cm", "in"}));
  command->add_option("--language", options.language, "language of the module's texts, written into the settings file")
      ->check(CLI::IsMember({"en", "ja"}));
}

void Finish(SessionOptions& options, const std::string& prefs, const std::string& module, const std::string& list) {
  if (!prefs.empty()) options.preferences = prefs;
  if (!module.empty()) options.modulePath = module;
  if (!list.empty()) options.listFile = list;
}

}  // namespace

int main(int argc, char** argv) {
  workbench::cli::InstallSignalCleanup();
  CLI::App app{"Quorvane: seam allowances for sewing pattern pieces"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("quorvane ") + QUORVANE_VERSION);

  std::string infoFile;
  bool infoJson = false;
  CLI::App* info = app.add_subcommand("info", "List the layers and paths of an SVG file");
  info->footer(workbench::cli::kInfoDescription);
  info->add_option("FILE", infoFile, "SVG document to read")->required();
  info->add_flag("--json", infoJson, "print one JSON document instead of text");

  SessionOptions options;
  std::string prefs, module, list, input, output, set, margin, demoFolder = "quorvane-demo";
  std::string samples = workbench::cli::SamplesFolder().string();
  std::vector<std::string> paths;
  bool json = false;

  CLI::App* apply = app.add_subcommand("apply", "Apply a command set to the closed paths of an SVG file");
  apply->footer(workbench::cli::kApplyDescription);
  apply->add_option("IN", input, "SVG document with the pattern pieces")->required();
  apply->add_option("-o,--output", output,
                    "output SVG, written through symbolic links and keeping the file's permissions; - for "
                    "standard output (default: IN's name with -seam beside it)");
  apply->add_option("--set", set, "name of the command set (default: each path's own set)");
  apply->add_option("--list", list, "list file to read the command sets from");
  apply->add_option("--path", paths, "SVG id of a closed path to apply to; may repeat");
  AddSessionOptions(apply, options, prefs, module);

  CLI::App* finishLine = app.add_subcommand("finish-line", "Make the finish lines of closed cut lines");
  finishLine->footer(workbench::cli::kFinishLineDescription);
  finishLine->add_option("IN", input, "SVG document with the cut lines")->required();
  finishLine->add_option("--margin", margin, "seam margin to take off, in the unit of the settings")->required();
  finishLine->add_option("-o,--output", output,
                         "output SVG, written as for apply; - for standard output (default: IN's name with "
                         "-finish beside it)");
  finishLine->add_option("--path", paths, "SVG id of a closed path; may repeat (default: every closed path)");
  AddSessionOptions(finishLine, options, prefs, module);

  CLI::App* sets = app.add_subcommand("sets", "List the command sets of a list file as the panel shows them");
  sets->footer(workbench::cli::kSetsDescription);
  sets->add_option("--list", list, "list file to read (default: the one of the preferences folder)");
  sets->add_flag("--json", json, "print one JSON document instead of text");
  AddSessionOptions(sets, options, prefs, module);

  CLI::App* demo = app.add_subcommand("demo", "Apply a set of every command kind to the bundled sample piece");
  demo->footer(workbench::cli::kDemoDescription);
  demo->add_option("-o,--output", demoFolder, "folder for the pictures")->capture_default_str();
  demo->add_option("--samples", samples, "folder of the bundled samples")->capture_default_str();
  AddSessionOptions(demo, options, prefs, module);

  const std::unique_ptr<workbench::cli::OutputCommands> outputs = workbench::cli::AddOutputCommands(app);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // The first word names no subcommand: say which there are.
    const bool noSubcommand = app.get_subcommands().empty() && e.get_exit_code() != 0;
    if (noSubcommand && argc > 1 && argv[1][0] != '-') {
      std::cerr << "quorvane: unknown subcommand \"" << argv[1] << "\"; the subcommands are "
                << workbench::cli::SubcommandList() << " (quorvane --help tells more)\n";
      return 2;
    }
    if (noSubcommand && argc == 1) {
      std::cerr << "quorvane: name a subcommand: " << workbench::cli::SubcommandList()
                << " (quorvane --help tells more)\n";
      return 2;
    }
    const int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }
  Finish(options, prefs, module, list);
  // The input must be SVG and the output no folder, before any work starts.
  const std::string command = app.get_subcommands().front()->get_name();
  for (const std::string& file : {infoFile, input}) {
    if (file.empty()) continue;
    if (std::optional<std::string> problem = workbench::cli::NotSvg(file)) {
      std::cerr << "quorvane " << command << ": " << *problem << "\n";
      return 2;
    }
  }
  if (!output.empty() && (*apply || *finishLine)) {
    if (std::optional<std::string> problem = workbench::cli::OutputProblem(output)) {
      std::cerr << "quorvane " << command << ": " << *problem << "\n";
      return 2;
    }
  }
  if (outputs->Chosen()) return outputs->Run(std::cout, std::cerr);
  if (*info) return workbench::cli::RunInfo(infoFile, infoJson, std::cout, std::cerr);
  if (*sets) return workbench::cli::RunSets(options, json, std::cout, std::cerr);
  if (*demo) return workbench::cli::RunDemo(samples, demoFolder, options, std::cout, std::cerr);

  workbench::cli::ApplyRequest request;
  request.input = input;
  if (!output.empty()) request.output = output;
  if (*apply && apply->count("--set") != 0) request.set = set;
  request.paths = paths;
  request.session = options;
  if (*apply) return workbench::cli::RunApply(request, std::cout, std::cerr);
  if (*finishLine) return workbench::cli::RunFinishLine(request, margin, std::cout, std::cerr);
  return 0;
}
