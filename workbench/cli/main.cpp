// The `quorvane` command line: parses arguments and hands each subcommand to
// its own function.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <string>

#include "workbench/cli/info.h"

int main(int argc, char** argv) {
  CLI::App app{"Quorvane: seam allowances for sewing pattern pieces"};
  app.require_subcommand(1);

  std::string infoFile;
  bool infoJson = false;
  CLI::App* info = app.add_subcommand("info", workbench::cli::kInfoDescription);
  info->add_option("FILE", infoFile, "SVG document to read")->required();
  info->add_flag("--json", infoJson, "print one JSON document instead of text");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }
  if (*info) return workbench::cli::RunInfo(infoFile, infoJson, std::cout, std::cerr);
  return 0;
}
