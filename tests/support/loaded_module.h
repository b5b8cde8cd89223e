// A test fixture with the real module loaded by a workbench host over a real
// document and a fresh preferences folder, as the desktop app and the
// command line load it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "quorvane/host/plugin_globals.h"
#include "workbench/document/document.h"
#include "workbench/plugin/host.h"
#include "workbench/plugin/plugin_module.h"

namespace quorvane::testing {

/// Where the build puts the module.
inline constexpr const char* kModulePath = QUORVANE_BUILD_DIR "/plugins/quorvane.so";

class LoadedModuleTest : public ::testing::Test {
 protected:
  LoadedModuleTest();
  ~LoadedModuleTest() override;

  /// Loads the module and sends it start-up; fails the test otherwise.
  void LoadAndStart();
  host::PluginGlobals* Globals() const { return static_cast<host::PluginGlobals*>(module_->Globals()); }
  /// A closed square of `size` points with its lower left corner at (x, 0),
  /// on the test's layer, listed clockwise (y up).
  workbench::document::ArtId Square(double x, double size);

  std::filesystem::path prefs_;
  workbench::document::Document doc_;
  workbench::plugin::Host host_;
  workbench::document::LayerId layer_;
  std::unique_ptr<workbench::plugin::PluginModule> module_;
};

}  // namespace quorvane::testing
