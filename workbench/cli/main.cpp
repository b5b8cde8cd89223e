// The `quorvane` command line: parses arguments and hands each subcommand to
// its own function.
#include <CLI/CLI.hpp>

#include <unistd.h>

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

// What apply and finish-line share: the pieces to take and the reports.
struct BatchOptions {
  std::vector<std::string> inputs;
  std::string output;
  workbench::cli::PieceChoice choice;
  bool json = false;
  bool quiet = false;
};

void AddBatchOptions(CLI::App* command, BatchOptions& batch, const std::string& inputs, const std::string& suffix) {
  command->add_option("IN", batch.inputs, inputs)->required();
  command->add_option("-o,--output", batch.output,
                      "output SVG, written through symbolic links and keeping the file's permissions; - for standard "
                      "output (default: IN's name with " +
                          suffix +
                          " beside it). With several IN, or a name ending in /, a folder (created when it ends in /) "
                          "that gets each IN's output under that default name");
  // One value each time, so that an input file after them is not taken for
  // a name.
  command->add_option("--path", batch.choice.ids, "SVG id of a closed path to take; may repeat")
      ->allow_extra_args(false);
  command->add_option("--layer", batch.choice.layers,
                      "title of a layer whose closed paths to take; may repeat (with --path and --class: the "
                      "paths any of them names)")
      ->allow_extra_args(false);
  command->add_option("--class", batch.choice.classes,
                      "class of the paths to take (on the path or a group holding it); may repeat")
      ->allow_extra_args(false);
  command->add_flag("--json", batch.json,
                    "print one JSON document of what became of each file and path instead of the text report "
                    "(its fields are given below)");
  command->add_flag("-q,--quiet", batch.quiet,
                    "no progress lines and no report of the paths done or not taken; problems are still written to "
                    "standard error");
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
  std::string prefs, module, list, set, margin, demoFolder = "quorvane-demo";
  std::string samples = workbench::cli::SamplesFolder().string();
  BatchOptions batch;
  bool json = false;

  CLI::App* apply = app.add_subcommand("apply", "Apply a command set to the closed paths of SVG files");
  apply->footer(std::string(workbench::cli::kApplyDescription) + " " + workbench::cli::kJsonDescription);
  AddBatchOptions(apply, batch, "SVG documents with the pattern pieces, one or more", "-seam");
  apply->add_option("--set", set, "name of the command set (default: each path's own set)");
  apply->add_option("--list", list, "list file to read the command sets from");
  AddSessionOptions(apply, options, prefs, module);

  CLI::App* finishLine = app.add_subcommand("finish-line", "Make the finish lines of closed cut lines");
  finishLine->footer(std::string(workbench::cli::kFinishLineDescription) + " " + workbench::cli::kJsonDescription);
  AddBatchOptions(finishLine, batch, "SVG documents with the cut lines, one or more", "-finish");
  finishLine->add_option("--margin", margin, "seam margin to take off, in the unit of the settings")->required();
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
  if (!infoFile.empty()) {
    if (std::optional<std::string> problem = workbench::cli::NotSvg(infoFile)) {
      std::cerr << "quorvane " << command << ": " << *problem << "\n";
      return 2;
    }
  }
  if (outputs->Chosen()) return outputs->Run(std::cout, std::cerr);
  if (*info) return workbench::cli::RunInfo(infoFile, infoJson, std::cout, std::cerr);
  if (*sets) return workbench::cli::RunSets(options, json, std::cout, std::cerr);
  if (*demo) return workbench::cli::RunDemo(samples, demoFolder, options, std::cout, std::cerr);

  workbench::cli::ApplyRequest request;
  request.inputs.assign(batch.inputs.begin(), batch.inputs.end());
  if (!batch.output.empty()) request.output = batch.output;
  if (*apply && apply->count("--set") != 0) request.set = set;
  request.choice = batch.choice;
  request.session = options;
  request.json = batch.json;
  request.quiet = batch.quiet;
  // Progress lines are for a person watching a terminal, not for a log.
  request.progress = !batch.quiet && isatty(STDERR_FILENO) == 1;
  if (*apply) return workbench::cli::RunApply(request, std::cout, std::cerr);
  if (*finishLine) return workbench::cli::RunFinishLine(request, margin, std::cout, std::cerr);
  return 0;
}
