#include "workbench/plugin/plugin_module.h"

#include <gtest/gtest.h>

#include "sdk/errors.h"
#include "workbench/plugin/host.h"

namespace workbench::plugin {
namespace {

// (The real module's unload for good and reload are the module's own
// start-up tests'.)
TEST(PluginModule, MissingFileOrEntryPointIsAnErrorAndTheGlobalsBlockSurvivesUnloadWhileFileStaticsDoNot) {
  Host host;
  std::string error;
  EXPECT_EQ(PluginModule::Load(host, "/nonexistent/module.so", &error), nullptr);
  EXPECT_NE(error.find("/nonexistent/module.so"), std::string::npos) << error;
  // libm is a real shared object without PluginMain.
  EXPECT_EQ(PluginModule::Load(host, "libm.so.6", &error), nullptr);
  EXPECT_NE(error.find("PluginMain"), std::string::npos) << error;

  auto module = PluginModule::Load(host, QUORVANE_TEST_MODULE, &error);
  ASSERT_NE(module, nullptr) << error;
  ASSERT_EQ(module->Startup(), kQvNoErr);
  void* globals = module->Globals();
  ASSERT_NE(globals, nullptr);
  EXPECT_EQ(host.Blocks().SizeOf(globals), 8);

  // The module answers 100 * (count kept in globals) + (file-static count).
  EXPECT_EQ(module->Notify(nullptr, kQvDocumentChangedNotifier, nullptr), 101);
  EXPECT_EQ(module->Notify(nullptr, kQvDocumentChangedNotifier, nullptr), 202);

  ASSERT_EQ(module->Unload(&error), kQvNoErr) << error;
  EXPECT_FALSE(module->IsResidentInProcess());
  EXPECT_EQ(module->SendBasic(kQvCallerInterface, kQvSelectorAbout), kQvErrBadParameter) << "sent to no code";
  EXPECT_EQ(module->Globals(), globals);
  ASSERT_EQ(module->Reload(&error), kQvNoErr) << error;
  EXPECT_EQ(module->Notify(nullptr, kQvDocumentChangedNotifier, nullptr), 301);

  EXPECT_EQ(module->Shutdown(), kQvNoErr);
  EXPECT_EQ(module->Globals(), nullptr);
  EXPECT_EQ(host.Blocks().OutstandingBlocks(), 0u);
  EXPECT_EQ(host.Suites().TotalAcquired(), 0);
}

}  // namespace
}  // namespace workbench::plugin
