#include "support/loaded_module.h"

#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "sdk/errors.h"
#include "support/shared_data.h"

namespace quorvane::testing {

LoadedModuleTest::LoadedModuleTest()
    : prefs_(FreshTempPath("quorvane-module-prefs-")), host_(workbench::plugin::HostOptions{prefs_}) {
  std::filesystem::remove_all(prefs_);
  host_.SetDocument(&doc_);
  layer_ = doc_.InsertLayer("Layer 1");
}

LoadedModuleTest::~LoadedModuleTest() {
  // A module still started is shut down before it is let go, as the desktop
  // app and the command line do: its globals block (a host block, freed
  // with the host) holds the command sets' heap storage, which only the
  // module's shutdown releases.
  if (module_ && module_->IsLoaded() && module_->Globals() != nullptr) module_->Shutdown();
  module_.reset();
  std::error_code ec;
  std::filesystem::remove_all(prefs_, ec);
}

void LoadedModuleTest::LoadAndStart() {
  std::string error;
  module_ = workbench::plugin::PluginModule::Load(host_, kModulePath, &error);
  ASSERT_NE(module_, nullptr) << error;
  ASSERT_EQ(module_->Startup(), kQvNoErr) << host_.Prompts().LastFailure();
  ASSERT_NE(Globals(), nullptr);
}

workbench::document::ArtId LoadedModuleTest::Square(double x, double size) {
  std::vector<workbench::geometry::PathSegment> segments;
  for (auto [px, py] : {std::pair{x, 0.0}, {x, size}, {x + size, size}, {x + size, 0.0}}) {
    workbench::geometry::PathSegment s;
    s.anchor = s.in = s.out = workbench::geometry::Point{px, py};
    segments.push_back(s);
  }
  return doc_.NewPath(doc_.LayerGroup(layer_), segments, true);
}

}  // namespace quorvane::testing
