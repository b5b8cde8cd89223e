// The `quorvane` command line: parses arguments and hands each subcommand to
// its own function.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  CLI::App app{"Quorvane: seam allowances for sewing pattern pieces"};
  app.require_subcommand(1);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }
  return 0;
}
