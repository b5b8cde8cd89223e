// What each fuzz target checks about one input, as functions that say what
// went wrong (empty when nothing did). The libFuzzer targets abort on a
// problem; the regression replay test, built with the normal compiler,
// runs every saved input through the same functions on every test run.
#pragma once

#include <string>
#include <string_view>

namespace quorvane::fuzz {

/// The list-file reader and loader: invariants, save, load again.
std::string CheckListFile(std::string_view bytes);
/// The art-tag carrier: cut and join give the text back; parsing never fails.
std::string CheckTagText(std::string_view bytes);
/// The settings reader: invariants, and a save that reads back stably.
std::string CheckSettings(std::string_view bytes);
/// The SVG reader: a document or an error with a line; an accepted document
/// saves to a file that reads back to the same layers, paths and tags.
std::string CheckSvg(std::string_view bytes);
/// The module end to end: a small path and a command set decoded from the
/// bytes, run by the driver on the headless host (see module_run_check.h).
std::string CheckModuleRun(std::string_view bytes);

/// The targets by name (the folder names under tests/fuzz/corpus/ and
/// tests/data/regressions/); none for an unknown name.
using Check = std::string (*)(std::string_view);
Check CheckByName(std::string_view target);

}  // namespace quorvane::fuzz
