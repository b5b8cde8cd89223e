// The subcommands of the cutting outputs (print, export, notches): their
// options on the command line, and running the one chosen.
#pragma once

#include <iosfwd>
#include <memory>

namespace CLI {
class App;
}

namespace workbench::cli {

class OutputCommands {
 public:
  virtual ~OutputCommands() = default;
  /// Whether the parsed command line chose one of them.
  virtual bool Chosen() const = 0;
  /// Runs the chosen one; its exit status.
  virtual int Run(std::ostream& out, std::ostream& err) const = 0;
};

/// Adds print, export and notches to `app`; the result reads their options
/// once `app` has parsed the command line.
std::unique_ptr<OutputCommands> AddOutputCommands(CLI::App& app);

}  // namespace workbench::cli
